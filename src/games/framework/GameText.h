// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace games {

// value to decimals places, halves to the even neighbour, as the texts below show it.
double roundedTo(double value, int decimals);

// "0.0%" of a ratio, "0.00/秒" of a speed, "0.0" of elapsed seconds; halves go to the
// even neighbour.
QString percentText(double ratio);
QString speedText(double perSecond);
QString elapsedText(double seconds);

// An answer as typed, with the full-width digits and signs of a Japanese input method
// (and the long vowel mark it gives for a minus) turned into their ASCII forms. The length
// stays as typed.
QString normalizedAnswer(const QString& typed);

}  // namespace games
