// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/PracticeCalendar.h"

#include "records/TimeTotals.h"
#include "views/RangeFilter.h"

#include <algorithm>

namespace views {

namespace {

// Months counted from year 0, so that a difference of two is the calendar-month difference.
int monthIndex(const QDate& date) { return date.year() * 12 + date.month() - 1; }

// 1 = Sunday ... 7 = Saturday.
int weekdayNumber(const QDate& date) { return date.dayOfWeek() % 7 + 1; }

// The plays of every day of the range, shared by the texts of both grids.
struct DayCounts {
  qint64 firstDay = 0;   // Julian days
  qint64 weekStart = 0;  // the Sunday that heads the first week row
  int firstMonth = 0;
  std::vector<qint32> plays;  // by day from the first

  qint32 on(qint64 julianDay) const {
    const qint64 at = julianDay - firstDay;
    return at >= 0 && at < qint64(plays.size()) ? plays[size_t(at)] : 0;
  }
};

QString countText(qint32 plays) { return plays > 0 ? QString::number(plays) : QString(); }

class MonthSource : public platform::GridSource {
 public:
  MonthSource(std::shared_ptr<const DayCounts> days, int months) : m_days(std::move(days)), m_months(months) {}
  int rowCount() const override { return m_months; }
  QString text(int row, int col) const override {
    if (row < 0 || row >= m_months || col < 0 || col > 31) return {};
    const int index = m_days->firstMonth + row;
    const int year = index / 12;
    const int month = index % 12 + 1;
    if (col == 0) {
      return QStringLiteral("%1年%2月").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
    }
    const QDate day(year, month, col);
    return day.isValid() ? countText(m_days->on(day.toJulianDay())) : QString();
  }

 private:
  std::shared_ptr<const DayCounts> m_days;
  int m_months;
};

class WeekSource : public platform::GridSource {
 public:
  WeekSource(std::shared_ptr<const DayCounts> days, int weeks) : m_days(std::move(days)), m_weeks(weeks) {}
  int rowCount() const override { return m_weeks; }
  QString text(int row, int col) const override {
    if (row < 0 || row >= m_weeks || col < 0 || col > 7) return {};
    const qint64 sunday = m_days->weekStart + 7 * qint64(row);
    if (col > 0) return countText(m_days->on(sunday + col - 1));
    const QDate start = QDate::fromJulianDay(sunday);
    return QStringLiteral("%1年%2月%3日")
        .arg(start.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(start.month(), 2, 10, QLatin1Char('0'))
        .arg(start.day(), 2, 10, QLatin1Char('0'));
  }

 private:
  std::shared_ptr<const DayCounts> m_days;
  int m_weeks;
};

platform::ChartData weekdayChart(const std::array<qint64, 7>& values) {
  platform::ChartData data;
  data.labels = weekdayNames();
  data.values = {std::vector<double>(values.begin(), values.end())};
  return data;
}

int topRowFor(int rows, int withoutScrolling) { return rows > withoutScrolling ? rows - 1 : 0; }

}  // namespace

int countClass(qint64 plays) {
  if (plays == 0) return 0;
  if (plays >= 1 && plays <= 10) return int((plays + 1) / 2);
  return 6;
}

platform::Rgb classColour(int countClass) {
  static constexpr platform::Rgb kColours[kCountClasses] = {
      {255, 255, 255}, {255, 192, 192}, {255, 224, 192}, {255, 255, 192},
      {192, 255, 192}, {192, 255, 255}, {192, 192, 255},
  };
  return kColours[std::clamp(countClass, 0, kCountClasses - 1)];
}

QString legendCaption(int countClass, qint64 days) {
  if (countClass == 0) return QStringLiteral("0回：%1日").arg(days);
  if (countClass >= 6) return QStringLiteral("10超：%1日").arg(days);
  return QStringLiteral("%1-%2回：%3日").arg(2 * countClass - 1).arg(2 * countClass).arg(days);
}


namespace {

struct WeekdaySums {
  std::array<qint64, 7> plays{};  // Sunday first
  std::array<qint64, 7> seconds{};
};

// Adds every line dated inside the range to its day and its weekday.
void countPlays(const records::RecordTable& table, DayCounts& days, WeekdaySums& sums) {
  // Records come day by day, so a date is read once for its run of lines.
  QAnyStringView previous;
  bool anyPrevious = false;
  qint64 at = -1;
  int weekday = 0;
  for (qsizetype i = 0; i < table.size(); ++i) {
    const QAnyStringView date = table.date(i);
    if (!anyPrevious || QAnyStringView::compare(date, previous) != 0) {
      previous = date;
      anyPrevious = true;
      const QDate day = records::parseRecordDate(date.toString());
      at = day.isValid() ? day.toJulianDay() - days.firstDay : -1;
      if (at >= qint64(days.plays.size())) at = -1;
      weekday = day.isValid() ? weekdayNumber(day) - 1 : 0;
    }
    if (at < 0) continue;
    ++days.plays[size_t(at)];
    ++sums.plays[size_t(weekday)];
    sums.seconds[size_t(weekday)] = records::addSeconds(sums.seconds[size_t(weekday)], table.seconds(i));
  }
}

// Days per class, and the colour of each day with plays in both grids.
void classifyDays(const DayCounts& days, PracticeCalendar& calendar) {
  qint64 played = 0;
  for (size_t offset = 0; offset < days.plays.size(); ++offset) {
    const qint32 count = days.plays[offset];
    if (count == 0) continue;
    const int cls = countClass(count);
    ++calendar.classDays[size_t(cls)];
    ++played;
    const QDate day = QDate::fromJulianDay(days.firstDay + qint64(offset));
    calendar.month.colours.push_back({monthIndex(day) - days.firstMonth + 1, day.day(), classColour(cls)});
    calendar.week.colours.push_back(
        {int((day.toJulianDay() - days.weekStart) / 7) + 1, weekdayNumber(day), classColour(cls)});
  }
  calendar.classDays[0] = std::max<qint64>(qint64(days.plays.size()) - played, 0);
}

// The parts that a calendar without a range shows too.
void finish(PracticeCalendar& calendar, const WeekdaySums& sums) {
  for (int k = 0; k < kCountClasses; ++k) calendar.legend << legendCaption(k, calendar.classDays[size_t(k)]);
  calendar.weekdayPlays = weekdayChart(sums.plays);
  calendar.weekdaySeconds = weekdayChart(sums.seconds);
  calendar.month.topRow = topRowFor(calendar.month.rows, kMonthRowsWithoutScrolling);
  calendar.week.topRow = topRowFor(calendar.week.rows, kWeekRowsWithoutScrolling);
}

}  // namespace

PracticeCalendar buildPracticeCalendar(const records::RecordTable& table, const QString& firstDay,
                                       const QString& lastDay) {
  PracticeCalendar calendar;
  WeekdaySums sums;
  const QDate first = records::parseRecordDate(firstDay);
  const QDate last = records::parseRecordDate(lastDay);
  if (!first.isValid() || !last.isValid() || last < first) {
    finish(calendar, sums);
    return calendar;
  }

  auto days = std::make_shared<DayCounts>();
  days->firstDay = first.toJulianDay();
  days->weekStart = days->firstDay - weekdayNumber(first.addDays(-1));
  days->firstMonth = monthIndex(first);
  days->plays.assign(size_t(first.daysTo(last) + 1), 0);
  countPlays(table, *days, sums);
  classifyDays(*days, calendar);

  const int months = monthIndex(last) - days->firstMonth + 1;
  const int weeks = int((last.toJulianDay() - days->weekStart) / 7) + 1;
  calendar.month.rows = months + 1;
  calendar.week.rows = weeks + 1;
  calendar.month.source = std::make_shared<MonthSource>(days, months);
  calendar.week.source = std::make_shared<WeekSource>(std::move(days), weeks);
  finish(calendar, sums);
  return calendar;
}

}  // namespace views
