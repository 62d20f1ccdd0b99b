// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/AllGraphs.h"

#include "records/GameItems.h"
#include "records/TimeTotals.h"
#include "views/Graphs.h"
#include "views/RangeFilter.h"

#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace views {

namespace {

// Records come day by day, so the date of the record before is usually the one. The dates
// are views into the table, which outlives this.
class DayNumbers {
 public:
  std::optional<qint64> operator()(QAnyStringView date) {
    if (!m_known || QAnyStringView::compare(date, m_date) != 0) {
      m_known = true;
      m_date = date;
      const QDate parsed = records::parseRecordDate(date.toString());
      m_day = parsed.isValid() ? std::optional(parsed.toJulianDay()) : std::nullopt;
    }
    return m_day;
  }

 private:
  bool m_known = false;
  QAnyStringView m_date;
  std::optional<qint64> m_day;
};

void addPlay(PlayTotals& totals, float played) {
  ++totals.plays;
  totals.seconds = records::addSeconds(totals.seconds, played);
  if (double(played) > double(totals.largest)) totals.largest = qint64(std::nearbyint(double(played)));
}

// The days from the first to the last day, in order; none without two dates.
struct DayRange {
  QDate first;
  qint64 count = 0;
};
DayRange dayRange(const QString& firstDay, const QString& lastDay) {
  QDate first = records::parseRecordDate(firstDay);
  QDate last = records::parseRecordDate(lastDay);
  if (!first.isValid() || !last.isValid()) return {};
  // A file edited by hand may end on an earlier day than it starts with.
  if (last < first) std::swap(first, last);
  return {first, first.daysTo(last) + 1};
}

}  // namespace

AllGraphsLists buildAllGraphs(const records::RecordTable& table, const QStringList& items,
                              const QString& firstDay, const QString& lastDay) {
  // Which of the listed items each entry of the item table is; other names match by text.
  std::array<std::vector<int>, records::kItemCount> itemSlots;
  for (int k = 0; k < records::kItemCount; ++k) {
    for (qsizetype i = 0; i < items.size(); ++i) {
      if (items[i] == records::itemNames()[size_t(k)]) itemSlots[size_t(k)].push_back(int(i));
    }
  }
  std::vector<PlayTotals> itemTotals(size_t(items.size()));

  const DayRange range = dayRange(firstDay, lastDay);
  std::vector<PlayTotals> days(size_t(range.count));
  const qint64 firstNumber = range.first.isValid() ? range.first.toJulianDay() : 0;
  DayNumbers dayNumber;

  for (qsizetype r = 0; r < table.size(); ++r) {
    const float played = table.seconds(r);
    const int k = table.itemIndex(r);
    if (k >= 0) {
      for (int slot : itemSlots[size_t(k)]) addPlay(itemTotals[size_t(slot)], played);
    } else {
      const QAnyStringView name = table.item(r);
      for (qsizetype i = 0; i < items.size(); ++i) {
        if (QAnyStringView::compare(name, items[i]) == 0) addPlay(itemTotals[size_t(i)], played);
      }
    }
    if (days.empty()) continue;
    if (const std::optional<qint64> number = dayNumber(table.date(r))) {
      const qint64 d = *number - firstNumber;
      if (d >= 0 && d < qint64(days.size())) addPlay(days[size_t(d)], played);
    }
  }

  AllGraphsLists lists;
  for (qsizetype i = 0; i < items.size(); ++i) {
    const PlayTotals& t = itemTotals[size_t(i)];
    if (t.plays == 0) continue;
    lists.itemRows.push_back({QString::number(lists.itemRows.size() + 1), items[i], QString::number(t.plays),
                              QString::number(t.seconds), records::hmsText(t.seconds), QString::number(t.largest),
                              averageText(t.seconds, t.plays)});
  }
  lists.days = std::make_shared<DayTotalsSource>(range.first, std::move(days));
  return lists;
}

QString averageText(qint64 seconds, qint64 plays) {
  if (plays <= 0) return {};
  // Adding 0.0 turns a rounded -0 into 0.
  const double tenths = std::nearbyint(double(seconds) / double(plays) * 10.0) / 10.0 + 0.0;
  return QString::number(tenths, 'f', 1);
}

QString DayTotalsSource::text(int row, int col) const {
  if (row < 0 || row >= rowCount()) return {};
  const PlayTotals& day = m_days[size_t(row)];
  switch (col) {
    case 0: return QString::number(row + 1);
    case 1: return records::recordDate(m_first.addDays(row));
    case 2: return QString::number(day.plays);
    case 3: return QString::number(day.seconds);
    case 4: return QString::number(day.largest);
    case 5: return averageText(day.seconds, day.plays);
    default: return {};
  }
}

double DayTotalsSource::number(int row, int col) const {
  if (row >= 0 && row < rowCount()) {
    const PlayTotals& day = m_days[size_t(row)];
    switch (col) {
      case 0: return row + 1;
      case 2: return double(day.plays);
      case 3: return double(day.seconds);
      case 4: return double(day.largest);
      default: break;
    }
  }
  return GridSource::number(row, col);
}

AllGraphView allGraphView(AllGraph graph) {
  using List = AllGraphView::List;
  constexpr platform::Rgb kOrange{255, 224, 192};
  constexpr platform::Rgb kYellow{255, 255, 192};
  switch (graph) {
    case AllGraph::Day2: return {true, List::Plays, "秒", kOrange};
    case AllGraph::Total2: return {false, List::Keep, "秒", kOrange};
    case AllGraph::Jikan2: return {false, List::Keep, "秒", kOrange};
    case AllGraph::Higoto: return {true, List::Days, "回", kYellow};
    case AllGraph::Higoto2: return {true, List::Days, "秒", kYellow};
    case AllGraph::Higoto3: return {true, List::Days, "秒", kYellow};
  }
  return {true, List::Keep, "", kOrange};
}

platform::ChartData allGraphChart(AllGraph graph, const platform::GridModel& plays, const platform::GridModel& items,
                                  const platform::GridModel& days) {
  switch (graph) {
    case AllGraph::Day2: return listPlot(plays, 3, 4);
    case AllGraph::Total2: return listPlot(items, 1, 3);
    case AllGraph::Jikan2: return hourPlot(plays, 2, 4);
    case AllGraph::Higoto: return dayPlot(days, 2);
    case AllGraph::Higoto2: return dayPlot(days, 3);
    case AllGraph::Higoto3: return dayPlot(days, 5);
  }
  return {};
}

}  // namespace views
