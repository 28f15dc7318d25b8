#pragma once

// The one decision that turns bytes read from inside a file (archive member
// names, tags, page titles) into text. A format that declares UTF-8 (ZIP flag
// bit 11, a CAB attribute, a pax header, an ID3 encoding byte, an HTML charset)
// is read as UTF-8. Where the format says nothing, bytes that are valid UTF-8
// and hold at least one multi-byte sequence are UTF-8, since no Windows-1252
// text of real words forms such a sequence by chance; anything else is read as
// Windows-1252, as the older tools that wrote it meant.

#include <QByteArray>
#include <QString>

namespace velmar {

enum class DeclaredEncoding { Unknown, Utf8, Windows1252 };

// True when the bytes are well-formed UTF-8 (no overlong form, no surrogate,
// nothing past U+10FFFF) and hold at least one multi-byte sequence.
bool looksLikeUtf8(const char* data, qsizetype size);

QString innerText(const char* data, qsizetype size, DeclaredEncoding declared = DeclaredEncoding::Unknown);
inline QString innerText(const QByteArray& bytes, DeclaredEncoding declared = DeclaredEncoding::Unknown) {
    return innerText(bytes.constData(), bytes.size(), declared);
}

} // namespace velmar
