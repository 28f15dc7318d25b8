#include "ui/column_fit.h"

#include <QHeaderView>
#include <QTreeView>

namespace velmar::ui {

namespace {

constexpr int kMaxSharePercent = 45;

} // namespace

void fitColumnsToContent(QTreeView* view) {
    QHeaderView* header = view->header();
    header->setStretchLastSection(true);
    const int cap = qMax(header->minimumSectionSize(), view->viewport()->width() * kMaxSharePercent / 100);
    for (int column = 0; column + 1 < header->count(); ++column) {
        // The caption always fits; the content up to the cap.
        const int caption = header->sectionSizeHint(column);
        const int content = static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(column);
        view->setColumnWidth(column, qMax(caption, qMin(content, cap)));
    }
}

} // namespace velmar::ui
