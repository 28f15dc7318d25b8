// velmar-cli stats --collection NAME [--support SUPPORT]
// Where the space goes: files and bytes per support, per type, the largest
// files, and the total; tab-separated lines under French section titles.

#include "app/phrases.h"
#include "cli/command.h"
#include "cli/store_session.h"
#include "store/catalogue_statistics.h"

namespace velmar::cli {

namespace {

int usage(QTextStream& err) {
    err << "Utilisation : velmar-cli stats --collection NOM [--support SUPPORT]\n";
    return 2;
}

void printStatistics(const CatalogueStatistics& s, QTextStream& out) {
    out << "Supports\n";
    for (const SpaceFigures& f : s.supports)
        out << f.name << '\t' << f.files << '\t' << f.bytes << '\t' << sizePhrase(f.bytes, false) << '\n';
    out << "\nTypes\n";
    for (const SpaceFigures& f : s.types)
        out << f.name << '\t' << f.description << '\t' << f.files << '\t' << f.bytes << '\t'
            << sizePhrase(f.bytes, false) << '\n';
    out << "\nLes plus gros fichiers\n";
    for (const LargeFile& f : s.largest)
        out << f.support << '\t' << f.path << '\t' << f.size << '\t' << sizePhrase(f.size, false) << '\n';
    out << "\nTotal : " << filesPhrase(s.files, PhraseCase::Lower) << ", " << sizePhrase(s.bytes, false)
        << '\n';
}

int runStats(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParsedOptions options =
        parseOptions(arguments, {QStringLiteral("--collection"), QStringLiteral("--support")}, {});
    if (!options.error.isEmpty()) {
        err << options.error << '\n';
        return usage(err);
    }
    if (!options.values.contains(QStringLiteral("--collection")) || !options.positional.isEmpty())
        return usage(err);
    CollectionsRegistry registry(cliStorePaths());
    int support = 0;
    if (!openCollectionAndSupport(registry, options, support, err))
        return 1;
    CatalogueStatistics statistics;
    QString error;
    if (!gatherStatistics(registry.database(), support, statistics, error)) {
        err << "Les statistiques n'ont pas pu être calculées : " << error << '\n';
        return 1;
    }
    printStatistics(statistics, out);
    registry.CloseCollection();
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("stats"),
     QStringLiteral(
         "stats --collection NOM [--support SUPPORT] : fichiers et octets par support et par type"),
     runStats});

} // namespace

} // namespace velmar::cli
