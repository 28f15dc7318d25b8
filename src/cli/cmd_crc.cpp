// velmar-cli crc FILE...: the catalogue's CRC text of each file.

#include "app/crc32.h"
#include "cli/command.h"

#include <QDir>
#include <QFileInfo>

namespace velmar::cli {

namespace {

int runCrc(const QStringList& files, QTextStream& out, QTextStream& err) {
    if (files.isEmpty()) {
        err << "Indiquez au moins un fichier.\n";
        return 2;
    }
    int status = 0;
    const clsCRC32 crc;
    for (const QString& file : files) {
        if (QFileInfo(file).isDir()) {
            err << "« " << file << " » est un répertoire, pas un fichier.\n";
            status = 1;
            continue;
        }
        bool error = false;
        const QString text = crc.CRCFromFile(file, error);
        if (error) {
            err << "Impossible de lire le fichier « " << file << " ».\n";
            status = 1;
            continue;
        }
        out << text << "  " << file << '\n';
        out.flush();
    }
    return status;
}

const CommandRegistration registration({QStringLiteral("crc"),
                                        QStringLiteral("crc FICHIER... : CRC-32 de chaque fichier"), runCrc,
                                        false});

} // namespace

} // namespace velmar::cli
