// Titles of web pages, tracker modules, extended modules and DOS shortcuts.

#include "app/inner_text.h"
#include "app/windows1252.h"
#include "fileinfo/conversion.h"
#include "fileinfo/file_reading.h"
#include "fileinfo/page_encoding.h"
#include "fileinfo/probes.h"

#include "app/files.h"

namespace velmar::probes {

namespace {

const QByteArray kTitleTag = QByteArrayLiteral("<TITLE");
constexpr qint64 kTitleMaxLength = 192; // bytes between the opening and the closing tags
constexpr qint64 kLargestHead = 65536;  // the bytes before the title searched for the page's charset
// Tracker titles: from position 1 (5 for MTM) up to position 29 (20 for MOD).
constexpr qint64 kTrackerEnd = 30;
constexpr qint64 kModEnd = 21;
constexpr qint64 kMtmStart = 5;
const QByteArray kImpulseMagic = QByteArrayLiteral("IMPM");
// Extended module: "Extended Module: " | title (20 bytes)
//                  1                    18
const QByteArray kXmMagic = QByteArrayLiteral("Extended");
constexpr qint64 kXmTitle = 18;
constexpr qint64 kXmTitleLength = 20;
// PIF: title of 30 bytes at position 3.
constexpr qint64 kPifTitle = 3;
constexpr qint64 kPifTitleLength = 30;
constexpr int kPifHighestCode = 122;

QString titleText(const QByteArray& bytes) {
    return fromWindows1252(ConvertitChaine(bytes, TableIdentite()));
}

bool allBytes(const QByteArray& bytes, char value) {
    for (const char c : bytes)
        if (c != value)
            return false;
    return true;
}

// Position of the first byte after the first <title> tag, which may carry
// attributes (<title lang="fr">), or -1.
qint64 titleContentStart(archives::ByteSource& page) {
    double start = 1;
    for (;;) {
        const qint64 open = ChercheDansFichier(page, start, kTitleTag, true);
        if (open <= 0)
            return -1;
        const qint64 after = open + kTitleTag.size();
        const char next = LitBlocFichier(page, after, 1).at(0);
        if (next == '>')
            return after + 1;
        start = static_cast<double>(after);
        if (next == ' ' || next == '\t' || next == '\r' || next == '\n') {
            const qint64 end = ChercheDansFichier(page, start, QByteArrayLiteral(">"), false);
            return end <= 0 ? -1 : end + 1;
        }
    }
}

} // namespace

QString webPageTitle(const QString& path) {
    archives::FileSource page(path);
    const qint64 content = titleContentStart(page);
    if (content <= 0)
        return {};
    double start = static_cast<double>(content);
    const qint64 close = ChercheDansFichier(page, start, QByteArrayLiteral("</TITLE>"), true);
    if (close <= 0 || close - content > kTitleMaxLength)
        return {};
    const qint64 headLength = qMin(content - 1, kLargestHead);
    const DeclaredEncoding encoding = pageEncoding(LitBlocFichier(page, 1, headLength));
    QString title = innerText(LitBlocFichier(page, content, close - content), encoding);
    ConvertitEntitesHTML(title);
    return title;
}

QString trackerTitle(const QString& path, const QString& extension) {
    const bool mod = extension == QLatin1String("MOD");
    const qint64 first = extension == QLatin1String("MTM") ? kMtmStart : 1;
    const qint64 end = qMin(mod ? kModEnd : kTrackerEnd, TailleFichier(path) + 1);
    QByteArray title;
    if (end > first) {
        const QByteArray bytes = LitBlocFichier(path, first, end - first);
        for (const char c : bytes) {
            if (static_cast<unsigned char>(c) < 32)
                break;
            title.append(c);
        }
    }
    while (title.endsWith(' '))
        title.chop(1);
    if (title.startsWith(kImpulseMagic))
        title.remove(0, kImpulseMagic.size());
    return titleText(title);
}

QString extendedModuleTitle(const QString& path) {
    archives::FileSource module(path);
    if (LitBlocFichier(module, 1, kXmMagic.size()) != kXmMagic)
        return {};
    // Trackers pad the title with NULs or blanks; blanks are kept, as they always were.
    const QByteArray title = CoupeAuNul(LitBlocFichier(module, kXmTitle, kXmTitleLength));
    if (title.isEmpty() || allBytes(title, ' '))
        return {};
    return titleText(title);
}

QString dosShortcutTitle(const QString& path) {
    const QByteArray raw = LitBlocFichier(path, kPifTitle, kPifTitleLength);
    if (raw.isEmpty() || allBytes(raw, '\0') || allBytes(raw, ' '))
        return {};
    QByteArray title = CoupeAuNul(raw);
    for (const char c : title) {
        const auto code = static_cast<unsigned char>(c);
        if (code > kPifHighestCode || code < 32)
            return {};
    }
    if (title.isEmpty())
        return {};
    // Every byte is printable ASCII here, so trimmed() removes blanks only.
    title = (title.left(1).toUpper() + title.mid(1).toLower()).trimmed();
    return titleText(title);
}

} // namespace velmar::probes
