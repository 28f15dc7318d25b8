#include "fileinfo/media_text.h"

#include "app/text.h"

namespace velmar::probes {

QString durationText(qint64 milliseconds) {
    const qint64 ms = qMax<qint64>(0, milliseconds);
    const qint64 seconds = ms / 1000;
    return NombreEnTexte(seconds / 60) + QStringLiteral(" min ") + NombreEnTexte(seconds % 60) +
           QStringLiteral(" sec ") + NombreEnTexte(ms % 1000) + QStringLiteral(" ms");
}

QString channelsText(int channels) {
    if (channels == 1)
        return QStringLiteral("Mono");
    if (channels == 2)
        return QStringLiteral("Stéréo");
    if (channels > 2)
        return NombreEnTexte(channels) + QStringLiteral(" canaux");
    return {};
}

} // namespace velmar::probes
