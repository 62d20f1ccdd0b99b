#include "records/RecordFile.h"

#include "platform/Cp932.h"
#include "platform/SeqFormat.h"
#include "platform/TextFile.h"
#include "records/GameItems.h"

#include <array>
#include <algorithm>

namespace records {

namespace {

constexpr qsizetype kFieldCount = 6;

// Decodes the text fields of many lines into one record that is reused from line to line.
// Dates, item names and the games' detail texts repeat, so equal bytes share one string
// (a small direct-mapped cache keyed by a cheap hash of the bytes) and a field that keeps
// its value from the line before is not touched at all.
class FieldDecoder {
 public:
  FieldDecoder() {
    m_itemBytes.reserve(itemNames().size());
    for (const QString& name : itemNames()) {
      m_itemBytes.push_back(*platform::cp932::encode(name));
      slotFor(m_itemBytes.back()) = {m_itemBytes.back(), name};
    }
  }

  bool date(QByteArrayView bytes, QString& out) {
    if (m_lastDateBytes.isNull() || bytes != m_lastDateBytes) {
      std::optional<QString> text = platform::cp932::decode(bytes);
      if (!text) return false;
      m_lastDate = *text;
      m_lastDateBytes = bytes;
    }
    assign(out, m_lastDate);
    return true;
  }

  // Writes an ASCII text in place, reusing the string's buffer.
  bool plain(QByteArrayView bytes, QString& out) {
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return quint8(c) >= 0x80; })) {
      std::optional<QString> text = platform::cp932::decode(bytes);
      if (!text) return false;
      out = *text;
      return true;
    }
    out.resize(bytes.size());
    QChar* data = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) data[i] = QLatin1Char(bytes[i]);
    return true;
  }

  bool shared(QByteArrayView bytes, QString& out) {
    Slot& slot = slotFor(bytes);
    if (slot.key.isNull() || slot.key != bytes) {
      std::optional<QString> text = platform::cp932::decode(bytes);
      if (!text) return false;
      slot = {bytes, *text};
    }
    assign(out, slot.text);
    return true;
  }

 private:
  struct Slot {
    QByteArrayView key;  // points into the file's bytes, which outlive the decoder
    QString text;
  };
  static constexpr size_t kSlots = 1024;

  static void assign(QString& out, const QString& text) {
    if (!out.isSharedWith(text)) out = text;
  }

  Slot& slotFor(QByteArrayView bytes) {
    // Length and a few bytes from each end tell the repeating texts apart well enough.
    quint32 hash = quint32(bytes.size()) * 2654435761u;
    const qsizetype n = bytes.size();
    for (qsizetype i : {qsizetype(0), qsizetype(1), n / 2, n - 2, n - 1}) {
      if (i >= 0 && i < n) hash = (hash ^ quint8(bytes[i])) * 16777619u;
    }
    return m_slots[hash % kSlots];
  }

  std::vector<QByteArray> m_itemBytes;
  std::array<Slot, kSlots> m_slots;
  QByteArrayView m_lastDateBytes;
  QString m_lastDate;
};

bool parseLine(QByteArrayView line, FieldDecoder& decoder, platform::seq::Fields& fields, PlayRecord& out) {
  if (!platform::seq::splitLine(line, fields) || fields.size() != kFieldCount) return false;
  const std::optional<float> seconds = platform::seq::parseFloat(fields[3].bytes);
  if (!seconds) return false;
  out.seconds = *seconds;
  return decoder.date(fields[0].bytes, out.date) && decoder.plain(fields[1].bytes, out.time) &&
         decoder.shared(fields[2].bytes, out.item) && decoder.shared(fields[4].bytes, out.diary) &&
         decoder.plain(fields[5].bytes, out.reserved);
}

// Calls onRecord(record, line number) for each readable line and onUnreadable(line number,
// bytes) for each other one. The record passed on is reused for the next line unless
// onRecord moves it away.
template <typename OnRecord, typename OnUnreadable>
void parseLines(QByteArrayView bytes, OnRecord&& onRecord, OnUnreadable&& onUnreadable) {
  FieldDecoder decoder;
  platform::seq::Fields fields;
  PlayRecord record;
  qsizetype n = 0;
  platform::forEachLine(bytes, [&](QByteArrayView line) {
    if (parseLine(line, decoder, fields, record)) {
      onRecord(record, n);
    } else {
      onUnreadable(n, line);
    }
    ++n;
  });
}

}  // namespace

void RecordTable::removeRecord(qsizetype i) {
  m_records.erase(m_records.begin() + i);
  m_recordLines.erase(m_recordLines.begin() + i);
}

RecordTable RecordTable::parse(QByteArrayView bytes) {
  RecordTable table;
  const size_t expected = size_t(bytes.size() / 48) + 1;  // lines are rarely shorter
  table.m_records.reserve(expected);
  table.m_recordLines.reserve(expected);
  parseLines(
      bytes,
      [&table](PlayRecord& record, qsizetype line) {
        table.m_records.push_back(std::move(record));
        table.m_recordLines.push_back(line);
      },
      [&table](qsizetype line, QByteArrayView raw) { table.m_unreadable.emplace_back(line, raw.toByteArray()); });
  return table;
}

ScanResult scanRecords(const std::function<void(const PlayRecord&)>& onRecord, const QString& fileName) {
  const platform::FileBytes file = platform::readFileBytes(fileName);
  ScanResult result;
  result.error = file.error;
  parseLines(
      file.bytes, [&onRecord](PlayRecord& record, qsizetype) { onRecord(record); },
      [&result](qsizetype, QByteArrayView) { ++result.unreadable; });
  return result;
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
