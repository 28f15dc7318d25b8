#pragma once

// The list of support types, "TypesLecteur/TypeSupports.dat": one type a line,
// "number#icon file#label#keyword".

#include <QList>
#include <QString>

namespace velmar {

struct SupportType {
    int number = 0;
    QString iconFile; // in the same folder as the list
    QString label;
    QString keyword; // AMOVIBLE, FIXE, RESEAU, CD, VIRTUEL, DVD
};

// Every line of the list, in file order; empty lines are skipped.
QList<SupportType> readSupportTypes(const QString& listFile);

// The types whose icon is present, in order, up to the first missing icon,
// which is reported ("Le fichier de type lecteur nommé '...' est introuvable !")
// and ends the loading.
QList<SupportType> supportTypesWithIcons(const QList<SupportType>& types, const QString& iconDir);

// The label of the type numbered `number` ("CD-ROM"); "type n° N" when the
// list has no such type.
QString supportTypeLabel(const QList<SupportType>& types, int number);

} // namespace velmar
