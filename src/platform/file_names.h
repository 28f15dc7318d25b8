#pragma once

// File names as bytes on disk and as text in the catalogue. A Linux name is any
// run of bytes but NUL and '/': it need not be UTF-8, and it may hold the
// catalogue's separator '\' or a line break. Names are decoded here, at the
// file-system boundary, so that every name becomes text that keeps its bytes:
//
//  - valid UTF-8 stands as it is;
//  - each byte of a sequence that is no valid UTF-8, each '\', CR and LF, and
//    each byte of a character of the range U+F700..U+F7FF itself, becomes the
//    private-use character U+F700 + that byte.
//
// Encoding maps every character of U+F700..U+F7FF back to its single byte and
// the rest to UTF-8, so decoding then encoding gives the same bytes, and a
// decoded name never holds '\' nor a line break. Qt's own decodeName turns bad
// bytes into U+FFFD and loses them.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace velmar {

QString decodeFileName(QByteArrayView bytes);
QByteArray encodeFileName(const QString& name);

// The longest path the system opens, in bytes with its final NUL: a directory
// whose encoded path reaches it cannot be read.
int maxPathBytes();

} // namespace velmar
