#include "archives/archive_listing.h"

#include "app/phrases.h"
#include "archives/archive_dispatcher.h"

#include <cmath>

namespace velmar::archives {

namespace {
constexpr qsizetype MAX_TEXT_LENGTH = 255;
}

QString archiveListingText(const Cls_GetFileType& dispatcher) {
    const qint32 count = dispatcher.FileCount();
    double total = 0;
    for (qint32 i = 1; i <= count; ++i)
        total += dispatcher.UnCompressed_Size(i);
    QString text = filesPhrase(count, PhraseCase::Capitalised) + QStringLiteral(" - ") +
                   sizePhrase(static_cast<qint64>(std::llround(std::max(total, 0.0))), false);
    for (qint32 i = 1; i <= count; ++i) {
        const QString name = dispatcher.FileName(i);
        if (name.size() + text.size() > MAX_TEXT_LENGTH)
            break;
        text += QStringLiteral("\r\n") + name;
    }
    return text;
}

QString archiveListingText(const QString& path) {
    Cls_GetFileType dispatcher;
    if (dispatcher.Get_Contents(path) != 0)
        return QString();
    return archiveListingText(dispatcher);
}

} // namespace velmar::archives
