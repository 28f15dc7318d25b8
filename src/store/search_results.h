#pragma once

// The rows of the last search, kept open while the collection is: the result
// list shows the first of them, and a chosen line is found again among them.

#include "store/db/database.h"

#include <QList>
#include <QString>

namespace velmar {

// One line of the result list.
struct SearchLine {
    QString key; // "S" + support number + "\" + file number
    int support = 0;
    qint64 file = 0;
    QString supportName; // shown with the icon of its type
    int supportType = 0;
    QString fileName;
    QString extension;
    QString directory; // "Docs\Sub", "" for the starting directory
    qint64 size = 0;
    QString modified;
};

// Where a result sits in the tree: its support, its directory and the chain of
// directories from the support's first level down to it.
struct ResultPlace {
    int support = 0;
    qint64 file = 0;
    qint64 directory = 0;
    bool inStartingDirectory = false;
    QList<qint64> chainFromTop;
};

// The place of a catalogued file, from its support and file numbers; false
// when the collection has no such file.
bool placeOfFile(db::Database& db, int support, qint64 file, ResultPlace& place);

// The support and file numbers of a line key, false for a malformed key.
bool parseResultKey(const QString& key, int& support, qint64& file);

class SearchResults {
public:
    // Runs the search with this condition ("" or " WHERE ..."), replacing the
    // previous result set. False when the engine rejects the statement; the
    // reason is in error().
    bool run(db::Database& db, const QString& condition);
    bool isEmpty() const { return !m_rows.isOpen() || m_rows.eof(); }
    // Whether a search ran since the last close(), and its condition.
    bool hasRun() const { return m_db != nullptr; }
    const QString& condition() const { return m_condition; }
    const QString& error() const { return m_error; }

    // The next lines in result order, at most `limit`; the rest stays unread.
    QList<SearchLine> readLines(int limit);

    // Finds the line's row again and rebuilds its directory chain; false when
    // the row is not among the results.
    bool locate(const QString& key, ResultPlace& place);

    void close();

private:
    db::Database* m_db = nullptr;
    db::Recordset m_rows;
    QString m_error;
    QString m_condition;
    int m_lastSupport = -1;
    QString m_lastSupportName;
    int m_lastSupportType = 0;
};

} // namespace velmar
