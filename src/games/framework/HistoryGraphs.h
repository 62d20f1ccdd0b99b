// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameHistory.h"
#include "platform/core/ChartData.h"
#include "platform/core/GridModel.h"

#include <vector>

namespace games {

// A history graph draws a point per play or, to show weeks of progress as one line, a
// point per day.
enum class GraphBy { Play, Day };

// The decimals a history figure is shown with: "1.62/秒", "90.0%", "23.4秒", counts whole.
int shownDecimals(HistoryField field);

// One point per day with plays among the grid's data rows, in date order and labelled
// "yy/mm/dd"; each series the day's mean of its column, rounded to decimals (halves to the
// even neighbour). Rows whose date is no date are passed over.
platform::ChartData dailyHistoryChart(const platform::GridModel& grid, int dateColumn, const std::vector<int>& columns,
                                      int decimals);

// The choice is the player's, for every game, and kept apart from the games' own settings
// files in our own, as the line "履歴グラフ","日ごと". A missing or unreadable file draws
// per play. Other lines of the file are kept as they are.
GraphBy readGraphBy();
[[nodiscard]] QString writeGraphBy(GraphBy by);

}  // namespace games
