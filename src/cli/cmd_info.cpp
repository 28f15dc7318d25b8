// velmar-cli info [--mode AUTO|TEXTE] FILE...: the information text of each
// file as the exploration stores it (its first 255 characters), line breaks
// printed as line feeds, files separated by a line holding only "--".

#include "app/files.h"
#include "cli/command.h"
#include "fileinfo/file_infos.h"

#include <QFileInfo>

namespace velmar::cli {

namespace {

constexpr qsizetype kStoredLength = 255;

int runInfo(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QString mode = QStringLiteral("AUTO");
    QStringList files = arguments;
    if (!files.isEmpty() && files.first() == QLatin1String("--mode")) {
        if (files.size() < 2) {
            err << "Indiquez le mode après --mode (AUTO ou TEXTE).\n";
            return 2;
        }
        mode = files.at(1).toUpper();
        files = files.mid(2);
        if (mode != QLatin1String("AUTO") && mode != QLatin1String("TEXTE")) {
            err << "Mode inconnu : « " << arguments.at(1) << " » (AUTO ou TEXTE).\n";
            return 2;
        }
    }
    if (files.isEmpty()) {
        err << "Indiquez au moins un fichier.\n";
        return 2;
    }
    int status = 0;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        if (i > 0)
            out << "--\n";
        if (!FichierExiste(file) || QFileInfo(file).isDir()) {
            err << "Fichier introuvable : « " << file << " ».\n";
            status = 1;
            continue;
        }
        QString text = RenvoieInfosFichier(file, mode).left(kStoredLength);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        out << text << '\n';
        out.flush();
    }
    return status;
}

const CommandRegistration registration({QStringLiteral("info"),
                                        QStringLiteral("info [--mode AUTO|TEXTE] FICHIER... : texte "
                                                       "d'information de chaque fichier"),
                                        runInfo, false});

} // namespace

} // namespace velmar::cli
