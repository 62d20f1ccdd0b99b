#pragma once

#include "records/PlayRecord.h"
#include "views/CellTexts.h"

#include <QDate>
#include <QStringList>
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
  Columns list = emptyColumns(6, 0);    // number, date, time, weekday, item, seconds
  std::vector<QStringList> totalRows;  // item, whole seconds, h:mm:ss; one per item, in order
  QStringList dates;                   // distinct dates, oldest first; built by All only
};

class RangeListBuilder {
 public:
  // items: the item names the totals are kept for, in list order (at most 64).
  RangeListBuilder(RangeFilter filter, QStringList items, qsizetype expected = 0);
  void add(const records::PlayRecord& record);
  RangeList finish();

 private:
  bool passes(const records::PlayRecord& record);
  const QString& weekdayOf(const QString& date);
  // Bit i set: the item is items[i].
  quint64 itemMask(const QString& item);

  RangeFilter m_filter;
  QStringList m_items;
  std::vector<qint64> m_seconds;
  RangeList m_list;
  SecondsText m_secondsText;
  QString m_lastDate;
  QString m_lastWeekday;
  // Records share their item texts, so a text once matched is found again by identity.
  std::vector<std::pair<QString, quint64>> m_itemMasks;
};

// "日" "月" "火" "水" "木" "金" "土": the weekday captions, Sunday first.
const QStringList& weekdayNames();
// Weekday of a "yyyy/mm/dd" date (also "yyyy/m/d"), Sunday = 0; -1 when it is no date.
int weekdayIndex(QStringView date);

// Whether a text is a date as the record file writes them: "yyyy/mm/dd".
bool isRecordDate(QStringView text);
QString recordDate(const QDate& date);

// The first date of a period that ends today and reaches back the given number of days.
QString periodStart(const QDate& today, int days);

}  // namespace views
