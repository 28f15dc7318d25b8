#include "fileinfo/page_encoding.h"

#include <QList>

namespace velmar {

namespace {

const QByteArray kUtf8ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray kCharset = QByteArrayLiteral("charset");
const QByteArray kMetaTag = QByteArrayLiteral("<meta");

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// The label after "charset" at `at`: blanks, "=", blanks, an optional quote,
// then the label up to a quote, a blank, ";", "/" or ">".
QByteArray labelAfter(const QByteArray& lower, qsizetype at) {
    while (at < lower.size() && isBlank(lower[at]))
        ++at;
    if (at >= lower.size() || lower[at] != '=')
        return {};
    ++at;
    while (at < lower.size() && (isBlank(lower[at]) || lower[at] == '"' || lower[at] == '\''))
        ++at;
    qsizetype end = at;
    while (end < lower.size() && !isBlank(lower[end]) && !QByteArray("\"';/>").contains(lower[end]))
        ++end;
    return lower.mid(at, end - at);
}

// True when the text at `at` lies inside a <meta> tag.
bool insideMetaTag(const QByteArray& lower, qsizetype at) {
    const qsizetype open = lower.lastIndexOf('<', at);
    return open >= 0 && lower.mid(open, kMetaTag.size()) == kMetaTag && lower.indexOf('>', open) >= at;
}

DeclaredEncoding encodingOfLabel(const QByteArray& label) {
    static const QList<QByteArray> utf8 = {"utf-8", "utf8", "unicode-1-1-utf-8"};
    static const QList<QByteArray> windows1252 = {"windows-1252", "cp1252",     "x-cp1252", "iso-8859-1",
                                                  "iso8859-1",    "iso_8859-1", "latin1",   "l1",
                                                  "us-ascii",     "ascii"};
    if (utf8.contains(label))
        return DeclaredEncoding::Utf8;
    if (windows1252.contains(label))
        return DeclaredEncoding::Windows1252;
    return DeclaredEncoding::Unknown;
}

} // namespace

DeclaredEncoding pageEncoding(const QByteArray& head) {
    if (head.startsWith(kUtf8ByteOrderMark))
        return DeclaredEncoding::Utf8;
    const QByteArray lower = head.toLower();
    for (qsizetype at = lower.indexOf(kCharset); at >= 0; at = lower.indexOf(kCharset, at)) {
        at += kCharset.size();
        if (!insideMetaTag(lower, at))
            continue;
        const QByteArray label = labelAfter(lower, at);
        if (!label.isEmpty())
            return encodingOfLabel(label);
    }
    return DeclaredEncoding::Unknown;
}

} // namespace velmar
