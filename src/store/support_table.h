#pragma once

// The data of the support table (Affiche_InfosSupports): one row per support
// in name order, with the columns "N°", "Type", "Nom du support", "Fichiers",
// "Taille", "Répert.".

#include "store/db/database.h"

#include <QList>
#include <QStringList>

namespace velmar {

class CollectionsRegistry;

struct SupportRow {
    int number = 0;
    int type = 0; // the support type, whose icon the table shows
    QString name;
    qint64 files = 0;
    qint64 size = 0;
    qint64 directories = 0;
};

QStringList supportTableHeaders();

// Rows of the open collection; when none is open, shows "Vous devez ouvrir
// une collection auparavant." and returns false.
bool Affiche_InfosSupports(CollectionsRegistry& registry, QList<SupportRow>& rows);
QList<SupportRow> supportRows(db::Database& db);

} // namespace velmar
