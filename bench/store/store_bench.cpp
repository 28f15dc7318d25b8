// The collection store on a generated collection of 1,000,000 Fichiers rows
// (two supports of 500,000 files in 1,000 directories each): opening with the
// file count, the support table, the per-support totals, and the bulk insert
// rate of the exploration's path.

#include "store/catalogue.h"
#include "store/db/database.h"
#include "store/db/transaction.h"
#include "store/model_database.h"
#include "store/registry.h"
#include "store/support_table.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace velmar {
namespace {

constexpr int supports = 2;
constexpr int directoriesPerSupport = 1000;
constexpr int filesPerDirectory = 500;
constexpr int insertBatch = 10000;

bool fillFiles(db::Database& db, int support, qint64 firstDirectory, int directories, int files) {
    db::BulkInsert insert =
        db.prepareInsert(QStringLiteral("Fichiers"),
                         {QStringLiteral("NumSupport"), QStringLiteral("NumRepertoire"),
                          QStringLiteral("Fichier"), QStringLiteral("Extension"), QStringLiteral("Taille"),
                          QStringLiteral("DerniereModif"), QStringLiteral("Infos"), QStringLiteral("CRC")});
    static const QString extensions[] = {QStringLiteral("txt"), QStringLiteral("mp3"), QStringLiteral("jpg"),
                                         QStringLiteral("exe"), QStringLiteral("zip")};
    const QString date = QStringLiteral("2001-06-21 12:00:00");
    qint64 row = 0;
    for (int d = 0; d < directories; ++d) {
        db::Transaction batch(db);
        for (int f = 0; f < files; ++f, ++row) {
            const QString& ext = extensions[row % 5];
            if (!insert.insert({support, firstDirectory + d, QStringLiteral("fichier%1.").arg(row) + ext, ext,
                                (row * 7919) % 5'000'000, date, QString(), QStringLiteral("1234ABCD")}))
                return false;
        }
        if (!batch.commit())
            return false;
    }
    return true;
}

// The generated data directory, built once for every benchmark.
class GeneratedCollection {
public:
    GeneratedCollection() {
        paths = StorePaths::fromDataDir(dir.path() + QStringLiteral("/Data/"));
        QString error;
        ok = QDir().mkpath(paths.baseDir()) && createModelDatabase(paths.modelFile(), error);
        CollectionsRegistry registry(paths);
        ok = ok && registry.LoadRegistry() && registry.createCollection(QStringLiteral("Banc d'essai"));
        db::Database& db = registry.database();
        for (int s = 1; ok && s <= supports; ++s) {
            ok = AddSupport(db, QStringLiteral("Support %1").arg(s), QStringLiteral("E"), 1, s);
            db::BulkInsert dirs =
                db.prepareInsert(QStringLiteral("Repertoires"),
                                 {QStringLiteral("NumSupport"), QStringLiteral("RepertoireParent"),
                                  QStringLiteral("RepertoireSeul"), QStringLiteral("NumRepertoireParent")});
            db::Transaction batch(db);
            qint64 first = 0;
            for (int d = 0; ok && d < directoriesPerSupport; ++d) {
                ok = dirs.insert({s, QString(), QStringLiteral("Rep%1").arg(d), 0});
                if (d == 0)
                    first = dirs.lastInsertId();
            }
            ok = ok && batch.commit() && fillFiles(db, s, first, directoriesPerSupport, filesPerDirectory) &&
                 UpdateSupportTotals(db, QString(), s);
        }
        registry.CloseCollection();
    }
    QTemporaryDir dir;
    StorePaths paths;
    bool ok = false;
};

GeneratedCollection& generated() {
    static GeneratedCollection collection;
    return collection;
}

void BM_OpenCollectionAndCount(benchmark::State& state) {
    GeneratedCollection& data = generated();
    if (!data.ok) {
        state.SkipWithError("generation failed");
        return;
    }
    CollectionsRegistry registry(data.paths);
    registry.LoadRegistry();
    for (auto _ : state) {
        registry.OpenCollection(1);
        benchmark::DoNotOptimize(CountCatalogueFiles(registry.database()));
        registry.CloseCollection();
    }
}
BENCHMARK(BM_OpenCollectionAndCount)->Unit(benchmark::kMillisecond);

void BM_OpenCollectionCountAndSupportTable(benchmark::State& state) {
    GeneratedCollection& data = generated();
    CollectionsRegistry registry(data.paths);
    registry.LoadRegistry();
    QList<SupportRow> rows;
    for (auto _ : state) {
        registry.OpenCollection(1);
        benchmark::DoNotOptimize(CountCatalogueFiles(registry.database()));
        Affiche_InfosSupports(registry, rows);
        registry.CloseCollection();
    }
    state.counters["supports"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_OpenCollectionCountAndSupportTable)->Unit(benchmark::kMillisecond);

void BM_UpdateSupportTotals500k(benchmark::State& state) {
    GeneratedCollection& data = generated();
    db::Database db;
    db.open(data.paths.collectionFile(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(UpdateSupportTotals(db, QString(), 1));
}
BENCHMARK(BM_UpdateSupportTotals500k)->Unit(benchmark::kMillisecond);

void BM_BulkInsertFichiers(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/bulk.mdb");
    QString error;
    createModelDatabase(path, error);
    db::Database db;
    db.open(path);
    qint64 directory = 1;
    for (auto _ : state)
        fillFiles(db, 1, directory++, 1, insertBatch);
    state.SetItemsProcessed(state.iterations() * insertBatch);
}
BENCHMARK(BM_BulkInsertFichiers)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmar

BENCHMARK_MAIN();
