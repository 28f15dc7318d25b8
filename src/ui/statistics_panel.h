#pragma once

// The "Statistiques" panel of the main window: where the space of the open
// collection goes, per support and per type, with a chart of the space per
// type and the largest files.

#include <QObject>

class QChartView;
class QFrame;
class QLabel;
class QPieSeries;
class QTreeWidget;
class QWidget;

namespace velmar {
class CollectionsRegistry;
struct CatalogueStatistics;
} // namespace velmar

namespace velmar::ui {

class StatisticsPanel final : public QObject {
    Q_OBJECT
public:
    StatisticsPanel(CollectionsRegistry& registry, QWidget* host);

    QFrame* panel() const { return m_panel; }
    // Shows the panel with the figures of the open collection.
    void open();
    void clear();

private:
    void fillList(const CatalogueStatistics& statistics);
    void fillChart(const CatalogueStatistics& statistics);

    CollectionsRegistry& m_registry;
    QFrame* m_panel = nullptr;
    QChartView* m_chart = nullptr;
    QPieSeries* m_series = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_total = nullptr;
};

} // namespace velmar::ui
