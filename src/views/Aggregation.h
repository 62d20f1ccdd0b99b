// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/GridModel.h"
#include "platform/core/Rgb.h"
#include "records/RecordFile.h"

#include <QDate>
#include <QStringList>

#include <memory>
#include <vector>

namespace views {

// What the cells of the aggregation tables show, by optList2 index.
enum class KakeiDisplay { Jikan = 0, Kaisu = 1, JikanKaisu = 2 };
// One row per calendar day (msgKakei2) or per calendar month (msgKakei1).
enum class KakeiPeriod { Day, Month };

// What the tables are drawn from besides the records.
struct KakeiSettings {
  QString firstDay;  // strFirstDay and strLastDay: "yyyy/mm/dd", empty without records
  QString lastDay;
  QStringList items;           // strKoumoku(1..intKoumokuSu), one column each
  int colWidthKoumoku = 1180;  // twips
  int colWidthSyoukei = 1250;
};

// Plays and their time, the time made whole after every single addition.
struct KakeiFigure {
  qint32 count = 0;
  qint64 seconds = 0;

  void add(float played);
  void add(const KakeiFigure& other);
  bool operator==(const KakeiFigure&) const = default;
};

// Every record summed by row (day or month from the first day to the last) and by item.
// Rows without plays take no room beyond their place in the row table, so a range made
// long by a hand-edited date stays cheap.
class KakeiSums {
 public:
  KakeiSums(const records::RecordTable& table, const KakeiSettings& settings, KakeiPeriod period);

  KakeiPeriod period() const { return m_period; }
  int rowCount() const { return int(m_slot.size()); }
  int itemCount() const { return m_items; }
  // Rows and items count from 0.
  KakeiFigure rowTotal(int row) const;
  KakeiFigure cell(int row, int item) const;
  KakeiFigure itemTotal(int item) const { return m_itemTotals[size_t(item)]; }
  KakeiFigure grandTotal() const { return m_grandTotal; }
  // "yy/mm/dd" for a day, "yy/mm" for a month.
  QString label(int row) const;

 private:
  KakeiPeriod m_period;
  QDate m_first;  // the first day, or the first of its month
  int m_items = 0;
  std::vector<qint32> m_slot;  // per row: its place in m_rowTotals, -1 without plays
  std::vector<KakeiFigure> m_rowTotals;
  std::vector<KakeiFigure> m_cells;  // m_items per slot
  std::vector<KakeiFigure> m_itemTotals;
  KakeiFigure m_grandTotal;
};

// The body rows of a table as the grid shows them, made when asked for; a monthly table
// ends with its total row.
class KakeiSource : public platform::GridSource {
 public:
  KakeiSource(std::shared_ptr<const KakeiSums> sums, KakeiDisplay display)
      : m_sums(std::move(sums)), m_display(display) {}
  int rowCount() const override;
  QString text(int row, int col) const override;

 private:
  QString totalText(const KakeiFigure& figure) const;  // column 2
  QString itemText(const KakeiFigure& figure) const;

  std::shared_ptr<const KakeiSums> m_sums;
  KakeiDisplay m_display;
};

struct KakeiColumn {
  QString header;
  int twips;
  platform::Align align;        // of the body cells
  platform::Align headerAlign;  // of the header cell
};

// A cell colour; rows as the grid counts them, 0 being the header.
struct KakeiColour {
  int row;
  int col;
  platform::Rgb rgb;
};

// Everything one drawing procedure puts into its grid.
struct KakeiTable {
  std::vector<KakeiColumn> columns;
  std::shared_ptr<const KakeiSource> rows;  // null: the header row only
  std::vector<KakeiColour> backColours;
  std::vector<KakeiColour> foreColours;
  int topRow = 0;  // the row to scroll to, 0 to leave the grid at its top

  int gridRows() const { return 1 + (rows ? rows->rowCount() : 0); }
};

KakeiTable kakeiTable(const records::RecordTable& table, const KakeiSettings& settings, KakeiPeriod period,
                      KakeiDisplay display);

inline KakeiTable SYUUKEI_DAY_JIKAN(const records::RecordTable& t, const KakeiSettings& s) {
  return kakeiTable(t, s, KakeiPeriod::Day, KakeiDisplay::Jikan);
}
inline KakeiTable SYUUKEI_DAY_KAISU(const records::RecordTable& t, const KakeiSettings& s) {
  return kakeiTable(t, s, KakeiPeriod::Day, KakeiDisplay::Kaisu);
}
inline KakeiTable SYUUKEI_DAY_JIKAN_KAISU(const records::RecordTable& t, const KakeiSettings& s) {
  return kakeiTable(t, s, KakeiPeriod::Day, KakeiDisplay::JikanKaisu);
}
inline KakeiTable SYUUKEI_MONTH_JIKAN(const records::RecordTable& t, const KakeiSettings& s) {
  return kakeiTable(t, s, KakeiPeriod::Month, KakeiDisplay::Jikan);
}
inline KakeiTable SYUUKEI_MONTH_KAISU(const records::RecordTable& t, const KakeiSettings& s) {
  return kakeiTable(t, s, KakeiPeriod::Month, KakeiDisplay::Kaisu);
}
inline KakeiTable SYUUKEI_MONTH_JIKAN_KAISU(const records::RecordTable& t, const KakeiSettings& s) {
  return kakeiTable(t, s, KakeiPeriod::Month, KakeiDisplay::JikanKaisu);
}


}  // namespace views
