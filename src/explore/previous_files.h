#pragma once

// What a support held before it is explored again for an update: each file's
// number, size and date by its directory and name. A file found again with the
// same size and date is unchanged: the update keeps its row as it is, neither
// reading the file nor writing a row for it.

#include <QHash>
#include <QList>
#include <QString>

namespace velmar {

struct PreviousFile {
    qint64 number = 0; // NumFichier
    qint64 size = 0;
    qint64 modified = -1; // the stored date's digits as a number, -1 when none
    bool hasCrc = false;
    bool kept = false; // found again unchanged, its row kept as it is
};

class PreviousFiles {
public:
    // `directory` in the catalogue's form ("Docs\Sub", "" for the root);
    // `modified` as stored: "yyyy-MM-dd HH:mm:ss", or "" when none.
    void add(const QString& directory, const QString& name, qint64 number, qint64 size,
             const QString& modified, bool hasCrc);
    // The stored file of that directory and exact name with that size and
    // date; null when there is none or it has changed.
    PreviousFile* unchanged(const QString& directory, const QString& name, qint64 size,
                            const QString& modified);

    qint64 keptCount() const;
    // The numbers of the files not kept: changed, or not found again.
    QList<qint64> notKept() const;

private:
    // The names of a directory share its path, stored once.
    QHash<QString, QHash<QString, PreviousFile>> m_directories;
};

} // namespace velmar
