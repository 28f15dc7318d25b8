#pragma once

// Widgets carrying the names the program gives its controls, so that the
// tests find them as a user would see them.

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace velmar::ui {

// A panel of the main window: framed, painted over the background picture.
inline QFrame* namedPanel(const QString& name, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

inline QPushButton* namedButton(const QString& name, const QString& text, QWidget* parent,
                                const QString& tip = QString()) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

inline QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A panel's title, in bold, wrapped when the panel is narrower than the title.
inline QLabel* panelTitle(const QString& text, QWidget* parent) {
    auto* title = new QLabel(QStringLiteral("<b>") + text.toHtmlEscaped() + QStringLiteral("</b>"), parent);
    title->setWordWrap(true);
    return title;
}

} // namespace velmar::ui
