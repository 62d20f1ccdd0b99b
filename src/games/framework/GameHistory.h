// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/ChartData.h"
#include "platform/core/GridModel.h"

#include <QDateTime>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace games {

// One line per saved play in a game's history file; the fields a game keeps and their
// grid columns are its own.
enum class HistoryField { Date, Time, Answers, Ok, Ng, Keystrokes, Accuracy, Speed, Seconds, Operation };

struct HistoryColumn {
  HistoryField field;
  QString header;
  int widthTwips;
  bool bare = false;  // an operation that is a number (a count of coins) is stored bare
};
// Grid columns 1.. in file order; column 0 is the row number.
using HistoryLayout = std::vector<HistoryColumn>;

// A finished play as the history and the record file keep it.
struct PlayOutcome {
  QDateTime savedAt;
  int ok = 0;
  int ng = 0;
  int keystrokes = 0;
  int answers = 0;           // answers given (ok + ng)
  double speedNumerator = 0;  // keystrokes or answers, as the game counts speed
  float seconds = 0;
  QString operation;
};

// Field texts in layout order, exactly as the grid shows them and the file holds them.
QStringList historyFields(const HistoryLayout& layout, const PlayOutcome& play);
QString historyLine(const HistoryLayout& layout, const PlayOutcome& play);

struct HistoryRead {
  std::vector<QStringList> records;  // field texts in layout order
  qsizetype unreadable = 0;          // lines skipped; they stay in the file
  QString error;
};
[[nodiscard]] HistoryRead readHistory(const QString& fileName, const HistoryLayout& layout);

// Which saved plays a filter shows: all, a seconds value ("60" matches "60秒"), a number of
// answers (right + wrong), and for games with an operation also the operation.
struct HistoryFilter {
  std::optional<QString> seconds;
  std::optional<int> answers;
  std::optional<QString> operation;
};
std::vector<QStringList> filterHistory(const std::vector<QStringList>& records, const HistoryLayout& layout,
                                       const HistoryFilter& filter);

// Grid rows: the running number, then the fields, each text made when the grid asks for it.
std::shared_ptr<const platform::GridSource> numberedRows(std::vector<QStringList> records);

// One series per grid column: the number at the start of each data row's cell ("90.0%" -> 90).
platform::ChartData historyChart(const platform::GridModel& grid, const std::vector<int>& columns);

// The grid column (1-based) of a field, or 0 when the game does not keep it.
int historyColumn(const HistoryLayout& layout, HistoryField field);

}  // namespace games
