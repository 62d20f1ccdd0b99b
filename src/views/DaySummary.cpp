#include "views/DaySummary.h"

#include "platform/SeqFormat.h"
#include "records/GameItems.h"
#include "records/TimeTotals.h"

#include <algorithm>
#include <array>

namespace views {

DaySummary summarizeDay(const records::RecordTable& table, const QString& day) {
  DaySummary summary;
  if (table.isEmpty()) return summary;
  summary.noData = false;
  summary.firstDay = table.records().front().date;
  summary.lastDay = table.records().back().date;

  const auto& names = records::itemNames();
  std::array<qint64, records::kItemCount> plays{};
  std::array<qint64, records::kItemCount> seconds{};
  for (const records::PlayRecord& record : table.records()) {
    if (record.date != day) continue;
    summary.listRows.push_back({QString::number(summary.listRows.size() + 1), record.time,
                                record.item, platform::seq::floatText(record.seconds)});
    summary.largestSeconds = std::max(summary.largestSeconds, record.seconds);
    for (int i = 0; i < records::kItemCount; ++i) {
      if (names[i] != record.item) continue;
      ++plays[i];
      seconds[i] = records::addSeconds(seconds[i], record.seconds);
    }
  }
  for (int i = 0; i < records::kItemCount; ++i) {
    if (plays[i] == 0) continue;
    summary.totalRows.push_back({QString::number(summary.totalRows.size() + 1), names[i],
                                 QString::number(plays[i]), QString::number(seconds[i])});
    summary.totalSeconds += seconds[i];
  }
  summary.kinds = static_cast<int>(summary.totalRows.size());
  return summary;
}

}  // namespace views
