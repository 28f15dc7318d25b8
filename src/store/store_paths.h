#pragma once

// Where the collections live under the data directory ("Data/" beside the
// executable): the registry, the model database and the numbered files.

#include <QString>

namespace velmar {

struct StorePaths {
    QString dataDir; // ends with "/"

    static StorePaths fromDataDir(QString dir) {
        if (!dir.endsWith(QLatin1Char('/')))
            dir += QLatin1Char('/');
        return StorePaths{dir};
    }
    QString baseDir() const { return dataDir + QStringLiteral("Base/"); }
    QString registryFile() const { return baseDir() + QStringLiteral("Collections.dat"); }
    QString modelFile() const { return baseDir() + QStringLiteral("Base.mdb"); }
    QString collectionPrefix() const { return baseDir() + QStringLiteral("Compil"); }
    // File of the collection at 1-based position n.
    QString collectionFile(int n) const {
        return collectionPrefix() + QString::number(n) + QStringLiteral(".mdb");
    }
    // Files that carry the writers' locks (see store/writer_locks.h).
    QString registryLockFile() const { return baseDir() + QStringLiteral("Collections.lock"); }
    QString collectionLockFile(int n) const {
        return collectionPrefix() + QString::number(n) + QStringLiteral(".lock");
    }
    QString digitPicture(QChar digit) const {
        return dataDir + QStringLiteral("Chiffres/") + digit + QStringLiteral(".BMP");
    }
};

} // namespace velmar
