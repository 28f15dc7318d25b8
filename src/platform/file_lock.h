#pragma once

// An exclusive advisory lock on a file (flock), held until release() or the
// end of the process: the kernel drops it however the process ends, so a crash
// or a kill never leaves a stale lock behind. The file itself only carries the
// lock; its content and its presence mean nothing.

#include <QString>

namespace velmar {

class FileLock {
public:
    explicit FileLock(QString path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock, trying again for up to `waitMs` milliseconds while
    // another process holds it. The lock file is made when missing.
    bool acquire(int waitMs);
    void release();

    bool held() const { return m_fd >= 0; }
    // Why the last acquire() failed: true when another process holds the lock,
    // false when the file could not be opened or locked (reason()).
    bool busy() const { return m_busy; }
    const QString& reason() const { return m_reason; }
    const QString& path() const { return m_path; }

private:
    bool open();

    QString m_path;
    int m_fd = -1;
    bool m_busy = false;
    QString m_reason;
};

} // namespace velmar
