#include "explore/catalogue_path.h"

#include <QDir>

namespace velmar {

namespace {

const QChar kSeparator = QLatin1Char('\\');

QString trimmedSeparators(QString path) {
    while (path.startsWith(kSeparator))
        path.remove(0, 1);
    while (path.endsWith(kSeparator))
        path.chop(1);
    return path;
}

} // namespace

QString catalogueRelativePath(const QString& volumeRoot, const QString& nativeDirectory) {
    QString relative = QDir(volumeRoot).relativeFilePath(nativeDirectory);
    if (relative == QLatin1String("."))
        return {};
    relative.replace(QLatin1Char('/'), kSeparator);
    return trimmedSeparators(relative);
}

QString lastComponent(const QString& cataloguePath) {
    const QString path = trimmedSeparators(cataloguePath);
    return path.mid(path.lastIndexOf(kSeparator) + 1);
}

QString relativeParent(const QString& cataloguePath) {
    const QString path = trimmedSeparators(cataloguePath);
    const qsizetype at = path.lastIndexOf(kSeparator);
    return at < 0 ? QString() : path.left(at);
}

QString nativePath(const QString& volumeRoot, const QString& cataloguePath) {
    QString relative = trimmedSeparators(cataloguePath);
    relative.replace(kSeparator, QLatin1Char('/'));
    return QDir(volumeRoot).filePath(relative);
}

} // namespace velmar
