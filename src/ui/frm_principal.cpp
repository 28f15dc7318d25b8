#include "ui/frm_principal.h"

#include "app/geometry.h"
#include "app/session.h"
#include "explore/probe_analysis.h"
#include "store/catalogue_writer.h"
#include "ui/collection_panels.h"
#include "ui/configuration_panel.h"
#include "ui/frm_exploration.h"
#include "ui/named_widgets.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
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
    for (QWidget* panel : {static_cast<QWidget*>(m_collections->collectionList()),
                           static_cast<QWidget*>(m_collections->newCollection()),
                           static_cast<QWidget*>(m_collections->supportTable()),
                           static_cast<QWidget*>(m_tools), static_cast<QWidget*>(m_configuration)})
        layout->addWidget(panel);
    layout->addStretch();
    connect(m_collections, &CollectionPanels::collectionChanged, this,
            [this] { m_exploreButton->setEnabled(m_registry.isOpen()); });
    hideAllPanels();

    status(QStringLiteral("Lecture des collections"));
    m_registry.LoadRegistry();
    m_registry.FillCollectionLists();
}

QFrame* frmPrincipal::buildCommandBar() {
    QFrame* bar = namedPanel(QStringLiteral("ssFonctions"), m_backdrop);
    auto* layout = new QVBoxLayout(bar);
    QPushButton* tools = namedButton(QStringLiteral("cmdOutils"), QStringLiteral("Outils"), bar);
    m_exploreButton = namedButton(QStringLiteral("cmdExplorer"), QStringLiteral("Explorer"), bar,
                                  QStringLiteral("Explorer un support et l'ajouter à la base."));
    QPushButton* config = namedButton(QStringLiteral("cmdConfig"), QStringLiteral("Config"), bar,
                                      QStringLiteral("Options diverses."));
    for (QPushButton* b : {tools, m_exploreButton, config})
        layout->addWidget(b);
    connect(tools, &QPushButton::clicked, this, [this] { showOnly(m_tools); });
    connect(config, &QPushButton::clicked, this, [this] {
        m_configuration->refresh();
        showOnly(m_configuration);
    });
    connect(m_exploreButton, &QPushButton::clicked, this, &frmPrincipal::explore);
    return bar;
}

QFrame* frmPrincipal::buildTools() {
    QFrame* panel = namedPanel(QStringLiteral("ssOutils"), m_backdrop);
    auto* grid = new QGridLayout(panel);
    QPushButton* compact = namedButton(
        QStringLiteral("cmdCompacterBase"), QStringLiteral("Compacter la base"), panel,
        QStringLiteral("Supprime les répertoires vides, recalcule les tailles de tous les supports."));
    auto* explanation = new QLabel(QStringLiteral("Réduit la taille du fichier de la collection ouverte en "
                                                  "récupérant la place laissée par les suppressions."),
                                   panel);
    explanation->setObjectName(QStringLiteral("lblCompacterBase"));
    explanation->setWordWrap(true);
    QPushButton* close = namedButton(QStringLiteral("cmdFermerOutils"), QStringLiteral("Fermer"), panel);
    grid->addWidget(new QLabel(QStringLiteral("<b>Outils</b>"), panel), 0, 0, 1, 2);
    grid->addWidget(compact, 1, 0);
    grid->addWidget(explanation, 1, 1);
    grid->addWidget(close, 2, 1, Qt::AlignRight);
    connect(compact, &QPushButton::clicked, this, [this] { m_registry.compactOpenCollection(); });
    connect(close, &QPushButton::clicked, panel, &QWidget::hide);
    return panel;
}

void frmPrincipal::showOnly(QWidget* panel) {
    hideAllPanels();
    panel->show();
}

void frmPrincipal::explore() {
    if (!m_registry.TesteSiCollectionOuverte())
        return;
    CatalogueWriter writer(m_registry.database());
    ProbeAnalysis analysis;
    frmExploration window(writer, analysis, m_types, m_typeIcons, this);
    window.exec();
    m_collections->refreshFileCount();
}

frmPrincipal::~frmPrincipal() = default;

void frmPrincipal::hideAllPanels() {
    for (QWidget* child : findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (name.startsWith(QLatin1String("ss")) && name != QLatin1String("ssFonctions") &&
            name != QLatin1String("ssCollection"))
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
    m_collections->setSupportTypeIcons(m_typeIcons, static_cast<int>(m_types.size()));
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
