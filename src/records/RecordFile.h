#pragma once

#include "records/PlayRecord.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace records {

inline const QString kRecordFileName = QStringLiteral("データ.txt");

// The play record file in line order. Lines that cannot be read are not records, but the
// table keeps their bytes so that a rewrite puts them back where they were.
class RecordTable {
 public:
  const std::vector<PlayRecord>& records() const { return m_records; }
  qsizetype size() const { return qsizetype(m_records.size()); }
  bool isEmpty() const { return m_records.empty(); }
  const PlayRecord& operator[](qsizetype i) const { return m_records[size_t(i)]; }

  void setDiary(qsizetype i, const QString& diary) { m_records[size_t(i)].diary = diary; }
  void removeRecord(qsizetype i);

  qsizetype unreadableLineCount() const { return qsizetype(m_unreadable.size()); }

  // Builds the table from the file's bytes.
  static RecordTable parse(QByteArrayView bytes);
  // The file's bytes as the main window writes them back.
  struct Bytes {
    QByteArray bytes;
    QString error;  // a text the file cannot hold; bytes are then empty
  };
  Bytes serialize() const;

 private:
  std::vector<PlayRecord> m_records;
  std::vector<qsizetype> m_recordLines;                          // file line of each record
  std::vector<std::pair<qsizetype, QByteArray>> m_unreadable;   // file line and its bytes
};

struct ReadResult {
  RecordTable table;
  QString error;  // the file exists but could not be read
};

// A missing file is an empty table.
ReadResult readRecords(const QString& fileName = kRecordFileName);

// Reads the file one record at a time without keeping the records, for views that need
// only a summary; a missing file has none.
struct ScanResult {
  qsizetype unreadable = 0;  // lines that could not be read
  QString error;             // the file exists but could not be read
};
ScanResult scanRecords(const std::function<void(const PlayRecord&)>& onRecord,
                       const QString& fileName = kRecordFileName);

// Appends one record as a game writes it: "<date>","<time>","<item>",<seconds>,"<diary>",
QString appendRecord(const PlayRecord& record, const QString& fileName = kRecordFileName);

// Replaces the file with the table, atomically; records end with an empty quoted field.
QString rewriteRecords(const RecordTable& table, const QString& fileName = kRecordFileName);

// Leaves a file of zero bytes.
QString emptyRecords(const QString& fileName = kRecordFileName);

// One line of the file without its line end. Field 6 is "" (main window) or absent (game).
enum class LineShape { Game, MainWindow };
struct EncodedLine {
  QByteArray bytes;
  QString error;
};
EncodedLine encodeRecord(const PlayRecord& record, LineShape shape);

}  // namespace records
