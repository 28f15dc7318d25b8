#include "store/volume_labels.h"

namespace velmar {

bool ensureVolumeLabels(db::Database& db) {
    return db.execute(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS EtiquettesVolumes (NumSupport INTEGER PRIMARY KEY, Etiquette TEXT)"));
}

bool storeVolumeLabel(db::Database& db, int support, const QString& label) {
    return ensureVolumeLabels(db) &&
           db.execute(QStringLiteral(
                          "INSERT OR REPLACE INTO EtiquettesVolumes (NumSupport, Etiquette) VALUES (?, ?)"),
                      {support, label});
}

QString volumeLabel(db::Database& db, int support) {
    // A file made before labels were kept has no table: the query then fails
    // and the support has no label.
    db::Recordset rs = db.openRecordset(
        QStringLiteral("SELECT Etiquette FROM EtiquettesVolumes WHERE NumSupport = ?"), {support});
    return rs.ok() && !rs.eof() ? rs.field(0).toText() : QString();
}

} // namespace velmar
