// velmar-cli archive FILE...: the entries of each archive, one tab-separated
// line each, then "--" and the archive's information text.

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"
#include "cli/command.h"

namespace velmar::cli {

namespace {

using archives::Cls_GetFileType;

QString flagsField(const Cls_GetFileType& archive, qint32 index) {
    QString flags;
    if (archive.IsDir(index))
        flags += QLatin1Char('d');
    if (archive.Encrypted(index))
        flags += QLatin1Char('e');
    return flags.isEmpty() ? QStringLiteral("-") : flags;
}

void printEntries(const Cls_GetFileType& archive, QTextStream& out) {
    const qint32 count = archive.FileCount();
    for (qint32 i = 1; i <= count; ++i) {
        out << i << '\t' << archive.FileName(i) << '\t' << quint32(archive.UnCompressed_Size(i)) << '\t'
            << quint32(archive.Compressed_Size(i)) << '\t' << archive.Method(i) << '\t'
            << archive.FileDateTime(i).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << '\t'
            << QStringLiteral("%1").arg(quint32(archive.CRC32(i)), 8, 16, QLatin1Char('0')).toUpper() << '\t'
            << flagsField(archive, i) << '\n';
    }
}

int runArchive(const QStringList& files, QTextStream& out, QTextStream& err) {
    if (files.isEmpty()) {
        err << "Indiquez au moins une archive.\n";
        return 2;
    }
    int status = 0;
    Cls_GetFileType archive;
    for (const QString& file : files) {
        const qint16 result = archive.Get_Contents(file);
        if (result != 0) {
            err << "Archive non reconnue « " << file << " » (état " << result << ").\n";
            status = 1;
            continue;
        }
        printEntries(archive, out);
        QString text = archives::archiveListingText(archive);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        out << "--\n" << text << '\n';
        out.flush();
    }
    return status;
}

const CommandRegistration registration({QStringLiteral("archive"),
                                        QStringLiteral("archive FICHIER... : contenu de chaque archive"),
                                        runArchive});

} // namespace

} // namespace velmar::cli
