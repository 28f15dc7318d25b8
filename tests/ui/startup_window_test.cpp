// The splash and the main window, driven as a user starts the program.

#include "app/files.h"
#include "app/session.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"
#include "ui/frm_presentation.h"
#include "ui/frm_principal.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace velmar;

class StartupWindowTest : public QObject {
    Q_OBJECT

private:
    // A small but complete application folder.
    void layOut(const QString& root) {
        const DataLayout p(root);
        for (const QString& d : {p.dataDir + "Base", p.dataDir + "Ini", p.supportTypesDir, p.backgroundsDir})
            QDir().mkpath(d);
        writeTextLines(p.modelDatabase, {});
        writeTextLines(p.optionNamesFile,
                       {"Fenêtre", "-H[NUM][LOGICIEL_HAUTEUR]", "-L[NUM][LOGICIEL_LARGEUR]",
                        "-G[NUM][LOGICIEL_POS_GAUCHE]", "-T[NUM][LOGICIEL_POS_HAUT]"});
        writeTextLines(p.optionValuesFile, {"LOGICIEL_HAUTEUR=9000", "LOGICIEL_LARGEUR=12000",
                                            "LOGICIEL_POS_GAUCHE=-10", "LOGICIEL_POS_HAUT=300"});
        writeTextLines(p.analysedTypesFile, {"MP3#AUTO#OUI"});
        writeTextLines(p.supportTypesFile, {"1#CD.bmp#CD-ROM#CD", "2#Fixe.bmp#Disque dur#FIXE"});
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(Qt::blue);
        icon.save(p.supportTypesDir + "CD.bmp");
        writeTextLines(p.ignoredDirsFile, {"Temp"});
        writeTextLines(p.ignoredExtsFile, {"TMP"});
    }

    ui::frmPrincipal* startAndWait(ui::frmPresentation& splash) {
        QSignalSpy shown(&splash, &ui::frmPresentation::mainWindowShown);
        auto* timer = splash.findChild<QTimer*>("Timer1");
        if (!timer || !timer->isSingleShot() || timer->interval() != 400)
            return nullptr;
        if (!shown.wait(5000))
            return nullptr;
        return splash.mainWindow();
    }

private slots:
    void showsTheMainWindowAfterTheSplash() {
        QTemporaryDir app;
        layOut(app.path());
        test::ScriptedDialogs dialogs;
        test::FakePlatform platform;
        ui::frmPresentation splash(DataLayout(app.path()), {"velmar"});
        QCOMPARE(splash.outcome(), StartupOutcome::Continue);
        QVERIFY(splash.findChild<QLabel*>("Label1")->text().startsWith("Version "));
        QCOMPARE(splash.findChild<QLabel*>("Label2")->text(), QString("Démarrage..."));
        ui::frmPrincipal* main = startAndWait(splash);
        QVERIFY(main);
        QCOMPARE(main->objectName(), QString("frmPrincipal"));
        QVERIFY(main->windowTitle().startsWith("Velmar +  (version "));
        QVERIFY(main->isVisible());
        QCOMPARE(splash.findChild<QLabel*>("Label2")->text(), QString("Icônes des supports"));
        QVERIFY2(!main->hasBackgroundPicture(), "an empty Fond/ leaves no picture");
        // The second icon is missing: loading stops after the first, with its message.
        QCOMPARE(main->supportTypeIcons().keys(), QStringList({"I1"}));
        QCOMPARE(dialogs.messageTexts(),
                 QStringList({"Le fichier de type lecteur nommé 'Fixe.bmp' est introuvable !"}));
        main->close();
        QStringList values;
        QVERIFY(readTextLines(DataLayout(app.path()).optionValuesFile, values));
        QCOMPARE(values.size(), 4);
        QVERIFY2(values.contains("LOGICIEL_POS_GAUCHE=" +
                                 QString::number(qRound(main->x() * 1440.0 / main->logicalDpiX()))),
                 qPrintable(values.join(' ')));
    }

    void picksABackgroundWhenThereIsOne() {
        QTemporaryDir app;
        layOut(app.path());
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(DataLayout(app.path()).backgroundsDir + "Vert.png"));
        test::ScriptedDialogs dialogs;
        test::FakePlatform platform;
        ui::frmPresentation splash(DataLayout(app.path()), {"velmar"});
        ui::frmPrincipal* main = startAndWait(splash);
        QVERIFY(main);
        QVERIFY(main->hasBackgroundPicture());
        QVERIFY(session().backgroundPicture.endsWith("Vert.png"));
        main->close();
    }

    void aFatalCheckEndsBeforeTheTimer() {
        QTemporaryDir app;
        layOut(app.path());
        QFile::remove(DataLayout(app.path()).analysedTypesFile);
        test::ScriptedDialogs dialogs;
        test::FakePlatform platform;
        ui::frmPresentation splash(DataLayout(app.path()), {"velmar"});
        QCOMPARE(splash.outcome(), StartupOutcome::Fatal);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].style, MessageStyle::Critical);
        QVERIFY(!splash.findChild<QTimer*>("Timer1")->isActive());
    }
};

QTEST_MAIN(StartupWindowTest)
#include "startup_window_test.moc"
