#include "views/RangeFilter.h"

#include "records/TimeTotals.h"

namespace views {

namespace {

// Reads a run of 1..max digits at pos; -1 when there is none.
int digitsAt(QStringView text, qsizetype& pos, int max) {
  int value = 0;
  int count = 0;
  while (pos < text.size() && count < max && text[pos] >= QLatin1Char('0') && text[pos] <= QLatin1Char('9')) {
    value = value * 10 + (text[pos].unicode() - '0');
    ++pos;
    ++count;
  }
  return count > 0 ? value : -1;
}

QDate parseDate(QStringView text) {
  qsizetype pos = 0;
  const int year = digitsAt(text, pos, 4);
  if (year < 0 || pos != 4 || pos >= text.size() || text[pos++] != QLatin1Char('/')) return {};
  const int month = digitsAt(text, pos, 2);
  if (month < 0 || pos >= text.size() || text[pos++] != QLatin1Char('/')) return {};
  const int day = digitsAt(text, pos, 2);
  if (day < 0 || pos != text.size()) return {};
  return QDate(year, month, day);
}

}  // namespace

RangeBuilder selectBuilder(const QString& keyword, int weekSel) {
  const bool anyWeekday = weekSel == kAllWeekdays;
  if (keyword.isEmpty()) return anyWeekday ? RangeBuilder::Period : RangeBuilder::Week;
  return anyWeekday ? RangeBuilder::Key : RangeBuilder::KeyWeek;
}

const QStringList& weekdayNames() {
  static const QStringList names{QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"),
                                 QStringLiteral("水"), QStringLiteral("木"), QStringLiteral("金"),
                                 QStringLiteral("土")};
  return names;
}

int weekdayIndex(QStringView date) {
  const QDate parsed = parseDate(date);
  return parsed.isValid() ? parsed.dayOfWeek() % 7 : -1;
}

bool isRecordDate(QStringView text) {
  return text.size() == 10 && text[4] == QLatin1Char('/') && text[7] == QLatin1Char('/') &&
         parseDate(text).isValid();
}

QString recordDate(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

QString periodStart(const QDate& today, int days) { return recordDate(today.addDays(-days)); }

RangeListBuilder::RangeListBuilder(RangeFilter filter, QStringList items, qsizetype expected)
    : m_filter(std::move(filter)), m_items(std::move(items)), m_seconds(size_t(m_items.size()), 0) {
  if (m_items.size() > 64) m_items.resize(64);
  m_list.list = emptyColumns(6, expected);
}

quint64 RangeListBuilder::itemMask(const QString& item) {
  for (const auto& [text, mask] : m_itemMasks) {
    if (text.isSharedWith(item)) return mask;
  }
  quint64 mask = 0;
  for (qsizetype i = 0; i < m_items.size(); ++i) {
    if (m_items[i] == item) mask |= quint64(1) << i;
  }
  if (m_itemMasks.size() < 16) m_itemMasks.emplace_back(item, mask);
  return mask;
}

const QString& RangeListBuilder::weekdayOf(const QString& date) {
  // Records come day by day, so the weekday of the record before is usually the one.
  if (!date.isSharedWith(m_lastDate) && date != m_lastDate) {
    m_lastDate = date;
    const int index = weekdayIndex(date);
    m_lastWeekday = index < 0 ? QString() : weekdayNames()[index];
  }
  return m_lastWeekday;
}

bool RangeListBuilder::passes(const records::PlayRecord& record) {
  if (m_filter.builder == RangeBuilder::All) return true;
  if (record.date < m_filter.startDate || m_filter.endDate < record.date) return false;
  const bool key = m_filter.builder == RangeBuilder::Key || m_filter.builder == RangeBuilder::KeyWeek;
  if (key && !record.item.contains(m_filter.keyword, Qt::CaseSensitive)) return false;
  const bool week = m_filter.builder == RangeBuilder::Week || m_filter.builder == RangeBuilder::KeyWeek;
  if (week) {
    const int index = m_filter.weekSel;
    if (index < 0 || index >= 7 || weekdayOf(record.date) != weekdayNames()[index]) return false;
  }
  return true;
}

void RangeListBuilder::add(const records::PlayRecord& record) {
  if (m_filter.builder == RangeBuilder::All && (m_list.dates.isEmpty() || m_list.dates.last() != record.date)) {
    m_list.dates.append(record.date);
  }
  if (!passes(record)) return;
  Columns& list = m_list.list;
  list[0].append(runningNumber(list[0].size() + 1));
  list[1].append(record.date);
  list[2].append(timeText(record.time));
  list[3].append(weekdayOf(record.date));
  list[4].append(record.item);
  list[5].append(m_secondsText(record.seconds));
  const quint64 mask = itemMask(record.item);
  for (qsizetype i = 0; mask != 0 && i < m_items.size(); ++i) {
    if (mask & (quint64(1) << i)) m_seconds[size_t(i)] = records::addSeconds(m_seconds[size_t(i)], record.seconds);
  }
}

RangeList RangeListBuilder::finish() {
  m_list.totalRows.reserve(size_t(m_items.size()));
  for (qsizetype i = 0; i < m_items.size(); ++i) {
    const qint64 total = m_seconds[size_t(i)];
    m_list.totalRows.push_back({m_items[i], QString::number(total), records::hmsText(total)});
  }
  return std::move(m_list);
}

}  // namespace views
