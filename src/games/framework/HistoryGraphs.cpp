// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/HistoryGraphs.h"

#include "games/framework/GameText.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/DataFiles.h"
#include "records/PlayRecord.h"

#include <map>

namespace games {

namespace {
const QString kGraphKey = QStringLiteral("履歴グラフ");

QString graphLine(GraphBy by) {
  return platform::seq::LineBuilder()
      .text(kGraphKey)
      .text(by == GraphBy::Day ? QStringLiteral("日ごと") : QStringLiteral("回ごと"))
      .line();
}

bool isGraphLine(const QString& line) {
  return line.startsWith(platform::seq::LineBuilder().text(kGraphKey).line() + QLatin1Char(','));
}
}  // namespace

int shownDecimals(HistoryField field) {
  switch (field) {
    case HistoryField::Speed: return 2;
    case HistoryField::Accuracy:
    case HistoryField::Seconds: return 1;
    default: return 0;
  }
}

platform::ChartData dailyHistoryChart(const platform::GridModel& grid, int dateColumn, const std::vector<int>& columns,
                                      int decimals) {
  struct Day {
    std::vector<double> sums;
    int plays = 0;
  };
  std::map<QDate, Day> days;
  for (int row = 1; row < grid.rows(); ++row) {
    const QDate date = records::parseRecordDate(grid.textMatrix(row, dateColumn));
    if (!date.isValid()) continue;
    Day& day = days[date];
    day.sums.resize(columns.size());
    for (size_t s = 0; s < columns.size(); ++s)
      day.sums[s] += platform::leadingNumber(grid.textMatrix(row, columns[s]));
    ++day.plays;
  }
  platform::ChartData data;
  data.seriesCount = int(columns.size());
  data.values.resize(columns.size());
  for (const auto& [date, day] : days) {
    data.labels << date.toString(QStringLiteral("yy/MM/dd"));
    for (size_t s = 0; s < columns.size(); ++s) data.values[s].push_back(roundedTo(day.sums[s] / day.plays, decimals));
  }
  return data;
}

GraphBy readGraphBy() {
  const platform::TextLines file = platform::readTextLines(records::kViewSettingsFileName);
  GraphBy by = GraphBy::Play;
  for (const QString& line : file.lines) {
    if (line == graphLine(GraphBy::Day)) by = GraphBy::Day;
    if (line == graphLine(GraphBy::Play)) by = GraphBy::Play;
  }
  return by;
}

QString writeGraphBy(GraphBy by) {
  const platform::TextLines file = platform::readTextLines(records::kViewSettingsFileName);
  QStringList lines;
  for (const QString& line : file.lines) {
    if (!isGraphLine(line)) lines << line;
  }
  lines << graphLine(by);
  return platform::writeTextLines(records::kViewSettingsFileName, lines);
}

}  // namespace games
