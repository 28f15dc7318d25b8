// The geometry of the main window at the sizes people use: the lists take the
// room, the side panels get theirs, no caption is cut, and the tree comes in
// name order. Run at 100 % and, by a second ctest entry, at 200 % scaling.

#include "app/files.h"
#include "app/session.h"
#include "explore/exploration.h"
#include "store/model_database.h"
#include "support/fake_platform.h"
#include "support/named_widget.h"
#include "support/quiet_exploration.h"
#include "support/scripted_dialogs.h"
#include "ui/frm_principal.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace velmar;

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir app;
    QTemporaryDir media;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
    std::unique_ptr<test::FakePlatform> platform;
    ui::frmPrincipal* window = nullptr;

    template <typename T> T* find(const QString& name) { return test::namedWidget<T>(window, name); }
    void write(const QString& relative) {
        const QString path = media.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        f.write("contenu");
    }
    // Explores `start` (below media/) as a support whose volume is media/<volume>.
    void explore(const QString& volume, const QString& start, const QString& supportName) {
        ExplorationRequest request;
        request.supportName = supportName;
        request.supportType = 2;
        request.volume = platform->addVolume(media.path() + "/" + volume, supportName, qHash(supportName));
        request.startDirectory = media.path() + "/" + start;
        QCOMPARE(test::exploreQuietly(window->registry().database(), request), ExplorationOutcome::Completed);
        window->registry().CloseCollection();
        QVERIFY(window->registry().openByName("Maison"));
    }
    QTreeWidgetItem* supportNode(const QString& name) {
        auto* tree = find<QTreeWidget>("lstRepertoires");
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->text(0).startsWith(name + " ("))
                return tree->topLevelItem(i);
        return nullptr;
    }
    void click(QTreeWidget* view, QTreeWidgetItem* item) {
        QVERIFY(item);
        view->setCurrentItem(item);
        emit view->itemClicked(item, 0);
    }
    void resizeTo(const QSize& size) {
        window->resize(size);
        QCoreApplication::processEvents();
        QCOMPARE(window->size(), size);
    }
    int listsWidth() {
        return find<QWidget>("lstRepertoires")->width() + find<QWidget>("ListeFichiers")->width();
    }
    // A label cut by its box: wider than the box on one line, or, wrapped,
    // taller than the box.
    static bool cut(const QLabel* label) {
        const QRect box = label->contentsRect();
        if (label->wordWrap())
            return label->heightForWidth(box.width()) > box.height();
        return label->fontMetrics().horizontalAdvance(label->text()) > box.width();
    }
    void sizesData() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1280x1024") << QSize(1280, 1024);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
        QTest::newRow("3840x2160") << QSize(3840, 2160);
    }

private slots:
    void initTestCase() {
        // Directories are walked in the order of the user's language.
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    }
    void init() {
        session().paths = DataLayout(app.path());
        const DataLayout& p = session().paths;
        QDir().mkpath(p.dataDir + "Base");
        QDir().mkpath(p.dataDir + "Ini");
        QDir().mkpath(p.tmpDir);
        writeTextLines(p.ignoredDirsFile, {"tmp", "Corbeille des fichiers supprimés"});
        writeTextLines(p.ignoredExtsFile, {"BAK", "TMP"});
        writeTextLines(p.analysedTypesFile,
                       {"TXT#TEXTE#OUI", "MP3#MP3#OUI", "JPG#JPEG#OUI", "EXE#EXE#NON", "HTM#HTML#OUI"});
        QFile::remove(p.modelDatabase);
        QString error;
        QVERIFY2(createModelDatabase(p.modelDatabase, error), qPrintable(error));
        dialogs = std::make_unique<test::ScriptedDialogs>();
        platform = std::make_unique<test::FakePlatform>();
        window = new ui::frmPrincipal([](const QString&) {});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        QVERIFY(window->registry().createCollection("Maison"));
        write("usb/lisez-moi.txt");
        write("usb/Documents/Factures/janvier.pdf");
        write("usb/Photos/plage.jpg");
        explore("usb", "usb", "Clé");
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

    void theTreeAndTheFilesTakeTheWidth_data() { sizesData(); }
    void theTreeAndTheFilesTakeTheWidth() {
        QFETCH(QSize, size);
        resizeTo(size);
        // No side panel open: nothing but margins beside the lists.
        QVERIFY(!find<QWidget>("ssFicheFichier")->isVisible());
        QVERIFY2(listsWidth() >= size.width() * 85 / 100,
                 qPrintable(QString("%1 of %2").arg(listsWidth()).arg(size.width())));
        QVERIFY(find<QWidget>("ListeFichiers")->width() > find<QWidget>("lstRepertoires")->width());
        QVERIFY(find<QWidget>("ListeRecherche")->width() >= size.width() * 85 / 100);

        // With the file card open the lists still hold most of the width.
        click(find<QTreeWidget>("lstRepertoires"), supportNode("Clé"));
        auto* files = find<QTreeWidget>("ListeFichiers");
        QCOMPARE(files->topLevelItemCount(), 1);
        click(files, files->topLevelItem(0));
        QCoreApplication::processEvents();
        auto* card = find<QWidget>("ssFicheFichier");
        QVERIFY(card->isVisible());
        QVERIFY(listsWidth() >= size.width() / 2);
        QVERIFY(card->width() >= card->minimumSizeHint().width());
        QVERIFY(!cut(find<QLabel>("lblNomFichier")));
    }

    void theSideColumnCannotBeDraggedAway() {
        resizeTo({1280, 1024});
        QTest::mouseClick(find<QPushButton>("cmdConfig"), Qt::LeftButton);
        QCoreApplication::processEvents();
        auto* panel = find<QWidget>("ssConfiguration");
        auto* body = qobject_cast<QSplitter*>(panel->parentWidget()->parentWidget());
        QVERIFY(body);
        body->setSizes({1280, 0});
        QCoreApplication::processEvents();
        QVERIFY(panel->isVisible());
        QVERIFY(panel->width() >= panel->minimumSizeHint().width());
        QVERIFY(panel->width() >= panel->fontMetrics().averageCharWidth() * 40);
    }

    void noCaptionOfTheConfigurationIsCut_data() { sizesData(); }
    void noCaptionOfTheConfigurationIsCut() {
        QFETCH(QSize, size);
        resizeTo(size);
        QTest::mouseClick(find<QPushButton>("cmdConfig"), Qt::LeftButton);
        QCoreApplication::processEvents();
        auto* panel = find<QWidget>("ssConfiguration");
        QVERIFY(panel->isVisible());
        const QList<QLabel*> labels = panel->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 4); // the title and the three captions
        for (const QLabel* label : labels)
            QVERIFY2(!cut(label), qPrintable(label->text()));
        for (const QPushButton* button : panel->findChildren<QPushButton*>())
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
        for (const char* name : {"ListeExtExclus", "ListeExtensionsAnalysees", "ListeRepExclus"}) {
            auto* list = find<QListWidget>(name);
            QVERIFY(list->count() > 0);
            QVERIFY2(list->horizontalScrollBar()->maximum() == 0, name);
            QVERIFY2(list->viewport()->height() >= 3 * list->sizeHintForRow(0), name);
        }
    }

    void theTreeIsInNameOrder() {
        for (const char* directory : {"src", "share", "Zèbre", "libexec", "bin", "étagère", "etc", "Alpha"})
            write(QString("linux/usr/") + directory + "/fichier.txt");
        explore("linux", "linux", "Système");
        QTreeWidgetItem* support = supportNode("Système");
        QVERIFY(support);
        QCOMPARE(support->childCount(), 1);
        QTreeWidgetItem* usr = support->child(0);
        QStringList shown;
        for (int i = 0; i < usr->childCount(); ++i)
            shown << usr->child(i)->text(0);
        QCOMPARE(shown, QStringList({"Alpha", "bin", "étagère", "etc", "libexec", "share", "src", "Zèbre"}));
    }

    void aSupportExploredBelowItsRootListsItsStartingDirectory() {
        write("disque/home/docs/lettre.txt");
        write("disque/home/docs/Archives/2025.txt");
        write("disque/home/autre.txt");
        explore("disque", "disque/home/docs", "Documents");
        click(find<QTreeWidget>("lstRepertoires"), supportNode("Documents"));
        auto* files = find<QTreeWidget>("ListeFichiers");
        QCOMPARE(files->topLevelItemCount(), 1);
        QCOMPARE(files->topLevelItem(0)->text(0), QString("lettre.txt"));
        QCOMPARE(find<QLabel>("lblInfosRepFichiers")->text(), QString("Un fichier - 7 octets (TXT)"));
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "main_window_layout_test.moc"
