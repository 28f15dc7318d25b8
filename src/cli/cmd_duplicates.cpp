// velmar-cli duplicates --collection NAME [--by crc|name] [--min-size N]
// The files catalogued more than once: one line per group (count, size, the
// test that made it, the space in excess), then one tab-indented line per file
// (support, then path), largest wasted space first; a summary line last.

#include "cli/command.h"
#include "cli/store_session.h"
#include "store/duplicates.h"

namespace velmar::cli {

namespace {

int usage(QTextStream& err) {
    err << "Utilisation : velmar-cli duplicates --collection NOM [--by crc|name] [--min-size OCTETS]\n";
    return 2;
}

// False for a value the options do not take.
bool searchOf(const ParsedOptions& options, DuplicateSearch& search) {
    const QString by = options.values.value(QStringLiteral("--by"));
    if (by == QLatin1String("crc"))
        search.basis = DuplicateBasis::Crc;
    else if (by == QLatin1String("name"))
        search.basis = DuplicateBasis::Name;
    else if (!by.isEmpty())
        return false;
    if (options.values.contains(QStringLiteral("--min-size"))) {
        bool ok = false;
        search.minimumSize = options.values.value(QStringLiteral("--min-size")).toLongLong(&ok);
        return ok && search.minimumSize >= 0;
    }
    return true;
}

void printGroups(const QList<DuplicateGroup>& groups, QTextStream& out) {
    for (const DuplicateGroup& group : groups) {
        out << duplicateGroupText(group) << '\n';
        for (const DuplicateFile& file : group.files)
            out << '\t' << file.supportName << '\t' << file.path << '\n';
    }
    out << duplicatesSummary(groups) << '\n';
}

int runDuplicates(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParsedOptions options = parseOptions(
        arguments, {QStringLiteral("--collection"), QStringLiteral("--by"), QStringLiteral("--min-size")},
        {});
    DuplicateSearch search;
    if (!options.error.isEmpty()) {
        err << options.error << '\n';
        return usage(err);
    }
    if (!options.values.contains(QStringLiteral("--collection")) || !options.positional.isEmpty() ||
        !searchOf(options, search))
        return usage(err);
    CollectionsRegistry registry(cliStorePaths());
    if (!openCollectionNamed(registry, options.values.value(QStringLiteral("--collection")), err))
        return 1;
    QList<DuplicateGroup> groups;
    QString error;
    if (!findDuplicates(registry.database(), search, groups, error)) {
        err << "La recherche des doublons n'a pas pu être faite : " << error << '\n';
        return 1;
    }
    printGroups(groups, out);
    registry.CloseCollection();
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("duplicates"),
     QStringLiteral("duplicates --collection NOM [--by crc|name] [--min-size OCTETS] : fichiers catalogués "
                    "plusieurs fois"),
     runDuplicates});

} // namespace

} // namespace velmar::cli
