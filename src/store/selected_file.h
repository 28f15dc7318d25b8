#pragma once

// The file selected in the browse view, known by its file, directory and
// support numbers: its card, its path relative to the medium's root, and the
// two changes the user may make to its row (the comment, the deletion). Each
// acts only when exactly one row answers, and otherwise says so.

#include "store/db/database.h"

#include <QString>

namespace velmar {

struct SelectedFile {
    int support = 0;
    qint64 directory = 0;
    qint64 file = 0;
};

// What the file card shows.
struct FileCardData {
    QString name;
    QString path; // the directory, as the catalogue stores it
    QString type; // the description of the extension, or the extension itself
    QString modified;
    QString size;
    QString support;
    QString crc; // "<non calculé>" when none was computed
    QString infos;
    QString extension;
};

bool readFileCard(db::Database& db, const SelectedFile& selected, FileCardData& card);

// "Docs\Sub\a.txt", or "a.txt" in the starting directory.
bool FichierSelectionne_RenvoieInfos(db::Database& db, const SelectedFile& selected, QString& relativePath);
bool FichierSelectionne_Supprime(db::Database& db, const SelectedFile& selected);
// Stores the first 255 characters of `comment`; returns them in `stored`.
bool FichierSelectionne_ModifieCommentaire(db::Database& db, const SelectedFile& selected,
                                           const QString& comment, QString& stored);

} // namespace velmar
