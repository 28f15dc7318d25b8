#pragma once

// The pictures shipped in Data/, drawn here rather than copied from anywhere.

#include <QImage>
#include <QString>

namespace velmar::datagen {

constexpr int kGaugeFrames = 26;

// Frame 1 is empty, frame 26 full.
QImage gaugeFrame(int frame);
// A seven-segment digit, as on a counter display.
QImage digit(int value);
// The icon of a support type, by its keyword (AMOVIBLE, FIXE, RESEAU, CD, VIRTUEL, DVD).
QImage supportIcon(const QString& keyword);
// A quiet background for the main window; `variant` 0 or 1.
QImage background(int variant);

} // namespace velmar::datagen
