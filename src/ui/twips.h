#pragma once

// The saved geometry is in twips (1/1440 inch); the window system counts pixels.

#include <QWidget>

namespace velmar::ui {

inline double twipsPerPixel(const QWidget* widget) {
    return 1440.0 / widget->logicalDpiX();
}
inline int toTwips(int pixels, const QWidget* widget) {
    return qRound(pixels * twipsPerPixel(widget));
}
inline int toPixels(int twips, const QWidget* widget) {
    return qRound(twips / twipsPerPixel(widget));
}

} // namespace velmar::ui
