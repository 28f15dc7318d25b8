#pragma once

// A PDF document's title, author and page count, read through poppler. A
// file poppler refuses gives "" (poppler's error log is kept quiet).

#include <QString>

namespace velmar::documents {

// Lines "Titre : ", "Auteur : " and "Pages : ", each when known.
QString pdfText(const QString& path);
QString pdfText(const char* data, qint64 size);

} // namespace velmar::documents
