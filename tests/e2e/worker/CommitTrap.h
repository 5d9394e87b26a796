#pragma once
// Stops this process at a chosen moment inside a commit that spans several record files, so
// that a test can kill it exactly there. It sits between the store and the file system as the
// default SQLite file layer; until it is armed it only passes calls through.

namespace vellum::test {

enum class CommitPoint {
    // The first record file is written and synced, the other not yet: nothing may survive.
    FirstFileWritten,
    // The super-journal is gone but the files' journals are still there: everything must survive.
    SuperJournalDeleted,
};

// Installs the layer; call before any database is opened. Returns false when SQLite refuses it.
bool installCommitTrap();
// From now on, reaching the point prints "halted <point>" on stdout and sleeps until killed.
void armCommitTrap(CommitPoint point);
const char *commitPointName(CommitPoint point);

} // namespace vellum::test
