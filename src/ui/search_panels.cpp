#include "ui/search_panels.h"

#include "app/dialogs.h"
#include "app/local_date.h"
#include "app/phrases.h"
#include "store/browse_nodes.h"
#include "store/export_request.h"
#include "store/search_condition.h"
#include "ui/column_fit.h"
#include "ui/file_icons.h"
#include "ui/named_widgets.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmar::ui {

namespace {

constexpr int kKeyRole = Qt::UserRole;

} // namespace

SearchPanels::SearchPanels(CollectionsRegistry& registry, QWidget* host)
    : QObject(host), m_registry(registry) {
    buildFilterPanel(host);
    buildCriteriaPanel(host);
}

void SearchPanels::buildFilterPanel(QWidget* host) {
    m_filterPanel = namedPanel(QStringLiteral("ssFiltre"), host);
    m_kind = new QComboBox(m_filterPanel);
    m_kind->setObjectName(QStringLiteral("cboChoixFiltre"));
    m_kind->setToolTip(QStringLiteral("Choix du type de filtre."));
    m_kind->addItems(filterKindLabels());
    m_kind->setCurrentIndex(0);
    m_value = new QComboBox(m_filterPanel);
    m_value->setObjectName(QStringLiteral("cboValeurFiltre"));
    m_value->setToolTip(QStringLiteral("Entrez le texte du filtre."));
    m_value->setEditable(true);
    m_value->setInsertPolicy(QComboBox::NoInsert);
    m_value->setMinimumWidth(200);
    m_value->hide();
    m_run = namedButton(QStringLiteral("cmdValideFiltre"), QStringLiteral("Chercher"), m_filterPanel,
                        QStringLiteral("Valider le filtre."));
    m_list = new QTreeWidget(m_filterPanel);
    m_list->setObjectName(QStringLiteral("ListeRecherche"));
    m_list->setHeaderLabels({QStringLiteral("Support"), QStringLiteral("Fichier"), QStringLiteral("Ext."),
                             QStringLiteral("Répertoire"), QStringLiteral("Taille"),
                             QStringLiteral("Dern. modif.")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    QAction* exportResults = new QAction(QStringLiteral("Exporter…"), m_list);
    exportResults->setObjectName(QStringLiteral("mnuRecherche_Exporter"));
    m_list->addAction(exportResults);
    connect(exportResults, &QAction::triggered, this, &SearchPanels::exportResults);
    fitColumnsToContent(m_list);

    auto* layout = new QVBoxLayout(m_filterPanel);
    auto* row = new QHBoxLayout;
    row->addWidget(panelTitle(QStringLiteral("Recherche"), m_filterPanel));
    row->addWidget(m_kind);
    row->addWidget(m_value, 1);
    row->addWidget(m_run);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(m_list, 1);

    connect(m_kind, &QComboBox::activated, this, &SearchPanels::onKindChosen);
    connect(m_value, &QComboBox::editTextChanged, this, [this] { m_run->setDefault(true); });
    connect(m_value->lineEdit(), &QLineEdit::returnPressed, this, &SearchPanels::runSearch);
    connect(m_run, &QPushButton::clicked, this, &SearchPanels::runSearch);
    connect(m_list, &QTreeWidget::itemClicked, this, [this] { onResultClicked(false); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { onResultClicked(true); });
}

// The files of the last search, whatever the list shows of them.
void SearchPanels::exportResults() {
    if (!m_registry.isOpen() || !m_results.hasRun())
        return;
    db::Database& db = m_registry.database();
    const QString condition = m_results.condition();
    exportWithDialogs(QStringLiteral("Recherche"), [&](QIODevice& out, ExportFormat format, QString& error) {
        return exportSearchResults(db, condition, format, out, error);
    });
}

void SearchPanels::buildCriteriaPanel(QWidget* host) {
    m_criteriaPanel = namedPanel(QStringLiteral("ssRecherche"), host);
    auto* grid = new QGridLayout(m_criteriaPanel);
    grid->addWidget(panelTitle(QStringLiteral("Recherche de fichiers correspondants à plusieurs critères"),
                               m_criteriaPanel),
                    0, 0, 1, 2);
    auto* intro =
        new QLabel(QStringLiteral("Cette fenêtre vous permet de combiner différents critères de recherche "
                                  "à appliquer à la collection ouverte."),
                   m_criteriaPanel);
    intro->setWordWrap(true);
    grid->addWidget(intro, 1, 0, 1, 2);
    const QStringList labels = {QStringLiteral("Nom du fichier :"), QStringLiteral("Répertoire :"),
                                QStringLiteral("Extension :"), QStringLiteral("Taille minimale :"),
                                QStringLiteral("Taille maximale :")};
    for (int box = 0; box < 5; ++box) {
        m_boxes[box] = new QLineEdit(m_criteriaPanel);
        m_boxes[box]->setObjectName(QStringLiteral("txtRech_%1").arg(box));
        m_boxes[box]->setProperty("index", box);
        grid->addWidget(new QLabel(labels[box], m_criteriaPanel), 2 + box, 0);
        grid->addWidget(m_boxes[box], 2 + box, 1);
        connect(m_boxes[box], &QLineEdit::textChanged, this, [this, box] { onCriteriaChanged(box); });
        connect(m_boxes[box], &QLineEdit::returnPressed, this, [this] {
            if (m_search->isEnabled())
                m_search->click();
        });
    }
    m_translatedSize = namedLabel(QStringLiteral("lblTraduitTaille"), QString(), m_criteriaPanel);
    grid->addWidget(m_translatedSize, 7, 1);
    m_search = namedButton(QStringLiteral("cmdRechercher"), QStringLiteral("Rechercher"), m_criteriaPanel);
    QPushButton* cancel =
        namedButton(QStringLiteral("cmdAnnuleRecherche"), QStringLiteral("Annuler"), m_criteriaPanel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_search);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 8, 0, 1, 2);
    connect(m_search, &QPushButton::clicked, this, [this] {
        m_criteriaPanel->hide();
        runSearch();
    });
    connect(cancel, &QPushButton::clicked, m_criteriaPanel, &QWidget::hide);
}

void SearchPanels::setSupportTypeIcons(const QMap<QString, QIcon>& icons, int typeCount) {
    m_typeIcons = icons;
    m_typeCount = typeCount;
}

void SearchPanels::onKindChosen(int kind) {
    const auto chosen = static_cast<FilterKind>(kind);
    m_value->setVisible(chosen != FilterKind::None && chosen != FilterKind::MultiCriteria);
    if (chosen == FilterKind::MultiCriteria)
        openCriteria();
    else if (chosen != FilterKind::None)
        m_value->setFocus();
}

void SearchPanels::openCriteria() {
    if (!m_registry.TesteSiCollectionOuverte())
        return;
    if (m_kind->currentIndex() != static_cast<int>(FilterKind::MultiCriteria)) {
        m_kind->setCurrentIndex(static_cast<int>(FilterKind::MultiCriteria));
        m_value->hide();
    }
    emit criteriaShowing();
    m_criteriaPanel->show();
    m_criteriaPanel->raise();
    onCriteriaChanged(0);
    m_search->setDefault(true);
    m_boxes[0]->setFocus();
}

void SearchPanels::onCriteriaChanged(int box) {
    bool any = false;
    for (const QLineEdit* b : m_boxes)
        any = any || !b->text().isEmpty();
    m_search->setEnabled(any);
    if (box == 3 || box == 4)
        m_translatedSize->setText(translatedSize(m_boxes[box]->text()));
}

void SearchPanels::runSearch() {
    if (!m_registry.TesteSiCollectionOuverte())
        return;
    const auto kind = static_cast<FilterKind>(m_kind->currentIndex());
    QString condition;
    if (kind == FilterKind::MultiCriteria) {
        std::array<QString, 5> boxes;
        for (int i = 0; i < 5; ++i)
            boxes[i] = m_boxes[i]->text();
        condition = BuildSearchCondition(boxes);
    } else {
        condition = BuildSearchCondition(kind, m_value->currentText());
    }
    const bool ran = m_results.run(m_registry.database(), condition);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_list->clear();
    if (!ran) {
        dialogs().message(QStringLiteral("La recherche n'a pas pu être faite : la base de données a refusé "
                                         "la demande (") +
                              m_results.error() +
                              QStringLiteral("). Vérifiez les valeurs saisies, une taille "
                                             "doit être un nombre entier."),
                          MessageStyle::Exclamation);
        return;
    }
    if (m_results.isEmpty()) {
        dialogs().message(QStringLiteral("Aucune correspondance trouvée."), MessageStyle::Exclamation);
        return;
    }
    QList<QTreeWidgetItem*> items;
    for (const SearchLine& line : m_results.readLines(kMaxLines)) {
        auto* item = new QTreeWidgetItem({line.supportName, line.fileName, line.extension, line.directory,
                                          sizePhrase(line.size, false), shortLocalDate(line.modified)});
        item->setIcon(0, m_typeIcons.value(supportIconKey(line.supportType, m_typeCount)));
        item->setIcon(1, typeIcon(line.fileName));
        item->setData(0, kKeyRole, line.key);
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    fitColumnsToContent(m_list);
    m_filterPanel->show();
}

void SearchPanels::onResultClicked(bool activated) {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    ResultPlace place;
    if (!m_results.locate(item->data(0, kKeyRole).toString(), place)) {
        dialogs().message(QStringLiteral("Fichier non trouvé dans la base de données !"),
                          MessageStyle::Exclamation);
        return;
    }
    if (activated)
        emit resultActivated(place);
    else
        emit resultChosen(place);
}

void SearchPanels::release() {
    m_results.close();
    m_list->clear();
}

} // namespace velmar::ui
