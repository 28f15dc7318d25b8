#include "store/model_database.h"

#include "model_schema.h"

#include <QFile>

#include <sqlite3.h>

namespace velmar {

const char* modelSchema() {
    return kModelSchema;
}

bool createModelDatabase(const QString& path, QString& error) {
    if (QFile::exists(path)) {
        error = QStringLiteral("le fichier existe déjà");
        return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return false;
    }
    char* message = nullptr;
    const bool ok = sqlite3_exec(db, kModelSchema, nullptr, nullptr, &message) == SQLITE_OK;
    if (!ok)
        error = QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close(db);
    if (!ok)
        QFile::remove(path);
    return ok;
}

} // namespace velmar
