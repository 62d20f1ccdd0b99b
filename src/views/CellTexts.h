#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace views {

// The seconds of a record as the shortest decimal text. Games record few distinct values,
// so recent texts are kept and shared instead of formatted again for every row.
class SecondsText {
 public:
  const QString& operator()(float seconds);

 private:
  struct Slot {
    quint32 bits = 0;
    bool used = false;
    QString text;
  };
  std::array<Slot, 2048> m_slots;
};

// A record's time "HH:MM:SS" as one text per time of day, kept for the run: lists then
// share their time cells instead of holding a copy per row. Other texts come back as given.
const QString& timeText(const QString& time);

// "1", "2", ...: the running numbers of list rows, made once for the run and shared by
// every grid that shows them.
const QString& runningNumber(qsizetype n);

// Texts of a grid's data rows column by column, as DataGrid::setDataColumns takes them.
using Columns = std::vector<QStringList>;
inline Columns emptyColumns(int count, qsizetype expectedRows) {
  Columns columns(static_cast<size_t>(count));
  for (QStringList& column : columns) column.reserve(expectedRows);
  return columns;
}
inline qsizetype rowCount(const Columns& columns) { return columns.empty() ? 0 : columns.front().size(); }
// Data row i (from 0) across the columns.
inline QStringList rowAt(const Columns& columns, qsizetype i) {
  QStringList row;
  for (const QStringList& column : columns) row.append(column.value(i));
  return row;
}

// About how many records the play record file holds, to size a list before reading it.
qsizetype expectedRecordCount();

}  // namespace views
