#include "store/search_results.h"

#include "store/catalogue.h"
#include "store/search_condition.h"

namespace velmar {

bool parseResultKey(const QString& key, int& support, qint64& file) {
    if (!key.startsWith(QLatin1Char('S')))
        return false;
    const QStringList parts = key.mid(1).split(QLatin1Char('\\'));
    bool supportOk = false;
    bool fileOk = false;
    if (parts.size() != 2)
        return false;
    support = parts[0].toInt(&supportOk);
    file = parts[1].toLongLong(&fileOk);
    return supportOk && fileOk;
}

bool SearchResults::run(db::Database& db, const QString& condition) {
    close();
    m_db = &db;
    m_condition = condition;
    m_rows = db.openRecordset(searchQuery(condition));
    m_error = m_rows.error();
    return m_rows.ok();
}

QList<SearchLine> SearchResults::readLines(int limit) {
    QList<SearchLine> lines;
    for (; lines.size() < limit && m_rows.isOpen() && !m_rows.eof(); m_rows.moveNext()) {
        SearchLine line;
        line.support = static_cast<int>(m_rows.field(QStringLiteral("NumeroSupp")).toNumber());
        line.file = m_rows.field(QStringLiteral("NumFichier")).toNumber();
        line.key = QStringLiteral("S%1\\%2").arg(line.support).arg(line.file);
        if (line.support != m_lastSupport) {
            m_lastSupport = line.support;
            m_lastSupportName = GetSupportName(*m_db, line.support, m_lastSupportType);
        }
        line.supportName = m_lastSupportName;
        line.supportType = m_lastSupportType;
        line.fileName = m_rows.field(QStringLiteral("Fichier")).toText();
        line.extension = m_rows.field(QStringLiteral("Extension")).toText();
        const QString parent = m_rows.field(QStringLiteral("RepertoireParent")).toText();
        const QString own = m_rows.field(QStringLiteral("RepertoireSeul")).toText();
        line.directory = parent.isEmpty() ? own : parent + QLatin1Char('\\') + own;
        line.size = m_rows.field(QStringLiteral("Taille")).toNumber();
        line.modified = m_rows.field(QStringLiteral("DerniereModif")).toText();
        lines.append(line);
    }
    return lines;
}

namespace {

// Completes a place whose directory is known: the chain from the support's
// first level down to it, walked up from the directory's parent.
bool chainDirectories(db::Database& db, ResultPlace& place, bool inStartingDirectory, qint64 parent) {
    place.inStartingDirectory = inStartingDirectory;
    place.chainFromTop.clear();
    if (inStartingDirectory)
        return true;
    place.chainFromTop.prepend(place.directory);
    // Each parent's row names its own parent, up to the support's first level.
    while (parent != 0) {
        DirectoryFields fields;
        GetDirectoryPath(db, parent, place.support, fields);
        place.chainFromTop.prepend(parent);
        if (place.chainFromTop.size() > 100000)
            return false; // parents naming each other: a damaged collection
        parent = fields.parentNumber;
    }
    return true;
}

} // namespace

bool SearchResults::locate(const QString& key, ResultPlace& place) {
    if (m_db == nullptr || !parseResultKey(key, place.support, place.file))
        return false;
    db::Recordset row = m_rows.filter(" NumFichier=" + QString::number(place.file) +
                                      " AND NumeroSupp=" + QString::number(place.support));
    if (row.eof())
        return false;
    place.directory = row.field(QStringLiteral("NumeroRep")).toNumber();
    return chainDirectories(*m_db, place, row.field(QStringLiteral("RepertoireSeul")).toText().isEmpty(),
                            row.field(QStringLiteral("NumRepertoireParent")).toNumber());
}

bool placeOfFile(db::Database& db, int support, qint64 file, ResultPlace& place) {
    db::Recordset row = db.openRecordset(
        QStringLiteral("SELECT f.NumRepertoire, r.RepertoireSeul, r.NumRepertoireParent FROM Fichiers f "
                       "JOIN Repertoires r ON r.NumRepertoire = f.NumRepertoire "
                       "WHERE f.NumFichier = ? AND f.NumSupport = ?"),
        {file, support});
    if (!row.ok() || row.eof())
        return false;
    place.support = support;
    place.file = file;
    place.directory = row.field(QStringLiteral("NumRepertoire")).toNumber();
    return chainDirectories(db, place, row.field(QStringLiteral("RepertoireSeul")).toText().isEmpty(),
                            row.field(QStringLiteral("NumRepertoireParent")).toNumber());
}

void SearchResults::close() {
    m_rows.close();
    m_rows = db::Recordset();
    m_db = nullptr;
    m_lastSupport = -1;
    m_error.clear();
}

} // namespace velmar
