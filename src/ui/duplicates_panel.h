#pragma once

// The "Doublons" panel of the main window: the files of the open collection
// catalogued more than once, in groups, largest wasted space first. A double
// click on a file shows it in the tree.

#include "store/search_results.h"

#include <QObject>

class QComboBox;
class QFrame;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace velmar {
class CollectionsRegistry;
struct DuplicateGroup;
} // namespace velmar

namespace velmar::ui {

class DuplicatesPanel final : public QObject {
    Q_OBJECT
public:
    DuplicatesPanel(CollectionsRegistry& registry, QWidget* host);

    QFrame* panel() const { return m_panel; }
    // Shows the panel with the groups of the open collection.
    void open();
    // Forgets the groups (the collection they came from is closing).
    void clear();

signals:
    void fileChosen(const ResultPlace& place);

private:
    void search();
    void addGroup(const DuplicateGroup& group);
    void onItemActivated(QTreeWidgetItem* item);

    CollectionsRegistry& m_registry;
    QFrame* m_panel = nullptr;
    QComboBox* m_basis = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_summary = nullptr;
};

} // namespace velmar::ui
