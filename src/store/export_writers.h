#pragma once

// The three writers of the catalogue export; each takes the files in export
// order (by support, directory and name) and writes as they come.

#include "store/catalogue_export.h"

#include <QByteArray>
#include <QIODevice>

#include <memory>

namespace velmar {

class ExportWriter {
public:
    explicit ExportWriter(QIODevice& out) : m_out(out) {}
    virtual ~ExportWriter() = default;
    virtual void begin() = 0;
    virtual void add(const ExportedFile& file) = 0;
    virtual void end() = 0;
    // Whether a write failed (a full disk): the device's errorString() says why.
    bool failed() const { return m_failed; }

protected:
    void write(const QByteArray& bytes) {
        if (!m_failed && m_out.write(bytes) != bytes.size())
            m_failed = true;
    }
    void write(const QString& text) { write(text.toUtf8()); }

private:
    QIODevice& m_out;
    bool m_failed = false;
};

std::unique_ptr<ExportWriter> csvWriter(QIODevice& out);
std::unique_ptr<ExportWriter> jsonWriter(QIODevice& out);
std::unique_ptr<ExportWriter> htmlWriter(QIODevice& out);

inline std::unique_ptr<ExportWriter> exportWriter(ExportFormat format, QIODevice& out) {
    switch (format) {
    case ExportFormat::Json:
        return jsonWriter(out);
    case ExportFormat::Html:
        return htmlWriter(out);
    case ExportFormat::Csv:
        break;
    }
    return csvWriter(out);
}

} // namespace velmar
