#pragma once

// What a support held before it is explored again for an update: each file's
// size and date by its directory and name. A file found again with the same
// size and date is taken as unchanged and is not read a second time.

#include <QHash>
#include <QString>

namespace velmar {

struct PreviousFile {
    qint64 size = 0;
    QString modified; // as stored: "yyyy-MM-dd HH:mm:ss", "" when none
    bool hasCrc = false;
};

class PreviousFiles {
public:
    // `directory` in the catalogue's form ("Docs\Sub", "" for the root).
    void add(const QString& directory, const QString& name, const PreviousFile& file);
    // The stored file of that directory and exact name with that size and
    // date; null when there is none or it has changed.
    const PreviousFile* unchanged(const QString& directory, const QString& name, qint64 size,
                                  const QString& modified) const;
    qsizetype size() const { return m_files.size(); }

private:
    QHash<QString, PreviousFile> m_files;
};

} // namespace velmar
