#include "app/native_path.h"

#include <QDir>

namespace velmar {

QString trimmedSeparators(QString cataloguePath) {
    while (cataloguePath.startsWith(kCatalogueSeparator))
        cataloguePath.remove(0, 1);
    while (cataloguePath.endsWith(kCatalogueSeparator))
        cataloguePath.chop(1);
    return cataloguePath;
}

QString nativePath(const QString& volumeRoot, const QString& cataloguePath) {
    QString relative = trimmedSeparators(cataloguePath);
    relative.replace(kCatalogueSeparator, QLatin1Char('/'));
    return QDir(volumeRoot).filePath(relative);
}

} // namespace velmar
