// Titles of web pages, tracker modules, extended modules and DOS shortcuts.

#include "app/windows1252.h"
#include "fileinfo/conversion.h"
#include "fileinfo/file_reading.h"
#include "fileinfo/probes.h"

#include "app/files.h"

namespace velmar::probes {

namespace {

constexpr qint64 kTitleTagLength = 7;     // "<TITLE>"
constexpr qint64 kTitleMaxDistance = 200; // the closing tag must start this close to the opening one
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

} // namespace

QString webPageTitle(const QString& path) {
    double start = 1;
    const qint64 open = ChercheDansFichier(path, start, QByteArrayLiteral("<TITLE>"), true);
    if (open <= 0)
        return {};
    start = static_cast<double>(open + kTitleTagLength + 1);
    const qint64 close = ChercheDansFichier(path, start, QByteArrayLiteral("</TITLE>"), true);
    if (close <= 0 || close >= open + kTitleMaxDistance)
        return {};
    QString title =
        fromWindows1252(LitBlocFichier(path, open + kTitleTagLength, close - open - kTitleTagLength));
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
    if (LitBlocFichier(path, 1, kXmMagic.size()) != kXmMagic)
        return {};
    const QByteArray title = LitBlocFichier(path, kXmTitle, kXmTitleLength);
    if (allBytes(title, ' '))
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
