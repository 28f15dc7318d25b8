#include "ui/collection_panels.h"

#include "app/dialogs.h"
#include "app/phrases.h"
#include "store/catalogue.h"
#include "store/support_table.h"
#include "ui/background_file_count.h"
#include "ui/named_widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmar::ui {

namespace {

const QString kNoCollection = QStringLiteral(" Aucune collection");

} // namespace

CollectionPanels::CollectionPanels(CollectionsRegistry& registry, QWidget* host)
    : QObject(host), m_registry(registry), m_fileCount(new BackgroundFileCount(this)) {
    connect(m_fileCount, &BackgroundFileCount::counted, this, &CollectionPanels::showFileCount);
    buildChooser(host);
    buildList(host);
    buildNew(host);
    buildSupports(host);
    m_registry.setView(this);
}

void CollectionPanels::buildChooser(QWidget* host) {
    m_chooser = namedPanel(QStringLiteral("ssCollection"), host);
    auto* layout = new QGridLayout(m_chooser);
    m_combo = new QComboBox(m_chooser);
    m_combo->setObjectName(QStringLiteral("cboChoixCollection"));
    m_combo->setMinimumWidth(220);
    m_openPicture = new QLabel(QStringLiteral("\u25CF"), m_chooser);
    m_openPicture->setObjectName(QStringLiteral("imgCollectionOuverte"));
    m_openPicture->setStyleSheet(QStringLiteral("color: #2a8a2a; font-size: 14pt;"));
    m_showSupports = namedButton(QStringLiteral("InfosSupports"), QStringLiteral("Supports"), m_chooser,
                                 QStringLiteral("Liste des supports de la collection"));
    auto* showCollections = namedButton(QStringLiteral("AfficheCollections"), QStringLiteral("Collections"),
                                        m_chooser, QStringLiteral("Afficher la liste des collections."));
    m_caption = new QLabel(m_chooser);
    m_caption->setObjectName(QStringLiteral("lblTitreListe"));
    auto* digits = new QHBoxLayout;
    digits->setSpacing(1);
    for (int i = 0; i < 6; ++i) {
        auto* digit = new QLabel(m_chooser);
        digit->setObjectName(QStringLiteral("imgChiffre%1").arg(i));
        digits->addWidget(digit);
        m_digits << digit;
    }
    digits->addWidget(new QLabel(QStringLiteral(" fichiers catalogués"), m_chooser));
    digits->addStretch();
    layout->addWidget(new QLabel(QStringLiteral("Collection actuelle :"), m_chooser), 0, 0);
    layout->addWidget(m_combo, 0, 1);
    layout->addWidget(m_openPicture, 0, 2);
    layout->addWidget(m_showSupports, 0, 3);
    layout->addWidget(showCollections, 0, 4);
    layout->addLayout(digits, 1, 0, 1, 6);
    layout->addWidget(m_caption, 2, 0, 1, 6);
    // The controls keep their natural widths, packed from the left.
    layout->setColumnStretch(5, 1);
    connect(m_combo, &QComboBox::activated, this, &CollectionPanels::onComboActivated);
    connect(showCollections, &QPushButton::clicked, this, &CollectionPanels::showCollectionList);
    connect(m_showSupports, &QPushButton::clicked, this, &CollectionPanels::showSupportTable);
}

void CollectionPanels::buildList(QWidget* host) {
    m_list = namedPanel(QStringLiteral("ssChoixCollection"), host);
    auto* layout = new QGridLayout(m_list);
    m_names = new QListWidget(m_list);
    m_names->setObjectName(QStringLiteral("ListeBaseDispo"));
    m_summary = new QLabel(m_list);
    m_summary->setObjectName(QStringLiteral("lblResumeCollections"));
    m_fileInfo = new QFrame(m_list);
    m_fileInfo->setObjectName(QStringLiteral("fraInfoCollection"));
    m_fileInfoText = new QLabel(m_fileInfo);
    m_fileInfoText->setObjectName(QStringLiteral("lblInfoCollection"));
    (new QVBoxLayout(m_fileInfo))->addWidget(m_fileInfoText);
    auto* create = namedButton(QStringLiteral("cmdCreeCompil"), QStringLiteral("Nouvelle"), m_list,
                               QStringLiteral("Créer une nouvelle collection."));
    m_rename = namedButton(QStringLiteral("cmdRenommerCompil"), QStringLiteral("Renommer"), m_list);
    m_delete = namedButton(QStringLiteral("cmdEffacerCompil"), QStringLiteral("Effacer"), m_list);
    auto* deleteAll =
        namedButton(QStringLiteral("cmdEffacerLesCompils"), QStringLiteral("Effacer tout"), m_list);
    auto* close = namedButton(QStringLiteral("cmdFermerCompil"), QStringLiteral("Fermer"), m_list);
    layout->addWidget(panelTitle(QStringLiteral("Collections créées"), m_list), 0, 0, 1, 2);
    layout->addWidget(m_names, 1, 0, 5, 1);
    layout->addWidget(create, 1, 1);
    layout->addWidget(m_rename, 2, 1);
    layout->addWidget(m_delete, 3, 1);
    layout->addWidget(deleteAll, 4, 1);
    layout->addWidget(close, 5, 1);
    layout->addWidget(m_fileInfo, 6, 0, 1, 2);
    layout->addWidget(m_summary, 7, 0, 1, 2);
    connect(m_names, &QListWidget::itemClicked, this, &CollectionPanels::onListClicked);
    connect(m_names, &QListWidget::itemDoubleClicked, this, [this] {
        const QString name = selectedName();
        m_list->hide();
        m_registry.openByName(name);
    });
    connect(create, &QPushButton::clicked, this, &CollectionPanels::showNewCollectionPanel);
    connect(m_rename, &QPushButton::clicked, this, [this] {
        if (!selectedName().isEmpty())
            m_registry.renameCollection(selectedName());
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (!selectedName().isEmpty())
            m_registry.askDeleteCollection(selectedName());
    });
    connect(deleteAll, &QPushButton::clicked, this, [this] { m_registry.askDeleteAllCollections(); });
    connect(close, &QPushButton::clicked, m_list, &QWidget::hide);
}

void CollectionPanels::buildNew(QWidget* host) {
    m_new = namedPanel(QStringLiteral("ssNouvelleCompil"), host);
    auto* layout = new QGridLayout(m_new);
    m_newName = new QLineEdit(m_new);
    m_newName->setObjectName(QStringLiteral("txtNomNouvelleCollection"));
    m_newInfo = new QLabel(m_new);
    m_newInfo->setObjectName(QStringLiteral("lblInfoCreation"));
    m_newInfo->setWordWrap(true);
    m_create = namedButton(QStringLiteral("cmdCreeNouvelleCompil"), QStringLiteral("Créer"), m_new);
    auto* cancel = namedButton(QStringLiteral("cmdAnnulCreeCompil"), QStringLiteral("Annuler"), m_new);
    layout->addWidget(panelTitle(QStringLiteral("Nouvelle collection"), m_new), 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Nom de la collection :"), m_new), 1, 0);
    layout->addWidget(m_newName, 1, 1, 1, 2);
    layout->addWidget(m_newInfo, 2, 0, 1, 3);
    layout->addWidget(cancel, 3, 1);
    layout->addWidget(m_create, 3, 2);
    connect(m_create, &QPushButton::clicked, this,
            [this] { m_registry.createCollection(m_newName->text()); });
    connect(m_newName, &QLineEdit::returnPressed, m_create, &QPushButton::click);
    connect(cancel, &QPushButton::clicked, m_new, &QWidget::hide);
}

void CollectionPanels::buildSupports(QWidget* host) {
    m_supports = namedPanel(QStringLiteral("ssListeSupports"), host);
    auto* layout = new QVBoxLayout(m_supports);
    m_table = new QTableWidget(0, 6, m_supports);
    m_table->setObjectName(QStringLiteral("ListeSupports"));
    m_table->setHorizontalHeaderLabels(supportTableHeaders());
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Every column as wide as its content; the name takes what is left.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    auto* close = namedButton(QStringLiteral("cmdFermerListeSupports"), QStringLiteral("Fermer"), m_supports);
    layout->addWidget(panelTitle(QStringLiteral("Liste des supports de la collection actuelle"), m_supports));
    layout->addWidget(m_table);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, m_supports, &QWidget::hide);
}

void CollectionPanels::setSupportTypeIcons(const QMap<QString, QIcon>& icons, int typeCount) {
    m_typeIcons = icons;
    m_typeCount = typeCount;
}

QString CollectionPanels::selectedName() const {
    const QListWidgetItem* item = m_names->currentItem();
    return item ? item->text() : QString();
}

void CollectionPanels::onComboActivated() {
    if (m_fillingCombo || !m_combo->isVisible())
        return;
    m_registry.chooseFromCombo(m_combo->currentText());
    hidePanels();
}

void CollectionPanels::onListClicked() {
    m_delete->setEnabled(true);
    m_rename->setEnabled(true);
    const CollectionFileInfo info = m_registry.selectionInfo(selectedName());
    m_fileInfoText->setText(info.exists ? info.fileName + QStringLiteral(" : ") + info.sizeText
                                        : info.fileName);
    m_fileInfo->setVisible(info.exists);
}

void CollectionPanels::showCollectionList() {
    m_delete->setEnabled(false);
    m_rename->setEnabled(false);
    m_fileInfo->hide();
    m_summary->setText(m_registry.summaryLine(m_names->count()));
    m_list->show();
    m_list->raise();
}

void CollectionPanels::showSupportTable() {
    QList<SupportRow> rows;
    if (!Affiche_InfosSupports(m_registry, rows))
        return;
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const SupportRow& row = rows.at(r);
        const int type = (row.type < 1 || row.type > m_typeCount) ? 1 : row.type;
        auto* typeItem =
            new QTableWidgetItem(m_typeIcons.value(QStringLiteral("I") + QString::number(type)), {});
        m_table->setItem(r, 0, new QTableWidgetItem(QString::number(row.number)));
        m_table->setItem(r, 1, typeItem);
        m_table->setItem(r, 2, new QTableWidgetItem(row.name));
        m_table->setItem(r, 3, new QTableWidgetItem(QString::number(row.files)));
        m_table->setItem(r, 4, new QTableWidgetItem(sizePhrase(row.size, false)));
        m_table->setItem(r, 5, new QTableWidgetItem(QString::number(row.directories)));
    }
    hidePanels();
    m_supports->show();
    m_supports->raise();
}

void CollectionPanels::hidePanels() {
    for (QFrame* frame : {m_list, m_new, m_supports})
        frame->hide();
    emit panelsHidden();
}

void CollectionPanels::listsChanged(const CollectionLists& lists) {
    m_fillingCombo = true;
    // The list is filled anew, with nothing selected: nothing to describe,
    // rename or delete until the user clicks a name again.
    m_fileInfoText->clear();
    m_fileInfo->hide();
    m_delete->setEnabled(false);
    m_rename->setEnabled(false);
    m_names->clear();
    m_names->addItems(lists.listEntries);
    m_combo->clear();
    m_combo->addItems(lists.comboEntries);
    m_fillingCombo = false;
    m_summary->setText(m_registry.summaryLine(m_names->count()));
}

void CollectionPanels::showNoCollection(const NoCollectionState& state) {
    m_caption->setText(state.caption);
    m_showSupports->setEnabled(state.collectionButtonsEnabled);
    m_openPicture->setVisible(state.openPictureVisible);
    m_fillingCombo = true;
    m_combo->setCurrentIndex(m_combo->findText(state.comboText));
    m_fillingCombo = false;
    refreshFileCount();
    emit collectionChanged();
}

void CollectionPanels::collectionOpened(int, const QString& name) {
    refreshFileCount();
    m_showSupports->setEnabled(true);
    m_openPicture->show();
    if (m_combo->currentText() != name) {
        m_fillingCombo = true;
        m_combo->setCurrentIndex(m_combo->findText(name));
        m_fillingCombo = false;
    }
    emit collectionChanged();
}

void CollectionPanels::showNewCollectionPanel() {
    m_newName->clear();
    m_newInfo->setText(CollectionsRegistry::newCollectionPanelText());
    m_create->setDefault(true);
    m_new->show();
    m_new->raise();
    m_newName->setFocus();
}

void CollectionPanels::hideNewCollectionPanel() {
    m_new->hide();
}

void CollectionPanels::focusNewCollectionName() {
    m_newName->setFocus();
}

void CollectionPanels::refreshFileCount() {
    m_fileCount->start(m_registry.isOpen() ? m_registry.database().path() : QString());
}

// A count that could not be read (the file locked by a long write) leaves the
// digits as they were.
void CollectionPanels::showFileCount(qint64 files) {
    if (files < 0)
        return;
    const QString digits = catalogueDigits(files);
    const QStringList pictures = catalogueDigitPictures(m_registry.paths().dataDir, files);
    for (int i = 0; i < m_digits.size() && i < pictures.size(); ++i) {
        m_digits[i]->setPixmap(QPixmap(pictures.at(i)));
        m_digits[i]->setAccessibleName(digits.mid(i, 1));
    }
}

} // namespace velmar::ui
