// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace games {

// Our own artwork, drawn at run time.
// The countdown: a signal whose red, yellow and green lamps light in turn (1..3).
QPixmap countdownPicture(int step, int size);
// The auto-save switch: a notebook with a tick.
QPixmap autoSavePicture(int size);

}  // namespace games
