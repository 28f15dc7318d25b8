#pragma once

// The collections registry: the names of the collections in registry order
// (Data/Base/Collections.dat), the open collection and its database, and the
// collection commands of the main window as functions free of widgets.
//
// Wiring a window: the panels forward clicks to the command functions below
// and show what the data functions return; everything the registry needs the
// window to do comes back through CollectionView, which the window implements.
//
//   cboChoixCollection click/change  -> chooseFromCombo(text)
//   ListeBaseDispo click             -> selectionInfo(name)   (enables the two buttons)
//   ListeBaseDispo double click      -> openByName(name)
//   cmdCreeCompil click              -> newCollectionPanelText() ; view shows ssNouvelleCompil
//   cmdCreeNouvelleCompil click      -> createCollection(txtNomNouvelleCollection text)
//   cmdRenommerCompil click          -> renameCollection(selected name)   (asks the new name)
//   cmdEffacerCompil click           -> askDeleteCollection(selected name)
//   cmdEffacerLesCompils click       -> askDeleteAllCollections()
//   AfficheCollections click         -> summaryLine(listEntryCount)
//   cmdCompacterBase click           -> compactOpenCollection()
//
// Choices of this implementation:
// - A registry file that is missing reads as an empty registry and is written
//   again ("0") at once; one that exists but cannot be read leaves the list
//   empty, is not overwritten by LoadRegistry, and LoadRegistry returns false.
//   Collection files are never overwritten: creating over an existing
//   CompilN.mdb fails with the copy message.
// - Compaction goes through CompilN.tmp and CompilN.old (store/compaction.h);
//   a failure keeps the original file, reopens it and reports the reason, and
//   leftovers of an interrupted one are put back when the collection is next
//   opened.
// - Opening a collection checks its file and upgrades one made by an older
//   build (store/collection_schema.h); a file that is not a collection is
//   refused with a message naming it.
// - Every change of the registry or of the collection files takes the writer
//   locks it needs (store/writer_locks.h) and reads the registry again under
//   them, so two processes never lose each other's changes. The registry is
//   written to a new file renamed over the old one; a delete moves the files
//   first and writes the registry last, and puts the files back when the
//   registry cannot be written, so the two never disagree.
// - Renaming a name that is not found warns once and asks nothing.

#include "store/db/database.h"
#include "store/store_paths.h"
#include "store/writer_locks.h"

#include <QStringList>

#include <memory>

namespace velmar {

class FileMoves;

// The state of the window when no collection is open.
struct NoCollectionState {
    QString caption;   // above the directory and file lists
    QString comboText; // " Aucune collection"
    bool collectionButtonsEnabled = false;
    bool openPictureVisible = false;
};

// What the two lists show: ListeBaseDispo and cboChoixCollection.
struct CollectionLists {
    QStringList listEntries;
    QStringList comboEntries; // " Aucune collection" first
};

// Shown when a collection of ListeBaseDispo is selected.
struct CollectionFileInfo {
    QString fileName; // without its directory
    QString sizeText; // size phrase, empty when the file is missing
    bool exists = false;
};

// The window's side of the registry; every function has an empty default.
class CollectionView {
public:
    virtual ~CollectionView() = default;
    virtual void hidePanels() {}
    virtual void releaseSearch() {} // close the search result set, empty its list
    virtual void resetBrowseSelection() {}
    virtual void listsChanged(const CollectionLists&) {}
    virtual void showNoCollection(const NoCollectionState&) {}
    // Collection n is open: refresh the file count and the supports tree,
    // enable the buttons, show the picture, set the combo text to `name`.
    virtual void collectionOpened(int, const QString&) {}
    virtual void showNewCollectionPanel() {}
    virtual void hideNewCollectionPanel() {}
    virtual void focusNewCollectionName() {}
};

class CollectionsRegistry {
public:
    explicit CollectionsRegistry(StorePaths paths);
    ~CollectionsRegistry();
    CollectionsRegistry(const CollectionsRegistry&) = delete;
    CollectionsRegistry& operator=(const CollectionsRegistry&) = delete;

    void setView(CollectionView* view) { m_view = view ? view : &m_silentView; }
    const StorePaths& paths() const { return m_paths; }

    // The registry file. SaveRegistry shows why it failed.
    bool LoadRegistry();
    bool SaveRegistry() const;

    // The writer lock of the open collection, for an exploration or a change
    // of its content; null (the user told why) when another process holds it.
    std::unique_ptr<WriterLocks> lockOpenCollection();

    const QStringList& names() const { return m_names; }
    int count() const { return static_cast<int>(m_names.size()); }
    int current() const { return m_current; }
    bool isOpen() const { return m_current != 0; }
    db::Database& database() { return m_database; }

    // The two lists' content; FillCollectionLists also applies the
    // no-collection state through the view.
    CollectionLists collectionLists() const;
    void FillCollectionLists();
    NoCollectionState noCollectionState() const;
    void ShowNoCollection();

    bool CollectionExists(const QString& name) const;
    int FindCollection(const QString& name) const; // warns when missing
    bool OpenCollection(int n);
    void CloseCollection();
    bool TesteSiCollectionOuverte();
    bool CompacteBase(int n, QString& error);

    // Commands.
    static QString newCollectionPanelText();
    bool createCollection(const QString& name);
    bool chooseFromCombo(const QString& text);
    bool openByName(const QString& name);
    CollectionFileInfo selectionInfo(const QString& name) const;
    bool renameCollection(const QString& oldName);
    bool renameCollectionTo(const QString& oldName, const QString& newName);
    bool askDeleteCollection(const QString& name);
    bool deleteCollection(const QString& name);
    bool askDeleteAllCollections();
    bool deleteAllCollections();
    bool compactOpenCollection();
    QString summaryLine(int listEntryCount) const;
    qint64 collectionFilesSize() const;

private:
    // The names from the registry file; a missing file is an empty registry.
    bool readRegistry();
    bool lockAndReload(WriterLocks& locks);
    bool openCollectionFile(int n, QString& reason);
    void indexNamesUnlessBusy(int n);
    bool discardFile(const QString& path);
    bool moveAside(FileMoves& moves, int n, QString& error);

    StorePaths m_paths;
    QStringList m_names;
    int m_current = 0;
    db::Database m_database;
    CollectionView m_silentView;
    CollectionView* m_view = &m_silentView;
};

} // namespace velmar
