// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/GameHistory.h"

#include "games/framework/GameText.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/PlayRecord.h"

namespace games {

namespace {
bool isNumber(HistoryField field) {
  return field == HistoryField::Answers || field == HistoryField::Ok || field == HistoryField::Ng ||
         field == HistoryField::Keystrokes;
}

QString fieldText(HistoryField field, const PlayOutcome& play) {
  switch (field) {
    case HistoryField::Date: return records::recordDate(play.savedAt.date());
    case HistoryField::Time: return records::recordTime(play.savedAt.time());
    case HistoryField::Answers: return QString::number(play.answers);
    case HistoryField::Ok: return QString::number(play.ok);
    case HistoryField::Ng: return QString::number(play.ng);
    case HistoryField::Keystrokes: return QString::number(play.keystrokes);
    case HistoryField::Accuracy:
      return percentText(play.answers > 0 ? double(play.ok) / play.answers : 0.0);
    case HistoryField::Speed:
      return speedText(play.seconds > 0 ? play.speedNumerator / double(play.seconds) : 0.0);
    case HistoryField::Seconds: return platform::seq::floatText(play.seconds) + QStringLiteral("秒");
    case HistoryField::Operation: return play.operation;
  }
  return {};
}
}  // namespace

QStringList historyFields(const HistoryLayout& layout, const PlayOutcome& play) {
  QStringList fields;
  for (const HistoryColumn& column : layout) fields.append(fieldText(column.field, play));
  return fields;
}

QString historyLine(const HistoryLayout& layout, const PlayOutcome& play) {
  platform::seq::LineBuilder line;
  const QStringList fields = historyFields(layout, play);
  for (size_t i = 0; i < layout.size(); ++i) {
    if (isNumber(layout[i].field) || layout[i].bare) {
      line.numberText(fields[qsizetype(i)]);
    } else {
      line.text(fields[qsizetype(i)]);
    }
  }
  return line.line();
}

HistoryRead readHistory(const QString& fileName, const HistoryLayout& layout) {
  platform::seq::FileRecords file =
      platform::seq::readFileRecords(fileName, platform::seq::BadLines::Skip, qsizetype(layout.size()));
  return {std::move(file.records), file.skipped, file.error};
}

int historyColumn(const HistoryLayout& layout, HistoryField field) {
  for (size_t i = 0; i < layout.size(); ++i) {
    if (layout[i].field == field) return int(i) + 1;
  }
  return 0;
}

std::vector<QStringList> filterHistory(const std::vector<QStringList>& records, const HistoryLayout& layout,
                                       const HistoryFilter& filter) {
  const int seconds = historyColumn(layout, HistoryField::Seconds) - 1;
  const int ok = historyColumn(layout, HistoryField::Ok) - 1;
  const int ng = historyColumn(layout, HistoryField::Ng) - 1;
  const int operation = historyColumn(layout, HistoryField::Operation) - 1;
  std::vector<QStringList> shown;
  for (const QStringList& record : records) {
    if (filter.seconds && record.value(seconds) != *filter.seconds + QStringLiteral("秒")) continue;
    if (filter.answers && record.value(ok).toInt() + record.value(ng).toInt() != *filter.answers) continue;
    if (filter.operation && operation >= 0 && record.value(operation) != *filter.operation) continue;
    shown.push_back(record);
  }
  return shown;
}

namespace {
// A history of years holds tens of thousands of plays; a grid asks only for the rows on show.
class NumberedRows final : public platform::GridSource {
 public:
  explicit NumberedRows(std::vector<QStringList> records) : m_records(std::move(records)) {}
  int rowCount() const override { return int(m_records.size()); }
  QString text(int row, int col) const override {
    if (col == 0) return QString::number(row + 1);
    const QStringList& fields = m_records[size_t(row)];
    return col <= fields.size() ? fields[col - 1] : QString();
  }

 private:
  std::vector<QStringList> m_records;
};
}  // namespace

std::shared_ptr<const platform::GridSource> numberedRows(std::vector<QStringList> records) {
  return std::make_shared<const NumberedRows>(std::move(records));
}

platform::ChartData historyChart(const platform::GridModel& grid, const std::vector<int>& columns) {
  platform::ChartData data;
  const int points = grid.rows() - 1;
  data.seriesCount = int(columns.size());
  data.labels = QStringList(points, QString());
  for (int column : columns) {
    std::vector<double> values;
    for (int row = 1; row <= points; ++row) values.push_back(platform::leadingNumber(grid.textMatrix(row, column)));
    data.values.push_back(values);
  }
  return data;
}

}  // namespace games
