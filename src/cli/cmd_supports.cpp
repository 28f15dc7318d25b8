// velmar-cli supports NAME: the support table of a collection, one
// tab-separated line per support under the column titles.

#include "cli/command.h"
#include "cli/store_session.h"
#include "store/support_table.h"

namespace velmar::cli {

namespace {

int runSupports(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QStringList names = positionalArguments(arguments);
    if (names.size() != 1) {
        err << "Utilisation : velmar-cli supports NOM\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    if (!openCollectionNamed(registry, names.first(), err))
        return 1;
    QList<SupportRow> rows;
    if (!Affiche_InfosSupports(registry, rows))
        return 1;
    out << supportTableHeaders().join('\t') << '\n';
    for (const SupportRow& row : rows)
        out << row.number << '\t' << row.type << '\t' << row.name << '\t' << row.files << '\t' << row.size
            << '\t' << row.directories << '\n';
    registry.CloseCollection();
    return 0;
}

const CommandRegistration registration({QStringLiteral("supports"),
                                        QStringLiteral("supports NOM : table des supports d'une collection"),
                                        runSupports});

} // namespace

} // namespace velmar::cli
