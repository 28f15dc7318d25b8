#pragma once

// File helpers shared by every module. They catch their own failures and
// report them by their result.

#include <QString>
#include <QStringList>

namespace velmar {

// False for an empty path; otherwise true exactly when the path's attributes
// can be read (files and directories alike).
bool FichierExiste(const QString& path);

// The file's length in bytes, 0 when it does not exist.
qint64 TailleFichier(const QString& path);

// Lines of a UTF-8 text file, each without its CR LF or LF end. Fails when the
// file cannot be opened.
bool readTextLines(const QString& path, QStringList& lines);

// Writes the lines, each ended by CR LF, into a new file that then replaces
// the old one, so a failure (full disk, read-only file or folder) leaves the
// old content whole. A read-only file is never replaced. On failure `error`,
// when given, gets a French sentence naming the file and the system's reason.
bool writeTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// "Impossible d'<action> le fichier PATH : REASON." for the failures above.
QString fileFailure(const QString& action, const QString& path, const QString& reason);

// Clears the read-only attribute first, as a user deleting by hand would.
// On failure `error`, when given, gets the French sentence of fileFailure().
bool deleteFile(const QString& path, QString* error = nullptr);
bool renameFile(const QString& from, const QString& to);
bool copyFile(const QString& from, const QString& to);

} // namespace velmar
