#pragma once

// "Ini/TypesAnalyses.dat": one line an extension, "EXT#MODE#OUI|NON". MODE is
// AUTO (the content probe chosen by extension) or TEXTE (the text probe).

#include "explore/liste_auto.h"

#include <QList>
#include <QString>

namespace velmar {

struct AnalysedTypeLine {
    QString extension;
    QString mode;
    bool analysed = false;
};

// Every line of the file, in order (the configuration panel's check list).
QList<AnalysedTypeLine> readAnalysedTypeLines(const QString& file);

// The extensions to analyse, upper-cased, with their modes in a parallel list,
// in file order; an extension's first "OUI" line counts.
struct AnalysedTypes {
    ListeAuto extensions;
    ListeAuto modes;

    static AnalysedTypes load(const QString& file);
    // The mode for an extension, "" when it is not analysed.
    QString modeFor(const QString& extension) const;
};

// Rewrites the file with the given check marks, one per line in order; the
// file is replaced only once its new content is whole on the disk. On failure
// `error` holds the French sentence naming the file and the reason.
bool rewriteAnalysedTypes(const QString& file, const QList<bool>& checks, QString& error);

} // namespace velmar
