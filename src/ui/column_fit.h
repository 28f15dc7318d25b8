#pragma once

// Columns of the lists sized to what they show.

class QTreeView;

namespace velmar::ui {

// Sizes every column but the last to its content and header, each at most a
// share of the view's width so that one long text cannot push the others out
// of sight; the last column stretches over the rest.
void fitColumnsToContent(QTreeView* view);

} // namespace velmar::ui
