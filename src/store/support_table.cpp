#include "store/support_table.h"

#include "app/dialogs.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace velmar {

QStringList supportTableHeaders() {
    return {QStringLiteral("N°"),       QStringLiteral("Type"),   QStringLiteral("Nom du support"),
            QStringLiteral("Fichiers"), QStringLiteral("Taille"), QStringLiteral("Répert.")};
}

QList<SupportRow> supportRows(db::Database& db) {
    QList<SupportRow> rows;
    for (db::Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM Supports ORDER BY NomSupport;"));
         !rs.eof(); rs.moveNext()) {
        SupportRow row;
        row.number = static_cast<int>(rs.field(QStringLiteral("NumSupport")).toNumber());
        row.type = static_cast<int>(rs.field(QStringLiteral("TypeSupport")).toNumber());
        row.name = rs.field(QStringLiteral("NomSupport")).toText();
        row.files = rs.field(QStringLiteral("NbFichiersSupport")).toNumber();
        row.size = rs.field(QStringLiteral("TailleSupport")).toNumber();
        rows << row;
    }
    for (SupportRow& row : rows)
        row.directories = CountSupportDirectories(db, row.number);
    return rows;
}

bool Affiche_InfosSupports(CollectionsRegistry& registry, QList<SupportRow>& rows) {
    rows.clear();
    if (!registry.isOpen()) {
        dialogs().message(QStringLiteral("Vous devez ouvrir une collection auparavant."),
                          MessageStyle::Exclamation);
        return false;
    }
    rows = supportRows(registry.database());
    return true;
}

} // namespace velmar
