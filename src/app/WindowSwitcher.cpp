#include "app/WindowSwitcher.h"

namespace app {

MainWindow* showMainWindow() {
  auto* window = new MainWindow(gameLauncher());
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->Form_Load();
  return window;
}

MainWindow::GameLauncher gameLauncher() {
  // Games join the menu as they are built.
  return {[](int) { return false; }, [](int) {}};
}

}  // namespace app
