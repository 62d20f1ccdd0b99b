// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/GridModel.h"
#include "records/RecordFile.h"

#include <QDate>
#include <QStringList>

#include <memory>
#include <vector>

namespace views {

inline constexpr int kAllWeekdays = 99;

// The five list builders of the range filters.
enum class RangeBuilder {
  All,      // every record
  Period,   // first date <= date <= last date
  Key,      // period, and the keyword occurs in the item name
  Week,     // period, and the date falls on the chosen weekday
  KeyWeek,  // all three
};

// The filtered list a filter control asks for: by keyword and weekday choice.
RangeBuilder selectBuilder(const QString& keyword, int weekSel);

struct RangeFilter {
  RangeBuilder builder = RangeBuilder::All;
  QString startDate;  // compared as text with the records' dates, whatever their shape
  QString endDate;
  QString keyword;                // case-sensitive part of the item name
  int weekSel = kAllWeekdays;     // 0 = Sunday .. 6 = Saturday
};

struct RangeList {
  std::vector<qint32> records;         // the listed records, in file order
  std::vector<QStringList> totalRows;  // item, whole seconds, h:mm:ss; one per item, in order
  QStringList dates;                   // distinct dates, oldest first; built by All only
};

// items: the item names the totals are kept for, in list order.
RangeList buildRangeList(const records::RecordTable& table, const RangeFilter& filter, const QStringList& items);

// The listed records as grid rows: number (from 1), date, time, weekday, item, seconds.
// Texts are made when the grid shows them.
class RangeListSource : public platform::GridSource {
 public:
  RangeListSource(std::shared_ptr<const records::RecordTable> table, std::vector<qint32> records)
      : m_table(std::move(table)), m_records(std::move(records)) {}
  int rowCount() const override { return int(m_records.size()); }
  QString text(int row, int col) const override;
  double number(int row, int col) const override;

 private:
  std::shared_ptr<const records::RecordTable> m_table;
  std::vector<qint32> m_records;
};

// "日" "月" "火" "水" "木" "金" "土": the weekday captions, Sunday first.
const QStringList& weekdayNames();
// Weekday of a "yyyy/mm/dd" date (also "yyyy/m/d"), Sunday = 0; -1 when it is no date.
int weekdayIndex(QStringView date);

// Whether a text is a date as the record file writes them: "yyyy/mm/dd".
bool isRecordDate(QStringView text);

// The first date of a period that ends today and reaches back the given number of days.
QString periodStart(const QDate& today, int days);

}  // namespace views
