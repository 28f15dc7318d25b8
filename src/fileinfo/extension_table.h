#pragma once

// File types by extension: a French description, and whether the type counts
// as a program or as an archive in the exploration's running totals. The table
// is compiled in (extension_rows.cpp) and never edited at run time.

#include <QString>

#include <cstddef>

namespace velmar {

struct ExtensionRow {
    const char* key;         // upper case, without the dot
    const char* description; // UTF-8; a trailing blank is part of the value
    bool program;
    bool archive;
};

namespace extension_table {
extern const ExtensionRow kRows[];
extern const std::size_t kRowCount;
} // namespace extension_table

// The extension as every caller of this module computes it: "" without a dot;
// a closing then an opening double quote removed; the text after the last dot,
// in upper case ("a.tar.gz" gives "GZ", "name." gives "").
QString ExtensionFichier(const QString& fileName);

// The description of an extension (any case; no trimming), "?" when it is empty
// or unknown. Both flags are cleared first and set only by the row found.
QString DescriptionTypeFichier(const QString& extension, bool& EstProgramme, bool& EstArchive);

// The description of a file name's extension, flags discarded.
QString DescriptionFichier(const QString& fileName);

} // namespace velmar
