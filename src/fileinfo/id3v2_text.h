#pragma once

// The text of an ID3v2 frame in the encoding its first byte names:
//   0  ISO-8859-1, read as Windows-1252 like every other 8-bit text of the catalogue
//   1  UTF-16, each string led by its byte order mark
//   2  UTF-16 big-endian, without byte order mark
//   3  UTF-8
// Strings of a frame are separated by a terminator (one zero byte, two in
// UTF-16); each becomes a NUL character in the text, as the 8-bit strings always
// have. An unknown encoding byte is read as encoding 0.

#include <QByteArray>
#include <QString>

namespace velmar {

QString id3v2Text(quint8 encoding, const QByteArray& bytes);

} // namespace velmar
