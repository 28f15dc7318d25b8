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

// A panel's title, in bold.
inline QLabel* panelTitle(const QString& text, QWidget* parent) {
    return new QLabel(QStringLiteral("<b>") + text.toHtmlEscaped() + QStringLiteral("</b>"), parent);
}

} // namespace velmar::ui
