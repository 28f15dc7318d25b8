#include "ui/eliding_label.h"

#include <QPainter>

namespace velmar::ui {

ElidingLabel::ElidingLabel(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QSize ElidingLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 8, fontMetrics().height()};
}

QSize ElidingLabel::sizeHint() const {
    return minimumSizeHint();
}

void ElidingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect room = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width());
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, shown);
    setToolTip(shown == text() ? QString() : text());
}

} // namespace velmar::ui
