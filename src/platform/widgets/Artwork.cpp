// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/Artwork.h"

namespace platform {

QPixmap blankPicture(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace platform
