// The collection panels of the main window, clicked as a user would.

#include "app/files.h"
#include "app/session.h"
#include "platform/file_lock.h"
#include "store/db/database.h"
#include "store/model_database.h"
#include "store/store_paths.h"
#include "support/fake_platform.h"
#include "support/named_widget.h"
#include "support/scripted_dialogs.h"
#include "ui/frm_principal.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmar;

class CollectionWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir app;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
    std::unique_ptr<test::FakePlatform> platform;
    ui::frmPrincipal* window = nullptr;

    template <typename T> T* find(const char* name) {
        return test::namedWidget<T>(window, QLatin1String(name));
    }
    QStringList listed() {
        QStringList names;
        auto* list = find<QListWidget>("ListeBaseDispo");
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    void create(const QString& name) {
        QTest::mouseClick(find<QPushButton>("cmdCreeCompil"), Qt::LeftButton);
        find<QLineEdit>("txtNomNouvelleCollection")->setText(name);
        QTest::mouseClick(find<QPushButton>("cmdCreeNouvelleCompil"), Qt::LeftButton);
    }
    QString shownCount() {
        QString digits;
        for (int i = 0; i < 6; ++i)
            digits += find<QLabel>(qPrintable(QStringLiteral("imgChiffre%1").arg(i)))->accessibleName();
        return digits;
    }
    void choose(const QString& name) {
        auto* combo = find<QComboBox>("cboChoixCollection");
        combo->setCurrentIndex(combo->findText(name));
        emit combo->activated(combo->currentIndex());
    }
    void select(const QString& name) {
        auto* list = find<QListWidget>("ListeBaseDispo");
        QListWidgetItem* item = list->findItems(name, Qt::MatchExactly).value(0);
        QVERIFY(item);
        list->setCurrentItem(item);
        emit list->itemClicked(item);
    }

private slots:
    void init() {
        session().paths = DataLayout(app.path());
        QDir().mkpath(session().paths.dataDir + "Base");
        QFile::remove(session().paths.modelDatabase);
        QString error;
        QVERIFY2(createModelDatabase(session().paths.modelDatabase, error), qPrintable(error));
        dialogs = std::make_unique<test::ScriptedDialogs>();
        platform = std::make_unique<test::FakePlatform>();
        window = new ui::frmPrincipal([](const QString&) {});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        QTest::mouseClick(find<QPushButton>("AfficheCollections"), Qt::LeftButton);
    }
    void cleanup() {
        window->registry().CloseCollection();
        delete window;
        dialogs.reset();
        platform.reset();
        for (const QString& f :
             QDir(session().paths.dataDir + "Base").entryList({"Compil*", "Collections.dat"}))
            QFile::remove(session().paths.dataDir + "Base/" + f);
    }

    void photosTwiceThenLowerCase() {
        create("Photos");
        QVERIFY(window->registry().isOpen());
        QCOMPARE(find<QComboBox>("cboChoixCollection")->currentText(), QString("Photos"));
        create("Photos");
        QCOMPARE(dialogs->messageTexts(), QStringList({"Cette collection existe déjà !"}));
        create("photos");
        QCOMPARE(listed(), QStringList({"Photos", "photos"}));
    }

    void deletingTheMiddleCollectionRenumbersTheFiles() {
        for (const char* name : {"A", "B", "C"})
            create(name);
        QFile marker(DataLayout(app.path()).collectionFile(3));
        const qint64 thirdSize = marker.size();
        select("B");
        dialogs->answerQuestions({MessageAnswer::Yes});
        QTest::mouseClick(find<QPushButton>("cmdEffacerCompil"), Qt::LeftButton);
        QCOMPARE(listed(), QStringList({"A", "C"}));
        QVERIFY(QFile::exists(DataLayout(app.path()).collectionFile(2)));
        QVERIFY(!QFile::exists(DataLayout(app.path()).collectionFile(3)));
        QCOMPARE(QFile(DataLayout(app.path()).collectionFile(2)).size(), thirdSize);
    }

    void afterADeletionNothingIsLeftToDescribeRenameOrDelete() {
        for (const char* name : {"A", "B"})
            create(name);
        QTest::mouseClick(find<QPushButton>("AfficheCollections"), Qt::LeftButton);
        select("B");
        QVERIFY(find<QWidget>("fraInfoCollection")->isVisible());
        QVERIFY(!find<QLabel>("lblInfoCollection")->text().isEmpty());
        dialogs->answerQuestions({MessageAnswer::Yes});
        QTest::mouseClick(find<QPushButton>("cmdEffacerCompil"), Qt::LeftButton);
        QCOMPARE(listed(), QStringList({"A"}));
        QVERIFY(!find<QWidget>("fraInfoCollection")->isVisible());
        QVERIFY(find<QLabel>("lblInfoCollection")->text().isEmpty());
        QVERIFY(!find<QPushButton>("cmdRenommerCompil")->isEnabled());
        QVERIFY(!find<QPushButton>("cmdEffacerCompil")->isEnabled());
    }

    void theToolsCloseOnceTheCollectionIsCompacted() {
        create("A");
        QTest::mouseClick(find<QPushButton>("cmdOutils"), Qt::LeftButton);
        QVERIFY(find<QWidget>("ssOutils")->isVisible());
        dialogs->clear();
        QTest::mouseClick(find<QPushButton>("cmdCompacterBase"), Qt::LeftButton);
        QCOMPARE(dialogs->messageTexts(), QStringList({"Compactage effectué."}));
        QVERIFY(!find<QWidget>("ssOutils")->isVisible());
        QVERIFY(window->registry().isOpen());
    }

    void renameRefusalsAreSilent() {
        create("A");
        select("A");
        dialogs->clear();
        dialogs->answerInputs({" Aucune collection", ""});
        QTest::mouseClick(find<QPushButton>("cmdRenommerCompil"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>("cmdRenommerCompil"), Qt::LeftButton);
        QCOMPARE(listed(), QStringList({"A"}));
        QVERIFY(dialogs->messages().isEmpty());
    }

    void deleteAllLeavesAnEmptyRegistry() {
        create("A");
        create("B");
        dialogs->answerQuestions({MessageAnswer::Yes});
        QTest::mouseClick(find<QPushButton>("cmdEffacerLesCompils"), Qt::LeftButton);
        QVERIFY(listed().isEmpty());
        QStringList lines;
        QVERIFY(readTextLines(session().paths.registryFile, lines));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first().trimmed(), QString("0"));
    }

    void compactingWithNoCollectionOpensTheNewCollectionPanel() {
        QTest::mouseClick(find<QPushButton>("cmdOutils"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>("cmdCompacterBase"), Qt::LeftButton);
        QCOMPARE(dialogs->messages().size(), 1);
        QCOMPARE(dialogs->messages()[0].style, MessageStyle::Exclamation);
        QVERIFY(find<QWidget>("ssNouvelleCompil")->isVisible());
    }

    // The count comes from a thread of its own; reopening a collection another
    // program has added files to shows the new count, named files only.
    void theDigitsFollowTheCollectionsFile() {
        create("A");
        QTRY_COMPARE(shownCount(), QString("000000"));
        create("B");
        {
            db::Database other;
            QVERIFY(other.open(DataLayout(app.path()).collectionFile(1)));
            for (const char* name : {"a.txt", "b.txt", "", "c.txt"})
                QVERIFY(other.execute(
                    "INSERT INTO Fichiers (NumSupport, NumRepertoire, Fichier) VALUES (1, 1, ?)",
                    {QString::fromUtf8(name)}));
        }
        choose("A");
        QTRY_COMPARE(shownCount(), QString("000003"));
        choose("B");
        QTRY_COMPARE(shownCount(), QString("000000"));
    }

    // Another process (a velmar-cli explore, say) writes into the open collection.
    void exploringACollectionAnotherProcessWritesIsRefused() {
        create("Photos");
        FileLock other(StorePaths::fromDataDir(session().paths.dataDir).collectionLockFile(1));
        QVERIFY(other.acquire(0));
        dialogs->clear();
        QTest::mouseClick(find<QPushButton>("cmdExplorer"), Qt::LeftButton);
        QCOMPARE(dialogs->messageTexts(),
                 QStringList({"La collection « Photos » est en cours de modification par un autre programme "
                              "(exploration, compactage ou maintenance). Réessayez quand il aura terminé."}));
        QCOMPARE(dialogs->messages()[0].style, MessageStyle::Exclamation);
    }
};

QTEST_MAIN(CollectionWindowTest)
#include "collection_window_test.moc"
