// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/PlayStreak.h"

#include "records/RecordFile.h"

#include <algorithm>

namespace views {

std::vector<QDate> playDays(const records::RecordTable& table) {
  std::vector<qint64> days;
  QString previous;
  bool first = true;
  for (qsizetype i = 0; i < table.size(); ++i) {
    const QAnyStringView date = table.date(i);
    // The plays of a day mostly follow one another: each run of one date is read once.
    if (!first && QAnyStringView::equal(date, previous)) continue;
    first = false;
    previous = date.toString();
    const QDate day = records::parseRecordDate(previous);
    if (day.isValid()) days.push_back(day.toJulianDay());
  }
  std::ranges::sort(days);
  days.erase(std::unique(days.begin(), days.end()), days.end());
  std::vector<QDate> dates;
  dates.reserve(days.size());
  for (qint64 day : days) dates.push_back(QDate::fromJulianDay(day));
  return dates;
}

PlayStreak playStreak(const std::vector<QDate>& days, const QDate& today) {
  PlayStreak streak;
  int run = 0;
  for (size_t i = 0; i < days.size(); ++i) {
    run = i > 0 && days[i - 1].daysTo(days[i]) == 1 ? run + 1 : 1;
    streak.longest = std::max(streak.longest, run);
    // The run as it stands on the last play day up to today, if that is today or yesterday.
    if (days[i] <= today) streak.current = days[i].daysTo(today) <= 1 ? run : 0;
  }
  return streak;
}

QString streakText(const PlayStreak& streak) {
  return QStringLiteral("連続 %1 日（最長 %2 日）").arg(streak.current).arg(streak.longest);
}

}  // namespace views
