// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace app {

// Our own artwork, drawn at run time.
enum class Face { NoPlay, Sulky, Smiling, Laughing };
QPixmap facePicture(Face face, int size);

// The picture of the game button: a few stacked blocks.
QPixmap gamePicture(int size);
// The picture of the help tour switch: a question mark in a speech bubble.
QPixmap tourPicture(int size);

}  // namespace app
