// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/RangeFilter.h"

#include "platform/core/SeqFormat.h"
#include "records/GameItems.h"
#include "records/TimeTotals.h"

#include <array>

namespace views {

RangeBuilder selectBuilder(const QString& keyword, int weekSel) {
  const bool anyWeekday = weekSel == kAllWeekdays;
  if (keyword.isEmpty()) return anyWeekday ? RangeBuilder::Period : RangeBuilder::Week;
  return anyWeekday ? RangeBuilder::Key : RangeBuilder::KeyWeek;
}

const QStringList& weekdayNames() {
  static const QStringList names{QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"),
                                 QStringLiteral("水"), QStringLiteral("木"), QStringLiteral("金"),
                                 QStringLiteral("土")};
  return names;
}

int weekdayIndex(QStringView date) {
  const QDate parsed = records::parseRecordDate(date);
  return parsed.isValid() ? parsed.dayOfWeek() % 7 : -1;
}

bool isRecordDate(QStringView text) {
  return text.size() == 10 && text[4] == QLatin1Char('/') && text[7] == QLatin1Char('/') &&
         records::parseRecordDate(text).isValid();
}


QString periodStart(const QDate& today, int days) { return records::recordDate(today.addDays(-days)); }

namespace {
// Records come day by day, so the weekday of the record before is usually the one.
class WeekdayOf {
 public:
  int operator()(QAnyStringView date) {
    if (QAnyStringView::compare(date, m_date) != 0) {
      m_date = date.toString();
      m_weekday = weekdayIndex(m_date);
    }
    return m_weekday;
  }

 private:
  QString m_date;
  int m_weekday = -1;
};

bool isKey(RangeBuilder b) { return b == RangeBuilder::Key || b == RangeBuilder::KeyWeek; }
bool isWeek(RangeBuilder b) { return b == RangeBuilder::Week || b == RangeBuilder::KeyWeek; }
}  // namespace

RangeList buildRangeList(const records::RecordTable& table, const RangeFilter& filter, const QStringList& items) {
  RangeList list;
  std::vector<qint64> seconds(size_t(items.size()), 0);
  // Which of the listed items each entry of the item table is; names outside it match by text.
  std::vector<std::vector<int>> itemSlots(records::kItemCount);
  for (int k = 0; k < records::kItemCount; ++k) {
    for (qsizetype i = 0; i < items.size(); ++i) {
      if (items[i] == records::itemNames()[size_t(k)]) itemSlots[size_t(k)].push_back(int(i));
    }
  }
  std::array<bool, records::kItemCount> keyMatches{};
  for (int k = 0; k < records::kItemCount; ++k) keyMatches[size_t(k)] = records::itemNames()[size_t(k)].contains(filter.keyword);
  WeekdayOf weekdayOf;
  const bool all = filter.builder == RangeBuilder::All;
  list.records.reserve(size_t(table.size()));
  for (qsizetype r = 0; r < table.size(); ++r) {
    const QAnyStringView date = table.date(r);
    if (all && (list.dates.isEmpty() || QAnyStringView::compare(list.dates.last(), date) != 0)) {
      list.dates.append(date.toString());
    }
    if (!all) {
      if (QAnyStringView::compare(date, filter.startDate) < 0 || QAnyStringView::compare(filter.endDate, date) < 0) continue;
      if (isKey(filter.builder)) {
        const int k = table.itemIndex(r);
        const bool found = k >= 0 ? keyMatches[size_t(k)] : table.item(r).toString().contains(filter.keyword);
        if (!found) continue;
      }
      if (isWeek(filter.builder) && (filter.weekSel < 0 || filter.weekSel > 6 || weekdayOf(date) != filter.weekSel)) continue;
    }
    list.records.push_back(qint32(r));
    const int k = table.itemIndex(r);
    if (k >= 0) {
      for (int slot : itemSlots[size_t(k)]) seconds[size_t(slot)] = records::addSeconds(seconds[size_t(slot)], table.seconds(r));
    } else {
      const QString name = table.item(r).toString();
      for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i] == name) seconds[size_t(i)] = records::addSeconds(seconds[size_t(i)], table.seconds(r));
      }
    }
  }
  list.totalRows.reserve(size_t(items.size()));
  for (qsizetype i = 0; i < items.size(); ++i) {
    const qint64 total = seconds[size_t(i)];
    list.totalRows.push_back({items[i], QString::number(total), records::hmsText(total)});
  }
  return list;
}

QString RangeListSource::text(int row, int col) const {
  if (row < 0 || row >= rowCount()) return {};
  const qsizetype r = m_records[size_t(row)];
  switch (col) {
    case 0: return QString::number(row + 1);
    case 1: return m_table->date(r).toString();
    case 2: return m_table->time(r).toString();
    case 3: {
      const int weekday = weekdayIndex(m_table->date(r).toString());
      return weekday < 0 ? QString() : weekdayNames()[weekday];
    }
    case 4: return m_table->item(r).toString();
    case 5: return platform::seq::floatText(m_table->seconds(r));
    default: return {};
  }
}

double RangeListSource::number(int row, int col) const {
  if (row >= 0 && row < rowCount() && col == 5) return m_table->seconds(m_records[size_t(row)]);
  return GridSource::number(row, col);
}

}  // namespace views
