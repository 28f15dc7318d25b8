#include "ui/duplicates_panel.h"

#include "store/duplicates.h"
#include "store/registry.h"
#include "ui/busy_pointer.h"
#include "ui/named_widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QTreeWidget>

namespace velmar::ui {

namespace {

// A file row keeps its support and file numbers.
constexpr int kSupportRole = Qt::UserRole;
constexpr int kFileRole = Qt::UserRole + 1;

} // namespace

DuplicatesPanel::DuplicatesPanel(CollectionsRegistry& registry, QWidget* host)
    : QObject(host), m_registry(registry), m_panel(namedPanel(QStringLiteral("ssDoublons"), host)) {
    m_basis = new QComboBox(m_panel);
    m_basis->setObjectName(QStringLiteral("cboBaseDoublons"));
    m_basis->addItems({QStringLiteral("Taille et CRC, sinon taille et nom"), QStringLiteral("Taille et CRC"),
                       QStringLiteral("Taille et nom")});
    QPushButton* run = namedButton(QStringLiteral("cmdChercheDoublons"), QStringLiteral("Chercher"), m_panel,
                                   QStringLiteral("Chercher les fichiers catalogués plusieurs fois."));
    m_list = new QTreeWidget(m_panel);
    m_list->setObjectName(QStringLiteral("lstDoublons"));
    m_list->setHeaderLabels({QStringLiteral("Support"), QStringLiteral("Fichier")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setUniformRowHeights(true);
    // Paths lose their middle rather than their file name.
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_summary = namedLabel(QStringLiteral("lblResumeDoublons"), QString(), m_panel);
    m_summary->setWordWrap(true);
    QPushButton* close = namedButton(QStringLiteral("cmdFermerDoublons"), QStringLiteral("Fermer"), m_panel);

    auto* grid = new QGridLayout(m_panel);
    grid->addWidget(panelTitle(QStringLiteral("Doublons"), m_panel), 0, 0, 1, 3);
    grid->addWidget(
        namedLabel(QStringLiteral("lblBaseDoublons"), QStringLiteral("Identiques par :"), m_panel), 1, 0);
    grid->addWidget(m_basis, 1, 1);
    grid->addWidget(run, 1, 2);
    grid->addWidget(m_list, 2, 0, 1, 3);
    grid->addWidget(m_summary, 3, 0, 1, 3);
    grid->addWidget(close, 4, 2, Qt::AlignRight);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);

    connect(run, &QPushButton::clicked, this, &DuplicatesPanel::search);
    connect(close, &QPushButton::clicked, m_panel, &QWidget::hide);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &DuplicatesPanel::onItemActivated);
}

void DuplicatesPanel::open() {
    m_panel->show();
    search();
}

void DuplicatesPanel::clear() {
    m_list->clear();
    m_summary->clear();
}

void DuplicatesPanel::search() {
    clear();
    if (!m_registry.TesteSiCollectionOuverte())
        return;
    const BusyPointer busy;
    DuplicateSearch request;
    request.basis = static_cast<DuplicateBasis>(m_basis->currentIndex());
    QList<DuplicateGroup> groups;
    QString error;
    if (!findDuplicates(m_registry.database(), request, groups, error)) {
        m_summary->setText(QStringLiteral("La recherche des doublons n'a pas pu être faite : ") + error);
        return;
    }
    m_list->setUpdatesEnabled(false);
    for (const DuplicateGroup& group : groups)
        addGroup(group);
    m_list->setUpdatesEnabled(true);
    m_summary->setText(duplicatesSummary(groups));
}

void DuplicatesPanel::addGroup(const DuplicateGroup& group) {
    auto* node = new QTreeWidgetItem(m_list);
    node->setText(0, duplicateGroupText(group));
    node->setToolTip(0, node->text(0));
    node->setFirstColumnSpanned(true);
    for (const DuplicateFile& file : group.files) {
        auto* row = new QTreeWidgetItem(node, {file.supportName, file.path});
        row->setData(0, kSupportRole, file.support);
        row->setData(0, kFileRole, file.file);
        row->setToolTip(1, file.path);
    }
    node->setExpanded(true);
}

void DuplicatesPanel::onItemActivated(QTreeWidgetItem* item) {
    if (item == nullptr || item->parent() == nullptr || !m_registry.isOpen())
        return;
    ResultPlace place;
    if (placeOfFile(m_registry.database(), item->data(0, kSupportRole).toInt(),
                    item->data(0, kFileRole).toLongLong(), place))
        emit fileChosen(place);
}

} // namespace velmar::ui
