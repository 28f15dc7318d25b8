#pragma once

// The browse view (ssListeFichiersRep): the tree of supports and directories
// (lstRepertoires), loaded one level ahead of what the user has opened, the
// files of the chosen directory (ListeFichiers) with their summary and the
// extension filter, and the context menus of the three.

#include "store/browse_nodes.h"
#include "store/directory_listing.h"
#include "store/registry.h"
#include "store/search_results.h"
#include "store/selected_file.h"

#include <QHash>
#include <QIcon>
#include <QMap>
#include <QObject>

class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace velmar::ui {

class BrowseView final : public QObject {
    Q_OBJECT
public:
    BrowseView(CollectionsRegistry& registry, QWidget* host);

    QFrame* panel() const { return m_panel; }
    void setSupportTypeIcons(const QMap<QString, QIcon>& icons, int typeCount);

    // The whole tree again, from the open collection (empty when none is open).
    void buildTree();
    void clear();

    void VerifieDeveloppementNoeud_Repertoire(QTreeWidgetItem* node);
    bool SelectionneElement_ListeRep(const QString& key);
    bool SelectionneElement_ListeFichiers(const QString& key);

    // Opens the tree down to a search result and selects its file, or says
    // which step failed.
    void showResult(const ResultPlace& place);

    // The selected file of the list, false when none is selected.
    bool selectedFile(SelectedFile& file) const;
    void setSelectedFileInfos(const QString& infos);
    void removeSelectedFile();

    const QString& extensionFilter() const { return m_filter; }
    void setExtensionFilter(const QString& filter);

signals:
    void fileClicked(const SelectedFile& file);
    void fileActivated(); // double click: open the file
    void openFileRequested();
    void locateFileRequested();
    void deleteFileRequested();
    // "Mettre à jour le support": the exploration window opens on that support.
    void updateSupportRequested(int support);
    // A support or directory left the collection: counts must be read again.
    void catalogueChanged();
    void fileListEmptied();

private:
    void buildPanel();
    void buildMenus();
    void exportSupport();
    void connectSignals();
    QTreeWidgetItem* supportNode(const SupportNode& support); // not yet in the tree
    void loadSubdirectories(int support, qint64 parent, QTreeWidgetItem* node, bool ahead);
    void setKey(QTreeWidgetItem* node, const QString& key);
    QString keyOf(const QTreeWidgetItem* node) const;
    void onNodeClicked(QTreeWidgetItem* node);
    void onNodeExpanded(QTreeWidgetItem* node);
    void fillFileList(QTreeWidgetItem* node);
    void emptyFileList();
    void showTreeMenu(const QPoint& at);
    void showFileMenu(const QPoint& at);
    void showFilterMenu();
    void renameSupport();
    void deleteSupport();
    void deleteDirectory();
    void askExtensions();
    QTreeWidgetItem* nodeWithIdentity(const QString& identity) const;
    static QString identityOf(const QString& key);

    CollectionsRegistry& m_registry;
    QFrame* m_panel = nullptr;
    QTreeWidget* m_tree = nullptr;
    QTreeWidget* m_files = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_filterButton = nullptr;
    QMenu* m_directoryMenu = nullptr;
    QMenu* m_supportMenu = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_filterMenu = nullptr;
    QMap<QString, QIcon> m_typeIcons;
    int m_typeCount = 0;
    QIcon m_closedFolder;
    QIcon m_openFolder;
    // Nodes by their key without the loading marker: "S3\" or "R3\40\".
    QHash<QString, QTreeWidgetItem*> m_nodes;
    QTreeWidgetItem* m_menuNode = nullptr;
    QTreeWidgetItem* m_shownNode = nullptr; // the node whose files are listed
    SelectedFile m_shownDirectory;
    QString m_filter;
    QStringList m_menuExtensions;
};

} // namespace velmar::ui
