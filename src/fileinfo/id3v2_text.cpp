#include "fileinfo/id3v2_text.h"

#include "app/byte_order.h"
#include "app/inner_text.h"

namespace velmar {

namespace {

namespace encoding {
constexpr quint8 kUtf16 = 1;
constexpr quint8 kUtf16BigEndian = 2;
constexpr quint8 kUtf8 = 3;
} // namespace encoding

constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr char16_t kSwappedByteOrderMark = 0xFFFE;

// A string without byte order mark in encoding 1 breaks the format; the
// writers that do it are Windows programs, so little-endian is the better guess.
QString fromUtf16(const QByteArray& bytes, bool bigEndian) {
    const bool defaultOrder = bigEndian;
    QString text;
    bool atStringStart = true;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit =
            static_cast<char16_t>(bigEndian ? velmar::bytes::be16(bytes, i) : velmar::bytes::le16(bytes, i));
        if (atStringStart && (unit == kByteOrderMark || unit == kSwappedByteOrderMark)) {
            if (unit == kSwappedByteOrderMark)
                bigEndian = !bigEndian;
            atStringStart = false;
            continue;
        }
        atStringStart = unit == 0;
        if (atStringStart)
            bigEndian = defaultOrder;
        text.append(QChar(unit));
    }
    return text;
}

} // namespace

QString id3v2Text(quint8 encoding, const QByteArray& bytes) {
    switch (encoding) {
    case encoding::kUtf16:
        return fromUtf16(bytes, false);
    case encoding::kUtf16BigEndian:
        return fromUtf16(bytes, true);
    case encoding::kUtf8:
        return innerText(bytes, DeclaredEncoding::Utf8);
    default:
        return innerText(bytes, DeclaredEncoding::Windows1252);
    }
}

} // namespace velmar
