// velmar-cli ls --collection NAME [SUPPORT [DIRECTORY]]
// Without a support: one line per support (name, file count). With one: the
// subdirectories ("d", name) then the files ("f", name, extension, size, date,
// information text) of its starting directory, or of DIRECTORY, written as the
// catalogue stores it ("Docs\Sub"; "/" is accepted too).

#include "app/phrases.h"
#include "cli/command.h"
#include "cli/store_session.h"
#include "store/browse_nodes.h"
#include "store/catalogue.h"
#include "store/directory_listing.h"

namespace velmar::cli {

namespace {

int usage(QTextStream& err) {
    err << "Utilisation : velmar-cli ls --collection NOM [SUPPORT [RÉPERTOIRE]]\n";
    return 2;
}

// The command line shows no support icon: every type is as good as another.
constexpr int kNoIconTypes = 0;

// The same typed rows the window's tree and file list show.
void listSupports(db::Database& db, QTextStream& out) {
    for (const SupportNode& node : supportNodes(db, kNoIconTypes))
        out << node.name << '\t' << filesPhrase(node.fileCount, PhraseCase::Lower) << '\n';
}

// The starting directory's subdirectories hang from the number 0, the others'
// from their own number.
void listDirectoryOf(db::Database& db, int support, qint64 directory, bool starting, QTextStream& out) {
    for (const DirectoryNode& node : subdirectoryNodes(db, support, starting ? 0 : directory))
        out << "d\t" << node.name << '\n';
    for (const FileListItem& item : listDirectory(db, support, directory, QString()).items)
        out << "f\t" << item.name << '\t' << item.extension << '\t' << item.size << '\t' << item.modified
            << '\t' << item.infos << '\n';
}

int runLs(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParsedOptions options = parseOptions(arguments, {QStringLiteral("--collection")}, {});
    if (!options.error.isEmpty())
        err << options.error << '\n';
    if (!options.error.isEmpty() || !options.values.contains(QStringLiteral("--collection")) ||
        options.positional.size() > 2)
        return usage(err);
    CollectionsRegistry registry(cliStorePaths());
    if (!openCollectionNamed(registry, options.values.value(QStringLiteral("--collection")), err))
        return 1;
    db::Database& db = registry.database();
    if (options.positional.isEmpty()) {
        listSupports(db, out);
        return 0;
    }
    int support = 0;
    if (!FindSupportByName(db, options.positional[0], support)) {
        err << "Ce support n'existe pas !\n";
        return 1;
    }
    QString path = options.positional.value(1);
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    const qint64 directory =
        path.isEmpty() ? FindRootDirectory(db, support) : FindDirectory(db, path, support);
    // A support explored from a folder below its volume's root has no row for
    // that root: its first level is all there is to show.
    if (directory == 0 && path.isEmpty()) {
        listDirectoryOf(db, support, 0, true, out);
        return 0;
    }
    if (directory == 0) {
        err << "Le répertoire " << path << " n'existe pas sur ce support.\n";
        return 1;
    }
    listDirectoryOf(db, support, directory, path.isEmpty(), out);
    return 0;
}

const CommandRegistration
    registration({QStringLiteral("ls"),
                  QStringLiteral("ls --collection NOM [SUPPORT [RÉPERTOIRE]] : supports, "
                                 "sous-répertoires et fichiers d'une collection"),
                  runLs});

} // namespace

} // namespace velmar::cli
