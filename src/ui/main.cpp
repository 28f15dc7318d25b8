// velmar: the graphical program.

#include "ui/file_icons.h"
#include "ui/frm_presentation.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Velmar"));
    app.setQuitOnLastWindowClosed(false);
    velmar::ui::useFallbackIconTheme();
    velmar::ui::QtDialogs dialogs;
    velmar::ui::frmPresentation splash(QCoreApplication::applicationDirPath(), app.arguments());
    if (splash.outcome() != velmar::StartupOutcome::Continue)
        return splash.outcome() == velmar::StartupOutcome::AlreadyRunning ? 0 : 1;
    splash.show();
    return app.exec();
}
