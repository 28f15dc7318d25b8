#include "ui/column_fit.h"

#include <QHeaderView>
#include <QTreeView>

namespace velmar::ui {

namespace {

constexpr int kMaxSharePercent = 45;

// QTreeView hides the measure that every item view offers.
int contentWidth(const QTreeView* view, int column) {
    return static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(column);
}

} // namespace

void fitColumnsToContent(QTreeView* view) {
    QHeaderView* header = view->header();
    header->setStretchLastSection(true);
    const int room = view->viewport()->width();
    const int cap = qMax(header->minimumSectionSize(), room * kMaxSharePercent / 100);
    const int last = header->count() - 1;
    int widest = -1;
    int total = 0;
    for (int column = 0; column < last; ++column) {
        // The caption always fits; the content up to the cap.
        const int width = qMax(header->sectionSizeHint(column), qMin(contentWidth(view, column), cap));
        view->setColumnWidth(column, width);
        total += width;
        if (widest < 0 || width > view->columnWidth(widest))
            widest = column;
    }
    // The last column shows its content too: the widest one gives up what
    // the last one lacks.
    const int lacking = total + qMax(header->sectionSizeHint(last), contentWidth(view, last)) - room;
    if (widest >= 0 && lacking > 0)
        view->setColumnWidth(widest,
                             qMax(header->sectionSizeHint(widest), view->columnWidth(widest) - lacking));
}

} // namespace velmar::ui
