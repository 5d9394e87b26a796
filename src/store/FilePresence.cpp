#include "FilePresence.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace vellum::store {

namespace {

// SQLite locks the 512 bytes from 1 GiB on; the byte after them is ours.
constexpr off_t PresenceByte = 0x40000000 + 1024;

StoreStatus systemFailure(StoreCode code, int error, const QString &what)
{
    StoreStatus status = StoreStatus::failure(code, what);
    status.fileErrorCode = error;
    status.fileErrorText = QString::fromLocal8Bit(std::strerror(error));
    return status;
}

} // namespace

FilePresence::~FilePresence()
{
    release();
}

FilePresence::FilePresence(FilePresence &&other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1))
{
}

FilePresence &FilePresence::operator=(FilePresence &&other) noexcept
{
    if (this != &other) {
        release();
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

void FilePresence::release()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor); // closing the description drops its lock
    m_descriptor = -1;
}

FilePresence FilePresence::take(const QString &path, Kind kind, StoreStatus *result)
{
    *result = {};
    FilePresence presence;
    const int flags = (kind == Kind::Exclusive ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    presence.m_descriptor = ::open(QFile::encodeName(path).constData(), flags);
    if (presence.m_descriptor < 0) {
        const int error = errno;
        *result = systemFailure(error == ENOENT ? StoreCode::FileMissing : StoreCode::AccessDenied, error,
                                QStringLiteral("%1 cannot be opened").arg(path));
        return presence;
    }
    struct flock lock = {};
    lock.l_type = kind == Kind::Exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = PresenceByte;
    lock.l_len = 1;
    if (::fcntl(presence.m_descriptor, F_OFD_SETLK, &lock) != 0) {
        const int error = errno;
        presence.release();
        *result = (error == EAGAIN || error == EACCES)
                      ? systemFailure(StoreCode::Busy, error, QStringLiteral("%1 is in use").arg(path))
                      : systemFailure(StoreCode::Failed, error, QStringLiteral("%1 keeps no locks").arg(path));
    }
    return presence;
}

} // namespace vellum::store
