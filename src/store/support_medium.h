#pragma once

// The medium a support was explored from, and the mounted volume that is that
// medium. A medium is known by its volume serial, kept in the support's
// Identifiant as the exploration wrote it: a file at the same path on another
// volume may be another file, so only the serial says that the medium is in.

#include "platform/platform.h"
#include "store/db/database.h"

#include <QDeadlineTimer>
#include <QString>

#include <chrono>

namespace velmar {

struct SupportMedium {
    QString name;
    int type = 0;   // the support type's number
    QString serial; // the volume serial as decimal text
    QString label;  // the volume's label, "" when it had none or none was kept
    // The folder the exploration started from, in the catalogue's form
    // ("media\cle"; "" for the volume's root).
    QString startPath;
};

// The medium of support number `support`; false when the collection has no
// such support.
bool readSupportMedium(db::Database& db, int support, SupportMedium& medium);

// Whether `volume` is the medium: its serial, written as the catalogue writes
// serials, is the support's.
bool isSupportMedium(const Volume& volume, const SupportMedium& medium);
bool supportMediumMounted(const QList<Volume>& volumes, const SupportMedium& medium);

// The native path of the catalogue path `relativePath` on a mounted volume
// that is the medium, "" when none holds it. One file system may be mounted
// at several places (bind mounts): each of its mount points is tried.
QString findOnSupportMedium(const QList<Volume>& volumes, const SupportMedium& medium,
                            const QString& relativePath);

// Looks at the mounted volumes every `interval` until the medium is among
// them or `deadline` has passed, looking at least once; returns the volumes
// of the last look. Blocks the calling thread: for the command line.
QList<Volume> waitForSupportMedium(const SupportMedium& medium, QDeadlineTimer deadline,
                                   std::chrono::milliseconds interval);

// What the user is asked to insert, a line each: the support's name, its
// type's label (`typeLabel`), its volume label when one is known, its serial.
QString insertionRequest(const SupportMedium& medium, const QString& typeLabel);

} // namespace velmar
