#pragma once

// The exploration window: parameters, then the new support's name and type,
// then the progress of the two phases.

#include "app/progress.h"
#include "app/support_types.h"
#include "explore/exploration.h"
#include "platform/platform.h"

#include <QDialog>
#include <QIcon>
#include <QMap>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace velmar::ui {

class frmExploration final : public QDialog, public Progress, public ExplorationDisplay {
    Q_OBJECT
public:
    frmExploration(ExplorationStore& store, FileAnalysis& analysis, const QList<SupportType>& types,
                   const QMap<QString, QIcon>& typeIcons, QWidget* parent = nullptr);
    ~frmExploration() override;

    // Progress of the phases: the event loop runs between items, "Arrêter" sets the flag.
    void yield() override;
    bool stopRequested() const override { return m_stop; }

    // The progress panel's labels and gauges, by control name.
    void showText(const QString& control, const QString& text) override;
    void showGauge(const QString& image, int frame) override;
    void phasesStarting() override;

    // The directory the exploration starts from, and the volume holding it.
    QString startDirectory() const;
    Volume selectedVolume() const;

    // The title bar's close button and Escape come here: during an exploration
    // they ask what "Arrêter" asks, and stop it the same way.
    void reject() override;

signals:
    // The exploration ended (or never started); the main window refreshes its views.
    void finished(bool explored);

private:
    QWidget* buildParameters();
    QWidget* buildNewSupport(const QList<SupportType>& types, const QMap<QString, QIcon>& typeIcons);
    QWidget* buildProgress();
    QWidget* buildMemorisation();
    void onTypeExploration(int index);
    void onDriveChanged(int index);
    void onContinue();
    void onExplore();
    void onStop();
    void onCancel();
    void resetProgressPanel();

    ExplorationStore& m_store;
    FileAnalysis& m_analysis;
    QList<Volume> m_volumes;
    QList<SupportType> m_types;
    bool m_stop = false;
    bool m_exploring = false;
    QWidget* m_parameters = nullptr;
    QWidget* m_newSupport = nullptr;
    QWidget* m_progress = nullptr;
    QWidget* m_memorisation = nullptr;
    QButtonGroup* m_typeExploration = nullptr;
    QLabel* m_deepTitle = nullptr;
    QCheckBox* m_readInfos = nullptr;
    QCheckBox* m_computeCrc = nullptr;
    QCheckBox* m_excludeExt = nullptr;
    QCheckBox* m_excludeDirs = nullptr;
    QComboBox* m_drives = nullptr;
    QTreeView* m_dirs = nullptr;
    QFileSystemModel* m_dirModel = nullptr;
    QLabel* m_driveInfo = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_supportType = nullptr;
    QPushButton* m_continue = nullptr;
    QPushButton* m_explore = nullptr;
    QPushButton* m_stopButton = nullptr;
};

} // namespace velmar::ui
