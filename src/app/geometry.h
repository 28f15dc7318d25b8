#pragma once

// The main window's saved geometry, in twips (1/1440 inch) as it is stored.

#include "app/settings.h"

namespace velmar {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr int kScreenMargin = 200; // kept free below and right of the window
constexpr int kDefaultPosition = 50;
constexpr int kMinimumWidth = 11140;
constexpr int kMinimumHeight = 8250;

// AffecteTailleEcran: the saved options clamped to the screen.
TwipRect AffecteTailleEcran(const Settings& settings, int screenWidth, int screenHeight);

// The size raised to the minimum the window's panels need.
TwipRect clampToMinimumSize(TwipRect rect);

// Shutdown: stores the geometry in the four options, only in the normal window
// state (a maximised or minimised window keeps what was saved before).
void saveGeometry(Settings& settings, const TwipRect& rect, bool normalState);

} // namespace velmar
