// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainWindow.h"

namespace app {

// Only one window is open at a time: the main window or one game window. Every load of
// the main window runs its whole start-up, so it shows what a game has just saved.
MainWindow* showMainWindow();

// The games on the menu, by button number.
MainWindow::GameLauncher gameLauncher();

}  // namespace app
