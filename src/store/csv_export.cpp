// CSV as RFC 4180 has it: CRLF between records, a field in double quotes when
// it holds a comma, a double quote or a line break, its double quotes doubled.
// UTF-8 without a byte order mark.

#include "store/export_writers.h"

namespace velmar {

namespace {

QString csvField(const QString& value) {
    static const QString special = QStringLiteral(",\"\r\n");
    bool quoted = false;
    for (const QChar c : value)
        quoted = quoted || special.contains(c);
    if (!quoted)
        return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

class CsvWriter final : public ExportWriter {
public:
    using ExportWriter::ExportWriter;
    void begin() override {
        record({QStringLiteral("support"), QStringLiteral("directory"), QStringLiteral("name"),
                QStringLiteral("extension"), QStringLiteral("size"), QStringLiteral("modified"),
                QStringLiteral("crc"), QStringLiteral("infos")});
    }
    void add(const ExportedFile& f) override {
        record({f.support, f.directory, f.name, f.extension, QString::number(f.size), f.modified, f.crc,
                f.infos});
    }
    void end() override {}

private:
    void record(const QStringList& fields) {
        QStringList quoted;
        for (const QString& field : fields)
            quoted << csvField(field);
        write(quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n"));
    }
};

} // namespace

std::unique_ptr<ExportWriter> csvWriter(QIODevice& out) {
    return std::make_unique<CsvWriter>(out);
}

} // namespace velmar
