#include "store/duplicate_candidates.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace velmar {

namespace {

struct FileKeys {
    qint64 file;
    size_t crcKey;
    size_t nameKey;
    bool hasCrc;
};

FileKeys keysOf(const db::Recordset& row) {
    const qint64 size = row.field(1).toNumber();
    const QString crc = row.field(2).toText().toUpper();
    return {row.field(0).toNumber(), qHashMulti(0, size, crc),
            qHashMulti(0, size, catalogueNameKey(row.field(3).toText())), !crc.isEmpty()};
}

// For each file, whether another file in `files` has the same key; only the
// files `takesPart` accepts count. A sort and a walk over its runs: at a
// million files far quicker than a hash table, whose every probe misses the
// processor's caches. `linkRun` may veto a run (given its members).
template <typename Key, typename Takes, typename Veto>
std::vector<char> sharedKeys(const std::vector<FileKeys>& files, Key key, Takes takesPart, Veto linkRun) {
    std::vector<qsizetype> order;
    order.reserve(files.size());
    for (qsizetype i = 0; i < qsizetype(files.size()); ++i)
        if (takesPart(files[i]))
            order.push_back(i);
    std::sort(order.begin(), order.end(),
              [&](qsizetype a, qsizetype b) { return key(files[a]) < key(files[b]); });
    std::vector<char> shared(files.size(), 0);
    for (size_t begin = 0, end = 0; begin < order.size(); begin = end) {
        for (end = begin + 1; end < order.size() && key(files[order[end]]) == key(files[order[begin]]);)
            ++end;
        if (end - begin > 1 && linkRun(order.begin() + begin, order.begin() + end))
            for (size_t i = begin; i < end; ++i)
                shared[order[i]] = 1;
    }
    return shared;
}

std::vector<char> candidatesOf(const std::vector<FileKeys>& files, DuplicateBasis basis) {
    const auto crcKey = [](const FileKeys& f) { return f.crcKey; };
    const auto nameKey = [](const FileKeys& f) { return f.nameKey; };
    const auto withCrc = [](const FileKeys& f) { return f.hasCrc; };
    const auto all = [](const FileKeys&) { return true; };
    const auto anyRun = [](auto, auto) { return true; };
    // Files that all have a CRC are told apart by it, not by their names.
    const auto oneWithoutCrc = [&](auto begin, auto end) {
        return basis == DuplicateBasis::Name ||
               std::any_of(begin, end, [&](qsizetype i) { return !files[size_t(i)].hasCrc; });
    };
    std::vector<char> byCrc = basis == DuplicateBasis::Name ? std::vector<char>(files.size(), 0)
                                                            : sharedKeys(files, crcKey, withCrc, anyRun);
    if (basis != DuplicateBasis::Crc) {
        const std::vector<char> byName = sharedKeys(files, nameKey, all, oneWithoutCrc);
        for (size_t i = 0; i < files.size(); ++i)
            byCrc[i] = byCrc[i] || byName[i];
    }
    return byCrc;
}

} // namespace

QString catalogueNameKey(const QString& name) {
    QString folded = name;
    for (QChar& c : folded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return folded;
}

bool duplicateCandidates(db::Database& db, const DuplicateSearch& search, QList<qint64>& files,
                         QString& error) {
    files.clear();
    std::vector<FileKeys> all;
    db::Recordset rows =
        db.openRecordset(QStringLiteral("SELECT NumFichier, Taille, CRC, Fichier FROM Fichiers "
                                        "WHERE Fichier<>'' AND Taille>=?"),
                         {search.minimumSize});
    for (; rows.ok() && !rows.eof(); rows.moveNext())
        all.push_back(keysOf(rows));
    if (!rows.ok()) {
        error = rows.error();
        return false;
    }
    const std::vector<char> candidate = candidatesOf(all, search.basis);
    for (size_t i = 0; i < all.size(); ++i)
        if (candidate[i])
            files.append(all[i].file);
    return true;
}

} // namespace velmar
