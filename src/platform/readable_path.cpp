#include "platform/readable_path.h"

#include "platform/file_names.h"

#include <unistd.h>

namespace velmar {

bool ReadablePath::holdsEscapedBytes(const QString& path) {
    for (const QChar ch : path)
        if (ch.unicode() >= 0xF700 && ch.unicode() <= 0xF7FF)
            return true;
    return false;
}

ReadablePath::ReadablePath(const QString& path, const QString& linkPath) : m_path(path) {
    if (!holdsEscapedBytes(path))
        return;
    const QByteArray link = encodeFileName(linkPath);
    ::unlink(link.constData()); // one a process left behind
    if (::symlink(encodeFileName(path).constData(), link.constData()) != 0)
        return;
    m_link = linkPath;
    m_path = linkPath;
}

ReadablePath::~ReadablePath() {
    if (!m_link.isEmpty())
        ::unlink(encodeFileName(m_link).constData());
}

} // namespace velmar
