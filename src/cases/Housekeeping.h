#pragma once
// The housekeeping duties each rebuild of the case lists runs: the scheduled-backup test before
// the walk, and the clean-up test of every closed case the walk meets. The shell provides them;
// a monitor without them (as in tests of the lists alone) only builds the lists.

namespace vellum {

struct CaseRecord;

class Housekeeping {
public:
    virtual ~Housekeeping() = default;

    virtual void scheduledBackupTest() = 0;
    virtual void closedCaseCleanupTest(const CaseRecord &record) = 0;

protected:
    Housekeeping() = default;
    Housekeeping(const Housekeeping &) = default;
    Housekeeping &operator=(const Housekeeping &) = default;
};

} // namespace vellum
