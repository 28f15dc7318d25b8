#include "store/duplicates.h"

#include "app/phrases.h"
#include "store/db/transaction.h"
#include "store/duplicate_candidates.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace velmar {

namespace {

// The candidates' rows with their places, by support and number.
const char* const kCandidateRows =
    "SELECT f.NumFichier, f.NumSupport, f.NumRepertoire, f.Fichier, f.Taille, f.CRC, s.NomSupport, "
    "r.RepertoireParent, r.RepertoireSeul FROM Candidats c JOIN Fichiers f ON f.NumFichier = c.NumFichier "
    "LEFT JOIN Supports s ON s.NumSupport = f.NumSupport "
    "LEFT JOIN Repertoires r ON r.NumRepertoire = f.NumRepertoire ORDER BY f.NumSupport, f.NumFichier";

// The columns of kCandidateRows, in its order.
enum Column { kNumber, kSupport, kDirectory, kName, kSize, kCrc, kSupportName, kParent, kOwnName };

struct Candidate {
    DuplicateFile file;
    qint64 size = 0;
    QString crc;  // upper case, "" for none
    QString name; // folded as the catalogue compares names (ASCII letters only)
};

QString catalogueFilePath(const db::Recordset& row) {
    const QString parent = row.field(kParent).toText();
    const QString own = row.field(kOwnName).toText();
    const QString directory = parent.isEmpty() ? own
                              : own.isEmpty()  ? parent
                                               : parent + QLatin1Char('\\') + own;
    const QString name = row.field(kName).toText();
    return directory.isEmpty() ? name : directory + QLatin1Char('\\') + name;
}

Candidate candidateOf(const db::Recordset& row) {
    Candidate c;
    c.file.file = row.field(kNumber).toNumber();
    c.file.support = static_cast<int>(row.field(kSupport).toNumber());
    c.file.directory = row.field(kDirectory).toNumber();
    c.file.supportName = row.field(kSupportName).toText();
    c.file.path = catalogueFilePath(row);
    c.size = row.field(kSize).toNumber();
    c.crc = row.field(kCrc).toText().toUpper();
    c.name = catalogueNameKey(row.field(kName).toText());
    return c;
}

// Files linked by either test end in one set.
class LinkedSets {
public:
    explicit LinkedSets(qsizetype count) : m_parent(count) { std::iota(m_parent.begin(), m_parent.end(), 0); }
    qsizetype root(qsizetype i) {
        while (m_parent[i] != i)
            i = m_parent[i] = m_parent[m_parent[i]];
        return i;
    }
    void link(qsizetype a, qsizetype b) { m_parent[root(a)] = root(b); }

private:
    QList<qsizetype> m_parent;
};

void linkSameKeys(const QList<Candidate>& files, DuplicateBasis basis, LinkedSets& sets) {
    QHash<QPair<qint64, QString>, qsizetype> byCrc;
    QHash<QPair<qint64, QString>, QList<qsizetype>> byName;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (basis != DuplicateBasis::Name && !files[i].crc.isEmpty()) {
            const QPair<qint64, QString> key{files[i].size, files[i].crc};
            const auto first = byCrc.constFind(key);
            if (first == byCrc.cend())
                byCrc.insert(key, i);
            else
                sets.link(i, *first);
        }
        if (basis != DuplicateBasis::Crc)
            byName[{files[i].size, files[i].name}].append(i);
    }
    for (const QList<qsizetype>& same : std::as_const(byName)) {
        // Two files with CRCs are the same file only when the CRCs say so.
        const bool anyWithout =
            std::any_of(same.begin(), same.end(), [&](qsizetype i) { return files[i].crc.isEmpty(); });
        if (same.size() > 1 && (basis == DuplicateBasis::Name || anyWithout))
            for (qsizetype i : same)
                sets.link(i, same.first());
    }
}

DuplicateGroup::Link linkOf(const QList<Candidate>& members, DuplicateBasis basis) {
    if (basis == DuplicateBasis::Name)
        return DuplicateGroup::Link::Name;
    const bool allSameCrc = std::all_of(members.begin(), members.end(), [&](const Candidate& c) {
        return !c.crc.isEmpty() && c.crc == members.first().crc;
    });
    if (allSameCrc)
        return DuplicateGroup::Link::Crc;
    const bool noCrc =
        std::all_of(members.begin(), members.end(), [](const Candidate& c) { return c.crc.isEmpty(); });
    return noCrc ? DuplicateGroup::Link::Name : DuplicateGroup::Link::CrcOrName;
}

QList<DuplicateGroup> groupsOf(const QList<Candidate>& files, DuplicateBasis basis) {
    LinkedSets sets(files.size());
    linkSameKeys(files, basis, sets);
    QHash<qsizetype, QList<Candidate>> members; // by set, files in query order
    QList<qsizetype> order;
    for (qsizetype i = 0; i < files.size(); ++i) {
        QList<Candidate>& set = members[sets.root(i)];
        if (set.isEmpty())
            order.append(sets.root(i));
        set.append(files[i]);
    }
    QList<DuplicateGroup> groups;
    for (qsizetype root : order) {
        const QList<Candidate>& set = members[root];
        if (set.size() < 2)
            continue;
        DuplicateGroup group;
        group.link = linkOf(set, basis);
        group.size = set.first().size;
        group.crc = group.link == DuplicateGroup::Link::Crc ? set.first().crc : QString();
        for (const Candidate& c : set)
            group.files.append(c.file);
        groups.append(group);
    }
    std::stable_sort(groups.begin(), groups.end(), [](const DuplicateGroup& a, const DuplicateGroup& b) {
        return a.wastedBytes() != b.wastedBytes() ? a.wastedBytes() > b.wastedBytes() : a.size > b.size;
    });
    return groups;
}

// The candidates go through a temporary table, so that one join gives their
// places whatever their number.
bool readCandidates(db::Database& db, const QList<qint64>& numbers, QList<Candidate>& files, QString& error) {
    db::Transaction batch(db);
    if (!db.execute(QStringLiteral("DROP TABLE IF EXISTS temp.Candidats")) ||
        !db.execute(QStringLiteral("CREATE TEMP TABLE Candidats (NumFichier INTEGER PRIMARY KEY)"))) {
        error = db.lastError();
        return false;
    }
    db::BulkInsert insert = db.prepareInsert(QStringLiteral("Candidats"), {QStringLiteral("NumFichier")});
    for (const qint64 number : numbers)
        if (!insert.insert({number})) {
            error = insert.error();
            return false;
        }
    db::Recordset rows = db.openRecordset(QString::fromLatin1(kCandidateRows));
    for (; rows.ok() && !rows.eof(); rows.moveNext())
        files.append(candidateOf(rows));
    error = rows.error();
    rows.close();
    db.execute(QStringLiteral("DROP TABLE temp.Candidats"));
    return error.isEmpty();
}

} // namespace

bool findDuplicates(db::Database& db, const DuplicateSearch& search, QList<DuplicateGroup>& groups,
                    QString& error) {
    groups.clear();
    QList<qint64> numbers;
    QList<Candidate> files;
    if (!duplicateCandidates(db, search, numbers, error) ||
        (!numbers.isEmpty() && !readCandidates(db, numbers, files, error)))
        return false;
    groups = groupsOf(files, search.basis);
    return true;
}

QString duplicateGroupText(const DuplicateGroup& group) {
    QString same;
    switch (group.link) {
    case DuplicateGroup::Link::Crc:
        same = QStringLiteral("même taille et même CRC (%1)").arg(group.crc);
        break;
    case DuplicateGroup::Link::Name:
        same = QStringLiteral("même taille et même nom");
        break;
    case DuplicateGroup::Link::CrcOrName:
        same = QStringLiteral("même taille, et même CRC ou même nom");
        break;
    }
    return QStringLiteral("%1 de %2, %3, %4 en double")
        .arg(filesPhrase(group.files.size()), sizePhrase(group.size, false), same,
             sizePhrase(group.wastedBytes(), false));
}

QString duplicatesSummary(const QList<DuplicateGroup>& groups) {
    if (groups.isEmpty())
        return QStringLiteral("Aucun doublon");
    qint64 files = 0;
    qint64 wasted = 0;
    for (const DuplicateGroup& g : groups) {
        files += g.files.size();
        wasted += g.wastedBytes();
    }
    return QStringLiteral("%1, %2, %3 en double")
        .arg(countText(groups.size(), QStringLiteral("# groupe de doublons"),
                       QStringLiteral("# groupes de doublons")),
             filesPhrase(files, PhraseCase::Lower), sizePhrase(wasted, false));
}

} // namespace velmar
