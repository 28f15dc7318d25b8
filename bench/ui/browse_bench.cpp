// The main window over a generated collection of 1,000,000 files on 100
// supports: opening the collection with its tree, a name search filling its
// first 1000 lines, and a click on a directory of 10,000 files. Offscreen.
//
//   build-gui/browse_bench [--benchmark_repetitions=5]
// The collection is generated once under $TMPDIR/velmar-browse-bench.

#include "app/session.h"
#include "store/db/database.h"
#include "store/db/name_index.h"
#include "store/db/statistics.h"
#include "store/db/transaction.h"
#include "store/model_database.h"
#include "ui/frm_principal.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QPushButton>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

using namespace velmar;

namespace {

constexpr int kSupports = 100;
constexpr int kTopDirectories = 10;
constexpr int kSubdirectories = 10;
constexpr int kFilesPerSupport = 10000;
// Support 1 keeps all its files in one directory: the list to fill.
const QString kBigDirectory = QStringLiteral("Dossier0");

const QString kWords[] = {QStringLiteral("rapport"), QStringLiteral("photo"),  QStringLiteral("extrait"),
                          QStringLiteral("musique"), QStringLiteral("texte"),  QStringLiteral("fichier"),
                          QStringLiteral("index"),   QStringLiteral("facture")};
const QString kExtensions[] = {QStringLiteral("TXT"), QStringLiteral("JPG"), QStringLiteral("MP3"),
                               QStringLiteral("PDF"), QStringLiteral("EXE"), QStringLiteral("ZIP")};

QString benchDir() {
    return QDir::tempPath() + QStringLiteral("/velmar-browse-bench/");
}

bool fillSupport(db::Database& db, int s) {
    db::BulkInsert dirs =
        db.prepareInsert(QStringLiteral("Repertoires"),
                         {QStringLiteral("NumSupport"), QStringLiteral("RepertoireParent"),
                          QStringLiteral("RepertoireSeul"), QStringLiteral("NumRepertoireParent")});
    db::BulkInsert files =
        db.prepareInsert(QStringLiteral("Fichiers"),
                         {QStringLiteral("NumSupport"), QStringLiteral("NumRepertoire"),
                          QStringLiteral("Fichier"), QStringLiteral("Extension"), QStringLiteral("Taille"),
                          QStringLiteral("DerniereModif"), QStringLiteral("Infos")});
    if (!dirs.insert({s, QString(), QString(), 0}))
        return false;
    QList<qint64> leaves;
    for (int t = 0; t < kTopDirectories; ++t) {
        const QString top = QStringLiteral("Dossier%1").arg(t);
        if (!dirs.insert({s, QString(), top, 0}))
            return false;
        const qint64 topNumber = dirs.lastInsertId();
        if (s == 1 && top == kBigDirectory)
            leaves = {topNumber};
        for (int d = 0; d < kSubdirectories; ++d) {
            if (!dirs.insert({s, top, QStringLiteral("Sous%1").arg(d), topNumber}))
                return false;
            if (s != 1)
                leaves << dirs.lastInsertId();
        }
    }
    for (int f = 0; f < kFilesPerSupport; ++f) {
        const QString& ext = kExtensions[f % 6];
        const QString name =
            kWords[(f / 6) % 8] + QStringLiteral("_%1.").arg(f, 5, 10, QChar('0')) + ext.toLower();
        if (!files.insert({s, leaves[f % leaves.size()], name, ext, 1000 + f,
                           QStringLiteral("2026-01-01 10:00:00"), QString()}))
            return false;
    }
    return true;
}

bool generate() {
    const QString base = benchDir() + QStringLiteral("Data/Base/");
    if (QFileInfo::exists(base + QStringLiteral("Compil1.mdb")))
        return true;
    QDir().mkpath(base);
    QDir().mkpath(benchDir() + QStringLiteral("Data/Ini"));
    QString error;
    if (!createModelDatabase(base + QStringLiteral("Base.mdb"), error) ||
        !QFile::copy(base + QStringLiteral("Base.mdb"), base + QStringLiteral("Compil1.tmp")))
        return false;
    db::Database db;
    // The name index is filled once at the end, as an exploration does.
    if (!db.open(base + QStringLiteral("Compil1.tmp")) || !db::deferNameIndex(db))
        return false;
    for (int s = 1; s <= kSupports; ++s) {
        db::Transaction t(db);
        if (!db.execute(
                QStringLiteral("INSERT INTO Supports (NomSupport, TypeSupport, NbFichiersSupport) VALUES "
                               "(\"Support %1\", 2, %2)")
                    .arg(s, 3, 10, QChar('0'))
                    .arg(kFilesPerSupport)) ||
            !fillSupport(db, s) || !t.commit())
            return false;
    }
    if (!db::catchUpNameIndex(db) || !db::refreshPlannerStatistics(db))
        return false;
    db.close();
    QFile registry(base + QStringLiteral("Collections.dat"));
    return registry.open(QIODevice::WriteOnly) && registry.write("1\r\nBanc d'essai\r\n") > 0 &&
           QFile::rename(base + QStringLiteral("Compil1.tmp"), base + QStringLiteral("Compil1.mdb"));
}

// One window for every benchmark: the collection closed between runs.
ui::frmPrincipal& window() {
    static ui::frmPrincipal* w = [] {
        auto* created = new ui::frmPrincipal([](const QString&) {});
        created->resize(1280, 900);
        created->show();
        return created;
    }();
    return *w;
}

template <typename T> T* child(const char* name) {
    return window().findChild<T*>(QLatin1String(name));
}

void BM_OpenCollectionAndBuildTree(benchmark::State& state) {
    for (auto _ : state) {
        window().registry().CloseCollection();
        window().registry().openByName(QStringLiteral("Banc d'essai"));
        // The file count goes on in the background; it ends before the next
        // opening, as it would between two openings by hand.
        state.PauseTiming();
        QDeadlineTimer settle(500);
        while (!settle.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        state.ResumeTiming();
    }
    state.counters["supports"] = child<QTreeWidget>("lstRepertoires")->topLevelItemCount();
}

void BM_NameSearchFirstThousandLines(benchmark::State& state) {
    if (!window().registry().isOpen())
        window().registry().openByName(QStringLiteral("Banc d'essai"));
    auto* chooser = child<QComboBox>("cboChoixFiltre");
    chooser->setCurrentIndex(1);
    emit chooser->activated(1);
    child<QComboBox>("cboValeurFiltre")->setEditText(QStringLiteral("*x*"));
    for (auto _ : state)
        child<QPushButton>("cmdValideFiltre")->click();
    state.counters["lines"] = child<QTreeWidget>("ListeRecherche")->topLevelItemCount();
}

void BM_ClickDirectoryOfTenThousandFiles(benchmark::State& state) {
    if (!window().registry().isOpen())
        window().registry().openByName(QStringLiteral("Banc d'essai"));
    auto* tree = child<QTreeWidget>("lstRepertoires");
    QTreeWidgetItem* support = tree->topLevelItem(0);
    QTreeWidgetItem* big = nullptr;
    for (int i = 0; support && i < support->childCount(); ++i)
        if (support->child(i)->text(0) == kBigDirectory)
            big = support->child(i);
    if (!big) {
        state.SkipWithError("directory not found");
        return;
    }
    for (auto _ : state)
        emit tree->itemClicked(big, 0);
    state.counters["files"] = child<QTreeWidget>("ListeFichiers")->topLevelItemCount();
}

BENCHMARK(BM_OpenCollectionAndBuildTree)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_NameSearchFirstThousandLines)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ClickDirectoryOfTenThousandFiles)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!generate()) {
        fprintf(stderr, "could not generate the collection under %s\n", qPrintable(benchDir()));
        return 1;
    }
    session().paths = DataLayout(benchDir());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
