// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace app {

// The look and manners every window of the program shares: the style, a Japanese font,
// Qt's own texts in Japanese, the icon, and Enter pressing the focused button. Called once,
// right after the QApplication is made.
void prepareApplication();

}  // namespace app
