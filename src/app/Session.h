// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>

#include <optional>

namespace app {

// What the main window keeps for the whole run, across its reloads.
struct Session {
  QString strNickname;
  bool blnWelcomeShown = false;
  // Where the main window stood when it last gave way to a game; the game window opens
  // there and the main window comes back to it.
  std::optional<QPoint> windowPos;
};
Session& session();

}  // namespace app
