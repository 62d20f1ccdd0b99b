// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/DataFiles.h"
#include "records/PlayRecord.h"

#include <QAnyStringView>
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace records {

// No play takes longer, either way: seconds beyond it (or no finite number) are no record.
inline constexpr double kMaxSeconds = 10'000'000;

// The play record file in line order. The table keeps the file's bytes: plain-ASCII fields
// are read from them in place and only other texts are decoded, once per distinct text,
// so a file of 100,000 records reads in little more than the time to decode it.
// Lines that cannot be read are not records, but the table keeps their bytes so that a
// rewrite puts them back where they were; so are lines whose seconds are beyond kMaxSeconds.
// A rewrite copies every field nobody changed from the file's bytes, as decoding and
// encoding again would not always give the same bytes back.
class RecordTable {
 public:
  qsizetype size() const { return qsizetype(m_entries.size()); }
  bool isEmpty() const { return m_entries.empty(); }

  // One record as plain values.
  PlayRecord record(qsizetype i) const;
  PlayRecord operator[](qsizetype i) const { return record(i); }

  // The fields without copying; valid until the table changes.
  QAnyStringView date(qsizetype i) const { return view(entry(i).date); }
  QAnyStringView time(qsizetype i) const { return view(entry(i).time); }
  QAnyStringView item(qsizetype i) const { return view(entry(i).item); }
  QAnyStringView diary(qsizetype i) const { return view(entry(i).diary); }
  float seconds(qsizetype i) const { return entry(i).seconds; }
  // The seconds as the file writes them ("23.40" stays so), for an export that keeps them.
  QLatin1StringView secondsText(qsizetype i) const {
    return QLatin1StringView(m_bytes.constData() + entry(i).secondsAt, qsizetype(entry(i).secondsSize));
  }
  // The record's place in the item table, or -1 for a name that is not in it.
  int itemIndex(qsizetype i) const { return entry(i).itemIndex; }

  // A diary equal to the one the record has keeps its bytes.
  void setDiary(qsizetype i, const QString& diary);
  void removeRecord(qsizetype i);

  qsizetype unreadableLineCount() const { return qsizetype(m_unreadable.size()); }

  // Builds the table from the file's bytes, which it keeps.
  [[nodiscard]] static RecordTable parse(QByteArray bytes);
  // The same table read on one thread, for tests: parse() reads a large file in two
  // halves at once.
  [[nodiscard]] static RecordTable parseOnOneThread(QByteArray bytes);
  // The file's bytes as the main window writes them back: text fields in double quotes,
  // the last one "" when it was empty or absent.
  struct [[nodiscard]] Bytes {
    QByteArray bytes;
    QString error;  // a text the file cannot hold; bytes are then empty
  };
  [[nodiscard]] Bytes serialize() const;

 private:
  friend class TableBuilder;

  static constexpr quint32 kNotInFile = 0xFFFFFFFF;

  static RecordTable parse(QByteArray bytes, bool halves);
  // Puts the lines that another table read from the same bytes, right after this table's
  // last line, behind them.
  void appendLaterLines(RecordTable&& later);

  // A field: where its bytes stand in the file (inside its quotes), and whether its text is
  // those ASCII bytes themselves (pool < 0) or decoded into the pool. A text the program
  // set has no bytes in the file (at == kNotInFile).
  struct Text {
    qint32 pool = -1;
    quint32 at = 0;
    quint32 size = 0;
  };
  struct Entry {
    Text date, time, item, diary, reserved;
    float seconds = 0;
    quint32 secondsAt = 0;  // the seconds as the file writes them, blanks around left out
    quint32 secondsSize = 0;
    qint32 line = 0;  // line of the file, from 0
    qint32 itemIndex = -1;
  };

  const Entry& entry(qsizetype i) const { return m_entries[size_t(i)]; }
  QAnyStringView view(const Text& text) const {
    if (text.pool >= 0) return pooled(text.pool);
    return QLatin1StringView(m_bytes.constData() + text.at, qsizetype(text.size));
  }
  QStringView pooled(qint32 pool) const {
    const Span span = m_spans[size_t(pool)];
    return QStringView(m_chars).sliced(span.at, span.size);
  }
  void addToPool(QStringView text);

  QByteArray m_bytes;
  // Decoded texts, the item table's names first, one after another in one string rather
  // than one string each: a file has tens of thousands of them. Pool entry i is m_spans[i].
  struct Span {
    qsizetype at = 0;
    qsizetype size = 0;
  };
  QString m_chars;
  std::vector<Span> m_spans;
  std::vector<Entry> m_entries;
  std::vector<std::pair<qsizetype, QByteArray>> m_unreadable;  // file line and its bytes
  qsizetype m_lineCount = 0;
};

struct [[nodiscard]] ReadResult {
  RecordTable table;
  QString error;  // the file exists but could not be read
};

// A missing file is an empty table.
[[nodiscard]] ReadResult readRecords(const QString& fileName = kRecordFileName);

// The same table shared: while the file is unchanged since the last read (size, time,
// inode) it is not read again. For views that only read.
struct [[nodiscard]] SharedRead {
  std::shared_ptr<const RecordTable> table;
  QString error;
};
[[nodiscard]] SharedRead sharedRecords(const QString& fileName = kRecordFileName);

// Appends one record as a game writes it: "<date>","<time>","<item>",<seconds>,"<diary>",
// Returns an error text for the user.
[[nodiscard]] QString appendRecord(const PlayRecord& record, const QString& fileName = kRecordFileName);

// Replaces the file with the table, atomically, the old file kept in the backup folder first;
// records end with an empty quoted field.
[[nodiscard]] QString rewriteRecords(const RecordTable& table, const QString& fileName = kRecordFileName);

// The same, only while the file still holds expected; nullopt when it no longer does. No
// append of another writer falls between the check and the replacement.
[[nodiscard]] std::optional<QString> rewriteRecordsIfUnchanged(const RecordTable& table, const QByteArray& expected,
                                                               const QString& fileName = kRecordFileName);

// Leaves a file of zero bytes, the old file kept in the backup folder first.
[[nodiscard]] QString emptyRecords(const QString& fileName = kRecordFileName);

// One line of the file without its line end. Field 6 is "" (main window) or absent (game).
// A text with a line break, or a character the code page cannot hold, is refused.
enum class LineShape { Game, MainWindow };
struct [[nodiscard]] EncodedLine {
  QByteArray bytes;
  QString error;
};
[[nodiscard]] EncodedLine encodeRecord(const PlayRecord& record, LineShape shape);

}  // namespace records
