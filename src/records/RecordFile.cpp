// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordFile.h"

#include "platform/core/Cp932.h"
#include "platform/core/Log.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/Backups.h"
#include "records/RecordCache.h"

#include <cmath>
#include <limits>
#include <optional>

namespace records {

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

// One text field in its quotes, appended in code page 932. A line break would split the
// record, so such a text is refused like one the code page cannot hold.
[[nodiscard]] QString appendQuoted(QByteArray& out, QStringView text) {
  if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
    return QStringLiteral("改行はファイルに保存できません。改行を除いてください。");
  }
  const QString storable = platform::seq::storableText(text);
  const std::optional<QByteArray> bytes = platform::cp932::encode(storable);
  if (!bytes) return platform::cp932::unencodableMessage(storable);
  out += '"';
  out += *bytes;
  out += '"';
  return {};
}
}  // namespace

QDate parseRecordDate(QStringView text) {
  qsizetype pos = 0;
  const int year = digitsAt(text, pos, 4);
  if (year < 0 || pos != 4 || pos >= text.size() || text[pos++] != QLatin1Char('/')) return {};
  const int month = digitsAt(text, pos, 2);
  if (month < 0 || pos >= text.size() || text[pos++] != QLatin1Char('/')) return {};
  const int day = digitsAt(text, pos, 2);
  if (day < 0 || pos != text.size()) return {};
  return QDate(year, month, day);
}

PlayRecord RecordTable::record(qsizetype i) const {
  const Entry& e = entry(i);
  return {view(e.date).toString(),  view(e.time).toString(),    view(e.item).toString(), e.seconds,
          view(e.diary).toString(), view(e.reserved).toString()};
}

void RecordTable::setDiary(qsizetype i, const QString& diary) {
  Text& text = m_entries[size_t(i)].diary;
  if (QAnyStringView::equal(view(text), diary)) return;
  text = {qint32(m_spans.size()), kNotInFile, 0};
  addToPool(diary);
}

void RecordTable::addToPool(QStringView text) {
  m_spans.push_back({m_chars.size(), text.size()});
  m_chars += text;
}

void RecordTable::removeRecord(qsizetype i) { m_entries.erase(m_entries.begin() + i); }

RecordTable::Bytes RecordTable::serialize() const {
  QByteArray out;
  out.reserve(m_bytes.size() + size() * 4 + 2);  // room for the quotes added to game lines
  auto unreadable = m_unreadable.begin();
  auto putUnreadableBefore = [&](qsizetype line) {
    for (; unreadable != m_unreadable.end() && unreadable->first < line; ++unreadable) {
      out += unreadable->second;
      out += "\r\n";
    }
  };
  auto fileBytes = [&](quint32 at, quint32 size) { return QByteArrayView(m_bytes.constData() + at, qsizetype(size)); };
  QString error;
  auto putText = [&](const Text& text) {
    if (text.at == kNotInFile) {
      if (error.isEmpty()) error = appendQuoted(out, pooled(text.pool));
      return;
    }
    out += '"';
    out += fileBytes(text.at, text.size);
    out += '"';
  };
  for (const Entry& e : m_entries) {
    putUnreadableBefore(e.line);
    putText(e.date);
    out += ',';
    putText(e.time);
    out += ',';
    putText(e.item);
    out += ',';
    out += fileBytes(e.secondsAt, e.secondsSize);
    out += ',';
    putText(e.diary);
    out += ',';
    putText(e.reserved);
    if (!error.isEmpty()) return {{}, error};
    out += "\r\n";
  }
  putUnreadableBefore(std::numeric_limits<qsizetype>::max());
  return {out, {}};
}

EncodedLine encodeRecord(const PlayRecord& record, LineShape shape) {
  // Written, the line would read back as unreadable and the play show nowhere.
  if (!std::isfinite(record.seconds) || std::fabs(record.seconds) > kMaxSeconds) {
    return {{},
            QStringLiteral("プレイ時間（%1 秒）が正しくないため記録できません。")
                .arg(platform::seq::floatText(record.seconds))};
  }
  QByteArray bytes;
  QString error;
  auto put = [&](const QString& text) {
    if (error.isEmpty()) error = appendQuoted(bytes, text);
  };
  put(record.date);
  bytes += ',';
  put(record.time);
  bytes += ',';
  put(record.item);
  bytes += ',';
  bytes += platform::seq::floatText(record.seconds).toLatin1();
  bytes += ',';
  put(record.diary);
  bytes += ',';
  if (shape == LineShape::MainWindow) put(record.reserved);
  if (!error.isEmpty()) return {{}, error};
  return {bytes, {}};
}

ReadResult readRecords(const QString& fileName) {
  SharedRead read = sharedRecords(fileName);
  if (const qsizetype unread = read.table->unreadableLineCount(); unread > 0) {
    qCDebug(lcFiles) << unread << "unreadable lines kept in" << fileName;
  }
  return {*read.table, read.error};
}

QString appendRecord(const PlayRecord& record, const QString& fileName) {
  const EncodedLine line = encodeRecord(record, LineShape::Game);
  if (!line.error.isEmpty()) return line.error;
  return platform::appendLine(fileName, line.bytes);
}

namespace {
std::optional<QString> writeRecords(const QString& fileName, const QByteArray& bytes,
                                    const QByteArray* expected = nullptr) {
  forgetSharedRecords();
  const platform::KeepOld keep = keepOldCopy(fileName);
  return expected ? platform::replaceFileIfUnchanged(fileName, bytes, *expected, keep)
                  : platform::writeFileAtomic(fileName, bytes, keep);
}
}  // namespace

QString rewriteRecords(const RecordTable& table, const QString& fileName) {
  RecordTable::Bytes out = table.serialize();
  if (!out.error.isEmpty()) return out.error;
  return *writeRecords(fileName, out.bytes);
}

std::optional<QString> rewriteRecordsIfUnchanged(const RecordTable& table, const QByteArray& expected,
                                                 const QString& fileName) {
  RecordTable::Bytes out = table.serialize();
  if (!out.error.isEmpty()) return out.error;
  return writeRecords(fileName, out.bytes, &expected);
}

QString emptyRecords(const QString& fileName) { return *writeRecords(fileName, {}); }

}  // namespace records
