#include "explore/file_record.h"

#include "app/byte_order.h"

#include <QtEndian>

#include <cstring>

namespace velmar {

using namespace FileRecordLayout;

namespace {

// Each text is converted once: its length decides whether it fits and its
// bytes are copied straight into the record.
bool put(char* record, int offset, int width, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > width)
        return false;
    std::memcpy(record + offset, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

QString take(const QByteArray& in, int offset, int width) {
    const char* start = in.constData() + offset;
    const void* nul = std::memchr(start, 0, static_cast<std::size_t>(width));
    const qsizetype length = nul ? static_cast<const char*>(nul) - start : width;
    return QString::fromUtf8(start, length);
}

} // namespace

bool FileRecord::encode(QByteArray& out) const {
    out.resize(kRecordSize);
    char* record = out.data();
    std::memset(record, 0, kRecordSize);
    if (!put(record, kNameFullOffset, kNameWidth, nameFull) ||
        !put(record, kNameStemOffset, kNameWidth, nameStem) ||
        !put(record, kDirPathOffset, kDirPathWidth, dirPath) ||
        !put(record, kExtensionOffset, kExtensionWidth, extension) ||
        !put(record, kModifiedOffset, kDateWidth, modified) ||
        !put(record, kCreatedOffset, kDateWidth, created))
        return false;
    const auto bits = static_cast<quint64>(size);
    qToLittleEndian(static_cast<quint32>(bits & 0xFFFFFFFFu), record + kSizeOffset);
    qToLittleEndian(static_cast<quint32>(bits >> 32), record + kSpare10Offset);
    std::memset(record + kSpare100Offset, ' ', kSpare100Width);
    return true;
}

bool FileRecord::decode(const QByteArray& in, FileRecord& r) {
    if (in.size() < kRecordSize)
        return false;
    r.nameFull = take(in, kNameFullOffset, kNameWidth);
    r.nameStem = take(in, kNameStemOffset, kNameWidth);
    r.dirPath = take(in, kDirPathOffset, kDirPathWidth);
    r.extension = take(in, kExtensionOffset, kExtensionWidth);
    const quint64 high = bytes::le32(in, kSpare10Offset);
    r.size = static_cast<qint64>(high << 32 | bytes::le32(in, kSizeOffset));
    r.modified = take(in, kModifiedOffset, kDateWidth);
    r.created = take(in, kCreatedOffset, kDateWidth);
    return true;
}

namespace {

QString withoutSurroundingQuotes(QString name) {
    if (name.startsWith(QLatin1Char('"')))
        name.remove(0, 1);
    if (name.endsWith(QLatin1Char('"')))
        name.chop(1);
    return name;
}

} // namespace

QString recordExtension(const QString& fileName) {
    if (!fileName.contains(QLatin1Char('.')))
        return {};
    const QString name = withoutSurroundingQuotes(fileName);
    return name.mid(name.lastIndexOf(QLatin1Char('.')) + 1).toUpper();
}

QString recordStem(const QString& fileName, const QString& extension) {
    if (extension.isEmpty())
        return fileName;
    const QString name = withoutSurroundingQuotes(fileName);
    return name.left(name.size() - extension.size() - 1);
}

} // namespace velmar
