// The exploration window over folders served as volumes, into a real
// collection file, clicked as a user would; the rows are read back with SQL.

#include "app/files.h"
#include "app/session.h"
#include "explore/drive_panel.h"
#include "explore/probe_analysis.h"
#include "store/catalogue_writer.h"
#include "store/model_database.h"
#include "support/fake_platform.h"
#include "support/named_widget.h"
#include "support/query_rows.h"
#include "support/scripted_dialogs.h"
#include "ui/frm_exploration.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>
#include <memory>

using namespace velmar;

class ExplorationWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir app;
    std::unique_ptr<QTemporaryDir> medium;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
    std::unique_ptr<test::FakePlatform> platform;
    db::Database database;
    std::unique_ptr<CatalogueWriter> writer;
    ProbeAnalysis analysis;
    std::unique_ptr<ui::frmExploration> window;

    template <typename T> T* find(const QString& name) { return test::namedWidget<T>(window.get(), name); }
    QString text(const QString& label) { return find<QLabel>(label)->text(); }
    // Pressed on its left, where a check box or an option button has its mark.
    void click(const QString& name) {
        auto* button = find<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    void tick(const QString& box, bool ticked) {
        if (find<QAbstractButton>(box)->isChecked() != ticked)
            click(box);
    }
    // The parameters panel as the user leaves it, then "Continuer >", the name and "Explorer !".
    void explore(const QString& supportName = QStringLiteral("Disque")) {
        click(QStringLiteral("cmdContinuerExplo"));
        auto* name = find<QLineEdit>(QStringLiteral("txtNomNouveauSupport"));
        name->clear();
        QTest::keyClicks(name, supportName);
        click(QStringLiteral("cmdExplorer"));
    }
    void deepExploration(bool infos, bool crc) {
        click(QStringLiteral("TypeExploration_1"));
        tick(QStringLiteral("chkLireTXT"), infos);
        tick(QStringLiteral("chkCalculeCRC"), crc);
    }
    // Does `action` at the first turn of the event loop where `when` holds, a
    // confirmation answered `answer`.
    void actWhen(std::function<bool()> when, int answer, std::function<void()> action) {
        auto* poll = new QTimer(window.get());
        poll->setInterval(0);
        connect(poll, &QTimer::timeout, window.get(), [this, poll, when, answer, action] {
            if (!when())
                return;
            poll->stop();
            dialogs->answerQuestions({answer});
            action();
        });
        poll->start();
    }
    // Presses "Arrêter" at the first turn of the event loop where `when` holds,
    // the confirmation answered `answer`.
    void pressStopWhen(std::function<bool()> when, int answer) {
        actWhen(when, answer, [this] { click(QStringLiteral("cmdArretExploration")); });
    }
    // The window shows the name being read at a paced rate, but each
    // percentage as soon as it is reached, between two directories.
    bool atPercentage(const QString& phase, const QString& label, const QString& percentage) {
        return text(QStringLiteral("Label39")) == phase && text(label) == percentage;
    }

    QString path(const QString& relative) const { return medium->filePath(relative); }
    void directory(const QString& relative) { QVERIFY(QDir().mkpath(path(relative))); }
    void file(const QString& relative, const QByteArray& content = "abc") {
        directory(QFileInfo(relative).path());
        QFile f(path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    // Each row of the query as its fields joined by '|'.
    QStringList rows(const QString& sql) { return test::queryRows(database, sql); }
    QStringList directoryRows() {
        return rows("SELECT RepertoireParent, RepertoireSeul, NumRepertoireParent FROM Repertoires "
                    "ORDER BY NumRepertoire");
    }
    QStringList fileNames() { return rows("SELECT Fichier FROM Fichiers ORDER BY Fichier"); }
    QString fileField(const QString& field, const QString& name) {
        return rows("SELECT " + field + " FROM Fichiers WHERE Fichier = \"" +
                    QString(name).replace('"', "\"\"") + "\"")
            .value(0, "<no row>");
    }
    QString supportTotals() { return rows("SELECT NbFichiersSupport, TailleSupport FROM Supports").value(0); }

    // The offscreen platform warns at every relayout of the progress panel.
    static void dropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("propagateSizeHints")))
            previousHandler(type, context, text);
    }
    static inline QtMessageHandler previousHandler = nullptr;

private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(dropSizeHintWarnings); }
    void init() {
        session().paths = DataLayout(app.path());
        const DataLayout& p = session().paths;
        QDir().mkpath(p.tmpDir);
        QDir().mkpath(p.dataDir + "Ini");
        QDir().mkpath(p.dataDir + "Base");
        writeTextLines(p.ignoredDirsFile, {"Temp"});
        writeTextLines(p.ignoredExtsFile, {"BAK", "~*"});
        writeTextLines(p.analysedTypesFile, {"TXT#TEXTE#OUI", "JPEG#AUTO#OUI"});
        QString error;
        QVERIFY2(createModelDatabase(p.collectionFile(1), error), qPrintable(error));
        QVERIFY(database.open(p.collectionFile(1)));
        writer = std::make_unique<CatalogueWriter>(database);
        medium = std::make_unique<QTemporaryDir>();
        dialogs = std::make_unique<test::ScriptedDialogs>();
        platform = std::make_unique<test::FakePlatform>();
        platform->addVolume(medium->path(), "MEDIUM", 0x1234);
        const QList<SupportType> types = {{1, {}, "Amovible", "AMOVIBLE"}, {2, {}, "Fixe", "FIXE"}};
        window = std::make_unique<ui::frmExploration>(*writer, analysis, types, QMap<QString, QIcon>());
        window->show();
    }
    void cleanup() {
        window.reset();
        writer.reset();
        database.close();
        QFile::remove(session().paths.collectionFile(1));
        platform.reset();
        dialogs.reset();
        medium.reset();
    }

    void theProgressKeepsOneSizeAndCaptionsEveryCounter() {
        for (int i = 0; i < 40; ++i)
            file(QString("dossier %1/fichier.txt").arg(i));
        file(QString(150, 'r') + "/" + QString(200, 'n') + ".txt");
        QList<QSize> sizes;
        auto* watch = new QTimer(window.get());
        watch->setInterval(0);
        connect(watch, &QTimer::timeout, window.get(), [&] {
            if (find<QWidget>("ssExploEnCours")->isVisible())
                sizes << window->size();
        });
        watch->start();
        explore();
        QVERIFY(sizes.size() > 2);
        for (const QSize& size : sizes)
            QCOMPARE(size, sizes.first());

        auto* grid = qobject_cast<QGridLayout*>(find<QWidget>("ssExploEnCours")->layout());
        QVERIFY(grid);
        for (const char* counter :
             {"lblRepAjoute", "lblRepertoireExclus", "lblFichierTrouve", "lblInfoTaille",
              "lblFichierProgramme", "lblFichierArchive", "lblFichierAssocie", "lblFichierExclu"}) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(grid->indexOf(find<QLabel>(counter)), &row, &column, &rowSpan, &columnSpan);
            QVERIFY2(column > 0, counter);
            auto* caption = qobject_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget());
            QVERIFY2(caption && caption->text().endsWith(" :"), counter);
        }
    }

    void theRowsOfAMediumHoldingAThatHoldsB() {
        directory("A/B");
        explore();
        QCOMPARE(directoryRows(), QStringList({"||0", "|A|0", "A|B|2"}));
        QCOMPARE(rows("SELECT NomSupport, Identifiant, TypeSupport FROM Supports"),
                 QStringList({"Disque|4660|1"}));
        QCOMPARE(text("Label7"), QString("100 %"));
        QCOMPARE(text("lblRepAjoute"), QString("3 répertoires"));
        QVERIFY(dialogs->messages().isEmpty());
    }

    void anIgnoredNameGoesAtAnyDepthWithItsSubtree() {
        directory("temp/inner");
        file("Docs/TEMP/deep/lost.txt");
        file("Docs/kept.txt");
        file("Docs/Temporaire/also kept.txt");
        explore();
        QCOMPARE(directoryRows(), QStringList({"||0", "|Docs|0", "Docs|Temporaire|2"}));
        QCOMPARE(fileNames(), QStringList({"also kept.txt", "kept.txt"}));
        QCOMPARE(text("lblRepertoireExclus"), QString("4 répertoires exclus"));
    }

    void whatEachKindOfExplorationStores_data() {
        QTest::addColumn<bool>("deep");
        QTest::addColumn<bool>("infos");
        QTest::addColumn<bool>("crc");
        QTest::addColumn<QString>("textInfos");
        QTest::addColumn<QString>("textCrc");
        QTest::newRow("quick, after ticking both") << false << true << true << ""
                                                   << "";
        QTest::newRow("deep, information texts") << true << true << false << "Bonjour tout le monde"
                                                 << "";
        QTest::newRow("deep, CRC") << true << false << true << ""
                                   << "8CCF7793";
        QTest::newRow("deep, both") << true << true << true << "Bonjour tout le monde"
                                    << "8CCF7793";
    }
    void whatEachKindOfExplorationStores() {
        QFETCH(bool, deep);
        QFETCH(bool, infos);
        QFETCH(bool, crc);
        QFETCH(QString, textInfos);
        QFETCH(QString, textCrc);
        file("notes.txt", "Bonjour tout le monde");
        QVERIFY(QImage(16, 8, QImage::Format_RGB32).save(path("photo.jpeg"), "JPEG"));
        file("copie.backup");
        file("old.bak");
        deepExploration(infos, crc);
        if (!deep)
            click(QStringLiteral("TypeExploration_0"));
        explore();
        QCOMPARE(fileNames(), QStringList({"copie.backup", "notes.txt", "photo.jpeg"}));
        QCOMPARE(fileField("Infos", "notes.txt"), textInfos);
        QCOMPARE(fileField("CRC", "notes.txt"), textCrc);
        QCOMPARE(fileField("Infos", "photo.jpeg").isEmpty(), !(deep && infos));
        QCOMPARE(fileField("CRC", "photo.jpeg").size(), deep && crc ? 8 : 0);
        QCOMPARE(fileField("Extension", "photo.jpeg"), QString("JPEG"));
        QCOMPARE(fileField("Extension", "copie.backup"), QString("BACKU"));
        QCOMPARE(fileField("Infos", "copie.backup"), QString());
        QCOMPARE(text("lblFichierExclu"), QString("1 fichier exclu"));
        QCOMPARE(text("lblFichierAssocie"), QString("3 fichiers associés ajoutés"));
    }

    // A chain of directories, so that the walk's order does not hang on the
    // order the file system lists siblings in. Of its six directories, "a" is
    // done at 33 % and "a/b/c" at 66 %.
    void aStopDuringTheDirectoryPhaseKeepsTheDirectoriesStored() {
        file("a/b/c/d/e/x.txt");
        const QString phase = "Analyse des répertoires";
        pressStopWhen([=, this] { return atPercentage(phase, "Label7", "33 %"); }, MessageAnswer::No);
        pressStopWhen([=, this] { return atPercentage(phase, "Label7", "66 %"); }, MessageAnswer::Yes);
        explore();
        QCOMPARE(dialogs->messageTexts(),
                 QStringList(2, "Êtes-vous sûr(e) d'arrêter l'exploration de ce support ?"));
        QCOMPARE(directoryRows(), QStringList({"||0", "|a|0", "a|b|2", "a\\b|c|3"}));
        QVERIFY(fileNames().isEmpty());
        QCOMPARE(supportTotals(), QString("0|0"));
        QVERIFY(!find<QAbstractButton>(QStringLiteral("cmdArretExploration"))->isEnabled());
    }

    void aStopDuringTheFilePhaseKeepsTheFilesStoredAndTheirTotals() {
        file("a/one.txt", QByteArray(10, 'x'));
        file("a/two.txt", QByteArray(20, 'x'));
        file("a/b/three.txt", QByteArray(40, 'x'));
        file("a/b/c/four.txt", QByteArray(80, 'x'));
        // Records 1 and 2 are in "a", record 3 in "a/b": entering it shows 75 %.
        pressStopWhen([this] { return atPercentage("Analyse des fichiers", "Label18", "75 %"); },
                      MessageAnswer::Yes);
        explore();
        QCOMPARE(directoryRows().size(), 4);
        // The file being read when the stop came is finished, the next is not begun.
        QCOMPARE(fileNames(), QStringList({"one.txt", "three.txt", "two.txt"}));
        QCOMPARE(supportTotals(), QString("3|70"));
    }

    // The title bar's close button (a close event, as the window manager
    // sends) asks what "Arrêter" asks: answered No, the exploration goes on to
    // its end; Yes stops it as "Arrêter" does. The window closes at the end.
    void theCloseButtonAsksAsArreterDoes_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("totals");
        QTest::newRow("Non") << int(MessageAnswer::No)
                             << QStringList({"four.txt", "one.txt", "three.txt", "two.txt"}) << "4|150";
        QTest::newRow("Oui") << int(MessageAnswer::Yes) << QStringList({"one.txt", "three.txt", "two.txt"})
                             << "3|70";
    }
    void theCloseButtonAsksAsArreterDoes() {
        QFETCH(int, answer);
        file("a/one.txt", QByteArray(10, 'x'));
        file("a/two.txt", QByteArray(20, 'x'));
        file("a/b/three.txt", QByteArray(40, 'x'));
        file("a/b/c/four.txt", QByteArray(80, 'x'));
        actWhen([this] { return atPercentage("Analyse des fichiers", "Label18", "75 %"); }, answer,
                [this] { window->close(); });
        explore();
        QCOMPARE(dialogs->messageTexts(),
                 QStringList({"Êtes-vous sûr(e) d'arrêter l'exploration de ce support ?"}));
        QTEST(fileNames(), "stored");
        QTEST(supportTotals(), "totals");
        QVERIFY(!window->isVisible());
    }

    void namesHoldingDoubleQuotes() {
        file("dir \"x\"/say \"hi\".txt");
        file("\"quoted.txt\"");
        explore("Disque \"A\"");
        QCOMPARE(rows("SELECT NomSupport FROM Supports"), QStringList({"Disque \"A\""}));
        QCOMPARE(directoryRows(), QStringList({"||0", "|dir \"x\"|0"}));
        QCOMPARE(rows("SELECT Fichier, Extension, NumRepertoire FROM Fichiers ORDER BY Fichier"),
                 QStringList({"\"quoted.txt\"|TXT|1", "say \"hi\".txt|TXT|2"}));
        QVERIFY(dialogs->messages().isEmpty());
    }

    void aSparseFileOfThreeGibibytesKeepsItsExactSize() {
        constexpr qint64 threeGiB = 3LL << 30;
        QFile sparse(path("disque.img"));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(threeGiB));
        sparse.close();
        file("petit.txt", "12345");
        explore();
        QCOMPARE(fileField("Taille", "disque.img"), QString::number(threeGiB));
        QCOMPARE(supportTotals(), "2|" + QString::number(threeGiB + 5));
    }

    void namesAndPathsTooLongForTheRecordAreLeftOut() {
        // The record holds a name of 200 bytes and a directory of 400, its
        // trailing separator included.
        const QString fits = nestedDirectoryOfLength(400, 'p');
        const QString tooLong = nestedDirectoryOfLength(401, 'q');
        file(fits + "/in fitting dir.txt");
        file(tooLong + "/in long dir.txt");
        const QString name200 = QString(196, 'n') + ".txt";
        file(name200);
        file(QString(197, 'm') + ".txt");
        explore();
        QCOMPARE(fileNames(), QStringList({"in fitting dir.txt", name200}));
        QCOMPARE(rows("SELECT COUNT(*) FROM Repertoires WHERE RepertoireSeul LIKE \"q*\"").value(0),
                 QString::number(tooLong.count('/') + 1));
        QVERIFY(dialogs->messages().isEmpty());
    }

    void anUnreadableFileIsStoredWithoutContent() {
        file("secret.txt", "Bonjour tout le monde");
        file("fine.txt", "Bonjour tout le monde");
        QFile::setPermissions(path("secret.txt"), QFileDevice::Permissions());
        if (QFile(path("secret.txt")).open(QIODevice::ReadOnly))
            QSKIP("this user reads files whatever their permissions (root)");
        deepExploration(true, true);
        explore();
        QCOMPARE(fileNames(), QStringList({"fine.txt", "secret.txt"}));
        QCOMPARE(fileField("Taille", "secret.txt"), QString("21"));
        QCOMPARE(fileField("Infos", "secret.txt"), QString());
        QCOMPARE(fileField("CRC", "secret.txt"), QString());
        QCOMPARE(fileField("CRC", "fine.txt"), QString("8CCF7793"));
    }

    void symbolicLinkLoopsAreRecordedAsFilesAndNotFollowed() {
        directory("a");
        QVERIFY(QFile::link("..", path("a/up")));
        QVERIFY(QFile::link(path("self"), path("self")));
        QVERIFY(QFile::link("/nonexistent/target", path("a/gone")));
        deepExploration(true, true);
        explore();
        QCOMPARE(directoryRows(), QStringList({"||0", "|a|0"}));
        QCOMPARE(rows("SELECT Fichier, Taille, CRC FROM Fichiers ORDER BY Fichier"),
                 QStringList({"gone|0|", "self|0|", "up|0|"}));
    }

    void aFolderOfTenThousandSubdirectories() {
        for (int i = 0; i < 10000; ++i)
            QVERIFY(QDir().mkdir(path(QString("sous-dossier%1").arg(i))));
        file("sous-dossier9999/dernier.txt");
        explore();
        QCOMPARE(rows("SELECT COUNT(*) FROM Repertoires WHERE RepertoireParent = \"\" AND "
                      "NumRepertoireParent = 0"),
                 QStringList({"10001"}));
        QCOMPARE(rows("SELECT RepertoireSeul FROM Repertoires INNER JOIN Fichiers ON "
                      "Fichiers.NumRepertoire = Repertoires.NumRepertoire"),
                 QStringList({"sous-dossier9999"}));
        QCOMPARE(text("lblRepAjoute"), QString("10001 répertoires"));
        QCOMPARE(text("Label18"), QString("100 %"));
    }

    // What the exploration tells the window, straight to its labels: a
    // counter is written only when the call names it, and the counts that
    // start blank or "-" keep that text while they are zero.
    void eachCallFillsItsLabels() {
        window->phasesStarting();
        QCOMPARE(text("lblInfoTaille"), QString("Non calculé"));
        QCOMPARE(text("Label18"), QString("0 %"));
        using Shown = QList<std::pair<const char*, QString>>;
        const struct {
            std::function<void(ui::frmExploration&)> call;
            Shown shown;
        } cases[] = {
            {[](auto& w) { w.showPhase(ExplorationPhase::ListingDirectories); },
             Shown{{"Label39", "Analyse des répertoires"},
                   {"Label38", "Génération de la liste des répertoires"}}},
            {[](auto& w) { w.showPhase(ExplorationPhase::ReadingDirectories); },
             Shown{{"Label38", "Répertoire scanné :"}}},
            {[](auto& w) { w.showCurrentDirectory("/media/cd/Docs/"); },
             Shown{{"RepertoireActuel", "/media/cd/Docs/"}}},
            {[](auto& w) { w.showDirectoryProgress(PhaseProgress::at(42)); }, Shown{{"Label7", "42 %"}}},
            {[](auto& w) { w.showPhase(ExplorationPhase::ReadingFiles); },
             Shown{{"Label39", "Analyse des fichiers"}, {"Label38", ""}}},
            {[](auto& w) { w.showCurrentFile("notes.txt", FileStep::Recording); },
             Shown{{"Label38", "notes.txt"}}},
            {[](auto& w) { w.showCurrentFile("notes.txt", FileStep::ComputingCrc); },
             Shown{{"Label38", "CRC de notes.txt"}}},
            {[](auto& w) { w.showFileProgress(PhaseProgress::at(7)); },
             Shown{{"Label18", "7 %"}, {"Label7", "42 %"}}},
        };
        for (const auto& c : cases) {
            c.call(*window);
            for (const auto& [label, shown] : c.shown)
                QCOMPARE(text(label), shown);
        }

        ExplorationCounters counters;
        counters.listedDirectories = 1;
        counters.archives = 2;
        counters.unreadable = 1;
        counters.longPaths = 3;
        window->showCounters(counters, kFileKinds | Counter::FilesFound | Counter::TotalSize |
                                           Counter::ListedDirectories);
        const Shown labels = {
            {"lblRepAjoute", "1 répertoire"},
            {"lblFichierTrouve", "0 fichier"},
            {"lblInfoTaille", "0 octet"},
            {"lblFichierArchive", "2 archives ajoutées"},
            {"lblFichierIllisible", "1 fichier illisible"},
            {"lblFichierProgramme", "-"},
            {"lblFichierLaisse", ""},
            {"lblCheminTropLong", ""}, // not named by the call
        };
        for (const auto& [label, shown] : labels)
            QCOMPARE(text(label), shown);
    }

private:
    // A directory below the medium whose native path, with its trailing
    // separator, is `length` bytes long, made of components of `letter`.
    QString nestedDirectoryOfLength(int length, char letter) const {
        qsizetype left = length - (medium->path().size() + 1) - 1;
        QStringList components;
        while (left > 200) {
            components << QString(199, letter);
            left -= 200;
        }
        components << QString(left, letter);
        return components.join('/');
    }

private slots:
    // The update opens on the folder the support was explored from.
    void anUpdateOpensOnTheFolderOfTheSupport() {
        file("a/b/c/x.txt");
        SupportMedium medium;
        medium.name = "Disque";
        medium.serial = serialText(0x1234);
        medium.startPath = "a\\b\\c";
        // As the main window does: the update is set before the window shows.
        window = std::make_unique<ui::frmExploration>(*writer, analysis, QList<SupportType>(),
                                                      QMap<QString, QIcon>());
        window->setUpdate(medium, *writer);
        window->show();
        auto* folders = find<QTreeView>("Dir1");
        const auto shownFolder = [folders] {
            return static_cast<QFileSystemModel*>(folders->model())->filePath(folders->currentIndex());
        };
        QTRY_COMPARE(shownFolder(), path("a/b/c"));
        QTRY_VERIFY(folders->isExpanded(folders->currentIndex().parent()));
    }

    // The window of an update skips the new support's panel: "Mettre à jour !"
    // runs it, and the end says what changed.
    void anUpdateSaysWhatChangedOrThatNothingDid() {
        file("kept.txt");
        file("gone.txt");
        explore();
        file("added.txt");
        QVERIFY(QFile::remove(path("gone.txt")));
        const auto update = [this] {
            window = std::make_unique<ui::frmExploration>(*writer, analysis, QList<SupportType>(),
                                                          QMap<QString, QIcon>());
            SupportMedium disque;
            QVERIFY(readSupportMedium(database, 1, disque));
            window->setUpdate(disque, *writer);
            window->show();
            QCOMPARE(find<QAbstractButton>("cmdContinuerExplo")->text(), QString("Mettre à jour !"));
        };
        update();
        // Stopped in the file phase: the support stays as it was.
        pressStopWhen([this] { return text("Label39") == "Analyse des fichiers"; }, MessageAnswer::Yes);
        click("cmdContinuerExplo");
        QCOMPARE(fileNames(), QStringList({"gone.txt", "kept.txt"}));
        QCOMPARE(dialogs->messageTexts().last(),
                 QString("La mise à jour a été arrêtée : le support « Disque » n'a pas été modifié."));

        update();
        click("cmdContinuerExplo");
        QCOMPARE(fileNames(), QStringList({"added.txt", "kept.txt"}));
        QCOMPARE(dialogs->messageTexts().last(),
                 QString("Le support « Disque » est à jour : 1 ajouté, 0 modifié, 1 supprimé, 1 inchangé."));
        QCOMPARE(rows("SELECT NomSupport, NbFichiersSupport FROM Supports"), QStringList({"Disque|2"}));
    }
};

QTEST_MAIN(ExplorationWindowTest)
#include "exploration_window_test.moc"
