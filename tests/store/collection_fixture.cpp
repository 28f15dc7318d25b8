#include "collection_fixture.h"

#include "app/files.h"
#include "store/model_database.h"
#include "support/query_rows.h"

#include <QDir>
#include <QFile>

namespace velmar::test {

CollectionFixture::CollectionFixture() {
    m_paths = StorePaths::fromDataDir(m_dir.path() + QStringLiteral("/Data/"));
    QString error;
    m_valid = m_dir.isValid() && QDir().mkpath(m_paths.baseDir()) &&
              createModelDatabase(m_paths.modelFile(), error);
}

bool CollectionFixture::makeCollectionFile(const QString& path) const {
    return QFile::copy(m_paths.modelFile(), path);
}

bool CollectionFixture::writeEmptyIniLists() const {
    const QString ini = m_paths.dataDir + QStringLiteral("Ini/");
    if (!QDir().mkpath(ini))
        return false;
    for (const char* list : {"IgnorerRep.txt", "IgnorerExt.txt", "TypesAnalyses.dat"})
        if (!writeTextLines(ini + QLatin1String(list), {}))
            return false;
    return true;
}

QStringList CollectionFixture::rows(const QString& sql, int collection) const {
    db::Database database;
    if (!database.open(m_paths.collectionFile(collection)))
        return {QStringLiteral("<collection file cannot be opened>")};
    return queryRows(database, sql);
}

bool addFileRow(db::Database& db, int support, qint64 directory, const QString& name,
                const QString& extension, qint64 size) {
    db::BulkInsert insert =
        db.prepareInsert(QStringLiteral("Fichiers"),
                         {QStringLiteral("NumSupport"), QStringLiteral("NumRepertoire"),
                          QStringLiteral("Fichier"), QStringLiteral("Extension"), QStringLiteral("Taille")});
    return insert.insert({support, directory, name, extension, size});
}

} // namespace velmar::test
