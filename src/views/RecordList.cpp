#include "views/RecordList.h"

#include <algorithm>

namespace views {

void RecordListBuilder::add(const records::PlayRecord& record) {
  m_columns[0].append(runningNumber(m_columns[0].size() + 1));
  m_columns[1].append(record.date);
  m_columns[2].append(timeText(record.time));
  m_columns[3].append(record.item);
  m_columns[4].append(m_secondsText(record.seconds));
  m_columns[5].append(record.diary);
}

Columns recordListColumns(const records::RecordTable& table) {
  RecordListBuilder builder(table.size());
  for (const records::PlayRecord& record : table.records()) builder.add(record);
  return builder.finish();
}

SortKey sortKey(int button) {
  static constexpr SortKey kKeys[] = {{0, true}, {3, false}, {4, true}, {5, false}};
  return kKeys[std::clamp(button, 1, 4) - 1];
}

std::array<bool, 4>& sortDescending() {
  static std::array<bool, 4> flags{};
  return flags;
}

platform::SortOrder takeSortOrder(int button) {
  bool& descending = sortDescending()[size_t(std::clamp(button, 1, 4) - 1)];
  const bool numeric = sortKey(button).numeric;
  const platform::SortOrder order =
      numeric ? (descending ? platform::SortOrder::NumericDescending : platform::SortOrder::NumericAscending)
              : (descending ? platform::SortOrder::TextDescending : platform::SortOrder::TextAscending);
  descending = !descending;
  return order;
}

}  // namespace views
