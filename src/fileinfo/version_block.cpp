#include "fileinfo/version_block.h"

#include "app/byte_order.h"

#include <QStringList>

namespace velmar::pe {

namespace {

// One block: wLength | wValueLength | wType | szKey (UTF-16, NUL) | pad to 4 | value | pad to 4 | children
//            0        2              4       6
constexpr qint64 kBlockHeader = 6;
constexpr qint64 kValueLength = 2;
constexpr qint64 kType = 4;
constexpr quint16 kTextType = 1;

struct Block {
    qint64 end = 0;
    QString key;
    qint64 valueBegin = 0;
    qint64 valueEnd = 0;
    qint64 childrenBegin = 0;
};

qint64 align4(qint64 offset) {
    return (offset + 3) & ~qint64(3);
}

bool parseBlock(const QByteArray& data, qint64 offset, qint64 limit, Block& block) {
    quint16 length = 0;
    quint16 valueLength = 0;
    quint16 type = 0;
    if (!bytes::readLE16(data, offset, length) ||
        !bytes::readLE16(data, offset + kValueLength, valueLength) ||
        !bytes::readLE16(data, offset + kType, type))
        return false;
    block.end = offset + length;
    if (length < kBlockHeader || block.end > limit)
        return false;
    qint64 at = offset + kBlockHeader;
    block.key.clear();
    for (;;) {
        quint16 unit = 0;
        if (at + 2 > block.end || !bytes::readLE16(data, at, unit))
            return false;
        at += 2;
        if (unit == 0)
            break;
        block.key.append(QChar(unit));
    }
    block.valueBegin = qMin(align4(at), block.end);
    const qint64 valueBytes = type == kTextType ? qint64(valueLength) * 2 : valueLength;
    block.valueEnd = qMin(block.valueBegin + valueBytes, block.end);
    block.childrenBegin = qMin(align4(block.valueEnd), block.end);
    return true;
}

bool findChild(const QByteArray& data, const Block& parent, const QString& key, Block& child) {
    qint64 at = parent.childrenBegin;
    while (at + kBlockHeader <= parent.end) {
        if (!parseBlock(data, at, parent.end, child))
            return false;
        if (child.key.compare(key, Qt::CaseInsensitive) == 0)
            return true;
        at = align4(child.end);
    }
    return false;
}

bool findBlock(const QByteArray& resource, const QString& path, Block& block) {
    if (!parseBlock(resource, 0, resource.size(), block))
        return false;
    const QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        Block child;
        if (!findChild(resource, block, part, child))
            return false;
        block = child;
    }
    return true;
}

} // namespace

bool queryValue(const QByteArray& resource, const QString& path, QByteArray& value) {
    Block block;
    if (!findBlock(resource, path, block))
        return false;
    value = resource.mid(block.valueBegin, block.valueEnd - block.valueBegin);
    return true;
}

bool queryText(const QByteArray& resource, const QString& path, QString& text) {
    Block block;
    if (!findBlock(resource, path, block))
        return false;
    text.clear();
    for (qint64 at = block.valueBegin; at + 2 <= block.end; at += 2) {
        quint16 unit = 0;
        bytes::readLE16(resource, at, unit);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return true;
}

} // namespace velmar::pe
