// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowSwitcher.h"

#include "app/GameRegistry.h"
#include "app/Session.h"
#include "games/framework/GameWindow.h"

namespace app {

MainWindow* showMainWindow() {
  games::GameWindow::setReturnToMain([] { showMainWindow(); });
  auto* window = new MainWindow(gameLauncher());
  window->setAttribute(Qt::WA_DeleteOnClose);
  if (session().windowPos) window->move(*session().windowPos);  // the first one the desktop places
  window->Form_Load();
  return window;
}

// A button without a game stays disabled.
MainWindow::GameLauncher gameLauncher() {
  return {[](int button) {
            const GameEntry* entry = gameOnButton(button);
            return entry && entry->make;
          },
          [](int button) {
            const GameEntry* entry = gameOnButton(button);
            if (!entry || !entry->make) return;
            games::GameWindow* game = entry->make();
            if (session().windowPos) game->move(*session().windowPos);
            game->Form_Load();
          }};
}

}  // namespace app
