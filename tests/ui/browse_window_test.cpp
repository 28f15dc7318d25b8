// The browse view, the search and the file actions of the main window, over
// collections filled by the real exploration, clicked as a user would.

#include "app/files.h"
#include "app/session.h"
#include "explore/drive_panel.h"
#include "explore/exploration.h"
#include "store/model_database.h"
#include "support/fake_platform.h"
#include "support/named_widget.h"
#include "support/quiet_exploration.h"
#include "support/scripted_dialogs.h"
#include "ui/frm_principal.h"

#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPieSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace velmar;

class BrowseWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir app;
    QTemporaryDir media;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
    std::unique_ptr<test::FakePlatform> platform;
    ui::frmPrincipal* window = nullptr;

    template <typename T> T* find(const QString& name) { return test::namedWidget<T>(window, name); }
    QString write(const QString& relative, const QByteArray& content = "contenu") {
        const QString path = media.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        f.write(content);
        return path;
    }
    // Explores media/<folder> as a support of its own, then reopens the
    // collection so that the window builds its tree as after any opening.
    void explore(const QString& folder, const QString& supportName, bool computeCrc = false) {
        ExplorationRequest request;
        request.supportName = supportName;
        request.supportType = 2;
        request.volume = platform->addVolume(media.path() + "/" + folder, supportName, qHash(supportName));
        request.startDirectory = media.path() + "/" + folder;
        request.deep = true;
        request.readInfos = true;
        request.computeCrc = computeCrc;
        QCOMPARE(test::exploreQuietly(window->registry().database(), request), ExplorationOutcome::Completed);
        reopen();
    }
    // The old double uninstalls itself, so it must go before the new one comes.
    void replacePlatform() {
        platform.reset();
        platform = std::make_unique<test::FakePlatform>();
    }
    void reopen() {
        window->registry().CloseCollection();
        QVERIFY(window->registry().openByName("Maison"));
    }
    QTreeWidgetItem* treeNode(const QString& text, QTreeWidgetItem* under = nullptr) {
        auto* tree = find<QTreeWidget>("lstRepertoires");
        const int count = under ? under->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < count; ++i) {
            QTreeWidgetItem* node = under ? under->child(i) : tree->topLevelItem(i);
            if (node->text(0) == text || node->text(0).startsWith(text + " ("))
                return node;
        }
        return nullptr;
    }
    void click(QTreeWidget* tree, QTreeWidgetItem* item) {
        QVERIFY(item);
        tree->setCurrentItem(item);
        emit tree->itemClicked(item, 0);
    }
    QTreeWidgetItem* fileLine(const QString& name) {
        auto* list = find<QTreeWidget>("ListeFichiers");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0) == name)
                return list->topLevelItem(i);
        return nullptr;
    }
    void search(int kind, const QString& value) {
        auto* chooser = find<QComboBox>("cboChoixFiltre");
        chooser->setCurrentIndex(kind);
        emit chooser->activated(kind);
        find<QComboBox>("cboValeurFiltre")->setEditText(value);
        QTest::mouseClick(find<QPushButton>("cmdValideFiltre"), Qt::LeftButton);
    }
    void trigger(const QString& action) {
        QAction* a = window->findChild<QAction*>(action);
        QVERIFY2(a, qPrintable(action));
        a->trigger();
    }
    void screenshot(const QString& name, QWidget* shown = nullptr) {
        const QString dir = qEnvironmentVariable("VELMAR_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            QVERIFY((shown ? shown : window)->grab().save(dir + "/" + name + ".png"));
    }

private slots:
    void init() {
        session().paths = DataLayout(app.path());
        const DataLayout& p = session().paths;
        QDir().mkpath(p.dataDir + "Base");
        QDir().mkpath(p.dataDir + "Ini");
        QDir().mkpath(p.tmpDir);
        writeTextLines(p.ignoredDirsFile, {});
        writeTextLines(p.ignoredExtsFile, {});
        writeTextLines(p.analysedTypesFile, {"TXT#TEXTE#OUI"});
        QFile::remove(p.modelDatabase);
        QString error;
        QVERIFY2(createModelDatabase(p.modelDatabase, error), qPrintable(error));
        dialogs = std::make_unique<test::ScriptedDialogs>();
        platform = std::make_unique<test::FakePlatform>();
        window = new ui::frmPrincipal([](const QString&) {});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->resize(1200, 800);
        window->show();
        QVERIFY(window->registry().createCollection("Maison"));
    }
    void cleanup() {
        window->registry().CloseCollection();
        delete window;
        dialogs.reset();
        platform.reset();
        QDir(session().paths.dataDir + "Base").removeRecursively();
        QDir(media.path()).removeRecursively();
        QDir().mkpath(media.path());
    }

    // Two discs holding the same photo (one with CRCs, one without) and a
    // copy under another name: the panel groups them, and a double click on a
    // file shows it in the tree and the file list.
    void duplicatesPanelGroupsCopiesAndLeadsToEach() {
        const QByteArray photo(40000, 'p');
        write("cd/Photos/plage.jpg", photo);
        write("cd/Copies/plage (2).jpg", photo);
        write("cd/unique.txt", "seul");
        write("dvd/Photos/plage.jpg", photo);
        explore("cd", "CD 1", true);
        explore("dvd", "DVD 2");
        QTest::mouseClick(find<QPushButton>("cmdOutils"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>("cmdDoublons"), Qt::LeftButton);
        QVERIFY(find<QFrame>("ssDoublons")->isVisible());
        auto* groups = find<QTreeWidget>("lstDoublons");
        QCOMPARE(groups->topLevelItemCount(), 1);
        QTreeWidgetItem* group = groups->topLevelItem(0);
        QCOMPARE(group->text(0), QString("3 fichiers de 39.06 Ko, même taille, et même CRC ou même nom, "
                                         "78.12 Ko en double"));
        QCOMPARE(group->child(0)->text(1), QString("Copies\\plage (2).jpg"));
        QCOMPARE(group->child(2)->text(0), QString("DVD 2"));
        QCOMPARE(find<QLabel>("lblResumeDoublons")->text(),
                 QString("1 groupe de doublons, 3 fichiers, 78.12 Ko en double"));
        screenshot("doublons");

        emit groups->itemDoubleClicked(group->child(2), 1);
        QCOMPARE(find<QTreeWidget>("lstRepertoires")->currentItem()->text(0), QString("Photos"));
        QCOMPARE(find<QTreeWidget>("ListeFichiers")->currentItem()->text(0), QString("plage.jpg"));

        auto* basis = find<QComboBox>("cboBaseDoublons");
        basis->setCurrentIndex(1); // CRCs only: the DVD has none
        QTest::mouseClick(find<QPushButton>("cmdChercheDoublons"), Qt::LeftButton);
        QCOMPARE(groups->topLevelItem(0)->childCount(), 2);
    }

    // "Exporter…" on a support: the file named in the save box, its format by
    // its extension, and a message saying where it went.
    void supportMenuExportsTheSupport() {
        write("cd/Docs/lettre, \"été\".txt", "Bonjour");
        explore("cd", "Courrier");
        click(find<QTreeWidget>("lstRepertoires"), treeNode("Courrier"));
        const QString file = media.path() + "/courrier.json";
        dialogs->answerInputs({file});
        trigger("mnuSupport_Exporter");
        QCOMPARE(dialogs->prompts(), QStringList{"Exporter « Courrier »"});
        QFile exported(file);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QJsonArray supports = QJsonDocument::fromJson(exported.readAll()).array();
        QCOMPARE(supports.size(), 1);
        const QJsonArray files = supports[0]["directories"][0]["files"].toArray();
        QCOMPARE(files[0]["name"].toString(), QString("lettre, \"été\".txt"));
        QCOMPARE(dialogs->messages().last().style, MessageStyle::Information);

        dialogs->answerInputs({media.path() + "/absent/courrier.csv"});
        trigger("mnuSupport_Exporter");
        QVERIFY(dialogs->messageTexts().last().startsWith("L'export n'a pas pu être fait : "));

        // The search results' own menu exports what the search found.
        search(4, "txt");
        const QString found = media.path() + "/trouves.html";
        dialogs->answerInputs({found});
        trigger("mnuRecherche_Exporter");
        QFile page(found);
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(page.readAll()).contains("lettre, &quot;été&quot;.txt"));
    }

    // The statistics panel: the space per support and per type, the largest
    // files, the total, and a chart slice per type.
    void statisticsPanelShowsWhereTheSpaceGoes() {
        write("cd/photo.jpg", QByteArray(3000, 'j'));
        write("cd/notes.txt", QByteArray(100, 't'));
        write("cd/sans extension", QByteArray(10, 'x'));
        explore("cd", "Disque");
        QTest::mouseClick(find<QPushButton>("cmdOutils"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>("cmdStatistiques"), Qt::LeftButton);
        QVERIFY(find<QFrame>("ssStatistiques")->isVisible());
        auto* list = find<QTreeWidget>("lstStatistiques");
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->child(0)->text(0), QString("Disque"));
        QCOMPARE(list->topLevelItem(0)->child(0)->text(1), QString("3 fichiers"));
        QTreeWidgetItem* types = list->topLevelItem(1);
        QCOMPARE(types->childCount(), 3);
        QVERIFY(types->child(0)->text(0).startsWith("JPG - ")); // the most bytes first
        QCOMPARE(types->child(2)->text(0), QString("Fichiers sans extension"));
        QCOMPARE(list->topLevelItem(2)->child(0)->text(0), QString("photo.jpg"));
        QCOMPARE(find<QLabel>("lblTotalStatistiques")->text(), QString("Total : 3 fichiers, 3.03 Ko"));
        auto* pie =
            qobject_cast<QPieSeries*>(find<QChartView>("graphEspaceParType")->chart()->series().value(0));
        QVERIFY(pie);
        QCOMPARE(pie->count(), 3);
        screenshot("statistiques");
    }

    void treeLoadsOneLevelAheadAndListsFiles() {
        write("cd/lisez-moi.txt", "Bonjour");
        write("cd/vide.dat", "");
        write("cd/Jeux/setup.exe", "MZ");
        write("cd/Jeux/Niveaux/Trois/fin.txt", "fin");
        explore("cd", "Jeux 2003");
        auto* tree = find<QTreeWidget>("lstRepertoires");
        QTreeWidgetItem* support = treeNode("Jeux 2003");
        QVERIFY(support);
        QCOMPARE(support->text(0), QString("Jeux 2003 (4 fichiers)"));
        QTreeWidgetItem* jeux = treeNode("Jeux", support);
        QVERIFY(jeux);
        QTreeWidgetItem* niveaux = treeNode("Niveaux", jeux);
        QVERIFY(niveaux);
        QCOMPARE(niveaux->childCount(), 0); // the third level waits for a click
        click(tree, niveaux);
        QVERIFY(treeNode("Trois", niveaux));

        click(tree, support); // the support stands for its starting directory
        QVERIFY(fileLine("lisez-moi.txt"));
        QCOMPARE(fileLine("vide.dat")->text(3), QString("vide"));
        QCOMPARE(find<QLabel>("lblInfosRepFichiers")->text(), QString("2 fichiers - 7 octets (DAT, TXT)"));

        click(tree, jeux);
        QVERIFY(fileLine("setup.exe")->font(0).bold());
        auto* list = find<QTreeWidget>("ListeFichiers");
        click(list, fileLine("setup.exe"));
        QVERIFY(find<QFrame>("ssFicheFichier")->isVisible());
        QCOMPARE(find<QLabel>("lblChemin")->text(), QString("Jeux"));
        QCOMPARE(find<QLabel>("lblCRC")->text(), QString("<non calculé>"));
        QVERIFY(!find<QPushButton>("cmdModifier")->isEnabled());
        screenshot("fiche-fichier");

        find<QPlainTextEdit>("txtInfosFichier")->setPlainText("Installe le jeu");
        QVERIFY(find<QPushButton>("cmdModifier")->isEnabled());
        QTest::mouseClick(find<QPushButton>("cmdModifier"), Qt::LeftButton);
        QCOMPARE(fileLine("setup.exe")->text(2), QString("Installe le jeu"));

        dialogs->answerQuestions({MessageAnswer::Yes});
        QTest::mouseClick(find<QPushButton>("cmdSupprimer"), Qt::LeftButton);
        QVERIFY(!fileLine("setup.exe"));
        QVERIFY(!find<QFrame>("ssFicheFichier")->isVisible());
    }

    void extensionFilterOfTheFileList() {
        for (const char* name : {"a.exe", "b.txt", "c.jpg", "d.com"})
            write(QString("cd/Logiciels/") + name);
        explore("cd", "CD");
        auto* tree = find<QTreeWidget>("lstRepertoires");
        auto* list = find<QTreeWidget>("ListeFichiers");
        click(tree, treeNode("Logiciels", treeNode("CD")));
        QCOMPARE(list->topLevelItemCount(), 4);
        auto* button = find<QPushButton>("cmdFiltreFichier");
        const struct {
            QString action;
            QString input;
            int shown;
            bool bold;
        } steps[] = {
            {"mnuFiltre_SeultExec", "", 2, true},
            {"mnuFiltre_AucunFiltre", "", 4, false},
            {"mnuFiltre_LimiterExt", "jpg;TXT", 2, true},
            {"mnuFiltre_LimiterExt", "", 2, true}, // a cancelled box changes nothing
            {"mnuFiltre_AucunFiltre", "", 4, false},
        };
        for (const auto& step : steps) {
            if (step.action == "mnuFiltre_LimiterExt")
                dialogs->answerInputs({step.input});
            trigger(step.action);
            QCOMPARE(list->topLevelItemCount(), step.shown);
            QCOMPARE(button->font().bold(), step.bold);
        }
        // The menu offers each extension of the list shown.
        auto* menu = window->findChild<QMenu*>("mnuFiltre");
        emit menu->aboutToShow();
        QStringList offered;
        for (QAction* action : menu->actions())
            if (action->objectName() == "mnuFiltre_SeulemntEXT")
                offered << action->text();
        QCOMPARE(offered, (QStringList{"N'afficher que les *.COM", "N'afficher que les *.EXE",
                                       "N'afficher que les *.JPG", "N'afficher que les *.TXT"}));
    }

    void searchShowsTheFirstThousandInOrderAndLeadsToTheFile() {
        for (int i = 0; i < 2500; ++i)
            write(QString("dvd/Rapports/report%1.txt").arg(i, 4, 10, QChar('0')), "r");
        write("dvd/Autres/dit \"oui\".txt");
        explore("dvd", "Archives");
        search(1, "report");
        auto* results = find<QTreeWidget>("ListeRecherche");
        QCOMPARE(results->topLevelItemCount(), 1000);
        QCOMPARE(results->topLevelItem(0)->text(1), QString("report0000.txt"));
        QCOMPARE(results->topLevelItem(999)->text(1), QString("report0999.txt"));
        QCOMPARE(results->topLevelItem(0)->text(0), QString("Archives"));
        screenshot("recherche");

        search(1, "\"oui\"");
        QCOMPARE(results->topLevelItemCount(), 1);
        QCOMPARE(results->topLevelItem(0)->text(3), QString("Autres"));
        click(results, results->topLevelItem(0));
        auto* list = find<QTreeWidget>("ListeFichiers");
        QVERIFY(list->currentItem());
        QCOMPARE(list->currentItem()->text(0), QString("dit \"oui\".txt"));
        QCOMPARE(find<QTreeWidget>("lstRepertoires")->currentItem()->text(0), QString("Autres"));

        dialogs->clear();
        search(5, "dix");
        QCOMPARE(dialogs->messages().size(), 1);
        QVERIFY(dialogs->messageTexts()[0].startsWith("La recherche n'a pas pu être faite"));
        search(1, "introuvable");
        QCOMPARE(dialogs->messageTexts().value(1), QString("Aucune correspondance trouvée."));
        QCOMPARE(results->topLevelItemCount(), 0);
    }

    void multiCriteriaPanel() {
        write("cd/a.exe", QByteArray(2000, 'x'));
        write("cd/b.exe", "x");
        explore("cd", "CD");
        QTest::mouseClick(find<QPushButton>("cmdRecherches"), Qt::LeftButton);
        QVERIFY(find<QFrame>("ssRecherche")->isVisible());
        QCOMPARE(find<QComboBox>("cboChoixFiltre")->currentIndex(), 8);
        QVERIFY(!find<QPushButton>("cmdRechercher")->isEnabled());
        find<QLineEdit>("txtRech_2")->setText("EXE");
        find<QLineEdit>("txtRech_3")->setText("1024");
        QCOMPARE(find<QLabel>("lblTraduitTaille")->text(), QString("Soit 1 Ko"));
        QTest::mouseClick(find<QPushButton>("cmdRechercher"), Qt::LeftButton);
        QVERIFY(!find<QFrame>("ssRecherche")->isVisible());
        auto* results = find<QTreeWidget>("ListeRecherche");
        QCOMPARE(results->topLevelItemCount(), 1);
        QCOMPARE(results->topLevelItem(0)->text(1), QString("a.exe"));
    }

    void purgeTakesAChainOfEmptyDirectoriesInThreePasses() {
        write("cd/racine.txt");
        QDir().mkpath(media.path() + "/cd/A/B/C");
        explore("cd", "CD");
        QVERIFY(treeNode("A", treeNode("CD")));
        QTest::mouseClick(find<QPushButton>("cmdOutils"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>("cmdNettoyeRep"), Qt::LeftButton);
        QCOMPARE(dialogs->messageTexts(), QStringList{"3 répertoires effacés."});
        QVERIFY(!treeNode("A", treeNode("CD")));
    }

    void supportAndDirectoryMenus() {
        write("cd/Docs/Sub/a.txt");
        write("cd/Autre/b.txt");
        explore("cd", "Bureau");
        auto* tree = find<QTreeWidget>("lstRepertoires");
        tree->setCurrentItem(treeNode("Bureau"));
        dialogs->answerInputs({"Bureau \"2026\""});
        trigger("mnuSupport_RenommerSupport");
        QCOMPARE(treeNode("Bureau \"2026\"")->text(0), QString("Bureau \"2026\" (2 fichiers)"));

        tree->setCurrentItem(treeNode("Docs", treeNode("Bureau \"2026\"")));
        trigger("mnuRep_Supprimer");
        QVERIFY(!treeNode("Docs", treeNode("Bureau \"2026\"")));
        reopen();
        QVERIFY(!treeNode("Docs", treeNode("Bureau \"2026\"")));
        QVERIFY(treeNode("Autre", treeNode("Bureau \"2026\"")));

        tree->setCurrentItem(treeNode("Bureau \"2026\""));
        dialogs->answerQuestions({MessageAnswer::Yes});
        trigger("mnuSupport_SupprimerSupport");
        QCOMPARE(tree->topLevelItemCount(), 0);
    }

    void fileIsFoundOnTheSecondOfTwoVolumes() {
        write("usb/Photos/plage.jpg", "jpeg");
        explore("usb", "Clé USB");
        // The medium is now mounted elsewhere; another volume comes first.
        replacePlatform();
        platform->addVolume(media.path() + "/vide", "", 1);
        QDir().mkpath(media.path() + "/vide");
        platform->addVolume(media.path() + "/usb", "", 2);
        auto* tree = find<QTreeWidget>("lstRepertoires");
        click(tree, treeNode("Photos", treeNode("Clé USB")));
        auto* list = find<QTreeWidget>("ListeFichiers");
        click(list, fileLine("plage.jpg"));
        QTest::mouseClick(find<QPushButton>("cmdExecuteFichier"), Qt::LeftButton);
        const QString expected = QDir(media.path()).absolutePath() + "/usb/Photos/plage.jpg";
        QCOMPARE(platform->launches, QStringList{"open " + expected});
        trigger("mnuLocaliseFichier");
        QCOMPARE(platform->launches.value(1), "explore " + QFileInfo(expected).absolutePath());
        screenshot("fenetre-principale");
    }

private:
    // A file of "Clé USB" selected while no drive holds it: the wait for its
    // medium begins with the action.
    void selectFileOfAbsentMedium() {
        write("usb/Photos/plage.jpg", "jpeg");
        explore("usb", "Clé USB");
        QDir().mkpath(session().paths.supportTypesDir);
        QVERIFY(writeTextLines(session().paths.supportTypesFile, {"2#Fixe.bmp#Disque dur#FIXE"}));
        replacePlatform();
        click(find<QTreeWidget>("lstRepertoires"), treeNode("Photos", treeNode("Clé USB")));
        click(find<QTreeWidget>("ListeFichiers"), fileLine("plage.jpg"));
    }
    // Clicks the button or triggers the action named `control`, and hands the
    // wait dialog it opens to `whileWaiting`.
    void actWhileWaiting(const QString& control, const std::function<void(QDialog*)>& whileWaiting) {
        QString dialogText;
        QTimer::singleShot(0, window, [&] {
            auto* dialog = find<QDialog>("frmAttenteSupport");
            dialogText = test::namedWidget<QLabel>(dialog, "lblSupportAttendu")->text();
            whileWaiting(dialog);
        });
        if (auto* button = window->findChild<QPushButton*>(control))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            trigger(control);
        QCOMPARE(dialogText, QString("Le fichier n'est sur aucun des lecteurs disponibles.\n"
                                     "Insérez le support « Clé USB ».\nType du support : Disque dur\n"
                                     "Étiquette du volume : Clé USB\n"
                                     "Numéro de série du volume : ") +
                                 serialText(kUsbSerial));
    }
    static inline const qint32 kUsbSerial = static_cast<qint32>(qHash(QString("Clé USB")));

private slots:
    void absentMediumIsWaitedForThenTheActionRuns_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("inserted"); // the folder mounted with the support's serial
        QTest::addColumn<QStringList>("launches");
        QTest::addColumn<QStringList>("messages");
        const QString usb = QDir(media.path()).absolutePath() + "/usb/Photos";
        QTest::newRow("open") << "cmdExecuteFichier"
                              << "usb" << QStringList{"open " + usb + "/plage.jpg"} << QStringList();
        QTest::newRow("show in folder") << "mnuLocaliseFichier"
                                        << "usb" << QStringList{"explore " + usb} << QStringList();
        QTest::newRow("copy") << "cmdCopier"
                              << "usb" << QStringList() << QStringList{"Fichier copié !"};
        QTest::newRow("open, file gone") << "cmdExecuteFichier"
                                         << "vide" << QStringList()
                                         << QStringList{"Le fichier n'a pas été trouvé sur les lecteurs "
                                                        "disponibles."};
        QTest::newRow("copy, file gone")
            << "cmdCopier"
            << "vide" << QStringList()
            << QStringList{"Le fichier n'a pas été trouvé sur les périphériques disponibles."};
    }
    // While the wait goes on, a volume of another serial holding the same path
    // comes, then the medium: the action is done on the medium only.
    void absentMediumIsWaitedForThenTheActionRuns() {
        QFETCH(QString, control);
        QFETCH(QString, inserted);
        QFETCH(QStringList, launches);
        QFETCH(QStringList, messages);
        write("copie/Photos/plage.jpg", "autre");
        QDir().mkpath(media.path() + "/vide");
        selectFileOfAbsentMedium();
        platform->addVolumeLater(media.path() + "/copie", "", kUsbSerial + 1, 1);
        platform->addVolumeLater(media.path() + "/" + inserted, "", kUsbSerial, 1);
        dialogs->answerInputs({media.path() + "/destination"});
        actWhileWaiting(control, [](QDialog*) {});
        QCOMPARE(platform->launches, launches);
        QCOMPARE(dialogs->messageTexts(), messages);
        QCOMPARE(QFile::exists(media.path() + "/destination/plage.jpg"),
                 messages == QStringList{"Fichier copié !"});
    }

    void cancellingTheWaitDoesNothing() {
        selectFileOfAbsentMedium();
        actWhileWaiting("cmdExecuteFichier", [this](QDialog* dialog) {
            screenshot("attente-support", dialog);
            QTest::mouseClick(test::namedWidget<QPushButton>(dialog, "cmdAnnuler"), Qt::LeftButton);
        });
        QCOMPARE(platform->launches, QStringList());
        QCOMPARE(dialogs->messageTexts(), QStringList());
        QVERIFY(!window->findChild<QDialog*>("frmAttenteSupport"));
    }
};

QTEST_MAIN(BrowseWindowTest)
#include "browse_window_test.moc"
