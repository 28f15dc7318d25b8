#include "explore/catalogue_path.h"

#include "app/native_path.h"

#include <QDir>

namespace velmar {

QString catalogueRelativePath(const QString& volumeRoot, const QString& nativeDirectory) {
    QString relative = QDir(volumeRoot).relativeFilePath(nativeDirectory);
    if (relative == QLatin1String("."))
        return {};
    relative.replace(QLatin1Char('/'), kCatalogueSeparator);
    return trimmedSeparators(relative);
}

QString lastComponent(const QString& cataloguePath) {
    const QString path = trimmedSeparators(cataloguePath);
    return path.mid(path.lastIndexOf(kCatalogueSeparator) + 1);
}

QString relativeParent(const QString& cataloguePath) {
    const QString path = trimmedSeparators(cataloguePath);
    const qsizetype at = path.lastIndexOf(kCatalogueSeparator);
    return at < 0 ? QString() : path.left(at);
}

} // namespace velmar
