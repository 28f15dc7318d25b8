#include "archives/zip_fields.h"

#include "app/byte_order.h"
#include "app/crc32.h"
#include "app/inner_text.h"

#include <optional>

namespace velmar::archives {

namespace {

constexpr quint16 EXTRA_ZIP64 = 0x0001;
constexpr quint16 EXTRA_UNICODE_PATH = 0x7075;
constexpr quint16 FLAG_UTF8 = 0x0800;
constexpr quint64 SATURATED_32 = 0xFFFFFFFFu;
constexpr int EXTRA_BLOCK_HEADER = 4;
// Unicode Path block: version (1) | CRC-32 of the header's name (4) | UTF-8 name.
constexpr int UNICODE_PATH_PREFIX = 5;

// The data of the first block `id` of the extra field, if the block lies whole within it.
std::optional<QByteArray> extraBlock(const QByteArray& extra, quint16 id) {
    qsizetype at = 0;
    while (at + EXTRA_BLOCK_HEADER <= extra.size()) {
        const auto blockId = bytes::le16(extra, at);
        const auto length = qsizetype(bytes::le16(extra, at + 2));
        at += EXTRA_BLOCK_HEADER;
        if (at + length > extra.size())
            return std::nullopt;
        if (blockId == id)
            return extra.mid(at, length);
        at += length;
    }
    return std::nullopt;
}

} // namespace

void applyZip64Extra(const QByteArray& extra, ZipSizes& sizes) {
    const auto block = extraBlock(extra, EXTRA_ZIP64);
    if (!block)
        return;
    qsizetype at = 0;
    for (quint64* field : {&sizes.uncompressed, &sizes.compressed, &sizes.localHeaderOffset}) {
        if (*field != SATURATED_32)
            continue;
        if (at + 8 > block->size())
            return;
        *field = bytes::le64(*block, at);
        at += 8;
    }
}

QString zipEntryName(const QByteArray& name, quint16 flags, const QByteArray& extra) {
    if (flags & FLAG_UTF8)
        return innerText(name, DeclaredEncoding::Utf8);
    const auto block = extraBlock(extra, EXTRA_UNICODE_PATH);
    if (block && block->size() >= UNICODE_PATH_PREFIX && (*block)[0] == 1) {
        const auto crc = bytes::le32(*block, 1);
        const auto* bytes = reinterpret_cast<const unsigned char*>(name.constData());
        if (crc == clsCRC32().CRC32(0, bytes, size_t(name.size())))
            return innerText(block->mid(UNICODE_PATH_PREFIX), DeclaredEncoding::Utf8);
    }
    return innerText(name);
}

QString zipText(const QByteArray& bytes, quint16 flags) {
    return innerText(bytes, (flags & FLAG_UTF8) ? DeclaredEncoding::Utf8 : DeclaredEncoding::Unknown);
}

} // namespace velmar::archives
