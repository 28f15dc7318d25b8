#include "platform/file_names.h"

#include <climits>

namespace velmar {

namespace {

constexpr char16_t kByteBase = 0xF700;
constexpr char32_t kEscapedFirst = 0xF700;
constexpr char32_t kEscapedLast = 0xF7FF;

// Length of the valid UTF-8 sequence at `at` and its code point; 0 when the
// bytes there are no valid sequence (overlong forms and surrogates included).
int utf8Sequence(QByteArrayView bytes, qsizetype at, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

bool escaped(char32_t codePoint) {
    return codePoint == u'\\' || codePoint == u'\n' || codePoint == u'\r' ||
           (codePoint >= kEscapedFirst && codePoint <= kEscapedLast);
}

void appendEscapedBytes(QString& out, QByteArrayView bytes) {
    for (const char byte : bytes)
        out.append(QChar(static_cast<char16_t>(kByteBase + static_cast<unsigned char>(byte))));
}

// Most names are plain ASCII: they take the short way.
bool plainAscii(QByteArrayView bytes) {
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80 || byte == '\\' || byte == '\n' || byte == '\r')
            return false;
    return true;
}

} // namespace

QString decodeFileName(QByteArrayView bytes) {
    if (plainAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        const int length = utf8Sequence(bytes, at, codePoint);
        if (length == 0) {
            appendEscapedBytes(name, bytes.sliced(at, 1));
            ++at;
            continue;
        }
        if (escaped(codePoint))
            appendEscapedBytes(name, bytes.sliced(at, length));
        else
            name.append(QChar::fromUcs4(codePoint));
        at += length;
    }
    return name;
}

QByteArray encodeFileName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        if (unit < kEscapedFirst || unit > kEscapedLast)
            continue;
        bytes.append(QStringView(name).sliced(runStart, i - runStart).toUtf8());
        bytes.append(static_cast<char>(unit - kByteBase));
        runStart = i + 1;
    }
    bytes.append(QStringView(name).sliced(runStart).toUtf8());
    return bytes;
}

int maxPathBytes() {
    return PATH_MAX;
}

} // namespace velmar
