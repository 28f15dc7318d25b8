#include "store/model_database.h"

#include "store/collection_schema.h"
#include "store/db/database.h"
#include "store/db/name_index.h"
#include "store/schema_sql.h"

#include <QFile>
#include <QFileInfo>

namespace velmar {

QString modelDatabaseSchema() {
    return QString::fromUtf8(store::schemaSql);
}

bool createModelDatabase(const QString& path, QString& error) {
    if (QFileInfo::exists(path)) {
        error = QStringLiteral("le fichier ") + path + QStringLiteral(" existe déjà");
        return false;
    }
    bool built = false;
    {
        db::Database database;
        // A new collection gets its name index at once, empty, so its first
        // exploration fills it in bulk like any later one.
        built =
            database.create(path) && database.execute(modelDatabaseSchema()) && db::ensureNameIndex(database);
        if (!built)
            error = database.lastError();
        else
            built = stampCollectionVersion(database, error);
    }
    if (!built)
        QFile::remove(path);
    return built;
}

} // namespace velmar
