#pragma once

// A path QFile can open for a catalogued file. QFile encodes its names as
// UTF-8, so a name decoded by decodeFileName with escaped bytes (see
// file_names.h) would reach the system as other bytes. For such a path a
// symbolic link to its real bytes is made at `linkPath` (which keeps the
// file's extension, as the content probes choose by it) and QFile is given the
// link; any other path is passed through untouched, with no system call.

#include <QString>

namespace velmar {

class ReadablePath {
public:
    ReadablePath(const QString& path, const QString& linkPath);
    ~ReadablePath(); // removes the link
    ReadablePath(const ReadablePath&) = delete;
    ReadablePath& operator=(const ReadablePath&) = delete;

    // The path to give QFile while this object lives.
    const QString& path() const { return m_path; }

    static bool holdsEscapedBytes(const QString& path);

private:
    QString m_path;
    QString m_link; // "" when no link was made
};

} // namespace velmar
