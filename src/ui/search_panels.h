#pragma once

// The search panels: the filter chooser with its value and the result list
// (ssFiltre), and the multi-criteria panel (ssRecherche). The rows of the last
// search stay open until the next one or until the collection closes.

#include "store/registry.h"
#include "store/search_results.h"

#include <QIcon>
#include <QMap>
#include <QObject>
#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace velmar::ui {

class SearchPanels final : public QObject {
    Q_OBJECT
public:
    // At most this many results are listed; the rest stays unread.
    static constexpr int kMaxLines = 1000;

    SearchPanels(CollectionsRegistry& registry, QWidget* host);

    QFrame* filterPanel() const { return m_filterPanel; }
    QFrame* criteriaPanel() const { return m_criteriaPanel; }
    void setSupportTypeIcons(const QMap<QString, QIcon>& icons, int typeCount);

    // cmdRecherches: the multi-criteria panel, when a collection is open.
    void openCriteria();
    // The result set and its list, released when the collection closes.
    void release();

signals:
    // The criteria panel is about to show: the window hides its other panels.
    void criteriaShowing();
    void resultChosen(const ResultPlace& place);
    void resultActivated(const ResultPlace& place);

private:
    void buildFilterPanel(QWidget* host);
    void buildCriteriaPanel(QWidget* host);
    void onKindChosen(int kind);
    void onCriteriaChanged(int box);
    void runSearch();
    void exportResults();
    void onResultClicked(bool activated);

    CollectionsRegistry& m_registry;
    SearchResults m_results;
    QMap<QString, QIcon> m_typeIcons;
    int m_typeCount = 0;
    QFrame* m_filterPanel = nullptr;
    QFrame* m_criteriaPanel = nullptr;
    QComboBox* m_kind = nullptr;
    QComboBox* m_value = nullptr;
    QPushButton* m_run = nullptr;
    QTreeWidget* m_list = nullptr;
    std::array<QLineEdit*, 5> m_boxes{};
    QLabel* m_translatedSize = nullptr;
    QPushButton* m_search = nullptr;
};

} // namespace velmar::ui
