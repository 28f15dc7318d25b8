// velmar-cli: the catalogue's operations from the command line, over the same
// core calls and messages as the windows.

#include "app/data_location.h"
#include "cli/cli_dialogs.h"
#include "cli/command.h"

#include "version.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <optional>

namespace velmar::cli {

namespace {

QList<Command>& registry() {
    static QList<Command> list;
    return list;
}

} // namespace

void printUsage(QTextStream& err) {
    err << "Utilisation : velmar-cli --version | velmar-cli COMMANDE [ARGUMENTS...]\n";
    QList<Command> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& c : sorted)
        err << "  " << c.usage << '\n';
}

CommandRegistration::CommandRegistration(Command command) {
    registry().append(std::move(command));
}

const QList<Command>& commands() {
    return registry();
}

} // namespace velmar::cli

int main(int argc, char** argv) {
    using namespace velmar::cli;
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Decoded as QCoreApplication::arguments() decodes them.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help")) {
        printUsage(err);
        return arguments.isEmpty() ? 2 : 0;
    }
    if (arguments.first() == QLatin1String("--version")) {
        const QCoreApplication app(argc, argv);
        const velmar::DataLocation location =
            velmar::chooseDataLocation(QCoreApplication::applicationDirPath());
        out << "Velmar +  (version " VELMAR_VERSION_TEXT ")\n"
            << "Données : " << QDir::toNativeSeparators(location.dataDir) << '\n';
        return 0;
    }
    const QString name = arguments.takeFirst();
    for (const Command& command : commands()) {
        if (command.name == name) {
            std::optional<QCoreApplication> app;
            if (command.needsApplication)
                app.emplace(argc, argv);
            CliDialogs dialogs(err, arguments.contains(QLatin1String("--yes")));
            return command.run(arguments, out, err);
        }
    }
    err << "Commande inconnue : " << name << '\n';
    printUsage(err);
    return 2;
}
