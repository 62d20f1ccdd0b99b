#include "views/DaySummary.h"

#include "platform/SeqFormat.h"
#include "records/TimeTotals.h"

#include <algorithm>

namespace views {

void DaySummaryBuilder::add(const records::PlayRecord& record) {
  if (m_summary.noData) {
    m_summary.noData = false;
    m_summary.firstDay = record.date;
  }
  if (!m_summary.lastDay.isSharedWith(record.date)) m_summary.lastDay = record.date;
  if (record.date != m_day) return;
  m_summary.listRows.push_back({QString::number(m_summary.listRows.size() + 1), record.time, record.item,
                                platform::seq::floatText(record.seconds)});
  m_summary.largestSeconds = std::max(m_summary.largestSeconds, record.seconds);
  const auto& names = records::itemNames();
  for (int i = 0; i < records::kItemCount; ++i) {
    if (names[i] != record.item) continue;
    ++m_plays[i];
    m_seconds[i] = records::addSeconds(m_seconds[i], record.seconds);
  }
}

DaySummary DaySummaryBuilder::finish() {
  const auto& names = records::itemNames();
  for (int i = 0; i < records::kItemCount; ++i) {
    if (m_plays[i] == 0) continue;
    m_summary.totalRows.push_back({QString::number(m_summary.totalRows.size() + 1), names[i],
                                   QString::number(m_plays[i]), QString::number(m_seconds[i])});
    m_summary.totalSeconds += m_seconds[i];
  }
  m_summary.kinds = static_cast<int>(m_summary.totalRows.size());
  return std::move(m_summary);
}

DaySummary summarizeDay(const records::RecordTable& table, const QString& day) {
  DaySummaryBuilder builder(day);
  for (const records::PlayRecord& record : table.records()) builder.add(record);
  return builder.finish();
}

}  // namespace views
