#include "platform/file_lock.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace velmar {

namespace {

constexpr int kRetryMs = 50;

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

FileLock::FileLock(QString path) : m_path(std::move(path)) {}

FileLock::~FileLock() {
    release();
}

bool FileLock::open() {
    const QByteArray native = QFile::encodeName(m_path);
    int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // An existing lock file in a folder or file this user may not write still
    // takes a lock: flock needs no write access.
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        m_reason = systemReason(errno);
        return false;
    }
    m_fd = fd;
    return true;
}

bool FileLock::acquire(int waitMs) {
    m_busy = false;
    m_reason.clear();
    if (held())
        return true;
    if (!open())
        return false;
    for (int waited = 0;; waited += kRetryMs) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        const int error = errno;
        if (error != EWOULDBLOCK && error != EINTR) {
            m_reason = systemReason(error);
            break;
        }
        if (waited >= waitMs) {
            m_busy = true;
            m_reason = systemReason(error);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
    }
    ::close(m_fd);
    m_fd = -1;
    return false;
}

void FileLock::release() {
    if (m_fd >= 0) {
        ::close(m_fd); // closing the only descriptor drops the lock
        m_fd = -1;
    }
}

} // namespace velmar
