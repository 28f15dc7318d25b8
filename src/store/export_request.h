#pragma once

// The window's "Exporter…": asks where to write through the dialogs, takes the
// format from the file's extension (.csv, .json, .html; CSV otherwise), writes
// the file whole or not at all, and tells the user how it went.

#include "store/catalogue_export.h"

#include <QIODevice>
#include <QString>

#include <functional>

namespace velmar {

// Writes the export in the format given; false with the reason in `error`.
using ExportJob = std::function<bool(QIODevice& out, ExportFormat format, QString& error)>;

// `name` names what is exported and proposes the file's name. False when the
// user cancelled or the export failed (already told).
bool exportWithDialogs(const QString& name, const ExportJob& job);

} // namespace velmar
