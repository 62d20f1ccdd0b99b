// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameHistory.h"

#include <QStringList>

#include <vector>

namespace games {

// What a history line says of the play it holds, beside its figures: a "秒数" play keeps
// its set seconds, a whole number of the game's list; an "答数" play its elapsed time.
struct PlaySetting {
  bool bySeconds = false;
  int answers = 0;    // "答数": the answers of the play
  QString seconds;    // "秒数": the seconds as the history writes them ("60")
  QString operation;  // for games with an operation column
};

// The line under the results of a finished play: how it stands against the earlier plays
// of its mode and setting in the game's history, "自己ベスト！" or "ベストまで 1.2 秒　前回より
// 0.8 秒速い", followed by its accuracy. "答数" plays compare their time (lower is better),
// "秒数" plays their right answers (higher is better). Lines whose figures do not read as
// numbers are passed over. secondsItems: the game's list of seconds per play.
QString personalBestLine(const std::vector<QStringList>& history, const HistoryLayout& layout,
                         const QStringList& secondsItems, const PlaySetting& setting, const PlayOutcome& play);

}  // namespace games
