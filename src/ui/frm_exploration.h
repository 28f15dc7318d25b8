#pragma once

// The exploration window: parameters, then the new support's name and type,
// then the progress of the two phases.

#include "app/progress.h"
#include "app/support_types.h"
#include "explore/exploration.h"
#include "explore/support_update_store.h"
#include "platform/platform.h"
#include "store/support_medium.h"

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

    // The progress panel: each call fills its labels and gauges.
    void phasesStarting() override;
    void showPhase(ExplorationPhase phase) override;
    void showDirectoryProgress(const PhaseProgress& progress) override;
    void showFileProgress(const PhaseProgress& progress) override;
    void showCounters(const ExplorationCounters& counters, Counters changed) override;
    void showCurrentDirectory(const QString& path) override;
    void showCurrentFile(const QString& name, FileStep step) override;

    // Turns the window into the update of the support `medium` names: there
    // is no new support to name, and the medium chosen is merged into that
    // one. The drive holding that medium and the folder the support was
    // explored from are chosen when they are there.
    void setUpdate(const SupportMedium& medium, SupportUpdateStore& updates);

    // The directory the exploration starts from, and the volume holding it.
    QString startDirectory() const;
    Volume selectedVolume() const;

    // The title bar's close button and Escape come here: during an exploration
    // they ask what "Arrêter" asks, and stop it the same way.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

signals:
    // The exploration ended (or never started); the main window refreshes its views.
    void finished(bool explored);

private:
    // A phase's gauge picture and percentage label, and the frame it shows.
    struct Gauge {
        QString picture;
        QString percentage;
        int frame = 0;
    };

    QWidget* buildParameters();
    void buildDriveChooser(QWidget* panel);
    QWidget* buildNewSupport(const QList<SupportType>& types, const QMap<QString, QIcon>& typeIcons);
    QWidget* buildProgress();
    QWidget* buildMemorisation();
    void onTypeExploration(int index);
    void onDriveChanged(int index);
    void onContinue();
    void onExplore();
    void revealPendingFolder();
    ExplorationOutcome run(const ExplorationRequest& request, ExplorationCounters& counters);
    void reportUpdate(const ExplorationCounters& counters) const;
    void onStop();
    void onCancel();
    void resetProgressPanel();
    void setLabelText(const QString& name, const QString& text);
    void showGauge(Gauge& gauge, const PhaseProgress& progress);

    ExplorationStore& m_store;
    FileAnalysis& m_analysis;
    SupportUpdateStore* m_updates = nullptr; // set for an update
    QString m_updatedSupport;
    QString m_pendingFolder; // an update's folder, shown once the model has read it
    UpdateSummary m_updateSummary;
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
    Gauge m_directoryGauge{QStringLiteral("Image7"), QStringLiteral("Label7")};
    Gauge m_fileGauge{QStringLiteral("Image6"), QStringLiteral("Label18")};
};

} // namespace velmar::ui
