// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameRegistry.h"

#include "games/adjacent/AdjacentGame.h"
#include "games/block/BlockGame.h"
#include "games/clock/ClockGame.h"
#include "games/coins/CoinGame.h"
#include "games/reverse/ReverseGame.h"
#include "games/speed/SpeedGame.h"
#include "games/table/TableGame.h"
#include "help/HelpWindow.h"

#include <algorithm>

namespace app {

namespace {
template <typename Game>
QStringList headersOf() {
  QStringList headers;
  for (const games::HistoryColumn& column : Game::profile().history) headers << column.header;
  return headers;
}
}  // namespace

const std::vector<GameEntry>& gameRegistry() {
  static const std::vector<GameEntry> games = {
      {QStringLiteral("ブロック計算"), 1, QStringLiteral("ブロック"), QStringLiteral("frmG2"),
       QStringLiteral("ブロック計算"), [] { return new games::block::BlockGame; }, headersOf<games::block::BlockGame>},
      {QStringLiteral("隣接加減ネオ"), 2, QStringLiteral("±ネオ"), QStringLiteral("frmG1"), QStringLiteral("±ネオ"),
       [] { return new games::adjacent::AdjacentGame; }, headersOf<games::adjacent::AdjacentGame>},
      {QStringLiteral("表計算"), 3, QStringLiteral("表計算"), QStringLiteral("frmG3"), QStringLiteral("表計算"),
       [] { return new games::table::TableGame; }, headersOf<games::table::TableGame>},
      {QStringLiteral("スピード計算"), 4, QStringLiteral("スピード"), QStringLiteral("frmG4"),
       QStringLiteral("スピード計算"), [] { return new games::speed::SpeedGame; }, headersOf<games::speed::SpeedGame>},
      {QStringLiteral("逆計算"), 6, QStringLiteral("逆計算"), QStringLiteral("frmG5"), QStringLiteral("逆計算"),
       [] { return new games::reverse::ReverseGame; }, headersOf<games::reverse::ReverseGame>},
      {QStringLiteral("小銭計算"), 5, QStringLiteral("小銭計算"), QStringLiteral("frmG6"), QStringLiteral("小銭計算"),
       [] { return new games::coins::CoinGame; }, headersOf<games::coins::CoinGame>},
      {QStringLiteral("時間計算"), 7, QStringLiteral("時間計算"), QStringLiteral("frmG7"), QStringLiteral("時間計算"),
       [] { return new games::clock::ClockGame; }, headersOf<games::clock::ClockGame>},
  };
  return games;
}

std::vector<views::HistoryColumns> historyColumns() {
  std::vector<views::HistoryColumns> histories;
  for (const GameEntry& game : gameRegistry()) histories.push_back({game.itemName, game.historyHeaders()});
  return histories;
}

const GameEntry* gameOnButton(int button) {
  const std::vector<GameEntry>& games = gameRegistry();
  const auto at = std::find_if(games.begin(), games.end(), [button](const GameEntry& g) { return g.button == button; });
  return at == games.end() ? nullptr : &*at;
}

namespace {
// The games' pages follow the screens' in the help's contents, in the order of the menu.
std::vector<help::HelpPage> gameHelpPages() {
  std::vector<const GameEntry*> byButton;
  for (const GameEntry& game : gameRegistry()) byButton.push_back(&game);
  std::sort(byButton.begin(), byButton.end(),
            [](const GameEntry* a, const GameEntry* b) { return a->button < b->button; });
  std::vector<help::HelpPage> pages;
  for (const GameEntry* game : byButton) pages.push_back({game->windowName, game->helpTitle});
  return pages;
}

// The help lies below the games and the app, so it is told the games' pages before any
// window can open it.
const bool helpKnowsTheGames = (help::setGamePages(gameHelpPages()), true);
}  // namespace

}  // namespace app
