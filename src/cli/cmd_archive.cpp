// velmar-cli archive FILE...: the entries of each archive, one tab-separated
// line each, then "--" and the archive's information text.

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"
#include "archives/dos_datetime.h"
#include "cli/command.h"

#include <QStringEncoder>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace velmar::cli {

namespace {

using archives::Cls_GetFileType;

// The listing's bytes, encoded as the text stream encodes them (one UTF-8
// encoder for the whole listing) and handed to its device in large blocks: one
// write per block rather than formatting and encoding field by field.
class ListingWriter {
public:
    explicit ListingWriter(QTextStream& out) : m_out(out), m_encoder(QStringConverter::Utf8) {
        m_out.flush();
        m_bytes.resize(blockSize * 2);
    }
    ~ListingWriter() {
        flush();
        m_out.flush();
    }
    ListingWriter(const ListingWriter&) = delete;
    ListingWriter& operator=(const ListingWriter&) = delete;

    void text(QStringView s) {
        char* at = room(m_encoder.requiredSpace(s.size()));
        m_used = m_encoder.appendToBuffer(at, s) - m_bytes.data();
    }
    void ascii(const char* s, qsizetype length) {
        std::memcpy(room(length), s, size_t(length));
        m_used += length;
    }
    void character(char c) {
        *room(1) = c;
        ++m_used;
    }
    void number(quint64 value) {
        char* at = room(20);
        m_used = std::to_chars(at, at + 20, value).ptr - m_bytes.data();
    }
    // Ends a line; the block goes out once it is full.
    void endLine() {
        character('\n');
        if (m_used >= blockSize)
            flush();
    }
    void flush() {
        if (m_used == 0)
            return;
        if (QIODevice* device = m_out.device())
            device->write(m_bytes.data(), m_used);
        else // a stream over a string
            m_out << QString::fromUtf8(m_bytes.data(), m_used);
        m_used = 0;
    }

private:
    static constexpr qsizetype blockSize = 64 * 1024;

    // Room for `count` more bytes at the end of what is used.
    char* room(qsizetype count) {
        if (m_used + count > qsizetype(m_bytes.size()))
            m_bytes.resize(size_t(std::max(m_used + count, 2 * qsizetype(m_bytes.size()))));
        return m_bytes.data() + m_used;
    }

    QTextStream& m_out;
    QStringEncoder m_encoder;
    std::vector<char> m_bytes;
    qsizetype m_used = 0;
};

void writeFlags(const archives::EntryView& entry, ListingWriter& line) {
    if (entry.isDir)
        line.character('d');
    if (entry.encrypted)
        line.character('e');
    if (!entry.isDir && !entry.encrypted)
        line.character('-');
}

// Fixed-width decimal digits, without the cost of a format parser per line.
void appendDigits(char*& at, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
        at[i] = char('0' + value % 10);
    at += width;
}

void writeDateTime(const archives::EntryView& entry, ListingWriter& line) {
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
    line.ascii(text, sizeof text);
}

void writeCrc(quint32 crc, ListingWriter& line) {
    static const char hex[] = "0123456789ABCDEF";
    char text[8];
    for (int i = 7; i >= 0; --i, crc >>= 4)
        text[i] = hex[crc & 0xF];
    line.ascii(text, sizeof text);
}

void printEntries(const Cls_GetFileType& archive, ListingWriter& line) {
    const qint32 count = archive.FileCount();
    for (qint32 i = 1; i <= count; ++i) {
        const auto entry = archive.Entry(i);
        if (!entry)
            continue;
        line.number(quint32(i));
        line.character('\t');
        line.text(entry->name);
        line.character('\t');
        line.number(quint64(entry->uncompressedSize));
        line.character('\t');
        line.number(quint64(entry->compressedSize));
        line.character('\t');
        line.text(entry->method);
        line.character('\t');
        writeDateTime(*entry, line);
        line.character('\t');
        writeCrc(quint32(entry->crc), line);
        line.character('\t');
        writeFlags(*entry, line);
        line.endLine();
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
        ListingWriter line(out);
        printEntries(archive, line);
        QString text = archives::archiveListingText(archive);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        line.ascii("--\n", 3);
        line.text(text);
        line.endLine();
    }
    return status;
}

const CommandRegistration registration({QStringLiteral("archive"),
                                        QStringLiteral("archive FICHIER... : contenu de chaque archive"),
                                        runArchive, false});

} // namespace

} // namespace velmar::cli
