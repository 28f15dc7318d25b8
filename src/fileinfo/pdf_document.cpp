#include "fileinfo/media_module.h"

#include <QFile>
#include <QStringList>

#include <poppler-document.h>
#include <poppler-global.h>

#include <climits>
#include <memory>
#include <mutex>

namespace velmar::media {

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

PdfDetails detailsOf(const poppler::document& document) {
    return {true, textOf(document.get_title()), textOf(document.get_author()), document.pages()};
}

// poppler reports failures by a null document; anything it throws all the
// same (std::bad_alloc on a length a damaged file claims) means "".
template <typename Load> PdfDetails readWith(Load load) {
    prepareLibrary();
    try {
        const std::unique_ptr<poppler::document> document(load());
        return document ? detailsOf(*document) : PdfDetails();
    } catch (...) {
        return {};
    }
}

} // namespace

PdfDetails readPdfFile(const QString& path) {
    return readWith([&] { return poppler::document::load_from_file(QFile::encodeName(path).toStdString()); });
}

PdfDetails readPdfBytes(const char* data, qint64 size) {
    if (size > INT_MAX)
        return {};
    return readWith([&] { return poppler::document::load_from_raw_data(data, int(size)); });
}

} // namespace velmar::media
