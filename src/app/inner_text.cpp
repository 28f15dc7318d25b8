#include "app/inner_text.h"

#include "app/windows1252.h"

namespace velmar {

namespace {

// Length of the sequence led by `lead`, 0 for a byte that cannot lead one.
int sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The second byte's range narrows after E0, ED, F0 and F4 (RFC 3629, section 4):
// that is what rules out overlong forms, surrogates and code points past U+10FFFF.
bool secondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return isContinuation(second);
    }
}

} // namespace

bool looksLikeUtf8(const char* data, qsizetype size) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    bool multiByte = false;
    qsizetype i = 0;
    while (i < size) {
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = sequenceLength(bytes[i]);
        if (length == 0 || size - i < length || !secondByteFits(bytes[i], bytes[i + 1]))
            return false;
        for (int k = 2; k < length; ++k)
            if (!isContinuation(bytes[i + k]))
                return false;
        multiByte = true;
        i += length;
    }
    return multiByte;
}

QString innerText(const char* data, qsizetype size, DeclaredEncoding declared) {
    if (declared == DeclaredEncoding::Utf8 ||
        (declared == DeclaredEncoding::Unknown && looksLikeUtf8(data, size)))
        return QString::fromUtf8(data, size);
    return fromWindows1252(data, size);
}

} // namespace velmar
