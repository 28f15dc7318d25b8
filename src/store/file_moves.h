#pragma once

// Renames of collection files that can be taken back: a delete moves the files
// it changes first, writes the registry, and only then removes what it moved
// aside, so any failure on the way puts every file back where the registry
// expects it. A collection file moves with its SQLite journal, when one was
// left by a writer that did not finish, so the journal never meets another
// collection's file.

#include <QList>
#include <QString>

namespace velmar {

class FileMoves {
public:
    // Moves the collection file `from` (and its journal) to `to`; a file that
    // does not exist is skipped. False with `error` set when a rename fails.
    bool moveCollectionFile(const QString& from, const QString& to, QString& error);
    // Renames back, last first, everything moved so far.
    void undo();

private:
    bool move(const QString& from, const QString& to, QString& error);

    QList<std::pair<QString, QString>> m_done;
};

} // namespace velmar
