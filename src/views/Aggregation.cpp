// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/Aggregation.h"

#include "records/GameItems.h"
#include "records/TimeTotals.h"

#include <algorithm>
#include <array>
#include <limits>

namespace views {

namespace {

constexpr platform::Rgb kWhite{255, 255, 255};
constexpr platform::Rgb kRed{255, 0, 0};

// Beyond these many rows the newest day or month would be out of sight.
constexpr int kDayRowsInView = 19;
constexpr int kMonthRowsInView = 7;

int monthIndex(const QDate& date) { return date.year() * 12 + date.month() - 1; }

// The place of a record's row, cached: records come day by day.
class RowOf {
 public:
  RowOf(const QDate& first, const QDate& last, KakeiPeriod period)
      : m_first(first), m_last(last), m_period(period) {}

  // -1 for a date that is none or lies outside the first and last day.
  qint64 operator()(QAnyStringView date) {
    if (!m_cached || QAnyStringView::compare(date, m_text) != 0) {
      m_text = date.toString();
      m_row = rowOf(records::parseRecordDate(m_text));
      m_cached = true;
    }
    return m_row;
  }

 private:
  qint64 rowOf(const QDate& date) const {
    if (!date.isValid() || date < m_first || date > m_last) return -1;
    if (m_period == KakeiPeriod::Day) return m_first.daysTo(date);
    return monthIndex(date) - monthIndex(m_first);
  }

  QDate m_first, m_last;
  KakeiPeriod m_period;
  QString m_text;
  qint64 m_row = -1;
  bool m_cached = false;
};

// The columns a record's item counts in: every list entry of exactly its name.
class ColumnsOf {
 public:
  explicit ColumnsOf(const QStringList& items) {
    const auto& names = records::itemNames();
    for (int k = 0; k < items.size(); ++k) {
      const auto known = std::find(names.begin(), names.end(), items[k]);
      if (known != names.end())
        m_known[size_t(known - names.begin())].push_back(k);
      else
        m_other.emplace_back(k, items[k]);
    }
  }

  template <typename F>
  void forEach(const records::RecordTable& table, qsizetype i, F f) const {
    const int index = table.itemIndex(i);
    if (index >= 0) {
      for (int k : m_known[size_t(index)]) f(k);
      return;
    }
    for (const auto& [k, name] : m_other) {
      if (QAnyStringView::compare(table.item(i), name) == 0) f(k);
    }
  }

 private:
  std::array<std::vector<int>, records::kItemCount> m_known;
  std::vector<std::pair<int, QString>> m_other;
};

qint64 rowCountOf(const QDate& first, const QDate& last, KakeiPeriod period) {
  if (!first.isValid() || !last.isValid() || last < first) return 0;
  if (period == KakeiPeriod::Day) return first.daysTo(last) + 1;
  return monthIndex(last) - monthIndex(first) + 1;
}

}  // namespace


void KakeiFigure::add(float played) {
  if (count < std::numeric_limits<qint32>::max()) ++count;
  seconds = records::addSeconds(seconds, played);
}

void KakeiFigure::add(const KakeiFigure& other) {
  count = qint32(std::min<qint64>(qint64(count) + other.count, std::numeric_limits<qint32>::max()));
  seconds = records::addTotals(seconds, other.seconds);
}

KakeiSums::KakeiSums(const records::RecordTable& table, const KakeiSettings& settings, KakeiPeriod period)
    : m_period(period), m_items(int(settings.items.size())), m_itemTotals(size_t(m_items)) {
  const QDate first = records::parseRecordDate(settings.firstDay);
  const QDate last = records::parseRecordDate(settings.lastDay);
  m_first = period == KakeiPeriod::Day || !first.isValid() ? first : QDate(first.year(), first.month(), 1);
  // A grid holds no more rows than an int counts.
  const qint64 rows = std::min<qint64>(rowCountOf(first, last, period), std::numeric_limits<int>::max() - 2);
  m_slot.assign(size_t(rows), -1);
  if (rows == 0) return;

  RowOf rowOf(first, last, period);
  const ColumnsOf columnsOf(settings.items);
  for (qsizetype i = 0; i < table.size(); ++i) {
    const qint64 row = rowOf(table.date(i));
    if (row < 0 || row >= rows) continue;
    qint32& slot = m_slot[size_t(row)];
    if (slot < 0) {
      slot = qint32(m_rowTotals.size());
      m_rowTotals.emplace_back();
      m_cells.resize(m_cells.size() + size_t(m_items));
    }
    const float played = table.seconds(i);
    m_rowTotals[size_t(slot)].add(played);
    KakeiFigure* cells = m_cells.data() + size_t(slot) * size_t(m_items);
    columnsOf.forEach(table, i, [&](int k) { cells[k].add(played); });
  }

  // The totals add up what the rows show, as whole seconds.
  for (size_t slot = 0; slot < m_rowTotals.size(); ++slot) {
    m_grandTotal.add(m_rowTotals[slot]);
    for (int k = 0; k < m_items; ++k) m_itemTotals[size_t(k)].add(m_cells[slot * size_t(m_items) + size_t(k)]);
  }
}

KakeiFigure KakeiSums::rowTotal(int row) const {
  const qint32 slot = m_slot[size_t(row)];
  return slot < 0 ? KakeiFigure{} : m_rowTotals[size_t(slot)];
}

KakeiFigure KakeiSums::cell(int row, int item) const {
  const qint32 slot = m_slot[size_t(row)];
  return slot < 0 ? KakeiFigure{} : m_cells[size_t(slot) * size_t(m_items) + size_t(item)];
}

QString KakeiSums::label(int row) const {
  if (m_period == KakeiPeriod::Day) return m_first.addDays(row).toString(QStringLiteral("yy/MM/dd"));
  return m_first.addMonths(row).toString(QStringLiteral("yy/MM"));
}

int KakeiSource::rowCount() const {
  const int body = m_sums->rowCount();
  return m_sums->period() == KakeiPeriod::Month ? body + 1 : body;
}

QString KakeiSource::totalText(const KakeiFigure& figure) const {
  switch (m_display) {
    case KakeiDisplay::Kaisu:
      return QString::number(figure.count);
    case KakeiDisplay::Jikan:
      return records::hmsText(figure.seconds);
    case KakeiDisplay::JikanKaisu:
      break;
  }
  return QStringLiteral("%1 (%2)").arg(records::hmsText(figure.seconds)).arg(figure.count);
}

QString KakeiSource::itemText(const KakeiFigure& figure) const {
  switch (m_display) {
    case KakeiDisplay::Kaisu:
      return QString::number(figure.count);
    case KakeiDisplay::Jikan:
      return QString::number(figure.seconds);
    case KakeiDisplay::JikanKaisu:
      break;
  }
  return QStringLiteral("%1 (%2)").arg(figure.seconds).arg(figure.count);
}

QString KakeiSource::text(int row, int col) const {
  if (row < 0 || row >= rowCount() || col < 0 || col >= m_sums->itemCount() + 3) return {};
  if (row == m_sums->rowCount()) {
    // The monthly total row: every item, played or not.
    if (col == 0) return {};
    if (col == 1) return QStringLiteral("合計");
    if (col == 2) return totalText(m_sums->grandTotal());
    return itemText(m_sums->itemTotal(col - 3));
  }
  if (col == 0) return QString::number(row + 1);
  if (col == 1) return m_sums->label(row);
  if (col == 2) return totalText(m_sums->rowTotal(row));
  const KakeiFigure figure = m_sums->cell(row, col - 3);
  const bool none = m_display == KakeiDisplay::Kaisu ? figure.count == 0 : figure.seconds == 0;
  return none ? QString() : itemText(figure);
}

KakeiTable kakeiTable(const records::RecordTable& table, const KakeiSettings& settings, KakeiPeriod period,
                      KakeiDisplay display) {
  using platform::Align;
  KakeiTable out;
  const bool daily = period == KakeiPeriod::Day;
  // Item headers start left-aligned; the first ten header cells are then centred.
  out.columns = {{QStringLiteral("回"), 620, Align::Right, Align::Center},
                 {daily ? QStringLiteral("年月日") : QStringLiteral("年月"), 950, Align::Center, Align::Center},
                 {QStringLiteral("小計"), settings.colWidthSyoukei, Align::Right, Align::Center}};
  for (const QString& item : settings.items) {
    const Align header = out.columns.size() < 10 ? Align::Center : Align::Left;
    out.columns.push_back({item.left(5), settings.colWidthKoumoku, Align::Right, header});
  }

  if (settings.firstDay.isEmpty()) return out;
  auto sums = std::make_shared<const KakeiSums>(table, settings, period);
  if (sums->rowCount() == 0) return out;
  out.rows = std::make_shared<const KakeiSource>(sums, display);

  const int gridRows = out.gridRows();
  out.backColours.reserve(size_t(gridRows - 1) * 2);
  for (int row = 1; row < gridRows; ++row) {
    out.backColours.push_back({row, 1, kWhite});
    out.backColours.push_back({row, 2, kWhite});
  }
  if (!daily) {
    for (int col = 1; col < int(out.columns.size()); ++col) out.foreColours.push_back({gridRows - 1, col, kRed});
  }
  if (gridRows > (daily ? kDayRowsInView : kMonthRowsInView)) out.topRow = gridRows - 1;
  return out;
}

}  // namespace views
