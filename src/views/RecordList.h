// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/GridModel.h"
#include "records/RecordFile.h"

#include <array>
#include <memory>

namespace views {

// The record list: one row per record in file order. Columns: number (from 1), date, time,
// item, seconds as the shortest decimal text, diary. Texts are made when the grid shows them.
class RecordListSource : public platform::GridSource {
 public:
  explicit RecordListSource(std::shared_ptr<const records::RecordTable> table) : m_table(std::move(table)) {}
  int rowCount() const override { return int(m_table->size()); }
  QString text(int row, int col) const override;
  double number(int row, int col) const override;

 private:
  std::shared_ptr<const records::RecordTable> m_table;
};

// The four key buttons of the list, by button number 1..4: the column they sort and how.
struct SortKey {
  int col;
  bool numeric;
};
SortKey sortKey(int button);

// Which way each key button sorts next (true: descending). Kept for the whole run, so a
// button goes on alternating after a game or a reload of the main window.
std::array<bool, 4>& sortDescending();

// The order of the next sort by the button, turning its direction for the click after.
platform::SortOrder takeSortOrder(int button);

}  // namespace views
