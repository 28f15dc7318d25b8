#include "app/text.h"
#include "app/windows1252.h"
#include "fileinfo/file_reading.h"
#include "fileinfo/probes.h"

#include "app/files.h"

namespace velmar::probes {

const QString kLineBreak = QStringLiteral("\r\n");

namespace {

constexpr qint64 kTextBytes = 300;
constexpr qsizetype kFirstControlAllowed = 11; // a control character before this position: not text
const QString kMarker = QStringLiteral("!!");

// Removes markers and blanks at both ends until a pass changes nothing.
void trimEnds(QString& text) {
    for (;;) {
        const QString before = text;
        while (text.endsWith(kMarker))
            text.chop(kMarker.size());
        while (text.startsWith(kMarker))
            text.remove(0, kMarker.size());
        text = SupprimeEspacesGauche(SupprimeEspacesDroite(text));
        if (text == before)
            return;
    }
}

} // namespace

QString textSummary(const QString& path) {
    if (!FichierExiste(path))
        return {};
    const qint64 count = qMin(TailleFichier(path), kTextBytes);
    QString text = fromWindows1252(LitBlocFichier(path, 1, count));
    RemplaceTexte(text, kLineBreak, kMarker);
    qsizetype firstControl = text.size() + 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() < 32) {
            firstControl = i + 1;
            break;
        }
    }
    if (firstControl < kFirstControlAllowed)
        return {};
    trimEnds(text);
    while (RemplaceTexte(text, kMarker + QStringLiteral("  "), kMarker + QLatin1Char(' '))) {
    }
    RemplaceTexte(text, kMarker + kMarker, kMarker);
    RemplaceTexte(text, kMarker, kLineBreak);
    return text.left(firstControl - 1);
}

} // namespace velmar::probes
