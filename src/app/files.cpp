#include "app/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

namespace {

// A write the system cuts short (a full disk, a file size limit) is tried
// again for the rest, so that the failure comes back with its reason.
bool writeAll(QFileDevice& file, const QByteArray& content) {
    qint64 done = 0;
    while (done < content.size()) {
        const qint64 written = file.write(content.constData() + done, content.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

QString fileFailure(const QString& action, const QString& path, const QString& reason) {
    return QStringLiteral("Impossible ") + action + QStringLiteral(" le fichier ") +
           QDir::toNativeSeparators(path) + QStringLiteral(" : ") + reason + QLatin1Char('.');
}

bool writeTextLines(const QString& path, const QStringList& lines, QString* error) {
    QByteArray content;
    for (const QString& line : lines) {
        content += line.toUtf8();
        content += "\r\n";
    }
    // QSaveFile writes beside the file, flushes to the disk, then renames.
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, content) && file.commit();
    if (!written && error)
        *error = fileFailure(QStringLiteral("d'écrire"), path, file.errorString());
    return written;
}

bool deleteFile(const QString& path, QString* error) {
    QFile file(path);
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    if (file.remove())
        return true;
    if (error)
        *error = fileFailure(QStringLiteral("d'effacer"), path, file.errorString());
    return false;
}

bool renameFile(const QString& from, const QString& to) {
    return QFile::rename(from, to);
}

bool copyFile(const QString& from, const QString& to) {
    return QFile::copy(from, to);
}

} // namespace velmar
