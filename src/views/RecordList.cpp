// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/RecordList.h"

#include "platform/core/RunState.h"
#include "platform/core/SeqFormat.h"

#include <algorithm>

namespace views {

namespace {
// A new run starts with every key button sorting ascending.
const bool registered = platform::onResetRunState([] { sortDescending() = {}; });
}  // namespace

QString RecordListSource::text(int row, int col) const {
  if (row < 0 || row >= rowCount()) return {};
  switch (col) {
    case 0: return QString::number(row + 1);
    case 1: return m_table->date(row).toString();
    case 2: return m_table->time(row).toString();
    case 3: return m_table->item(row).toString();
    case 4: return platform::seq::floatText(m_table->seconds(row));
    case 5: return m_table->diary(row).toString();
    default: return {};
  }
}

// The number and the seconds sort without making their texts; the order is the same.
double RecordListSource::number(int row, int col) const {
  if (row >= 0 && row < rowCount()) {
    if (col == 0) return row + 1;
    if (col == 4) return m_table->seconds(row);
  }
  return GridSource::number(row, col);
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
