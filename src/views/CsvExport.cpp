// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/CsvExport.h"

#include "platform/core/SeqFormat.h"
#include "records/RecordFile.h"

#include <algorithm>

namespace views {

namespace {
class CsvWriter {
 public:
  CsvWriter() { m_bytes = QByteArrayLiteral("\xEF\xBB\xBF"); }
  void row(const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
      if (i > 0) m_bytes += ',';
      m_bytes += csvField(fields[i]).toUtf8();
    }
    m_bytes += "\r\n";
  }
  QByteArray take() { return std::move(m_bytes); }

 private:
  QByteArray m_bytes;
};

// Every game's headers, each once: a header new to the list goes right after the one before
// it in its game, so that a game's columns stay together.
QStringList unitedHeaders(const std::vector<HistoryColumns>& histories) {
  QStringList headers;
  for (const HistoryColumns& history : histories) {
    qsizetype next = 0;
    for (const QString& header : history.headers) {
      qsizetype at = headers.indexOf(header);
      if (at < 0) {
        at = next;
        headers.insert(at, header);
      }
      next = at + 1;
    }
  }
  return headers;
}
}  // namespace

QString csvField(const QString& text) {
  static const QString kSpecial = QStringLiteral(",\"\r\n");
  if (std::none_of(text.begin(), text.end(), [](QChar c) { return kSpecial.contains(c); })) return text;
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

CsvFile recordsCsv(const QString& fileName) {
  const records::ReadResult read = records::readRecords(fileName);
  if (!read.error.isEmpty()) return {{}, 0, read.error};
  const records::RecordTable& table = read.table;
  CsvWriter csv;
  csv.row({QStringLiteral("日付"), QStringLiteral("時間"), QStringLiteral("項目"), QStringLiteral("秒数"),
           QStringLiteral("一言日記")});
  for (qsizetype i = 0; i < table.size(); ++i) {
    csv.row({table.date(i).toString(), table.time(i).toString(), table.item(i).toString(),
             QString(table.secondsText(i)), table.diary(i).toString()});
  }
  return {csv.take(), table.unreadableLineCount(), {}};
}

CsvFile historiesCsv(const std::vector<HistoryColumns>& histories) {
  const QStringList headers = unitedHeaders(histories);
  CsvWriter csv;
  csv.row(QStringList{QStringLiteral("項目")} + headers);
  qsizetype leftOut = 0;
  for (const HistoryColumns& history : histories) {
    const QString fileName = records::historyFileOf(history.item);
    const platform::seq::FileRecords file =
        platform::seq::readFileRecords(fileName, platform::seq::BadLines::Skip, history.headers.size());
    if (!file.error.isEmpty()) return {{}, 0, file.error};
    leftOut += file.skipped;
    std::vector<qsizetype> columnOf;  // the table's column of each field of the game
    for (const QString& header : history.headers) columnOf.push_back(headers.indexOf(header));
    for (const QStringList& record : file.records) {
      QStringList row(headers.size() + 1);
      row[0] = history.item;
      for (qsizetype i = 0; i < record.size() && size_t(i) < columnOf.size(); ++i)
        row[columnOf[size_t(i)] + 1] = record[i];
      csv.row(row);
    }
  }
  return {csv.take(), leftOut, {}};
}

QString recordsCsvName(QDate day) {
  return QStringLiteral("計算力_記録_%1.csv").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

QString historiesCsvName(QDate day) {
  return QStringLiteral("計算力_履歴_%1.csv").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

}  // namespace views
