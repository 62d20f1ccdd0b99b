#include "app/WindowSwitcher.h"

#include "app/Session.h"

#include "games/adjacent/AdjacentGame.h"
#include "games/block/BlockGame.h"
#include "games/clock/ClockGame.h"
#include "games/coins/CoinGame.h"
#include "games/reverse/ReverseGame.h"
#include "games/speed/SpeedGame.h"
#include "games/table/TableGame.h"

#include <functional>

namespace app {

namespace {
// The game windows by menu button; a button without a game stays disabled.
std::function<games::GameWindow*()> gameFor(int button) {
  switch (button) {
    case 1: return [] { return new games::block::BlockGame; };
    case 2: return [] { return new games::adjacent::AdjacentGame; };
    case 3: return [] { return new games::table::TableGame; };
    case 4: return [] { return new games::speed::SpeedGame; };
    case 5: return [] { return new games::coins::CoinGame; };
    case 6: return [] { return new games::reverse::ReverseGame; };
    case 7: return [] { return new games::clock::ClockGame; };
    default: return {};
  }
}
}  // namespace

MainWindow* showMainWindow() {
  games::GameWindow::setReturnToMain([] { showMainWindow(); });
  auto* window = new MainWindow(gameLauncher());
  window->setAttribute(Qt::WA_DeleteOnClose);
  if (session().windowPos) window->move(*session().windowPos);  // the first one the desktop places
  window->Form_Load();
  return window;
}

MainWindow::GameLauncher gameLauncher() {
  return {[](int button) { return bool(gameFor(button)); },
          [](int button) {
            const auto make = gameFor(button);
            if (!make) return;
            games::GameWindow* game = make();
            if (session().windowPos) game->move(*session().windowPos);
            game->Form_Load();
          }};
}

}  // namespace app
