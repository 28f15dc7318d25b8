#pragma once

// Reading helpers of the content probes. Positions are 1-based byte positions
// in the file (position 1 is the first byte). Bytes stay bytes here; the probes
// turn them into text with fromWindows1252 once they have picked them out. A
// probe that reads more than once opens the file once as an
// archives::FileSource, the byte source of the archive readers, and passes it;
// the forms taking a path open the file for one read.

#include "archives/byte_source.h"

#include <QByteArray>
#include <QString>

namespace velmar {

// `count` bytes from `position`; past the end of the file (or when the file
// cannot be read) the missing part is filled with blanks, so the result is
// always `count` bytes long.
QByteArray LitBlocFichier(const QString& path, qint64 position, qint64 count);
QByteArray LitBlocFichier(archives::ByteSource& file, qint64 position, qint64 count);

// Position of the first occurrence of `needle` at or after `start`, or -1. The
// file is read in overlapping blocks of 10000 bytes; with `ignoreCase` both
// sides are upper-cased as Windows-1252 letters. `start` is left at the start
// of the last block read.
qint64 ChercheDansFichier(const QString& path, double& start, const QByteArray& needle, bool ignoreCase);
qint64 ChercheDansFichier(archives::ByteSource& file, double& start, const QByteArray& needle,
                          bool ignoreCase);

// Little-endian value of exactly two bytes, value of exactly one byte. Any
// other length is a programming error, told to the user, and gives 0.
int ValeurMot(const QByteArray& twoBytes);
int ValeurOctet(const QByteArray& oneByte);

QString SupprimeEspacesDroite(const QString& text);
QString SupprimeEspacesGauche(const QString& text);

// The part before the first NUL, or everything.
QString CoupeAuNul(const QString& text);
QByteArray CoupeAuNul(const QByteArray& bytes);

// Windows-1252 upper case of one byte (a-z, the accented letters, š œ ž ÿ).
char upperWindows1252(char byte);

} // namespace velmar
