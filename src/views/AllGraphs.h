// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/ChartData.h"
#include "platform/core/GridModel.h"
#include "records/RecordFile.h"

#include <QDate>
#include <QStringList>

#include <memory>
#include <vector>

namespace views {

// The whole history since the first play, as the all-graphs screen lists it. Its list of
// every play is the record list's source (views/RecordList.h) shown with its first five
// columns; the two tables of totals are built here.

// What the plays of a day or of an item add up to. Seconds are whole, made whole after
// each play.
struct PlayTotals {
  qint64 plays = 0;
  qint64 seconds = 0;
  qint64 largest = 0;  // the longest single play, made whole
};

// One row per calendar day from the first day on: number (from 1), date, plays, seconds,
// largest, average "0.0" (empty on a day without plays). Texts are made when shown.
class DayTotalsSource : public platform::GridSource {
 public:
  DayTotalsSource(QDate first, std::vector<PlayTotals> days) : m_first(first), m_days(std::move(days)) {}
  int rowCount() const override { return int(m_days.size()); }
  QString text(int row, int col) const override;
  double number(int row, int col) const override;

 private:
  QDate m_first;
  std::vector<PlayTotals> m_days;
};

struct AllGraphsLists {
  // Number, item, plays, seconds, "h:mm:ss", largest, average "0.0"; played items only.
  std::vector<QStringList> itemRows;
  std::shared_ptr<const DayTotalsSource> days;
};

// items: the item names in list order. firstDay and lastDay ("yyyy/mm/dd", in either order)
// bound the days listed; every record counts in the day of its date, whatever its place in
// the file, and one dated outside the two days (or not dated at all) counts in no day.
AllGraphsLists buildAllGraphs(const records::RecordTable& table, const QStringList& items,
                              const QString& firstDay, const QString& lastDay);

// "0.0" of an average, halves to the even neighbour; empty without plays.
QString averageText(qint64 seconds, qint64 plays);

// A list opens on its last page once it has more rows (header included) than these.
inline constexpr int kPlaysRowsUnscrolled = 9;
inline constexpr int kDaysRowsUnscrolled = 8;
// The top row a list of that many rows opens with.
inline int openingTopRow(int rows, int unscrolledRows) { return rows > unscrolledRows ? rows - 1 : 1; }

// The six graph buttons of the screen, and what each one shows.
enum class AllGraph { Day2, Total2, Jikan2, Higoto, Higoto2, Higoto3 };
inline constexpr AllGraph kAllGraphs[] = {AllGraph::Day2,   AllGraph::Total2,  AllGraph::Jikan2,
                                          AllGraph::Higoto, AllGraph::Higoto2, AllGraph::Higoto3};

struct AllGraphView {
  bool lowerChart;  // mcrMain3; else mcrMain2
  enum class List { Keep, Plays, Days } list;  // which of msgDayList2 and msgDayList3 to show
  const char* valueTitle;                      // UTF-8
  platform::Rgb selectedColour;                // of the button while its graph is shown
};
AllGraphView allGraphView(AllGraph graph);

// The chart of a graph, drawn from the three lists as they stand.
platform::ChartData allGraphChart(AllGraph graph, const platform::GridModel& plays, const platform::GridModel& items,
                                  const platform::GridModel& days);

}  // namespace views
