#pragma once

// Files catalogued more than once, on one support or across several. Two files
// are the same when they have the same size and the same CRC, where both have
// a CRC; otherwise when they have the same size and the same name (compared
// without case, as the catalogue compares names). A group holds the files
// linked by these tests, and says which tests linked them. Groups come largest
// wasted space first: the space every copy but one takes.

#include "store/db/database.h"

#include <QList>
#include <QString>

namespace velmar {

enum class DuplicateBasis {
    Automatic, // CRC where both files have one, otherwise name and size
    Crc,       // only files with a CRC
    Name,      // name and size, CRC or not
};

struct DuplicateFile {
    qint64 file = 0;
    int support = 0;
    qint64 directory = 0;
    QString supportName;
    QString path; // directory and name, "\"-separated as the catalogue shows them
};

struct DuplicateGroup {
    enum class Link { Crc, Name, CrcOrName };
    Link link = Link::Crc;
    qint64 size = 0;
    QString crc; // the common CRC when linked by CRC alone
    QList<DuplicateFile> files;
    qint64 wastedBytes() const { return size * (files.size() - 1); }
};

struct DuplicateSearch {
    DuplicateBasis basis = DuplicateBasis::Automatic;
    // Empty files are all alike: they are left out unless asked for (0).
    qint64 minimumSize = 1;
};

// False when the engine refuses; its reason is in `error`.
bool findDuplicates(db::Database& db, const DuplicateSearch& search, QList<DuplicateGroup>& groups,
                    QString& error);

// "3 fichiers de 1,5 Mo, même taille et même CRC (1A2B3C4D), 3 Mo en double"
QString duplicateGroupText(const DuplicateGroup& group);
// "12 groupes de doublons, 40 fichiers, 1,2 Go en double" ("Aucun doublon").
QString duplicatesSummary(const QList<DuplicateGroup>& groups);

} // namespace velmar
