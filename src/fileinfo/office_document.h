#pragma once

// The title and author of OpenDocument files (odt, ods, odp: meta.xml) and
// Office Open XML files (docx, xlsx, pptx: docProps/core.xml), read from
// their metadata member inside the ZIP file.

#include <QByteArray>
#include <QString>

namespace velmar::documents {

// Lines "Titre : " and "Auteur : ", each when known; "" when the file holds
// no readable metadata member.
QString officeText(const QString& path);
QString officeText(const char* data, qint64 size);

// The same lines from the metadata XML itself. The author is OpenDocument's
// initial creator when it names one, else the Dublin Core creator (Office
// Open XML's author; OpenDocument's last editor).
QString metadataLines(const QByteArray& xml);

} // namespace velmar::documents
