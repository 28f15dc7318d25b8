#include "app/files.h"

#include <QFile>
#include <QFileInfo>

namespace velmar {

bool FichierExiste(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

qint64 TailleFichier(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() : 0;
}

bool readTextLines(const QString& path, QStringList& lines) {
    lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        if (end < 0)
            end = content.size();
        qsizetype lineEnd = end;
        if (lineEnd > start && content[lineEnd - 1] == '\r')
            --lineEnd;
        lines << QString::fromUtf8(content.constData() + start, lineEnd - start);
        start = next;
    }
    return true;
}

bool writeTextLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray content;
    for (const QString& line : lines) {
        content += line.toUtf8();
        content += "\r\n";
    }
    return file.write(content) == content.size() && file.flush();
}

bool deleteFile(const QString& path) {
    QFile file(path);
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    return file.remove();
}

bool renameFile(const QString& from, const QString& to) {
    return QFile::rename(from, to);
}

bool copyFile(const QString& from, const QString& to) {
    return QFile::copy(from, to);
}

} // namespace velmar
