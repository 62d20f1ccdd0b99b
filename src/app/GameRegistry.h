// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/Maintenance.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace games {
class GameWindow;
}

namespace app {

// A game as the program knows it: its item in the record file, its button on the menu, its
// window and its help page. A new game is its folder under games/ and one row of the table.
struct GameEntry {
  QString itemName;    // as records::itemNames() names it
  int button = 0;      // the menu's "cmdG<button>", from 1; the menu's order is not the items'
  QString caption;     // the menu button's
  QString windowName;  // the game window's objectName, and the id of its help page, which F1 opens
  QString helpTitle;   // in the help's contents
  std::function<games::GameWindow*()> make;
  std::function<QStringList()> historyHeaders;  // of the history grid, in file order
};

// The games in the order of records::itemNames().
const std::vector<GameEntry>& gameRegistry();

// Every game's history file and the headers of its grid, in the order of records::itemNames().
std::vector<views::HistoryColumns> historyColumns();

// The game on a menu button, or null.
const GameEntry* gameOnButton(int button);

}  // namespace app
