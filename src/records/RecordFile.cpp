#include "records/RecordFile.h"

#include "platform/Cp932.h"
#include "platform/SeqFormat.h"
#include "platform/TextFile.h"
#include "records/GameItems.h"

#include <QHash>
#include <algorithm>

namespace records {

namespace {

constexpr qsizetype kFieldCount = 6;

// Decodes the text fields of many lines; dates, item names and game detail texts repeat,
// so equal bytes share one string instead of being decoded again.
class FieldDecoder {
 public:
  FieldDecoder() {
    for (const QString& name : itemNames()) m_cache.insert(m_itemBytes.emplace_back(*platform::cp932::encode(name)), name);
  }

  std::optional<QString> date(QByteArrayView bytes) {
    if (bytes != m_lastDateBytes || m_lastDateBytes.isNull()) {
      std::optional<QString> text = platform::cp932::decode(bytes);
      if (!text) return std::nullopt;
      m_lastDate = *text;
      m_lastDateBytes = bytes;
    }
    return m_lastDate;
  }

  std::optional<QString> plain(QByteArrayView bytes) { return platform::cp932::decode(bytes); }

  std::optional<QString> shared(QByteArrayView bytes) {
    const auto found = m_cache.constFind(bytes);
    if (found != m_cache.constEnd()) return *found;
    std::optional<QString> text = platform::cp932::decode(bytes);
    if (text && m_cache.size() < kCacheLimit) m_cache.insert(bytes, *text);
    return text;
  }

 private:
  static constexpr qsizetype kCacheLimit = 4096;
  std::vector<QByteArray> m_itemBytes;  // keeps the item keys alive
  QHash<QByteArrayView, QString> m_cache;
  QByteArrayView m_lastDateBytes;
  QString m_lastDate;
};

std::optional<PlayRecord> parseLine(QByteArrayView line, FieldDecoder& decoder,
                                    platform::seq::Fields& fields) {
  if (!platform::seq::splitLine(line, fields) || fields.size() != kFieldCount) return std::nullopt;
  const std::optional<float> seconds = platform::seq::parseFloat(fields[3].bytes);
  if (!seconds) return std::nullopt;
  std::optional<QString> date = decoder.date(fields[0].bytes);
  std::optional<QString> time = decoder.plain(fields[1].bytes);
  std::optional<QString> item = decoder.shared(fields[2].bytes);
  std::optional<QString> diary = decoder.shared(fields[4].bytes);
  std::optional<QString> reserved = decoder.plain(fields[5].bytes);
  if (!date || !time || !item || !diary || !reserved) return std::nullopt;
  return PlayRecord{std::move(*date), std::move(*time), std::move(*item), *seconds,
                    std::move(*diary), std::move(*reserved)};
}

}  // namespace

void RecordTable::removeRecord(qsizetype i) {
  m_records.erase(m_records.begin() + i);
  m_recordLines.erase(m_recordLines.begin() + i);
}

RecordTable RecordTable::parse(QByteArrayView bytes) {
  RecordTable table;
  FieldDecoder decoder;
  platform::seq::Fields fields;
  const QList<QByteArrayView> lines = platform::splitLines(bytes);
  table.m_records.reserve(size_t(lines.size()));
  table.m_recordLines.reserve(size_t(lines.size()));
  for (qsizetype n = 0; n < lines.size(); ++n) {
    if (std::optional<PlayRecord> record = parseLine(lines[n], decoder, fields)) {
      table.m_records.push_back(std::move(*record));
      table.m_recordLines.push_back(n);
    } else {
      table.m_unreadable.emplace_back(n, lines[n].toByteArray());
    }
  }
  return table;
}

RecordTable::Bytes RecordTable::serialize() const {
  Bytes out;
  auto unreadable = m_unreadable.begin();
  auto putUnreadableBefore = [&](qsizetype line) {
    for (; unreadable != m_unreadable.end() && unreadable->first < line; ++unreadable) {
      out.bytes += unreadable->second;
      out.bytes += "\r\n";
    }
  };
  for (size_t i = 0; i < m_records.size(); ++i) {
    putUnreadableBefore(m_recordLines[i]);
    EncodedLine line = encodeRecord(m_records[i], LineShape::MainWindow);
    if (!line.error.isEmpty()) return {{}, line.error};
    out.bytes += line.bytes;
    out.bytes += "\r\n";
  }
  putUnreadableBefore(std::numeric_limits<qsizetype>::max());
  return out;
}

EncodedLine encodeRecord(const PlayRecord& record, LineShape shape) {
  platform::seq::LineBuilder builder;
  builder.text(record.date).text(record.time).text(record.item).number(record.seconds).text(record.diary);
  if (shape == LineShape::MainWindow) {
    builder.text(record.reserved);
  } else {
    builder.trailingComma();
  }
  std::optional<QByteArray> bytes = platform::cp932::encode(builder.line());
  if (!bytes) return {{}, platform::cp932::unencodableMessage(builder.line())};
  return {*bytes, {}};
}

ReadResult readRecords(const QString& fileName) {
  const platform::FileBytes file = platform::readFileBytes(fileName);
  if (!file.error.isEmpty()) return {{}, file.error};
  return {RecordTable::parse(file.bytes), {}};
}

QString appendRecord(const PlayRecord& record, const QString& fileName) {
  const EncodedLine line = encodeRecord(record, LineShape::Game);
  if (!line.error.isEmpty()) return line.error;
  return platform::appendLine(fileName, line.bytes);
}

QString rewriteRecords(const RecordTable& table, const QString& fileName) {
  const RecordTable::Bytes out = table.serialize();
  if (!out.error.isEmpty()) return out.error;
  return platform::writeFileAtomic(fileName, out.bytes);
}

QString emptyRecords(const QString& fileName) { return platform::writeFileAtomic(fileName, {}); }

}  // namespace records
