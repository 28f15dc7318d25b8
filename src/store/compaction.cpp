#include "store/compaction.h"

#include "app/files.h"
#include "platform/file_sync.h"
#include "store/db/database.h"

#include <QFile>

namespace velmar {

namespace {

QString withSuffix(const QString& mdbPath, const QString& suffix) {
    QString path = mdbPath;
    path.chop(4); // ".mdb"
    return path + suffix;
}

bool removeFile(const QString& path, QString& error) {
    return !FichierExiste(path) || deleteFile(path, &error);
}

bool rename(const QString& from, const QString& to, QString& error) {
    QFile file(from);
    if (file.rename(to))
        return true;
    error = fileFailure(QStringLiteral("de renommer"), from, file.errorString());
    return false;
}

// Steps 1 and 2: a complete compacted copy, on the disk.
bool writeCompactedCopy(const QString& mdb, const QString& tmp, QString& error) {
    if (!removeFile(tmp, error))
        return false;
    QString reason;
    if (db::Database::compact(mdb, tmp, reason) && syncFileToDisk(tmp, reason))
        return true;
    error = fileFailure(QStringLiteral("d'écrire"), tmp, reason);
    deleteFile(tmp);
    return false;
}

} // namespace

QString compactionCopyFile(const QString& collectionFile) {
    return withSuffix(collectionFile, QStringLiteral(".tmp"));
}

QString compactionSavedFile(const QString& collectionFile) {
    return withSuffix(collectionFile, QStringLiteral(".old"));
}

bool compactCollectionFile(const QString& mdb, QString& error) {
    const QString tmp = compactionCopyFile(mdb);
    const QString old = compactionSavedFile(mdb);
    if (!writeCompactedCopy(mdb, tmp, error) || !removeFile(old, error))
        return false;
    if (!rename(mdb, old, error)) {
        deleteFile(tmp);
        return false;
    }
    if (!rename(tmp, mdb, error)) {
        renameFile(old, mdb);
        deleteFile(tmp);
        return false;
    }
    QString ignored; // the compacted file is in place; an old copy left behind is put away at the next open
    removeFile(old, ignored);
    return true;
}

bool hasCompactionLeftovers(const QString& mdb) {
    return FichierExiste(compactionSavedFile(mdb)) || FichierExiste(compactionCopyFile(mdb));
}

bool restoreInterruptedCompaction(const QString& mdb, QString& error) {
    const QString tmp = compactionCopyFile(mdb);
    const QString old = compactionSavedFile(mdb);
    if (FichierExiste(old) && !FichierExiste(mdb)) {
        // Stopped between steps 3 and 4: the original is whole under its saved name.
        if (!rename(old, mdb, error))
            return false;
    }
    if (!FichierExiste(mdb))
        return true; // a lone copy is never taken for the collection
    return removeFile(old, error) && removeFile(tmp, error);
}

} // namespace velmar
