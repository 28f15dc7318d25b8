// velmar-cli search --collection NAME (--kind K VALUE | [--name V] [--dir V]
//   [--ext V] [--min N] [--max N]) [--all]
// The window's search: the same condition and query, one tab-separated line
// per result (support, file, extension, directory, size, date), the first
// 1000 results unless --all.

#include "app/phrases.h"
#include "cli/command.h"
#include "cli/store_session.h"
#include "store/search_condition.h"
#include "store/search_results.h"

namespace velmar::cli {

namespace {

constexpr int kShownLines = 1000;

const QStringList kCriteriaOptions = {QStringLiteral("--name"), QStringLiteral("--dir"),
                                      QStringLiteral("--ext"), QStringLiteral("--min"),
                                      QStringLiteral("--max")};

int usage(QTextStream& err) {
    err << "Utilisation : velmar-cli search --collection NOM (--kind K VALEUR | [--name V] [--dir V] [--ext "
           "V] "
           "[--min N] [--max N]) [--all]\n";
    return 2;
}

// The condition of the chosen kind, or of the multi-criteria boxes; false for
// a request that names neither.
bool conditionOf(const ParsedOptions& options, QString& condition) {
    if (options.values.contains(QStringLiteral("--kind"))) {
        bool ok = false;
        const int kind = options.values.value(QStringLiteral("--kind")).toInt(&ok);
        if (!ok || kind < 0 || kind > static_cast<int>(FilterKind::Crc) || options.positional.size() > 1)
            return false;
        condition = BuildSearchCondition(static_cast<FilterKind>(kind), options.positional.value(0));
        return true;
    }
    std::array<QString, 5> boxes;
    bool any = false;
    for (int i = 0; i < 5; ++i) {
        boxes[i] = options.values.value(kCriteriaOptions[i]);
        any = any || !boxes[i].isEmpty();
    }
    condition = BuildSearchCondition(boxes);
    return any && options.positional.isEmpty();
}

int runSearch(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParsedOptions options = parseOptions(
        arguments, QStringList{QStringLiteral("--collection"), QStringLiteral("--kind")} + kCriteriaOptions,
        {QStringLiteral("--all")});
    QString condition;
    if (!options.error.isEmpty()) {
        err << options.error << '\n';
        return usage(err);
    }
    if (!options.values.contains(QStringLiteral("--collection")) || !conditionOf(options, condition))
        return usage(err);
    CollectionsRegistry registry(cliStorePaths());
    if (!openCollectionNamed(registry, options.values.value(QStringLiteral("--collection")), err))
        return 1;
    SearchResults results;
    if (!results.run(registry.database(), condition)) {
        err << "La recherche n'a pas pu être faite : " << results.error() << '\n';
        return 1;
    }
    if (results.isEmpty()) {
        err << "Aucune correspondance trouvée.\n";
        return 1;
    }
    const bool all = options.flags.contains(QStringLiteral("--all"));
    for (QList<SearchLine> lines = results.readLines(kShownLines); !lines.isEmpty();
         lines = all ? results.readLines(kShownLines) : QList<SearchLine>()) {
        for (const SearchLine& line : lines)
            out << line.supportName << '\t' << line.fileName << '\t' << line.extension << '\t'
                << line.directory << '\t' << sizePhrase(line.size, false) << '\t' << line.modified << '\n';
    }
    results.close();
    registry.CloseCollection();
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("search"),
     QStringLiteral("search --collection NOM (--kind K VALEUR | --name/--dir/--ext/--min/--max V) [--all] : "
                    "recherche dans une collection"),
     runSearch});

} // namespace

} // namespace velmar::cli
