#include "store/catalogued_file.h"

#include "app/native_path.h"
#include "app/text.h"
#include "store/catalogue.h"

namespace velmar {

bool findCataloguedFile(db::Database& db, int support, const QString& path, SelectedFile& file) {
    QString relative = path;
    relative.replace(QLatin1Char('/'), kCatalogueSeparator);
    relative = trimmedSeparators(relative);
    const qsizetype cut = relative.lastIndexOf(kCatalogueSeparator);
    const QString directoryPath = cut < 0 ? QString() : relative.left(cut);
    const QString name = relative.mid(cut + 1);
    const qint64 directory =
        directoryPath.isEmpty() ? FindRootDirectory(db, support) : FindDirectory(db, directoryPath, support);
    if (name.isEmpty() || directory == 0)
        return false;
    db::Recordset rs = db.openRecordset(
        "SELECT * FROM Fichiers WHERE NumSupport = " + NombreEnTexte(support) +
        " AND NumRepertoire = " + NombreEnTexte(directory) + " AND Fichier = " + sqlQuote(name) + " ;");
    if (rs.eof())
        return false;
    file = {support, directory, rs.field(QStringLiteral("NumFichier")).toNumber()};
    return true;
}

} // namespace velmar
