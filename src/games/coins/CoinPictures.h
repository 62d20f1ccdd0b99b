// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QSize>

namespace games::coins {

// Our own coin artwork, drawn for a slot of the given size at a device pixel ratio, so it
// stays sharp on a high-density screen. A null picture if it could not be drawn.
QPixmap drawnCoin(int value, QSize slot, qreal ratio);

// The picture of a coin for its slot: the picture file of the working directory when it
// can be read ("100.gif", made smaller to fit when it is larger than the slot), else our
// own drawing.
QPixmap coinPicture(int value, QSize slot, qreal ratio);

}  // namespace games::coins
