#include "platform/native_files.h"

#include "platform/file_names.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmar {

namespace {

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Writes all of `size` bytes, going on after a short write.
bool writeAll(int fd, const char* data, ssize_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool copyContent(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (!writeAll(to, buffer, got))
            return false;
    }
}

} // namespace

bool nativeExists(const QString& path) {
    struct stat st {};
    return ::lstat(encodeFileName(path).constData(), &st) == 0;
}

bool copyNativeFile(const QString& source, const QString& target, QString& reason) {
    const int from = ::open(encodeFileName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        reason = systemReason();
        return false;
    }
    const int to = ::open(encodeFileName(target).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool copied = to >= 0 && copyContent(from, to) && ::fsync(to) == 0;
    if (!copied)
        reason = systemReason();
    if (to >= 0 && ::close(to) != 0 && copied) {
        reason = systemReason();
        copied = false;
    }
    ::close(from);
    return copied;
}

} // namespace velmar
