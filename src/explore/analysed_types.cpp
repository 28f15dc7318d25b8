#include "explore/analysed_types.h"

#include "app/files.h"
#include "app/text.h"

namespace velmar {

QList<AnalysedTypeLine> readAnalysedTypeLines(const QString& file) {
    QList<AnalysedTypeLine> result;
    QStringList lines;
    if (!readTextLines(file, lines))
        return result;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            result.append(
                {hashField(line, 1), hashField(line, 2), hashField(line, 3) == QLatin1String("OUI")});
    return result;
}

AnalysedTypes AnalysedTypes::load(const QString& file) {
    AnalysedTypes types;
    for (const AnalysedTypeLine& line : readAnalysedTypeLines(file)) {
        if (!line.analysed)
            continue;
        types.extensions.AjoutElement(line.extension.toUpper());
        types.modes.AjoutElement(line.mode);
    }
    return types;
}

QString AnalysedTypes::modeFor(const QString& extension) const {
    const int at = extensions.ChercheElement(extension.toUpper());
    return at < 0 ? QString() : modes.RenvoieElement(at);
}

bool rewriteAnalysedTypes(const QString& file, const QList<bool>& checks, QString& error) {
    const QList<AnalysedTypeLine> lines = readAnalysedTypeLines(file);
    QStringList out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool checked = i < checks.size() ? checks.at(i) : lines.at(i).analysed;
        out << lines.at(i).extension + QLatin1Char('#') + lines.at(i).mode + QLatin1Char('#') +
                   (checked ? QStringLiteral("OUI") : QStringLiteral("NON"));
    }
    return writeTextLines(file, out, &error);
}

} // namespace velmar
