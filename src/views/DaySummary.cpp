// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/DaySummary.h"

#include "platform/core/SeqFormat.h"
#include "records/TimeTotals.h"

#include <algorithm>
#include <array>

namespace views {

DaySummary summarizeDay(const records::RecordTable& table, const QString& day) {
  DaySummary summary;
  if (table.isEmpty()) return summary;
  summary.noData = false;
  summary.firstDay = table.date(0).toString();
  summary.lastDay = table.date(table.size() - 1).toString();

  const auto& names = records::itemNames();
  std::array<qint64, records::kItemCount> plays{};
  std::array<qint64, records::kItemCount> seconds{};
  // The same date in the table's own text form compares fastest.
  const QByteArray dayLatin1 = day.toLatin1();
  const QAnyStringView dayView = day.size() == dayLatin1.size() && QString::fromLatin1(dayLatin1) == day
                                     ? QAnyStringView(QLatin1StringView(dayLatin1))
                                     : QAnyStringView(day);
  for (qsizetype i = 0; i < table.size(); ++i) {
    if (QAnyStringView::compare(table.date(i), dayView) != 0) continue;
    const float played = table.seconds(i);
    summary.listRows.push_back({QString::number(summary.listRows.size() + 1), table.time(i).toString(),
                                table.item(i).toString(), platform::seq::floatText(played)});
    summary.largestSeconds = std::max(summary.largestSeconds, played);
    const int item = table.itemIndex(i);
    if (item < 0) continue;
    ++plays[size_t(item)];
    seconds[size_t(item)] = records::addSeconds(seconds[size_t(item)], played);
  }
  for (int i = 0; i < records::kItemCount; ++i) {
    if (plays[size_t(i)] == 0) continue;
    summary.totalRows.push_back({QString::number(summary.totalRows.size() + 1), names[size_t(i)],
                                 QString::number(plays[size_t(i)]), QString::number(seconds[size_t(i)])});
    summary.totalSeconds = records::addTotals(summary.totalSeconds, seconds[size_t(i)]);
  }
  summary.kinds = static_cast<int>(summary.totalRows.size());
  return summary;
}

}  // namespace views
