// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/ChartData.h"
#include "platform/core/GridModel.h"
#include "platform/core/Rgb.h"
#include "records/RecordFile.h"

#include <QDate>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

namespace views {

// Classes of a day's number of plays: 0 none, 1 for 1-2, 2 for 3-4, ... 5 for 9-10, 6 beyond.
inline constexpr int kCountClasses = 7;

// Grids of up to this many rows (with the header) open at their start; longer ones show
// their newest rows.
inline constexpr int kMonthRowsWithoutScrolling = 13;
inline constexpr int kWeekRowsWithoutScrolling = 16;

int countClass(qint64 plays);
// The colour of a class's cells and legend label; class 0 (white) colours the legend only.
platform::Rgb classColour(int countClass);
// "1-2回：3日", "10超：0日", "0回：5日".
QString legendCaption(int countClass, qint64 days);


struct CellColour {
  int row;  // grid row, data rows from 1
  int col;
  platform::Rgb colour;
};

// One grid's data rows: texts made on demand, colours of the cells with plays, and where
// the grid should scroll to.
struct CalendarGrid {
  std::shared_ptr<const platform::GridSource> source;
  std::vector<CellColour> colours;
  int rows = 1;    // with the header row
  int topRow = 0;  // the row to scroll to the top; 0 leaves the grid at its start
};

struct PracticeCalendar {
  CalendarGrid month;  // a row per month, columns 1-31 the days
  CalendarGrid week;   // a row per week from a Sunday, columns 1-7 Sunday to Saturday
  // Days per class from the first to the last day; class 0 counts those without plays.
  std::array<qint64, kCountClasses> classDays{};
  QStringList legend;  // one caption per class
  platform::ChartData weekdayPlays;    // the seven weekdays, Sunday first
  platform::ChartData weekdaySeconds;  // whole seconds, rounded after every play
};

// The calendar of the plays dated firstDay ... lastDay. Lines dated outside that range, or
// with no date, count nowhere. Without a range (no record) the grids have no data rows,
// the legend counts nothing and the charts hold seven zeros.
PracticeCalendar buildPracticeCalendar(const records::RecordTable& table, const QString& firstDay,
                                       const QString& lastDay);

}  // namespace views
