#include "ui/browse_view.h"

#include "app/dialogs.h"
#include "store/browse_nodes.h"
#include "store/catalogue.h"
#include "store/db/transaction.h"
#include "store/export_request.h"
#include "store/maintenance.h"
#include "store/search_condition.h"
#include "ui/busy_pointer.h"
#include "ui/column_fit.h"
#include "ui/file_icons.h"
#include "ui/named_widgets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmar::ui {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kFileCountRole = Qt::UserRole + 1;

enum FileColumn { NameColumn, ExtensionColumn, InfosColumn, SizeColumn };

QAction* namedAction(QMenu* menu, const QString& name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

QMenu* namedMenu(const QString& name, const QString& title, QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(name);
    return menu;
}

void tell(const QString& text) {
    dialogs().message(text, MessageStyle::Exclamation);
}

} // namespace

BrowseView::BrowseView(CollectionsRegistry& registry, QWidget* host) : QObject(host), m_registry(registry) {
    m_panel = namedPanel(QStringLiteral("ssListeFichiersRep"), host);
    m_closedFolder = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    m_openFolder = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    buildPanel();
    buildMenus();
    connectSignals();
}

void BrowseView::buildPanel() {
    m_tree = new QTreeWidget(m_panel);
    m_tree->setObjectName(QStringLiteral("lstRepertoires"));
    m_tree->setHeaderHidden(true);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    // Deep names scroll sideways rather than being cut.
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);

    m_files = new QTreeWidget(m_panel);
    m_files->setObjectName(QStringLiteral("ListeFichiers"));
    m_files->setHeaderLabels({QStringLiteral("Nom du fichier"), QStringLiteral("Ext."),
                              QStringLiteral("Infos"), QStringLiteral("Taille")});
    m_files->setRootIsDecorated(false);
    m_files->setUniformRowHeights(true);
    m_files->setContextMenuPolicy(Qt::CustomContextMenu);
    fitColumnsToContent(m_files);

    m_summary = namedLabel(QStringLiteral("lblInfosRepFichiers"), QString(), m_panel);
    m_filterButton = namedButton(QStringLiteral("cmdFiltreFichier"), QStringLiteral("Filtrer"), m_panel);

    auto* right = new QWidget(m_panel);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_files, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_filterButton);
    rightLayout->addLayout(bottom);
    auto* splitter = new QSplitter(m_panel);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(m_tree);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    (new QVBoxLayout(m_panel))->addWidget(splitter);
}

void BrowseView::connectSignals() {
    connect(m_tree, &QTreeWidget::itemExpanded, this, &BrowseView::onNodeExpanded);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { onNodeClicked(node); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* now, QTreeWidgetItem* before) {
                // "D2" marks the selected directory, "D1" the others.
                if (before && NodeKey::parse(keyOf(before)).kind == NodeKey::Kind::Directory)
                    before->setIcon(0, m_closedFolder);
                if (now && NodeKey::parse(keyOf(now)).kind == NodeKey::Kind::Directory)
                    now->setIcon(0, m_openFolder);
            });
    connect(m_tree, &QWidget::customContextMenuRequested, this, &BrowseView::showTreeMenu);
    connect(m_files, &QWidget::customContextMenuRequested, this, &BrowseView::showFileMenu);
    connect(m_files, &QTreeWidget::itemClicked, this, [this] {
        SelectedFile file;
        if (selectedFile(file))
            emit fileClicked(file);
    });
    connect(m_files, &QTreeWidget::itemDoubleClicked, this, [this] { emit fileActivated(); });
    connect(m_filterButton, &QPushButton::clicked, this, &BrowseView::showFilterMenu);
}

void BrowseView::buildMenus() {
    m_directoryMenu = namedMenu(QStringLiteral("mnuRep"), QStringLiteral("Répertoire"), m_panel);
    connect(namedAction(m_directoryMenu, QStringLiteral("mnuRep_Supprimer"),
                        QStringLiteral("Supprimer le répertoire")),
            &QAction::triggered, this, &BrowseView::deleteDirectory);
    m_supportMenu = namedMenu(QStringLiteral("mnuSupport"), QStringLiteral("Support"), m_panel);
    connect(namedAction(m_supportMenu, QStringLiteral("mnuSupport_RenommerSupport"),
                        QStringLiteral("Renommer le support")),
            &QAction::triggered, this, &BrowseView::renameSupport);
    connect(namedAction(m_supportMenu, QStringLiteral("mnuSupport_SupprimerSupport"),
                        QStringLiteral("Supprimer le support")),
            &QAction::triggered, this, &BrowseView::deleteSupport);
    connect(namedAction(m_supportMenu, QStringLiteral("mnuSupport_MettreAJour"),
                        QStringLiteral("Mettre à jour le support")),
            &QAction::triggered, this, [this] {
                const NodeKey key = NodeKey::parse(keyOf(m_tree->currentItem()));
                if (key.kind == NodeKey::Kind::Support)
                    emit updateSupportRequested(key.support);
            });
    connect(namedAction(m_supportMenu, QStringLiteral("mnuSupport_Exporter"), QStringLiteral("Exporter…")),
            &QAction::triggered, this, &BrowseView::exportSupport);
    m_fileMenu = namedMenu(QStringLiteral("mnuFichier"), QStringLiteral("Fichier"), m_panel);
    connect(namedAction(m_fileMenu, QStringLiteral("mnuLanceFichierSelection"),
                        QStringLiteral("Exécuter le fichier")),
            &QAction::triggered, this, &BrowseView::openFileRequested);
    connect(
        namedAction(m_fileMenu, QStringLiteral("mnuLocaliseFichier"), QStringLiteral("Localiser le fichier")),
        &QAction::triggered, this, &BrowseView::locateFileRequested);
    connect(namedAction(m_fileMenu, QStringLiteral("mnuEffaceFichierSelection"),
                        QStringLiteral("Effacer le fichier")),
            &QAction::triggered, this, &BrowseView::deleteFileRequested);
    m_filterMenu = namedMenu(QStringLiteral("mnuFiltre"), QStringLiteral("Filtrer"), m_panel);
    connect(m_filterMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : m_filterMenu->actions())
            if (action->objectName() == QLatin1String("mnuFiltre_SeulemntEXT"))
                delete action;
        int index = 0;
        for (const QString& extension : m_menuExtensions) {
            QAction* only = namedAction(m_filterMenu, QStringLiteral("mnuFiltre_SeulemntEXT"),
                                        QStringLiteral("N'afficher que les *.") + extension);
            only->setProperty("index", ++index);
            connect(only, &QAction::triggered, this, [this, extension] { setExtensionFilter(extension); });
        }
    });
    connect(
        namedAction(m_filterMenu, QStringLiteral("mnuFiltre_AucunFiltre"), QStringLiteral("Aucun filtre")),
        &QAction::triggered, this, [this] { setExtensionFilter(QString()); });
    connect(namedAction(m_filterMenu, QStringLiteral("mnuFiltre_LimiterExt"),
                        QStringLiteral("N'afficher que certaines extensions")),
            &QAction::triggered, this, &BrowseView::askExtensions);
    connect(namedAction(m_filterMenu, QStringLiteral("mnuFiltre_SeultExec"),
                        QStringLiteral("N'afficher que les exécutables")),
            &QAction::triggered, this, [this] { setExtensionFilter(kExecutableFilter); });
    m_filterMenu->addSeparator();
}

void BrowseView::setSupportTypeIcons(const QMap<QString, QIcon>& icons, int typeCount) {
    m_typeIcons = icons;
    m_typeCount = typeCount;
}

// ---- the tree ---------------------------------------------------------------

QString BrowseView::identityOf(const QString& key) {
    // The marker after the last '\' of a directory key changes as it loads.
    return key.startsWith(QLatin1Char('R')) ? key.left(key.lastIndexOf(QLatin1Char('\\')) + 1) : key;
}

QString BrowseView::keyOf(const QTreeWidgetItem* node) const {
    return node ? node->data(0, kKeyRole).toString() : QString();
}

void BrowseView::setKey(QTreeWidgetItem* node, const QString& key) {
    node->setData(0, kKeyRole, key);
    m_nodes.insert(identityOf(key), node);
}

QTreeWidgetItem* BrowseView::nodeWithIdentity(const QString& identity) const {
    return m_nodes.value(identity, nullptr);
}

void BrowseView::clear() {
    emptyFileList();
    m_tree->clear();
    m_nodes.clear();
    m_shownNode = nullptr;
}

void BrowseView::buildTree() {
    clear();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!m_registry.isOpen())
        return;
    db::Database& db = m_registry.database();
    const BusyPointer busy;
    // One read transaction for the whole tree: the engine takes its lock and
    // checks the file once rather than at each directory's query.
    const db::Transaction snapshot(db);
    m_tree->setUpdatesEnabled(false);
    QList<QTreeWidgetItem*> supports;
    for (const SupportNode& support : supportNodes(db, m_typeCount)) {
        QTreeWidgetItem* node = supportNode(support);
        loadSubdirectories(support.support, 0, node, true);
        supports.append(node);
    }
    m_tree->addTopLevelItems(supports);
    m_tree->setUpdatesEnabled(true);
}

QTreeWidgetItem* BrowseView::supportNode(const SupportNode& support) {
    auto* node = new QTreeWidgetItem(QStringList{support.text});
    node->setIcon(0, m_typeIcons.value(support.iconKey));
    node->setData(0, kFileCountRole, support.fileCount);
    setKey(node, NodeKey::supportKey(support.support));
    return node;
}

void BrowseView::loadSubdirectories(int support, qint64 parent, QTreeWidgetItem* node, bool ahead) {
    db::Database& db = m_registry.database();
    // The children are made whole before they join the node, all at once: an
    // item in the tree tells the view of every change made to it.
    QList<QTreeWidgetItem*> children;
    for (const DirectoryNode& directory : subdirectoryNodes(db, support, parent)) {
        auto* child = new QTreeWidgetItem(QStringList{directory.name});
        child->setIcon(0, m_closedFolder);
        setKey(child, NodeKey::directoryKey(support, directory.directory, ahead));
        if (ahead)
            loadSubdirectories(support, directory.directory, child, false);
        children.append(child);
    }
    node->addChildren(children);
    if (parent != 0)
        setKey(node, NodeKey::directoryKey(support, parent, true));
}

void BrowseView::onNodeExpanded(QTreeWidgetItem* node) {
    VerifieDeveloppementNoeud_Repertoire(node);
    // The children now in view learn their own subdirectories, so that each
    // shows an expander exactly when it has something to expand.
    const BusyPointer busy;
    for (int i = 0; i < node->childCount(); ++i) {
        const NodeKey child = NodeKey::parse(keyOf(node->child(i)));
        if (child.kind == NodeKey::Kind::Directory && !child.loaded)
            loadSubdirectories(child.support, child.directory, node->child(i), false);
    }
}

void BrowseView::VerifieDeveloppementNoeud_Repertoire(QTreeWidgetItem* node) {
    const NodeKey key = NodeKey::parse(keyOf(node));
    if (key.kind != NodeKey::Kind::Directory || key.loaded)
        return;
    const BusyPointer busy;
    loadSubdirectories(key.support, key.directory, node, true);
}

bool BrowseView::SelectionneElement_ListeRep(const QString& key) {
    QTreeWidgetItem* node = nodeWithIdentity(identityOf(key));
    if (!node)
        return false;
    m_tree->setCurrentItem(node);
    m_tree->scrollToItem(node);
    return true;
}

void BrowseView::onNodeClicked(QTreeWidgetItem* node) {
    VerifieDeveloppementNoeud_Repertoire(node);
    fillFileList(node);
}

// ---- the file list ----------------------------------------------------------

void BrowseView::emptyFileList() {
    m_files->clear();
    m_summary->clear();
    m_menuExtensions.clear();
    emit fileListEmptied();
}

void BrowseView::fillFileList(QTreeWidgetItem* node) {
    const NodeKey key = NodeKey::parse(keyOf(node));
    if (key.kind == NodeKey::Kind::Invalid || !m_registry.isOpen())
        return;
    db::Database& db = m_registry.database();
    const qint64 directory =
        key.kind == NodeKey::Kind::Support ? supportStartingDirectory(db, key.support) : key.directory;
    node->setExpanded(true);
    m_tree->scrollToItem(node);
    emptyFileList();
    const BusyPointer busy;
    const DirectoryListing listing = listDirectory(db, key.support, directory, m_filter);
    QList<QTreeWidgetItem*> items;
    items.reserve(listing.items.size());
    QFont bold = m_files->font();
    bold.setBold(true);
    for (const FileListItem& file : listing.items) {
        auto* item = new QTreeWidgetItem({file.name, file.extension, file.infos, file.size});
        item->setIcon(NameColumn, typeIcon(file.name));
        item->setData(0, kKeyRole, file.key);
        item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
        if (file.bold)
            item->setFont(NameColumn, bold);
        items.append(item);
    }
    m_files->addTopLevelItems(items);
    fitColumnsToContent(m_files);
    m_summary->setText(listing.summary);
    m_menuExtensions = listing.menuExtensions;
    m_shownNode = node;
    m_shownDirectory = {key.support, directory, 0};
}

bool BrowseView::SelectionneElement_ListeFichiers(const QString& key) {
    for (int i = 0; i < m_files->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_files->topLevelItem(i);
        if (item->data(0, kKeyRole).toString() == key) {
            m_files->setCurrentItem(item);
            m_files->scrollToItem(item);
            SelectedFile file;
            if (selectedFile(file))
                emit fileClicked(file);
            return true;
        }
    }
    return false;
}

bool BrowseView::selectedFile(SelectedFile& file) const {
    const QTreeWidgetItem* item = m_files->currentItem();
    if (!item || !m_shownNode)
        return false;
    file = m_shownDirectory;
    file.file = item->data(0, kKeyRole).toString().mid(4).toLongLong();
    return file.file != 0;
}

void BrowseView::setSelectedFileInfos(const QString& infos) {
    if (QTreeWidgetItem* item = m_files->currentItem())
        item->setText(InfosColumn, infosOnOneLine(infos));
}

void BrowseView::removeSelectedFile() {
    delete m_files->currentItem();
}

void BrowseView::setExtensionFilter(const QString& filter) {
    m_filter = filter;
    QFont font = m_filterButton->font();
    font.setBold(!filter.isEmpty());
    m_filterButton->setFont(font);
    if (m_shownNode)
        fillFileList(m_shownNode);
}

void BrowseView::askExtensions() {
    const QString answer = dialogs().inputBox(
        QStringLiteral(
            "Entrez les extensions à afficher, séparées par des points-virgules (exemple : JPG;BMP)."),
        QStringLiteral("Filtrer"), m_filter);
    if (!answer.isEmpty())
        setExtensionFilter(answer);
}

void BrowseView::showFilterMenu() {
    m_filterMenu->popup(m_filterButton->mapToGlobal(QPoint(0, m_filterButton->height())));
}

void BrowseView::showResult(const ResultPlace& place) {
    QTreeWidgetItem* node = nodeWithIdentity(NodeKey::supportKey(place.support));
    if (!node) {
        tell(QStringLiteral("Support non trouvé dans la liste à l'écran !"));
        return;
    }
    m_tree->setCurrentItem(node);
    for (qint64 directory : place.chainFromTop) {
        VerifieDeveloppementNoeud_Repertoire(node);
        node->setExpanded(true);
        node = nodeWithIdentity(identityOf(NodeKey::directoryKey(place.support, directory, true)));
        if (!node) {
            tell(QStringLiteral("Répertoire non trouvé dans la liste à l'écran !"));
            return;
        }
    }
    VerifieDeveloppementNoeud_Repertoire(node);
    m_tree->setCurrentItem(node);
    m_shownNode = nullptr; // listed once below, without the filter
    setExtensionFilter(QString());
    fillFileList(node);
    if (!SelectionneElement_ListeFichiers(QStringLiteral("FIC-") + QString::number(place.file)))
        tell(QStringLiteral("Fichier non trouvé dans la liste à l'écran !"));
}

// ---- context menus and maintenance -----------------------------------------

void BrowseView::showTreeMenu(const QPoint& at) {
    m_menuNode = m_tree->itemAt(at);
    if (!m_menuNode)
        return;
    m_tree->setCurrentItem(m_menuNode);
    const NodeKey key = NodeKey::parse(keyOf(m_menuNode));
    QMenu* menu = key.kind == NodeKey::Kind::Support ? m_supportMenu : m_directoryMenu;
    if (key.kind != NodeKey::Kind::Invalid)
        menu->popup(m_tree->viewport()->mapToGlobal(at));
}

void BrowseView::showFileMenu(const QPoint& at) {
    QTreeWidgetItem* item = m_files->itemAt(at);
    if (!item)
        return;
    m_files->setCurrentItem(item);
    m_fileMenu->popup(m_files->viewport()->mapToGlobal(at));
}

void BrowseView::renameSupport() {
    const NodeKey key = NodeKey::parse(keyOf(m_tree->currentItem()));
    if (key.kind != NodeKey::Kind::Support || !m_registry.isOpen())
        return;
    const auto lock = m_registry.lockOpenCollection(); // another process may be writing into it
    QString renamed;
    if (!lock || !RenommerSupport(m_registry.database(), key.support, renamed))
        return;
    QTreeWidgetItem* node = m_tree->currentItem();
    node->setText(0, supportNodeText(renamed, node->data(0, kFileCountRole).toLongLong()));
    emit catalogueChanged();
}

void BrowseView::exportSupport() {
    const NodeKey key = NodeKey::parse(keyOf(m_tree->currentItem()));
    if (key.kind != NodeKey::Kind::Support || !m_registry.isOpen())
        return;
    int type = 0;
    db::Database& db = m_registry.database();
    exportWithDialogs(GetSupportName(db, key.support, type),
                      [&](QIODevice& out, ExportFormat format, QString& error) {
                          return exportCatalogue(db, key.support, format, out, error);
                      });
}

void BrowseView::deleteSupport() {
    QTreeWidgetItem* node = m_tree->currentItem();
    const NodeKey key = NodeKey::parse(keyOf(node));
    if (key.kind != NodeKey::Kind::Support || !m_registry.isOpen())
        return;
    const auto lock = m_registry.lockOpenCollection();
    if (!lock || !SupprimerSupport(m_registry.database(), key.support))
        return;
    buildTree();
    emit catalogueChanged();
}

void BrowseView::deleteDirectory() {
    QTreeWidgetItem* node = m_tree->currentItem();
    const NodeKey key = NodeKey::parse(keyOf(node));
    if (key.kind != NodeKey::Kind::Directory || !m_registry.isOpen())
        return;
    const auto lock = m_registry.lockOpenCollection();
    if (!lock)
        return;
    SupprimerRepertoire(m_registry.database(), key.support, key.directory);
    // The node and everything under it leave the index of nodes too.
    QList<QTreeWidgetItem*> pending{node};
    while (!pending.isEmpty()) {
        QTreeWidgetItem* n = pending.takeLast();
        m_nodes.remove(identityOf(keyOf(n)));
        for (int i = 0; i < n->childCount(); ++i)
            pending.append(n->child(i));
    }
    m_shownNode = nullptr;
    delete node;
    emptyFileList();
    emit catalogueChanged();
}

} // namespace velmar::ui
