// velmar: the graphical program.

#include "app/data_location.h"
#include "app/dialogs.h"
#include "ui/file_icons.h"
#include "ui/frm_presentation.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Velmar"));
    app.setDesktopFileName(QStringLiteral("velmar"));
    app.setQuitOnLastWindowClosed(false);
    velmar::ui::useFallbackIconTheme();
    velmar::ui::QtDialogs dialogs;
    const velmar::DataLocation location = velmar::chooseDataLocation(QCoreApplication::applicationDirPath());
    QString error;
    if (!velmar::seedDataFolder(location, error)) {
        dialogs.message(error, velmar::MessageStyle::Critical);
        return 1;
    }
    velmar::ui::frmPresentation splash(velmar::DataLayout(location.rootDir, location.dataDir),
                                       app.arguments());
    if (splash.outcome() != velmar::StartupOutcome::Continue)
        return splash.outcome() == velmar::StartupOutcome::AlreadyRunning ? 0 : 1;
    splash.show();
    return app.exec();
}
