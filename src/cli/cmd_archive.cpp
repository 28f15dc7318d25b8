// velmar-cli archive FILE...: the entries of each archive, one tab-separated
// line each, then "--" and the archive's information text.

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"
#include "archives/dos_datetime.h"
#include "cli/command.h"

namespace velmar::cli {

namespace {

using archives::Cls_GetFileType;

QString flagsField(const archives::EntryView& entry) {
    QString flags;
    if (entry.isDir)
        flags += QLatin1Char('d');
    if (entry.encrypted)
        flags += QLatin1Char('e');
    return flags.isEmpty() ? QStringLiteral("-") : flags;
}

// Fixed-width decimal digits, without the cost of a format parser per line.
void appendDigits(char*& at, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
        at[i] = char('0' + value % 10);
    at += width;
}

QString dateTimeField(const archives::EntryView& entry) {
    const archives::DateTimeFields f = archives::dosDateTimeFields(entry.dosDate, entry.dosTime);
    char text[19];
    char* at = text;
    appendDigits(at, f.year, 4);
    *at++ = '-';
    appendDigits(at, f.month, 2);
    *at++ = '-';
    appendDigits(at, f.day, 2);
    *at++ = ' ';
    appendDigits(at, f.hour, 2);
    *at++ = ':';
    appendDigits(at, f.minute, 2);
    *at++ = ':';
    appendDigits(at, f.second, 2);
    return QString::fromLatin1(text, sizeof text);
}

QString crcField(quint32 crc) {
    static const char hex[] = "0123456789ABCDEF";
    char text[8];
    for (int i = 7; i >= 0; --i, crc >>= 4)
        text[i] = hex[crc & 0xF];
    return QString::fromLatin1(text, sizeof text);
}

void printEntries(const Cls_GetFileType& archive, QTextStream& out) {
    const qint32 count = archive.FileCount();
    for (qint32 i = 1; i <= count; ++i) {
        const auto entry = archive.Entry(i);
        if (!entry)
            continue;
        out << i << '\t' << entry->name << '\t' << quint32(entry->uncompressedSize) << '\t'
            << quint32(entry->compressedSize) << '\t' << entry->method << '\t' << dateTimeField(*entry)
            << '\t' << crcField(quint32(entry->crc)) << '\t' << flagsField(*entry) << '\n';
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
                                        runArchive, false});

} // namespace

} // namespace velmar::cli
