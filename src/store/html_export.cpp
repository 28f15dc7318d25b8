// One HTML page that needs no other file: each support, its directories as a
// tree of <details> (depth first, as the rows come), each directory's files
// with their sizes in the size phrase, and a search box that keeps the files
// whose name holds what is typed.

#include "app/phrases.h"
#include "store/export_writers.h"

#include <QStringList>

namespace velmar {

namespace {

const char* const kHead =
    "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<title>Catalogue</title>\n<style>\n"
    "body { font-family: sans-serif; margin: 1em 2em; }\n"
    "details { margin-left: 1.2em; } summary { cursor: pointer; }\n"
    "ul { margin: 0.2em 0 0.4em 1.2em; padding: 0; list-style: none; }\n"
    "li span { color: #555; margin-left: 1em; } .cache { display: none; }\n"
    "</style>\n<script>\n"
    "function filtrer(texte) {\n"
    "  texte = texte.toLowerCase();\n"
    "  for (const li of document.querySelectorAll('li')) {\n"
    "    const garde = li.dataset.nom.includes(texte);\n"
    "    li.classList.toggle('cache', !garde);\n"
    "    if (garde && texte)\n"
    "      for (let d = li.closest('details'); d; d = d.parentElement.closest('details')) d.open = true;\n"
    "  }\n"
    "}\n"
    "</script>\n</head>\n<body>\n<h1>Catalogue</h1>\n"
    "<p><input type=\"search\" placeholder=\"Chercher un nom de fichier\" "
    "oninput=\"filtrer(this.value)\" autofocus></p>\n";

// A carriage return as a reference: a parser keeps it, where it would fold a
// literal CR LF into LF.
QString escaped(const QString& text) {
    return text.toHtmlEscaped()
        .replace(QLatin1Char('\''), QStringLiteral("&#39;"))
        .replace(QLatin1Char('\r'), QStringLiteral("&#13;"));
}

class HtmlWriter final : public ExportWriter {
public:
    using ExportWriter::ExportWriter;
    void begin() override { write(QByteArray(kHead)); }
    void add(const ExportedFile& f) override {
        if (!m_supportOpen || f.support != m_support) {
            closeSupport();
            write(QStringLiteral("<details open><summary><b>%1</b></summary>\n").arg(escaped(f.support)));
            m_supportOpen = true;
            m_support = f.support;
        }
        enterDirectory(f.directory);
        write(QStringLiteral("<li data-nom=\"%1\">%2<span>%3</span><span>%4</span></li>\n")
                  .arg(escaped(f.name.toLower()), escaped(f.name), escaped(sizePhrase(f.size, false)),
                       escaped(f.modified)));
    }
    void end() override {
        closeSupport();
        write(QStringLiteral("</body>\n</html>\n"));
    }

private:
    // Closes the directories the new one is not under, opens its own.
    void enterDirectory(const QString& directory) {
        const QStringList path = directory.isEmpty() ? QStringList() : directory.split(QLatin1Char('\\'));
        if (m_listOpen && path == m_path)
            return;
        closeList();
        qsizetype common = 0;
        while (common < m_path.size() && common < path.size() && m_path[common] == path[common])
            ++common;
        for (qsizetype i = m_path.size(); i > common; --i)
            write(QStringLiteral("</details>\n"));
        for (qsizetype i = common; i < path.size(); ++i)
            write(QStringLiteral("<details><summary>%1</summary>\n").arg(escaped(path[i])));
        m_path = path;
        write(QStringLiteral("<ul>\n"));
        m_listOpen = true;
    }
    void closeList() {
        if (m_listOpen)
            write(QStringLiteral("</ul>\n"));
        m_listOpen = false;
    }
    void closeSupport() {
        if (!m_supportOpen)
            return;
        closeList();
        for (qsizetype i = 0; i < m_path.size(); ++i)
            write(QStringLiteral("</details>\n"));
        m_path.clear();
        write(QStringLiteral("</details>\n"));
        m_supportOpen = false;
    }

    bool m_supportOpen = false;
    bool m_listOpen = false;
    QString m_support;
    QStringList m_path;
};

} // namespace

std::unique_ptr<ExportWriter> htmlWriter(QIODevice& out) {
    return std::make_unique<HtmlWriter>(out);
}

} // namespace velmar
