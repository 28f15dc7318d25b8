#pragma once

// The collection panels of the main window: the chooser (ssCollection), the
// list of collections (ssChoixCollection), the new collection (ssNouvelleCompil)
// and the support table (ssListeSupports). They forward each click to the
// registry and show what it returns.

#include "store/registry.h"

#include <QIcon>
#include <QMap>
#include <QObject>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QWidget;

namespace velmar::ui {

class BackgroundFileCount;

class CollectionPanels final : public QObject, public CollectionView {
    Q_OBJECT
public:
    CollectionPanels(CollectionsRegistry& registry, QWidget* host);

    QFrame* chooser() const { return m_chooser; }
    QFrame* collectionList() const { return m_list; }
    QFrame* newCollection() const { return m_new; }
    QFrame* supportTable() const { return m_supports; }
    void setSupportTypeIcons(const QMap<QString, QIcon>& icons, int typeCount);

    // CollectionView
    void hidePanels() override;
    void listsChanged(const CollectionLists& lists) override;
    void showNoCollection(const NoCollectionState& state) override;
    void collectionOpened(int n, const QString& name) override;
    void showNewCollectionPanel() override;
    void hideNewCollectionPanel() override;
    void focusNewCollectionName() override;
    void releaseSearch() override { emit searchReleased(); }

    // The six digits of the collection-wide file count, counted in the
    // background; the digits change when the count arrives.
    void refreshFileCount();

signals:
    void panelsHidden();
    void collectionChanged();
    // The collection is closing: the search's rows must be let go first.
    void searchReleased();

private:
    void buildChooser(QWidget* host);
    void buildList(QWidget* host);
    void buildNew(QWidget* host);
    void buildSupports(QWidget* host);
    void onComboActivated();
    void onListClicked();
    void showCollectionList();
    void showSupportTable();
    QString selectedName() const;
    void showFileCount(qint64 files);

    CollectionsRegistry& m_registry;
    QMap<QString, QIcon> m_typeIcons;
    int m_typeCount = 0;
    bool m_fillingCombo = false;
    QFrame* m_chooser = nullptr;
    QFrame* m_list = nullptr;
    QFrame* m_new = nullptr;
    QFrame* m_supports = nullptr;
    QComboBox* m_combo = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_openPicture = nullptr;
    QList<QLabel*> m_digits;
    BackgroundFileCount* m_fileCount = nullptr;
    QPushButton* m_showSupports = nullptr;
    QListWidget* m_names = nullptr;
    QLabel* m_summary = nullptr;
    QFrame* m_fileInfo = nullptr;
    QLabel* m_fileInfoText = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_delete = nullptr;
    QLineEdit* m_newName = nullptr;
    QLabel* m_newInfo = nullptr;
    QPushButton* m_create = nullptr;
    QTableWidget* m_table = nullptr;
};

} // namespace velmar::ui
