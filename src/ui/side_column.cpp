#include "ui/side_column.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVBoxLayout>

namespace velmar::ui {

namespace {

// In average characters of the font, so that the column grows with it.
constexpr int kMinimumCharacters = 60;
constexpr int kPreferredCharacters = 66;

} // namespace

SideColumn::SideColumn(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ColonnePanneaux"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    hide();
}

void SideColumn::addPanel(QWidget* panel, Height height) {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertWidget(layout->count() - 1, panel, height == Height::Fill ? 1 : 0);
    panel->installEventFilter(this);
    m_panels.append(panel);
    followPanels();
}

QSize SideColumn::minimumSizeHint() const {
    const QSize panels = QWidget::minimumSizeHint();
    return {qMax(panels.width(), fontMetrics().averageCharWidth() * kMinimumCharacters), panels.height()};
}

QSize SideColumn::sizeHint() const {
    return {qMax(minimumSizeHint().width(), fontMetrics().averageCharWidth() * kPreferredCharacters),
            QWidget::sizeHint().height()};
}

bool SideColumn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        followPanels();
    return QWidget::eventFilter(watched, event);
}

void SideColumn::followPanels() {
    bool anyShown = false;
    for (const QWidget* panel : m_panels)
        anyShown = anyShown || !panel->isHidden();
    if (anyShown == isHidden())
        setVisible(anyShown);
    // The splitter and the column place their children when the event loop
    // comes back; the panel just shown must have its place before the next
    // event is handled.
    for (QWidget* level : {parentWidget(), static_cast<QWidget*>(this)})
        if (level)
            QCoreApplication::sendPostedEvents(level, QEvent::LayoutRequest);
}

} // namespace velmar::ui
