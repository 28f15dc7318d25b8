// velmar-cli type EXT...: the description of each extension, then whether it
// counts as a program and as an archive, tab-separated ("oui" / "non").

#include "cli/command.h"
#include "fileinfo/extension_table.h"

namespace velmar::cli {

namespace {

QString yesNo(bool value) {
    return value ? QStringLiteral("oui") : QStringLiteral("non");
}

int runType(const QStringList& extensions, QTextStream& out, QTextStream& err) {
    if (extensions.isEmpty()) {
        err << "Indiquez au moins une extension.\n";
        return 2;
    }
    for (const QString& extension : extensions) {
        bool program = false;
        bool archive = false;
        const QString description = DescriptionTypeFichier(extension, program, archive);
        out << description << '\t' << yesNo(program) << '\t' << yesNo(archive) << '\n';
    }
    out.flush();
    return 0;
}

const CommandRegistration registration({QStringLiteral("type"),
                                        QStringLiteral("type EXT... : description du type de fichier, "
                                                       "programme, archive"),
                                        runType, false});

} // namespace

} // namespace velmar::cli
