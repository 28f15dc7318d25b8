#include "ui/frm_principal.h"

#include "app/geometry.h"
#include "app/session.h"
#include "explore/probe_analysis.h"
#include "store/catalogue_writer.h"
#include "store/maintenance.h"
#include "store/support_medium.h"
#include "ui/browse_view.h"
#include "ui/collection_panels.h"
#include "ui/configuration_panel.h"
#include "ui/duplicates_panel.h"
#include "ui/file_actions.h"
#include "ui/file_card_panel.h"
#include "ui/frm_exploration.h"
#include "ui/named_widgets.h"
#include "ui/search_panels.h"
#include "ui/side_column.h"
#include "ui/statistics_panel.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QVBoxLayout>

namespace velmar::ui {

// The window's central area: it draws the background picture, scaled to cover.
class frmPrincipal::Backdrop final : public QWidget {
public:
    explicit Backdrop(frmPrincipal* owner) : QWidget(owner), m_owner(owner) {
        setObjectName(QStringLiteral("Fond"));
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_owner->m_background.isNull())
            return;
        QPainter p(this);
        const QPixmap scaled =
            m_owner->m_background.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        p.drawPixmap((width() - scaled.width()) / 2, (height() - scaled.height()) / 2, scaled);
    }

private:
    frmPrincipal* m_owner;
};

frmPrincipal::frmPrincipal(const StatusCallback& status, QWidget* parent)
    : QMainWindow(parent), m_registry(StorePaths::fromDataDir(session().paths.dataDir)),
      m_backdrop(new Backdrop(this)) {
    setObjectName(QStringLiteral("frmPrincipal"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(mainWindowTitle());
    setCentralWidget(m_backdrop);

    m_collections = new CollectionPanels(m_registry, m_backdrop);
    auto* layout = new QVBoxLayout(m_backdrop);
    auto* top = new QHBoxLayout;
    top->addWidget(buildCommandBar());
    top->addWidget(m_collections->chooser(), 1);
    layout->addLayout(top);
    status(QStringLiteral("Mémorise les extensions analysées"));
    m_configuration = new ConfigurationPanel(m_backdrop);
    connect(m_configuration, &ConfigurationPanel::closeRequested, m_configuration, &QWidget::hide);
    m_tools = buildTools();
    m_browse = new BrowseView(m_registry, m_backdrop);
    m_search = new SearchPanels(m_registry, m_backdrop);
    m_duplicates = new DuplicatesPanel(m_registry, m_backdrop);
    m_statistics = new StatisticsPanel(m_registry, m_backdrop);
    m_card = new FileCardPanel(m_backdrop);
    m_actions = new FileActions(m_registry, *m_browse, *m_card, this);

    // The tree and files above the search results; the panels of the moment beside them.
    // Neither splitter lets a part collapse to nothing; the lists take the
    // space the window gains, the side column keeps its width.
    auto* lists = new QSplitter(Qt::Vertical, m_backdrop);
    lists->setChildrenCollapsible(false);
    lists->addWidget(m_browse->panel());
    lists->addWidget(m_search->filterPanel());
    lists->setStretchFactor(0, 3);
    lists->setStretchFactor(1, 2);
    auto* body = new QSplitter(Qt::Horizontal, m_backdrop);
    body->setChildrenCollapsible(false);
    body->addWidget(lists);
    body->addWidget(buildSideColumn());
    body->setStretchFactor(0, 1);
    body->setStretchFactor(1, 0);
    layout->addWidget(body, 1);
    connectBrowsing();
    hideAllPanels();

    status(QStringLiteral("Lecture des collections"));
    m_registry.LoadRegistry();
    m_registry.FillCollectionLists();
}

QWidget* frmPrincipal::buildSideColumn() {
    using Height = SideColumn::Height;
    auto* column = new SideColumn(m_backdrop);
    column->addPanel(m_card->panel(), Height::Natural);
    column->addPanel(m_search->criteriaPanel(), Height::Natural);
    column->addPanel(m_collections->collectionList(), Height::Fill);
    column->addPanel(m_collections->newCollection(), Height::Natural);
    column->addPanel(m_collections->supportTable(), Height::Fill);
    column->addPanel(m_tools, Height::Natural);
    column->addPanel(m_duplicates->panel(), Height::Fill);
    column->addPanel(m_statistics->panel(), Height::Fill);
    column->addPanel(m_configuration, Height::Fill);
    return column;
}

void frmPrincipal::connectBrowsing() {
    connect(m_collections, &CollectionPanels::collectionChanged, this, &frmPrincipal::collectionChanged);
    connect(m_collections, &CollectionPanels::searchReleased, m_search, &SearchPanels::release);
    connect(m_search, &SearchPanels::criteriaShowing, this, &frmPrincipal::hideAllPanels);
    connect(m_search, &SearchPanels::resultChosen, m_browse, &BrowseView::showResult);
    connect(m_duplicates, &DuplicatesPanel::fileChosen, m_browse, &BrowseView::showResult);
    connect(m_search, &SearchPanels::resultActivated, this, [this](const ResultPlace& place) {
        m_browse->showResult(place);
        m_actions->open();
    });
    connect(m_browse, &BrowseView::fileClicked, m_actions, &FileActions::showCard);
    connect(m_browse, &BrowseView::fileActivated, m_actions, &FileActions::open);
    connect(m_browse, &BrowseView::openFileRequested, m_actions, &FileActions::open);
    connect(m_browse, &BrowseView::locateFileRequested, m_actions, &FileActions::locate);
    connect(m_browse, &BrowseView::deleteFileRequested, m_actions, &FileActions::remove);
    connect(m_browse, &BrowseView::updateSupportRequested, this, &frmPrincipal::updateSupport);
    connect(m_browse, &BrowseView::fileListEmptied, m_card->panel(), &QWidget::hide);
    connect(m_browse, &BrowseView::catalogueChanged, m_collections, &CollectionPanels::refreshFileCount);
    connect(m_card, &FileCardPanel::openRequested, m_actions, &FileActions::open);
    connect(m_card, &FileCardPanel::copyRequested, m_actions, &FileActions::copy);
    connect(m_card, &FileCardPanel::storeCommentRequested, m_actions, &FileActions::storeComment);
    connect(m_card, &FileCardPanel::deleteRequested, m_actions, &FileActions::remove);
}

void frmPrincipal::collectionChanged() {
    m_exploreButton->setEnabled(m_registry.isOpen());
    m_duplicates->clear();
    m_statistics->clear();
    if (m_registry.isOpen())
        m_browse->buildTree();
    else
        m_browse->clear();
}

QFrame* frmPrincipal::buildCommandBar() {
    QFrame* bar = namedPanel(QStringLiteral("ssFonctions"), m_backdrop);
    auto* layout = new QVBoxLayout(bar);
    QPushButton* tools = namedButton(QStringLiteral("cmdOutils"), QStringLiteral("Outils"), bar);
    QPushButton* search = namedButton(QStringLiteral("cmdRecherches"), QStringLiteral("Chercher"), bar,
                                      QStringLiteral("Recherche multi-critères."));
    m_exploreButton = namedButton(QStringLiteral("cmdExplorer"), QStringLiteral("Explorer"), bar,
                                  QStringLiteral("Explorer un support et l'ajouter à la base."));
    QPushButton* config = namedButton(QStringLiteral("cmdConfig"), QStringLiteral("Config"), bar,
                                      QStringLiteral("Options diverses."));
    for (QPushButton* b : {tools, search, m_exploreButton, config})
        layout->addWidget(b);
    connect(search, &QPushButton::clicked, this, [this] { m_search->openCriteria(); });
    connect(tools, &QPushButton::clicked, this, [this] { showOnly(m_tools); });
    connect(config, &QPushButton::clicked, this, [this] {
        m_configuration->refresh();
        showOnly(m_configuration);
    });
    connect(m_exploreButton, &QPushButton::clicked, this, &frmPrincipal::explore);
    return bar;
}

namespace {

// The tools, in the order of the focus chain; `row` places each in the panel.
struct ToolRow {
    const char* buttonName;
    const char* caption;
    const char* tip;
    const char* labelName;
    const char* text;
    int row;
};

const char* const kCleaningTip =
    "Supprime les répertoires vides, recalcule les tailles de tous les supports.";

const ToolRow kTools[] = {
    {"cmdCompacterBase", "Compacter la base", kCleaningTip, "lblCompacterBase",
     "- Supprime définitivement de la base des données effacées ou annulées.", 2},
    {"cmdNettoyeRep", "Nettoyer les répertoires", kCleaningTip, "lblInfoNettoieRep",
     "- Supprime de la collection tous les répertoires ne contenant ni fichier, ni sous-répertoire.", 1},
    {"cmdDoublons", "Chercher les doublons", "", "lblDoublons",
     "- Groupes de fichiers identiques, sur un support ou sur plusieurs, le plus d'espace perdu d'abord.", 3},
    {"cmdStatistiques", "Statistiques", "", "lblStatistiques",
     "- Fichiers et octets par support et par type, les plus gros fichiers.", 4},
};

} // namespace

QFrame* frmPrincipal::buildTools() {
    QFrame* panel = namedPanel(QStringLiteral("ssOutils"), m_backdrop);
    auto* grid = new QGridLayout(panel);
    grid->addWidget(panelTitle(QStringLiteral("Outils"), panel), 0, 0, 1, 2);
    QList<QPushButton*> buttons;
    for (const ToolRow& tool : kTools) {
        QPushButton* button = namedButton(QString::fromUtf8(tool.buttonName), QString::fromUtf8(tool.caption),
                                          panel, QString::fromUtf8(tool.tip));
        QLabel* text = namedLabel(QString::fromUtf8(tool.labelName), QString::fromUtf8(tool.text), panel);
        text->setWordWrap(true);
        grid->addWidget(button, tool.row, 0);
        grid->addWidget(text, tool.row, 1);
        buttons << button;
    }
    QPushButton* close = namedButton(QStringLiteral("cmdFermerOutils"), QStringLiteral("Fermer"), panel);
    grid->addWidget(close, 5, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    connect(buttons[0], &QPushButton::clicked, this, [this] {
        if (m_registry.compactOpenCollection())
            m_tools->hide();
    });
    connect(buttons[1], &QPushButton::clicked, this, &frmPrincipal::purgeEmptyDirectories);
    connect(buttons[2], &QPushButton::clicked, this, [this] {
        showOnly(m_duplicates->panel());
        m_duplicates->open();
    });
    connect(buttons[3], &QPushButton::clicked, this, [this] {
        showOnly(m_statistics->panel());
        m_statistics->open();
    });
    connect(close, &QPushButton::clicked, panel, &QWidget::hide);
    return panel;
}

void frmPrincipal::purgeEmptyDirectories() {
    if (!m_registry.TesteSiCollectionOuverte())
        return;
    const auto lock = m_registry.lockOpenCollection();
    if (lock && NettoyerRepertoires(m_registry.database()) > 0) {
        hideAllPanels();
        m_browse->buildTree();
    }
}

void frmPrincipal::showOnly(QWidget* panel) {
    hideAllPanels();
    panel->show();
}

void frmPrincipal::explore() {
    openExplorationWindow(0);
}

void frmPrincipal::updateSupport(int support) {
    openExplorationWindow(support);
}

void frmPrincipal::openExplorationWindow(int supportToUpdate) {
    if (!m_registry.TesteSiCollectionOuverte())
        return;
    const auto lock = m_registry.lockOpenCollection(); // told to the user when refused
    if (!lock)
        return;
    CatalogueWriter writer(m_registry.database());
    ProbeAnalysis analysis;
    frmExploration window(writer, analysis, m_types, m_typeIcons, this);
    if (supportToUpdate != 0) {
        SupportMedium medium;
        if (!readSupportMedium(m_registry.database(), supportToUpdate, medium))
            return;
        window.setUpdate(medium, writer);
    }
    window.exec();
    m_collections->refreshFileCount();
    m_browse->buildTree();
}

frmPrincipal::~frmPrincipal() = default;

// The command bar, the chooser, the browse view and the search results stay;
// the other panels come and go.
const QStringList kAlwaysShown = {QStringLiteral("ssFonctions"), QStringLiteral("ssCollection"),
                                  QStringLiteral("ssListeFichiersRep"), QStringLiteral("ssFiltre")};

void frmPrincipal::hideAllPanels() {
    for (QWidget* child : findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (name.startsWith(QLatin1String("ss")) && !kAlwaysShown.contains(name))
            child->hide();
    }
}

void frmPrincipal::setBackgroundPicture(const QString& path) {
    m_background.load(path);
    m_backdrop->update();
}

void frmPrincipal::loadSupportTypeIcons() {
    const DataLayout& p = session().paths;
    m_types = supportTypesWithIcons(readSupportTypes(p.supportTypesFile), p.supportTypesDir);
    m_typeIcons.clear();
    for (const SupportType& type : m_types)
        m_typeIcons.insert(QStringLiteral("I") + QString::number(type.number),
                           QIcon(p.supportTypesDir + type.iconFile));
    const int typeCount = static_cast<int>(m_types.size());
    m_collections->setSupportTypeIcons(m_typeIcons, typeCount);
    m_browse->setSupportTypeIcons(m_typeIcons, typeCount);
    m_search->setSupportTypeIcons(m_typeIcons, typeCount);
}

void frmPrincipal::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Session& s = session();
    if (isMinimized() || s.applyingGeometry)
        return;
    s.applyingGeometry = true;
    const TwipRect current{0, 0, toTwips(width(), this), toTwips(height(), this)};
    const TwipRect clamped = clampToMinimumSize(current);
    if (clamped.width != current.width || clamped.height != current.height)
        resize(toPixels(clamped.width, this), toPixels(clamped.height, this));
    s.applyingGeometry = false;
}

void frmPrincipal::closeEvent(QCloseEvent* event) {
    m_registry.CloseCollection();
    Session& s = session();
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    // The same measures move() and resize() applied at start-up.
    velmar::saveGeometry(
        s.settings, {toTwips(x(), this), toTwips(y(), this), toTwips(width(), this), toTwips(height(), this)},
        normal);
    s.settings.SaveValues(s.paths.optionValuesFile, 0);
    event->accept();
    QCoreApplication::quit();
}

} // namespace velmar::ui
