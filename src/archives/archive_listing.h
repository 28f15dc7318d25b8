#pragma once

// The information text of an archive file: "12 fichiers - 1,5 Mo", then the
// entry names one per line (CR LF) while the text stays within 255 characters.

#include <QString>

namespace velmar::archives {

class Cls_GetFileType;

// Reads the archive at `path`; "" when the dispatcher's status is not 0.
QString archiveListingText(const QString& path);
// Builds the text from an archive the dispatcher has just read.
QString archiveListingText(const Cls_GetFileType& dispatcher);

} // namespace velmar::archives
