// JSON nested by support and directory:
//   [{"support": "...", "directories": [{"directory": "...", "files": [
//       {"name", "extension", "size", "modified", "crc", "infos"}]}]}]
// Strings escaped as RFC 8259 requires; everything else as UTF-8.

#include "store/export_writers.h"

namespace velmar {

namespace {

QString jsonString(const QString& value) {
    QString out = QStringLiteral("\"");
    for (const QChar c : value) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + QString(c);
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

class JsonWriter final : public ExportWriter {
public:
    using ExportWriter::ExportWriter;
    void begin() override { write(QStringLiteral("[")); }
    void add(const ExportedFile& f) override {
        if (!m_open || f.support != m_support) {
            closeSupport();
            write(QStringLiteral("%1\n{\"support\": %2, \"directories\": [")
                      .arg(m_open ? QStringLiteral(",") : QString(), jsonString(f.support)));
            m_open = true;
            m_support = f.support;
            m_directoryOpen = false;
        }
        if (!m_directoryOpen || f.directory != m_directory) {
            closeDirectory();
            write(QStringLiteral("%1\n {\"directory\": %2, \"files\": [")
                      .arg(m_directoryOpen ? QStringLiteral(",") : QString(), jsonString(f.directory)));
            m_directoryOpen = true;
            m_directory = f.directory;
            m_firstFile = true;
        }
        write(QStringLiteral("%1\n  {\"name\": %2, \"extension\": %3, \"size\": %4, \"modified\": %5, "
                             "\"crc\": %6, \"infos\": %7}")
                  .arg(m_firstFile ? QString() : QStringLiteral(","), jsonString(f.name),
                       jsonString(f.extension), QString::number(f.size), jsonString(f.modified),
                       jsonString(f.crc), jsonString(f.infos)));
        m_firstFile = false;
    }
    void end() override {
        closeSupport();
        write(QStringLiteral("\n]\n"));
    }

private:
    void closeDirectory() {
        if (m_directoryOpen)
            write(QStringLiteral("]}"));
    }
    void closeSupport() {
        if (!m_open)
            return;
        closeDirectory();
        m_directoryOpen = false;
        write(QStringLiteral("]}"));
    }

    bool m_open = false;
    bool m_directoryOpen = false;
    bool m_firstFile = true;
    QString m_support;
    QString m_directory;
};

} // namespace

std::unique_ptr<ExportWriter> jsonWriter(QIODevice& out) {
    return std::make_unique<JsonWriter>(out);
}

} // namespace velmar
