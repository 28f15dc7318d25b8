#include "fileinfo/conversion.h"

#include "app/text.h"

namespace velmar {

namespace {

struct NamedReference {
    const char* name;
    char16_t replacement; // 0: the reference is removed
};

// HTML 4 names of ISO 8859-1 characters, in the order they are applied.
constexpr NamedReference kNamed[] = {
    {"&#xe9;", 0xE9},   {"&nbsp;", 0x20},   {"&iexcl;", 0xA1},  {"&cent;", 0xA2},   {"&pound;", 0xA3},
    {"&curren;", 0xA4}, {"&yen;", 0xA5},    {"&brvbar;", 0xA6}, {"&sect;", 0xA7},   {"&copy;", 0xA9},
    {"&ordf;", 0xAA},   {"&laquo;", 0xAB},  {"&not;", 0xAC},    {"&shy;", 0},       {"&reg;", 0xAE},
    {"&macr;", 0xAF},   {"&deg;", 0xB0},    {"&plusmn;", 0xB1}, {"&sup2;", 0xB2},   {"&sup3;", 0xB3},
    {"&acute;", 0xB4},  {"&amp;", 0x26},    {"&lt;", 0x3C},     {"&gt;", 0x3E},     {"&micro;", 0xB5},
    {"&para;", 0xB6},   {"&middot;", 0xB7}, {"&cedil;", 0xB8},  {"&sup1;", 0xB9},   {"&ordm;", 0xBA},
    {"&raquo;", 0xBB},  {"&frac14;", 0xBC}, {"&frac12;", 0xBD}, {"&frac34;", 0xBE}, {"&iquest;", 0xBF},
    {"&Agrave;", 0xC0}, {"&Aacute;", 0xC1}, {"&Acirc;", 0xC2},  {"&Atilde;", 0xC3}, {"&Auml;", 0xC4},
    {"&Aring;", 0xC5},  {"&AElig;", 0xC6},  {"&Ccedil;", 0xC7}, {"&Egrave;", 0xC8}, {"&Eacute;", 0xC9},
    {"&Ecirc;", 0xCA},  {"&Euml;", 0xCB},   {"&Igrave;", 0xCC}, {"&Iacute;", 0xCD}, {"&Icirc;", 0xCE},
    {"&Iuml;", 0xCF},   {"&ETH;", 0xD0},    {"&Ntilde;", 0xD1}, {"&Ograve;", 0xD2}, {"&Oacute;", 0xD3},
    {"&Ocirc;", 0xD4},  {"&Otilde;", 0xD5}, {"&Ouml;", 0xD6},   {"&times;", 0xD7},  {"&Oslash;", 0xD8},
    {"&Ugrave;", 0xD9}, {"&Uacute;", 0xDA}, {"&Ucirc;", 0xDB},  {"&Uuml;", 0xDC},   {"&Yacute;", 0xDD},
    {"&THORN;", 0xDE},  {"&szlig;", 0xDF},  {"&agrave;", 0xE0}, {"&aacute;", 0xE1}, {"&acirc;", 0xE2},
    {"&atilde;", 0xE3}, {"&auml;", 0xE4},   {"&aring;", 0xE5},  {"&aelig;", 0xE6},  {"&ccedil;", 0xE7},
    {"&egrave;", 0xE8}, {"&eacute;", 0xE9}, {"&ecirc;", 0xEA},  {"&euml;", 0xEB},   {"&igrave;", 0xEC},
    {"&iacute;", 0xED}, {"&icirc;", 0xEE},  {"&iuml;", 0xEF},   {"&eth;", 0xF0},    {"&ntilde;", 0xF1},
    {"&ograve;", 0xF2}, {"&oacute;", 0xF3}, {"&ocirc;", 0xF4},  {"&ouml;", 0xF6},   {"&divide;", 0xF7},
    {"&oslash;", 0xF8}, {"&ugrave;", 0xF9}, {"&uacute;", 0xFA}, {"&ucirc;", 0xFB},  {"&uuml;", 0xFC},
    {"&yacute;", 0xFD}, {"&thorn;", 0xFE},  {"&yuml;", 0xFF},
};
static_assert(std::size(kNamed) == 98);

// Value of the text between "&#" and ";": decimal digits, or hexadecimal ones
// after an x. 0 when that text is anything else or names no character.
char32_t referenceValue(const QString& inner) {
    const bool hex = inner.startsWith(QLatin1Char('x')) || inner.startsWith(QLatin1Char('X'));
    const QString digits = hex ? inner.mid(1) : inner;
    if (digits.isEmpty() || digits.size() > 8)
        return 0;
    for (const QChar c : digits)
        if (!(c.isDigit() || (hex && QStringLiteral("abcdefABCDEF").contains(c))) || c.unicode() > 127)
            return 0;
    bool ok = false;
    const uint value = digits.toUInt(&ok, hex ? 16 : 10);
    if (!ok || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return static_cast<char32_t>(value);
}

void decodeNumericReferences(QString& text) {
    qsizetype from = 0;
    for (;;) {
        const qsizetype amp = text.indexOf(QLatin1String("&#"), from);
        if (amp < 0 || amp + 4 >= text.size())
            return;
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), amp);
        if (semicolon < 0)
            return;
        const QString reference = text.mid(amp, semicolon - amp + 1);
        const char32_t code = referenceValue(text.mid(amp + 2, semicolon - amp - 2));
        if (code == 0) {
            from = amp + 2;
            continue;
        }
        RemplaceTexte(text, reference, QString::fromUcs4(&code, 1));
        from = 0;
    }
}

} // namespace

const TableConversion& TableIdentite() {
    static const TableConversion table = [] {
        TableConversion t{};
        for (std::size_t i = 0; i < t.size(); ++i)
            t[i] = static_cast<unsigned char>(i);
        return t;
    }();
    return table;
}

QByteArray ConvertitChaine(const QByteArray& bytes, const TableConversion& table) {
    QByteArray converted = bytes;
    for (char& c : converted) {
        const auto code = static_cast<unsigned char>(c);
        if (code < table.size())
            c = static_cast<char>(table[code]);
    }
    return converted;
}

void ConvertitEntitesHTML(QString& text) {
    decodeNumericReferences(text);
    for (const NamedReference& named : kNamed) {
        const QString replacement = named.replacement ? QString(QChar(named.replacement)) : QString();
        RemplaceTexte(text, QLatin1String(named.name), replacement);
    }
}

} // namespace velmar
