#include "ui/frm_exploration.h"

#include "app/dialogs.h"
#include "app/native_path.h"
#include "app/phrases.h"
#include "app/session.h"
#include "explore/drive_panel.h"
#include "explore/exploration.h"
#include "explore/support_update.h"
#include "ui/eliding_label.h"
#include "ui/named_widgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <span>

namespace velmar::ui {

frmExploration::frmExploration(ExplorationStore& store, FileAnalysis& analysis,
                               const QList<SupportType>& types, const QMap<QString, QIcon>& typeIcons,
                               QWidget* parent)
    : QDialog(parent), m_store(store), m_analysis(analysis), m_volumes(platform().volumes()), m_types(types) {
    setObjectName(QStringLiteral("frmExploration"));
    setWindowTitle(QStringLiteral("Exploration d'un support"));
    auto* layout = new QVBoxLayout(this);
    m_parameters = buildParameters();
    m_newSupport = buildNewSupport(types, typeIcons);
    m_progress = buildProgress();
    m_memorisation = buildMemorisation();
    for (QWidget* panel : {m_parameters, m_newSupport, m_progress, m_memorisation})
        layout->addWidget(panel);
    m_newSupport->hide();
    m_progress->hide();
    m_memorisation->hide();
    m_continue->setDefault(true);
    onTypeExploration(0);
    if (m_drives->count() > 0)
        onDriveChanged(m_drives->currentIndex());
}

frmExploration::~frmExploration() = default;

QWidget* frmExploration::buildParameters() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ssParamExploration"));
    auto* grid = new QGridLayout(panel);
    m_typeExploration = new QButtonGroup(panel);
    m_typeExploration->setObjectName(QStringLiteral("TypeExploration"));
    auto* quick = new QRadioButton(QStringLiteral("Exploration rapide"), panel);
    auto* deep = new QRadioButton(QStringLiteral("Exploration approfondie"), panel);
    quick->setObjectName(QStringLiteral("TypeExploration_0"));
    deep->setObjectName(QStringLiteral("TypeExploration_1"));
    m_typeExploration->addButton(quick, 0);
    m_typeExploration->addButton(deep, 1);
    quick->setChecked(true);
    connect(m_typeExploration, &QButtonGroup::idClicked, this, &frmExploration::onTypeExploration);
    m_deepTitle = namedLabel(QStringLiteral("Label3"), QStringLiteral("Exploration approfondie :"), panel);
    m_readInfos = new QCheckBox(QStringLiteral("Récupérer les informations sur les fichiers connus"), panel);
    m_readInfos->setObjectName(QStringLiteral("chkLireTXT"));
    m_computeCrc = new QCheckBox(QStringLiteral("Calculer le CRC (plus lent)"), panel);
    m_computeCrc->setObjectName(QStringLiteral("chkCalculeCRC"));
    m_excludeExt = new QCheckBox(QStringLiteral("Exclure les extensions sans importance"), panel);
    m_excludeExt->setObjectName(QStringLiteral("chkExclureExt"));
    m_excludeDirs = new QCheckBox(QStringLiteral("Exclure les répertoires sans importance"), panel);
    m_excludeDirs->setObjectName(QStringLiteral("chkExclureRep"));
    m_excludeExt->setChecked(true);
    m_excludeDirs->setChecked(true);

    buildDriveChooser(panel);

    m_continue = namedButton(QStringLiteral("cmdContinuerExplo"), QStringLiteral("Continuer >"), panel);
    auto* cancel = namedButton(QStringLiteral("cmdAnnuleExploration"), QStringLiteral("Annuler"), panel);
    connect(m_continue, &QPushButton::clicked, this, &frmExploration::onContinue);
    connect(cancel, &QPushButton::clicked, this, &frmExploration::onCancel);

    grid->addWidget(quick, 0, 0);
    grid->addWidget(deep, 1, 0);
    grid->addWidget(m_deepTitle, 2, 0);
    grid->addWidget(m_readInfos, 3, 0);
    grid->addWidget(m_computeCrc, 4, 0);
    grid->addWidget(m_excludeExt, 5, 0);
    grid->addWidget(m_excludeDirs, 6, 0);
    grid->addWidget(m_driveInfo, 7, 0, Qt::AlignTop);
    grid->addWidget(m_drives, 0, 1);
    grid->addWidget(m_dirs, 1, 1, 7, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(m_continue);
    grid->addLayout(buttons, 8, 0, 1, 2);
    // The folder tree takes the room the window gains.
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(7, 1);
    return panel;
}

// The drives, the folders of the one chosen, and what is known of it.
void frmExploration::buildDriveChooser(QWidget* panel) {
    m_drives = new QComboBox(panel);
    m_drives->setObjectName(QStringLiteral("Drive1"));
    for (const Volume& v : m_volumes)
        m_drives->addItem(v.label.isEmpty() ? v.rootPath
                                            : v.rootPath + QStringLiteral("  [") + v.label + ']');
    connect(m_drives, &QComboBox::currentIndexChanged, this, &frmExploration::onDriveChanged);
    m_dirModel = new QFileSystemModel(panel);
    m_dirModel->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    m_dirs = new QTreeView(panel);
    m_dirs->setObjectName(QStringLiteral("Dir1"));
    m_dirs->setModel(m_dirModel);
    for (int column = 1; column < m_dirModel->columnCount(); ++column)
        m_dirs->hideColumn(column);
    m_dirs->setHeaderHidden(true);
    // Each level read, and each sorting of what was read, may leave it hidden.
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this, &frmExploration::revealPendingFolder,
            Qt::QueuedConnection);
    connect(m_dirModel, &QFileSystemModel::layoutChanged, this, &frmExploration::revealPendingFolder,
            Qt::QueuedConnection);
    connect(m_dirs, &QTreeView::pressed, this, [this] { m_pendingFolder.clear(); });
    m_driveInfo = namedLabel(QStringLiteral("lblInfoLecteur"), QString(), panel);
}

QWidget* frmExploration::buildNewSupport(const QList<SupportType>& types,
                                         const QMap<QString, QIcon>& typeIcons) {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ssChoixSupport"));
    auto* form = new QFormLayout(panel);
    form->addRow(panelTitle(QStringLiteral("Nouveau support"), panel));
    m_name = new QLineEdit(panel);
    m_name->setObjectName(QStringLiteral("txtNomNouveauSupport"));
    m_supportType = new QComboBox(panel);
    m_supportType->setObjectName(QStringLiteral("cboTypeSupport"));
    for (const SupportType& type : types)
        m_supportType->addItem(typeIcons.value(QStringLiteral("I") + QString::number(type.number)),
                               type.label, QStringLiteral("N") + QString::number(type.number));
    form->addRow(QStringLiteral("Nom du support :"), m_name);
    form->addRow(QStringLiteral("Type du support :"), m_supportType);
    m_explore = namedButton(QStringLiteral("cmdExplorer"), QStringLiteral("Explorer !"), panel);
    auto* cancel = namedButton(QStringLiteral("cmdAnnulExplo"), QStringLiteral("Annuler"), panel);
    connect(m_explore, &QPushButton::clicked, this, &frmExploration::onExplore);
    connect(cancel, &QPushButton::clicked, this, &frmExploration::onCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(m_explore);
    form->addRow(buttons);
    return panel;
}

namespace {

// A counter's label: its caption, its text until the first figure, and the
// phrase of a figure ("# fichier", "# fichiers"; none for a size, shown as a
// size phrase). Most counters keep their first text until they count something.
struct CounterLabel {
    Counter counter;
    const char* name;
    const char* caption;
    const char* resetText;
    const char* singular;
    const char* plural;
    bool showsZero;
};
const CounterLabel kDirectoryCounters[] = {
    {Counter::ListedDirectories, "lblRepAjoute", "Répertoires ajoutés :", "-", "# répertoire",
     "# répertoires", true},
    {Counter::ExcludedDirectories, "lblRepertoireExclus", "Répertoires exclus :", "", "# répertoire exclu",
     "# répertoires exclus", false},
    {Counter::UnreadableDirectories, "lblRepertoireIllisible", "Répertoires illisibles :", "",
     "# répertoire illisible", "# répertoires illisibles", false},
    {Counter::LongPaths, "lblCheminTropLong", "Chemins trop longs :", "", "# répertoire au chemin trop long",
     "# répertoires au chemin trop long", false},
    {Counter::FilesFound, "lblFichierTrouve", "Fichiers trouvés :", "-", "# fichier", "# fichiers", true},
    {Counter::TotalSize, "lblInfoTaille", "Taille totale :", "Non calculé", nullptr, nullptr, true}};
const CounterLabel kFileCounters[] = {
    {Counter::Programs, "lblFichierProgramme", "Programmes :", "-", "# programme ajouté",
     "# programmes ajoutés", false},
    {Counter::Archives, "lblFichierArchive", "Archives :", "-", "# archive ajoutée", "# archives ajoutées",
     false},
    {Counter::Associated, "lblFichierAssocie", "Fichiers associés :", "-", "# fichier associé ajouté",
     "# fichiers associés ajoutés", false},
    {Counter::ExcludedFiles, "lblFichierExclu", "Fichiers exclus :", "-", "# fichier exclu",
     "# fichiers exclus", false},
    {Counter::UnreadableFiles, "lblFichierIllisible", "Fichiers illisibles :", "", "# fichier illisible",
     "# fichiers illisibles", false},
    {Counter::LeftOut, "lblFichierLaisse", "Laissés de côté :", "",
     "# fichier laissé de côté (nom trop long)", "# fichiers laissés de côté (nom trop long)", false}};
const std::span<const CounterLabel> kCounterGroups[] = {kDirectoryCounters, kFileCounters};

QString counterText(const CounterLabel& label, qint64 value) {
    if (!label.singular)
        return sizePhrase(value, false);
    return countText(value, QString::fromUtf8(label.singular), QString::fromUtf8(label.plural));
}

// Room for the longest text a counter takes, so that the window keeps its
// size while the figures grow.
QLabel* counterLabel(const QString& name, QWidget* parent) {
    QLabel* label = namedLabel(name, QString(), parent);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(
        QStringLiteral("9 999 999 fichiers laissés de côté (nom trop long)")));
    return label;
}

QLabel* percentageLabel(const QString& name, QWidget* parent) {
    QLabel* label = namedLabel(name, QString(), parent);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("100 %")));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// One phase: its title, gauge and percentage, then a caption before each counter.
int addPhaseRows(QGridLayout* grid, int row, const QString& title, const QString& gauge,
                 const QString& percentage, std::span<const CounterLabel> counters, QWidget* panel) {
    grid->addWidget(new QLabel(title, panel), row, 0);
    grid->addWidget(namedLabel(gauge, QString(), panel), row, 1);
    grid->addWidget(percentageLabel(percentage, panel), row++, 2);
    for (const CounterLabel& counter : counters) {
        grid->addWidget(new QLabel(QString::fromUtf8(counter.caption), panel), row, 0);
        grid->addWidget(counterLabel(QLatin1String(counter.name), panel), row++, 1, 1, 2);
    }
    return row;
}

} // namespace

QWidget* frmExploration::buildProgress() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ssExploEnCours"));
    auto* grid = new QGridLayout(panel);
    grid->addWidget(panelTitle(QStringLiteral("Exploration d'un support"), panel), 0, 0, 1, 3);
    int row = addPhaseRows(grid, 1, QStringLiteral("Répertoires :"), m_directoryGauge.picture,
                           m_directoryGauge.percentage, kDirectoryCounters, panel);
    row = addPhaseRows(grid, row, QStringLiteral("Fichiers :"), m_fileGauge.picture, m_fileGauge.percentage,
                       kFileCounters, panel);
    grid->setColumnStretch(1, 1);
    m_stopButton = namedButton(QStringLiteral("cmdArretExploration"), QStringLiteral("Arrêter"), panel);
    connect(m_stopButton, &QPushButton::clicked, this, &frmExploration::onStop);
    grid->addWidget(m_stopButton, row, 2);
    return panel;
}

QWidget* frmExploration::buildMemorisation() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ssMemorisation"));
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(panelTitle(QStringLiteral("Mémorisation"), panel));
    // Paths and file names of any length pass here: they are shortened to
    // the window rather than widening it.
    for (const char* name : {"Label39", "Label38", "RepertoireActuel"})
        layout->addWidget(new ElidingLabel(QLatin1String(name), panel));
    return panel;
}

void frmExploration::onTypeExploration(int index) {
    const bool deep = index == 1;
    m_deepTitle->setEnabled(deep);
    m_readInfos->setEnabled(deep);
    m_computeCrc->setEnabled(deep);
    if (!deep)
        m_computeCrc->setChecked(false);
}

void frmExploration::onDriveChanged(int index) {
    if (index < 0 || index >= m_volumes.size())
        return;
    m_pendingFolder.clear();
    const Volume& volume = m_volumes.at(index);
    m_dirModel->setRootPath(volume.rootPath);
    m_dirs->setRootIndex(m_dirModel->index(volume.rootPath));
    m_dirs->clearSelection();
    m_driveInfo->setText(drivePanelText(volume));
    m_name->setText(volume.label.trimmed());
    const int type = supportTypeForKeyword(m_types, driveKeyword(volume));
    const int item = m_supportType->findData(QStringLiteral("N") + QString::number(type));
    if (type > 0 && item >= 0)
        m_supportType->setCurrentIndex(item);
}

Volume frmExploration::selectedVolume() const {
    const int index = m_drives->currentIndex();
    return (index >= 0 && index < m_volumes.size()) ? m_volumes.at(index) : Volume();
}

QString frmExploration::startDirectory() const {
    const QModelIndex current = m_dirs->currentIndex();
    return current.isValid() ? m_dirModel->filePath(current) : selectedVolume().rootPath;
}

void frmExploration::setUpdate(const SupportMedium& medium, SupportUpdateStore& updates) {
    m_updates = &updates;
    m_updatedSupport = medium.name;
    setWindowTitle(QStringLiteral("Mise à jour du support « ") + medium.name + QStringLiteral(" »"));
    m_continue->setText(QStringLiteral("Mettre à jour !"));
    for (qsizetype i = 0; i < m_volumes.size(); ++i)
        if (isSupportMedium(m_volumes.at(i), medium)) {
            m_drives->setCurrentIndex(static_cast<int>(i));
            break;
        }
    const QString folder = nativePath(selectedVolume().rootPath, medium.startPath);
    if (!medium.startPath.isEmpty() && QFileInfo(folder).isDir()) {
        m_pendingFolder = folder;
        revealPendingFolder();
    }
}

// The view keeps what it is shown only once it is on screen, and the folder
// model reads each level in the background: the folder is shown again then,
// and as each of its parents comes in, until the user picks another.
void frmExploration::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &frmExploration::revealPendingFolder);
}

void frmExploration::revealPendingFolder() {
    if (m_pendingFolder.isEmpty())
        return;
    const QModelIndex index = m_dirModel->index(m_pendingFolder);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_dirs->expand(parent);
    m_dirs->setCurrentIndex(index);
    m_dirs->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void frmExploration::onContinue() {
    if (m_updates) {
        onExplore();
        return;
    }
    m_parameters->hide();
    m_newSupport->show();
    m_name->setFocus();
    m_continue->setDefault(false);
    m_explore->setDefault(true);
}

void frmExploration::resetProgressPanel() {
    for (const char* name : {"Label38", "RepertoireActuel"})
        setLabelText(QLatin1String(name), QString());
    for (std::span<const CounterLabel> group : kCounterGroups)
        for (const CounterLabel& label : group)
            setLabelText(QLatin1String(label.name), QString::fromUtf8(label.resetText));
    for (Gauge* gauge : {&m_directoryGauge, &m_fileGauge}) {
        gauge->frame = 0;
        showGauge(*gauge, PhaseProgress::at(0));
    }
}

void frmExploration::setLabelText(const QString& name, const QString& text) {
    if (auto* label = findChild<QLabel*>(name)) {
        label->setText(text);
        label->repaint();
    }
}

// The picture is loaded only when the frame changes: a hundred percentages
// share twenty-six pictures.
void frmExploration::showGauge(Gauge& gauge, const PhaseProgress& progress) {
    setLabelText(gauge.percentage, QString::number(progress.percentage) + QStringLiteral(" %"));
    if (progress.frame == gauge.frame)
        return;
    gauge.frame = progress.frame;
    if (auto* label = findChild<QLabel*>(gauge.picture))
        label->setPixmap(
            QPixmap(session().paths.gaugeDir + QString::number(progress.frame) + QStringLiteral(".BMP")));
}

void frmExploration::showPhase(ExplorationPhase phase) {
    switch (phase) {
    case ExplorationPhase::ListingDirectories:
        setLabelText(QStringLiteral("Label39"), QStringLiteral("Analyse des répertoires"));
        setLabelText(QStringLiteral("Label38"), QStringLiteral("Génération de la liste des répertoires"));
        return;
    case ExplorationPhase::ReadingDirectories:
        setLabelText(QStringLiteral("Label38"), QStringLiteral("Répertoire scanné :"));
        return;
    case ExplorationPhase::ReadingFiles:
        setLabelText(QStringLiteral("Label38"), QString());
        setLabelText(QStringLiteral("Label39"), QStringLiteral("Analyse des fichiers"));
        return;
    }
}

void frmExploration::showDirectoryProgress(const PhaseProgress& progress) {
    showGauge(m_directoryGauge, progress);
}

void frmExploration::showFileProgress(const PhaseProgress& progress) {
    showGauge(m_fileGauge, progress);
}

void frmExploration::showCounters(const ExplorationCounters& counters, Counters changed) {
    for (std::span<const CounterLabel> group : kCounterGroups)
        for (const CounterLabel& label : group) {
            if (!changed.testFlag(label.counter))
                continue;
            const qint64 value = counterValue(counters, label.counter);
            if (value != 0 || label.showsZero)
                setLabelText(QLatin1String(label.name), counterText(label, value));
        }
}

void frmExploration::showCurrentDirectory(const QString& path) {
    setLabelText(QStringLiteral("RepertoireActuel"), path);
}

void frmExploration::showCurrentFile(const QString& name, FileStep step) {
    setLabelText(QStringLiteral("Label38"),
                 step == FileStep::ComputingCrc ? QStringLiteral("CRC de ") + name : name);
}

void frmExploration::onExplore() {
    ExplorationRequest request;
    request.supportName = m_updates ? m_updatedSupport : m_name->text();
    request.supportType = m_supportType->currentData().toString().mid(1).toInt();
    request.volume = selectedVolume();
    request.startDirectory = startDirectory();
    request.deep = m_typeExploration->checkedId() == 1;
    request.readInfos = m_readInfos->isChecked();
    request.computeCrc = m_computeCrc->isChecked();
    request.excludeExtensions = m_excludeExt->isChecked();
    request.excludeDirectories = m_excludeDirs->isChecked();
    m_stop = false;
    ExplorationCounters counters;
    const QScopedValueRollback exploring(m_exploring, true);
    switch (run(request, counters)) {
    case ExplorationOutcome::Refused:
        return;
    case ExplorationOutcome::Cancelled:
        onCancel();
        return;
    case ExplorationOutcome::Completed:
        reportUpdate(counters);
        emit finished(true);
        accept();
        return;
    case ExplorationOutcome::Failed: // the message is shown; what was committed is kept
        emit finished(true);
        accept();
        return;
    }
}

ExplorationOutcome frmExploration::run(const ExplorationRequest& request, ExplorationCounters& counters) {
    const ExplorationContext context{m_store, m_analysis, *this, *this};
    return m_updates ? runUpdate(request, context, *m_updates, counters, m_updateSummary)
                     : runExploration(request, context, counters);
}

// An update ends with what it changed, or with the word that nothing changed.
void frmExploration::reportUpdate(const ExplorationCounters& counters) const {
    if (!m_updates)
        return;
    if (counters.stopped)
        dialogs().message(QStringLiteral("La mise à jour a été arrêtée : le support « ") + m_updatedSupport +
                              QStringLiteral(" » n'a pas été modifié."),
                          MessageStyle::Information);
    else
        dialogs().message(QStringLiteral("Le support « ") + m_updatedSupport +
                              QStringLiteral(" » est à jour : ") + m_updateSummary.text() +
                              QStringLiteral("."),
                          MessageStyle::Information);
}

void frmExploration::phasesStarting() {
    m_stopButton->setEnabled(true);
    resetProgressPanel();
    m_newSupport->hide();
    m_progress->show();
    m_memorisation->show();
    // The progress keeps one size from the first figure to the last.
    layout()->activate();
    setFixedSize(sizeHint().expandedTo(size()));
}

void frmExploration::onStop() {
    if (dialogs().message(QStringLiteral("Êtes-vous sûr(e) d'arrêter l'exploration de ce support ?"),
                          MessageStyle::Question) != MessageAnswer::Yes)
        return;
    m_stop = true;
    m_stopButton->setEnabled(false);
}

void frmExploration::reject() {
    if (!m_exploring) {
        QDialog::reject();
        return;
    }
    if (!m_stop)
        onStop();
}

void frmExploration::onCancel() {
    emit finished(false);
    reject();
}

void frmExploration::yield() {
    QApplication::processEvents();
}

} // namespace velmar::ui
