#pragma once

// Phrases shared by the audio and video information texts.

#include <QString>

namespace velmar::probes {

// "3 min 25 sec 432 ms"; a negative duration counts as 0.
QString durationText(qint64 milliseconds);

// "Mono", "Stéréo", "6 canaux"; "" for 0 (unknown).
QString channelsText(int channels);

} // namespace velmar::probes
