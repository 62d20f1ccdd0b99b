#pragma once

#include "platform/GridModel.h"
#include "records/RecordFile.h"
#include "views/CellTexts.h"

#include <array>

namespace views {

// The record list: one row per record in file order, numbered from 1. Columns: number,
// date, time, item, seconds, diary.
class RecordListBuilder {
 public:
  explicit RecordListBuilder(qsizetype expected = 0) : m_columns(emptyColumns(6, expected)) {}
  void add(const records::PlayRecord& record);
  Columns finish() { return std::move(m_columns); }

 private:
  Columns m_columns;
  SecondsText m_secondsText;
};

Columns recordListColumns(const records::RecordTable& table);

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
