#pragma once

// The splash window: it runs the start-up checks while it loads, then, from its
// one-shot timer, loads and shows the main window.

#include "app/startup.h"

#include <QWidget>

class QLabel;
class QTimer;

namespace velmar::ui {

class frmPrincipal;

class frmPresentation final : public QWidget {
    Q_OBJECT
public:
    frmPresentation(const DataLayout& paths, const QStringList& arguments, QWidget* parent = nullptr);
    ~frmPresentation() override;

    // What the checks decided; anything but Continue means the process ends.
    StartupOutcome outcome() const { return m_outcome; }
    frmPrincipal* mainWindow() const { return m_main; }

    // Applies the saved geometry to the main window.
    void AffecteTailleEcran();

signals:
    void mainWindowShown();

private:
    void showStatus(const QString& text);
    void stageTwo();

    QLabel* m_version;
    QLabel* m_status;
    QTimer* m_timer;
    StartupOutcome m_outcome = StartupOutcome::Fatal;
    frmPrincipal* m_main = nullptr;
};

} // namespace velmar::ui
