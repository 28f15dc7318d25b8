#pragma once

// Subcommands of velmar-cli register themselves: each cmd_<name>.cpp defines
// one static CommandRegistration, so adding a command touches no shared file.

#include <QStringList>
#include <QTextStream>

#include <functional>

namespace velmar::cli {

// Results go to `out`, French messages to `err`; the result is the exit status.
using CommandFunction = std::function<int(const QStringList& arguments, QTextStream& out, QTextStream& err)>;

struct Command {
    QString name;
    QString usage; // one line shown by "velmar-cli --help"
    CommandFunction run;
    // Whether the command needs the application object (the executable's
    // folder, event loops, processes). Creating it costs more than listing a
    // small archive, so the commands that only read files go without.
    bool needsApplication = true;
};

class CommandRegistration {
public:
    explicit CommandRegistration(Command command);
};

const QList<Command>& commands();

} // namespace velmar::cli

namespace velmar::cli {
void printUsage(QTextStream& err);
}
