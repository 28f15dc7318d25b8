#include "fileinfo/pdf_document.h"

#include "fileinfo/probes.h"

#include <QFile>
#include <QStringList>

#include <poppler-document.h>
#include <poppler-global.h>

#include <climits>
#include <memory>
#include <mutex>

namespace velmar::documents {

namespace {

void ignoreMessage(const std::string&, void*) {}

void prepareLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { poppler::set_debug_error_function(ignoreMessage, nullptr); });
}

QString textOf(const poppler::ustring& text) {
    const poppler::byte_array utf8 = text.to_utf8();
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).trimmed();
}

QString linesOf(const poppler::document& document) {
    QStringList lines;
    if (const QString title = textOf(document.get_title()); !title.isEmpty())
        lines << QStringLiteral("Titre : ") + title;
    if (const QString author = textOf(document.get_author()); !author.isEmpty())
        lines << QStringLiteral("Auteur : ") + author;
    if (const int pages = document.pages(); pages > 0)
        lines << QStringLiteral("Pages : ") + QString::number(pages);
    return lines.join(probes::kLineBreak);
}

// poppler reports failures by a null document; anything it throws all the
// same (std::bad_alloc on a length a damaged file claims) means "".
template <typename Load> QString readWith(Load load) {
    prepareLibrary();
    try {
        const std::unique_ptr<poppler::document> document(load());
        return document ? linesOf(*document) : QString();
    } catch (...) {
        return {};
    }
}

} // namespace

QString pdfText(const QString& path) {
    return readWith([&] { return poppler::document::load_from_file(QFile::encodeName(path).toStdString()); });
}

QString pdfText(const char* data, qint64 size) {
    if (size > INT_MAX)
        return {};
    return readWith([&] { return poppler::document::load_from_raw_data(data, int(size)); });
}

} // namespace velmar::documents
