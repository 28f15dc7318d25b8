#include "store/db/engine.h"

#include <sqlite3.h>

namespace velmar::db {

QString engineReason(sqlite3* handle) {
    return handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("base de données fermée");
}

QVariant readColumn(sqlite3_stmt* statement, int i) {
    switch (sqlite3_column_type(statement, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, i));
    case SQLITE_NULL:
        return QVariant();
    default: {
        const auto* data = reinterpret_cast<const char16_t*>(sqlite3_column_text16(statement, i));
        return QVariant(QString::fromUtf16(data, sqlite3_column_bytes16(statement, i) / 2));
    }
    }
}

QString quoteIdentifier(const QString& name) {
    return QLatin1Char('[') + QString(name).remove(QLatin1Char(']')) + QLatin1Char(']');
}

} // namespace velmar::db
