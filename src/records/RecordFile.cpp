#include "records/RecordFile.h"

#include "platform/core/Cp932.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/GameItems.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <limits>

namespace records {

namespace {
constexpr qsizetype kFieldCount = 6;

}  // namespace

// Fills a table line by line. Texts that are not plain ASCII are decoded once per distinct
// byte sequence (a small direct-mapped cache keyed by a cheap hash) and shared.
class TableBuilder {
 public:
  explicit TableBuilder(RecordTable& table) : m_table(table) {
    m_table.m_texts.assign(itemNames().begin(), itemNames().end());
  }

  void addLine(QByteArrayView line, qint32 number) {
    RecordTable::Entry entry;
    if (parse(line, entry)) {
      entry.line = number;
      m_table.m_entries.push_back(entry);
    } else {
      m_table.m_unreadable.emplace_back(number, line.toByteArray());
    }
  }

 private:
  struct Slot {
    QByteArrayView key;  // points into the table's bytes, which outlive the builder
    qint32 pool = -1;
  };
  static constexpr size_t kSlots = 1024;

  Slot& slotFor(QByteArrayView bytes) {
    // Length and a few bytes from each end tell the repeating texts apart well enough.
    quint32 hash = quint32(bytes.size()) * 2654435761u;
    const qsizetype n = bytes.size();
    for (qsizetype i : {qsizetype(0), qsizetype(1), n / 2, n - 2, n - 1}) {
      if (i >= 0 && i < n) hash = (hash ^ quint8(bytes[i])) * 16777619u;
    }
    return m_slots[hash % kSlots];
  }

  bool text(const platform::seq::Field& field, RecordTable::Text& out) {
    const QByteArrayView bytes = field.bytes;
    if (field.ascii) {
      out = {-1, quint32(bytes.data() - m_table.m_bytes.constData()), quint32(bytes.size())};
      return true;
    }
    Slot& slot = slotFor(bytes);
    if (slot.pool < 0 || slot.key != bytes) {
      std::optional<QString> decoded = platform::cp932::decode(bytes);
      if (!decoded) return false;
      slot = {bytes, qint32(m_table.m_texts.size())};
      m_table.m_texts.push_back(std::move(*decoded));
    }
    out = {slot.pool, 0, 0};
    return true;
  }

  bool parse(QByteArrayView line, RecordTable::Entry& entry) {
    if (!platform::seq::splitLine(line, m_fields) || m_fields.size() != kFieldCount) return false;
    const std::optional<float> seconds = platform::seq::parseFloat(m_fields[3].bytes);
    if (!seconds) return false;
    entry.seconds = *seconds;
    return text(m_fields[0], entry.date) && text(m_fields[1], entry.time) && item(m_fields[2], entry) &&
           text(m_fields[4], entry.diary) && text(m_fields[5], entry.reserved);
  }

  bool item(const platform::seq::Field& field, RecordTable::Entry& entry) {
    const std::vector<QByteArray>& names = encodedItemNames();
    for (int i = 0; i < kItemCount; ++i) {
      if (field.bytes == names[size_t(i)]) {
        entry.item = {i, 0, 0};  // the item table's names stand first in the pool
        entry.itemIndex = i;
        return true;
      }
    }
    entry.itemIndex = -1;
    return text(field, entry.item);
  }

  static const std::vector<QByteArray>& encodedItemNames() {
    static const std::vector<QByteArray> names = [] {
      std::vector<QByteArray> bytes;
      for (const QString& name : itemNames()) bytes.push_back(*platform::cp932::encode(name));
      return bytes;
    }();
    return names;
  }

  RecordTable& m_table;
  std::array<Slot, kSlots> m_slots;
  platform::seq::Fields m_fields;
};

RecordTable RecordTable::parse(QByteArray bytes) {
  RecordTable table;
  table.m_bytes = std::move(bytes);
  table.m_entries.reserve(size_t(table.m_bytes.size() / 48) + 1);  // lines are rarely shorter
  TableBuilder builder(table);
  qint32 number = 0;
  platform::forEachLine(table.m_bytes, [&](QByteArrayView line) { builder.addLine(line, number++); });
  return table;
}

PlayRecord RecordTable::record(qsizetype i) const {
  const Entry& e = entry(i);
  return {view(e.date).toString(), view(e.time).toString(),  view(e.item).toString(), e.seconds,
          view(e.diary).toString(), view(e.reserved).toString()};
}

void RecordTable::setDiary(qsizetype i, const QString& diary) {
  m_entries[size_t(i)].diary = {qint32(m_texts.size()), 0, 0};
  m_texts.push_back(diary);
}

void RecordTable::removeRecord(qsizetype i) { m_entries.erase(m_entries.begin() + i); }

RecordTable::Bytes RecordTable::serialize() const {
  Bytes out;
  auto unreadable = m_unreadable.begin();
  auto putUnreadableBefore = [&](qsizetype line) {
    for (; unreadable != m_unreadable.end() && unreadable->first < line; ++unreadable) {
      out.bytes += unreadable->second;
      out.bytes += "\r\n";
    }
  };
  for (qsizetype i = 0; i < size(); ++i) {
    putUnreadableBefore(entry(i).line);
    EncodedLine line = encodeRecord(record(i), LineShape::MainWindow);
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

namespace {
// The last table read, with the stamp of the file it came from.
struct Cache {
  QString path;
  platform::FileStamp stamp;
  std::shared_ptr<const RecordTable> table;
};
Cache& cache() {
  static Cache last;
  return last;
}
}  // namespace

SharedRead sharedRecords(const QString& fileName) {
  const QString path = QFileInfo(platform::resolveFileName(fileName)).absoluteFilePath();
  const std::optional<platform::FileStamp> before = platform::fileStamp(fileName);
  Cache& last = cache();
  if (before && last.table && last.path == path && last.stamp == *before) return {last.table, {}};

  platform::FileBytes file = platform::readFileBytes(fileName);
  if (!file.error.isEmpty()) return {std::make_shared<const RecordTable>(), file.error};
  auto table = std::make_shared<const RecordTable>(RecordTable::parse(std::move(file.bytes)));
  // Kept only when the file did not change while it was read.
  if (before && platform::fileStamp(fileName) == before) last = {path, *before, table};
  return {table, {}};
}

ReadResult readRecords(const QString& fileName) {
  SharedRead read = sharedRecords(fileName);
  return {*read.table, read.error};
}

QString appendRecord(const PlayRecord& record, const QString& fileName) {
  const EncodedLine line = encodeRecord(record, LineShape::Game);
  if (!line.error.isEmpty()) return line.error;
  cache() = {};
  return platform::appendLine(fileName, line.bytes);
}

QString rewriteRecords(const RecordTable& table, const QString& fileName) {
  const RecordTable::Bytes out = table.serialize();
  if (!out.error.isEmpty()) return out.error;
  cache() = {};
  return platform::writeFileAtomic(fileName, out.bytes);
}

QString emptyRecords(const QString& fileName) {
  cache() = {};
  return platform::writeFileAtomic(fileName, {});
}

}  // namespace records
