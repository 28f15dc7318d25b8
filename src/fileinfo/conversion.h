#pragma once

// Two text filters of the content probes: a byte-for-byte code table applied to
// titles read from binary files, and the decoding of HTML character references.

#include <QByteArray>
#include <QString>

#include <array>

namespace velmar {

// Entry c gives the replacement of byte c. The table has no entry for 255: that
// byte, which is ÿ in Windows-1252, is always kept as it is.
using TableConversion = std::array<unsigned char, 255>;

// Entry i = i; built on first use and kept for the life of the process.
const TableConversion& TableIdentite();

// Each byte of code c < 255 replaced by table[c]; same length.
QByteArray ConvertitChaine(const QByteArray& bytes, const TableConversion& table);

// Decodes, in place, the character references of a web page title:
//  - numeric ones first, restarting from the beginning after each decoded one:
//    "&#233;" and "&#xE9;" (hexadecimal, either case of x) give é; any Unicode
//    code point is accepted ("&#8364;" gives €); a reference that is not made
//    of digits, or whose value is 0, a surrogate or beyond U+10FFFF, is left
//    as written and the search goes on after it. The pass ends at a "&#" with no ";" after it or too near the end;
//  - then the named references of HTML 4's Latin-1 set, case-sensitive, in a
//    fixed order ("&amp;" before "&lt;", so "&amp;lt;" ends as "<"); "&nbsp;"
//    becomes a blank and "&shy;" disappears.
void ConvertitEntitesHTML(QString& text);

} // namespace velmar
