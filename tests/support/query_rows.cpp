#include "support/query_rows.h"

namespace velmar::test {

QStringList queryRows(db::Database& database, const QString& sql) {
    QStringList found;
    db::Recordset rs = database.openRecordset(sql);
    if (!rs.ok())
        qWarning("%s: %s", qPrintable(sql), qPrintable(rs.error()));
    for (; !rs.eof(); rs.moveNext()) {
        QStringList fields;
        for (const QString& column : rs.fieldNames())
            fields << rs.field(column).toText();
        found << fields.join('|');
    }
    return found;
}

} // namespace velmar::test
