#pragma once

// A label for texts of any length (paths, file names) in a window that must
// keep its size: it keeps the whole text, draws what fits with an ellipsis in
// the middle, and shows the whole text as its tip.

#include <QLabel>

namespace velmar::ui {

class ElidingLabel final : public QLabel {
public:
    ElidingLabel(const QString& name, QWidget* parent);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmar::ui
