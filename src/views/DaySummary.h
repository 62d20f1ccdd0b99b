// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/GameItems.h"
#include "records/RecordFile.h"

#include <QStringList>

#include <vector>

namespace views {

// What the today panel shows for one day of the record table.
struct DaySummary {
  std::vector<QStringList> listRows;   // number, time, item, seconds; in file order
  std::vector<QStringList> totalRows;  // number, item, plays, whole seconds; item-table order
  qint64 totalSeconds = 0;
  float largestSeconds = 0;
  int kinds = 0;  // different games played on the day
  bool noData = true;
  QString firstDay;  // date of the first and of the last record, empty without records
  QString lastDay;
};

// day is "yyyy/mm/dd" and compares as text with the records' dates.
DaySummary summarizeDay(const records::RecordTable& table, const QString& day);

}  // namespace views
