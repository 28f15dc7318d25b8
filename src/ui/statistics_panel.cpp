#include "ui/statistics_panel.h"

#include "app/phrases.h"
#include "store/catalogue_statistics.h"
#include "store/registry.h"
#include "ui/busy_pointer.h"
#include "ui/named_widgets.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QPieSeries>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmar::ui {

namespace {

// The chart names the largest types; the rest share one slice.
constexpr int kChartedTypes = 7;

QTreeWidgetItem* section(QTreeWidget* list, const QString& title) {
    auto* item = new QTreeWidgetItem(list, {title});
    item->setFirstColumnSpanned(true);
    item->setExpanded(true);
    return item;
}

void addFigures(QTreeWidgetItem* under, const QString& name, qint64 files, qint64 bytes) {
    auto* item = new QTreeWidgetItem(under, {name, filesPhrase(files), sizePhrase(bytes, false)});
    item->setTextAlignment(2, Qt::AlignRight);
}

} // namespace

StatisticsPanel::StatisticsPanel(CollectionsRegistry& registry, QWidget* host)
    : QObject(host), m_registry(registry), m_panel(namedPanel(QStringLiteral("ssStatistiques"), host)) {
    m_series = new QPieSeries(this);
    auto* chart = new QChart;
    chart->addSeries(m_series);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setTitle(QStringLiteral("Espace par type"));
    m_chart = new QChartView(chart, m_panel);
    m_chart->setObjectName(QStringLiteral("graphEspaceParType"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(220);
    m_list = new QTreeWidget(m_panel);
    m_list->setObjectName(QStringLiteral("lstStatistiques"));
    m_list->setHeaderLabels({QString(), QStringLiteral("Fichiers"), QStringLiteral("Taille")});
    // The names take what the figures leave, losing their middle when long.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_total = namedLabel(QStringLiteral("lblTotalStatistiques"), QString(), m_panel);
    QPushButton* close =
        namedButton(QStringLiteral("cmdFermerStatistiques"), QStringLiteral("Fermer"), m_panel);

    auto* layout = new QVBoxLayout(m_panel);
    layout->addWidget(panelTitle(QStringLiteral("Statistiques"), m_panel));
    layout->addWidget(m_chart, 2);
    layout->addWidget(m_list, 3);
    layout->addWidget(m_total);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, m_panel, &QWidget::hide);
}

void StatisticsPanel::open() {
    m_panel->show();
    clear();
    if (!m_registry.TesteSiCollectionOuverte())
        return;
    const BusyPointer busy;
    CatalogueStatistics statistics;
    QString error;
    if (!gatherStatistics(m_registry.database(), 0, statistics, error)) {
        m_total->setText(QStringLiteral("Les statistiques n'ont pas pu être calculées : ") + error);
        return;
    }
    fillList(statistics);
    fillChart(statistics);
    m_total->setText(QStringLiteral("Total : ") + filesPhrase(statistics.files, PhraseCase::Lower) +
                     QStringLiteral(", ") + sizePhrase(statistics.bytes, false));
}

void StatisticsPanel::clear() {
    m_list->clear();
    m_series->clear();
    m_total->clear();
}

void StatisticsPanel::fillList(const CatalogueStatistics& statistics) {
    QTreeWidgetItem* supports = section(m_list, QStringLiteral("Par support"));
    for (const SpaceFigures& f : statistics.supports)
        addFigures(supports, f.name, f.files, f.bytes);
    QTreeWidgetItem* types = section(m_list, QStringLiteral("Par type"));
    for (const SpaceFigures& f : statistics.types)
        addFigures(types, f.name.isEmpty() ? f.description : f.name + QStringLiteral(" - ") + f.description,
                   f.files, f.bytes);
    QTreeWidgetItem* largest = section(m_list, QStringLiteral("Les plus gros fichiers"));
    for (const LargeFile& f : statistics.largest) {
        auto* item = new QTreeWidgetItem(largest, {f.path, f.support, sizePhrase(f.size, false)});
        item->setToolTip(0, f.path);
        item->setTextAlignment(2, Qt::AlignRight);
    }
}

void StatisticsPanel::fillChart(const CatalogueStatistics& statistics) {
    qint64 others = 0;
    for (qsizetype i = 0; i < statistics.types.size(); ++i) {
        const SpaceFigures& f = statistics.types[i];
        if (i < kChartedTypes && f.bytes > 0)
            m_series->append(f.name.isEmpty() ? f.description : f.name, double(f.bytes));
        else
            others += f.bytes;
    }
    if (others > 0)
        m_series->append(QStringLiteral("Autres"), double(others));
}

} // namespace velmar::ui
