#include "SingleInstanceLock.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace vellum {

SingleInstanceLock::SingleInstanceLock(const QString &settingsPath) : m_lock(settingsPath + u".lock"_s)
{
    // Held for hours: only a dead owner makes the lock stale, never its age.
    m_lock.setStaleLockTime(0);
}

bool SingleInstanceLock::anotherCopyRuns()
{
    if (m_lock.isLocked())
        return false;
    QDir().mkpath(QFileInfo(m_lock.fileName()).absolutePath());
    if (m_lock.tryLock(0))
        return false;
    // A lock that cannot even be tried (a read-only folder) says nothing of another copy.
    return m_lock.error() == QLockFile::LockFailedError;
}

} // namespace vellum
