#include "fileinfo/version_info.h"

#include "app/byte_order.h"
#include "app/windows1252.h"
#include "fileinfo/pe_resources.h"
#include "fileinfo/version_block.h"

namespace velmar {

namespace {

constexpr qsizetype kValueBuffer = 255;

// Language in the high half, code page in the low half, eight hex digits.
QString translationKey(const QByteArray& translation) {
    const quint32 number = quint32(bytes::le16(translation, 0)) << 16 | bytes::le16(translation, 2);
    return QStringLiteral("%1").arg(number, 8, 16, QLatin1Char('0')).toUpper();
}

QString stringValue(const QByteArray& resource, const QString& table, const char* key) {
    QString text;
    if (!pe::queryText(resource,
                       QStringLiteral("\\StringFileInfo\\") + table + QLatin1Char('\\') + QLatin1String(key),
                       text))
        return {};
    text = fromWindows1252(toWindows1252(text)).left(kValueBuffer);
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace

InfosVersion versionFromResource(const QByteArray& resource) {
    InfosVersion infos;
    QByteArray translation;
    if (resource.isEmpty() ||
        !pe::queryValue(resource, QStringLiteral("\\VarFileInfo\\Translation"), translation) ||
        translation.size() < 4)
        return infos;
    const QString table = translationKey(translation);
    infos.CompanyName = stringValue(resource, table, "CompanyName");
    infos.FileDescription = stringValue(resource, table, "FileDescription");
    infos.FileVersion = stringValue(resource, table, "FileVersion");
    infos.InternalName = stringValue(resource, table, "InternalName");
    infos.LegalCopyright = stringValue(resource, table, "LegalCopyright");
    infos.OriginalFileName = stringValue(resource, table, "OriginalFileName");
    infos.ProductName = stringValue(resource, table, "ProductName");
    infos.ProductVersion = stringValue(resource, table, "ProductVersion");
    return infos;
}

InfosVersion LitVersionFichier(const QString& path) {
    if (path.isEmpty())
        return {};
    archives::FileSource file(path);
    if (!file.isOpen())
        return {};
    return versionFromResource(pe::versionResource(file));
}

} // namespace velmar
