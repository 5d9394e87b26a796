#pragma once
// One running copy per workstation: a lock file beside the workstation's settings file, held for
// the whole run. A lock left behind by a copy that died is taken over.

#include <QLockFile>
#include <QString>

namespace vellum {

class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString &settingsPath);

    // Tries the lock without waiting; once taken it is kept until this object goes.
    bool anotherCopyRuns();

private:
    QLockFile m_lock;
};

} // namespace vellum
