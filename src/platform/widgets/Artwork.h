// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace platform {

// A square, fully transparent picture to draw our own artwork on.
QPixmap blankPicture(int size);

}  // namespace platform
