// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Cp932.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"

#include <QtEndian>

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <thread>
#include <utility>

namespace records {

namespace {
constexpr qsizetype kFieldCount = 6;

QByteArrayView withoutBlanks(QByteArrayView bytes) {
  while (!bytes.isEmpty() && (bytes.front() == ' ' || bytes.front() == '\t')) bytes = bytes.sliced(1);
  while (!bytes.isEmpty() && (bytes.back() == ' ' || bytes.back() == '\t')) bytes.chop(1);
  return bytes;
}

// Seconds no play can have had: a line with them is left unread.
bool plausibleSeconds(float seconds, QByteArrayView text) {
  if (!std::isfinite(seconds)) return false;
  if (std::fabs(seconds) < kMaxSeconds) return true;
  // Near the limit a float cannot tell 10000000.5 from 10000000; the text can.
  const std::optional<double> exact = platform::seq::parseDouble(text);
  return exact && std::fabs(*exact) <= kMaxSeconds;
}

// Equal bytes. Inline, a word at a time: the texts compared are short, mostly of different
// lengths, and a library call per comparison shows in the time of a read.
Q_ALWAYS_INLINE bool sameBytes(QByteArrayView a, QByteArrayView b) {
  const qsizetype n = a.size();
  if (n != b.size()) return false;
  qsizetype i = 0;
  for (; n - i >= 8; i += 8) {
    if (qFromLittleEndian<quint64>(a.data() + i) != qFromLittleEndian<quint64>(b.data() + i)) return false;
  }
  for (; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

}  // namespace

// Fills a table line by line. Texts that are not plain ASCII are decoded once per distinct
// byte sequence (a small direct-mapped cache keyed by a cheap hash) and shared.
class TableBuilder {
 public:
  // A table that already holds lines keeps its texts; a new one starts with the item names.
  explicit TableBuilder(RecordTable& table) : m_table(table) {
    if (m_table.m_spans.empty()) {
      for (const QString& name : itemNames()) m_table.addToPool(name);
    }
  }

  // Reads the lines from byte `from`, which starts a line, up to byte `to`, which ends one
  // (or the bytes).
  void addLines(qsizetype from, qsizetype to) {
    platform::forEachLine(QByteArrayView(m_table.m_bytes).sliced(from, to - from),
                          [&](QByteArrayView line) { addLine(line, m_table.m_lineCount++); });
  }

 private:
  void addLine(QByteArrayView line, qsizetype number) {
    // Filled in place: copying the entry in afterwards costs as much as reading the line.
    RecordTable::Entry& entry = m_table.m_entries.emplace_back();
    // Beyond 2 GiB offsets and line numbers no longer fit an entry; such lines are only kept.
    const bool placeable = line.data() + line.size() - m_table.m_bytes.constData() < kMaxOffset;
    if (placeable && parse(line, entry)) {
      entry.line = qint32(number);
    } else {
      m_table.m_entries.pop_back();
      m_table.m_unreadable.emplace_back(number, line.toByteArray());
    }
  }

  struct Slot {
    QByteArrayView key;  // points into the table's bytes, which outlive the builder
    qint32 pool = -1;
  };
  static constexpr int kSlotBits = 10;
  static constexpr size_t kSlots = size_t(1) << kSlotBits;
  static constexpr qsizetype kMaxOffset = std::numeric_limits<qint32>::max();

  Slot& slotFor(QByteArrayView bytes) {
    // Length and the bytes at each end tell the repeating texts apart well enough; the
    // ends are read as two words, which overlap in a short text.
    const qsizetype n = bytes.size();
    quint64 ends = quint64(n);
    if (n >= 8) {
      ends ^= qFromLittleEndian<quint64>(bytes.data()) * 3 ^ qFromLittleEndian<quint64>(bytes.data() + n - 8);
    } else {
      for (char c : bytes) ends = ends << 8 ^ quint8(c);
    }
    return m_slots[(ends * 0x9E3779B97F4A7C15u) >> (64 - kSlotBits)];
  }

  quint32 offsetOf(QByteArrayView bytes) const {
    return bytes.isEmpty() ? 0 : quint32(bytes.data() - m_table.m_bytes.constData());
  }

  bool text(const platform::seq::Field& field, RecordTable::Text& out) {
    const QByteArrayView bytes = field.bytes;
    out = {-1, offsetOf(bytes), quint32(bytes.size())};
    return field.ascii || decoded(bytes, out);
  }

  // Text that is not plain ASCII: decoded, or found decoded already. Out of line, so that
  // the plain ASCII path stays small where text() is inlined.
  Q_NEVER_INLINE bool decoded(QByteArrayView bytes, RecordTable::Text& out) {
    Slot& slot = slotFor(bytes);
    if (slot.pool < 0 || !sameBytes(slot.key, bytes)) {
      QString& chars = m_table.m_chars;
      const qsizetype at = chars.size();
      if (!platform::cp932::decodeAppend(bytes, chars)) return false;
      slot = {bytes, qint32(m_table.m_spans.size())};
      m_table.m_spans.push_back({at, chars.size() - at});
    }
    out.pool = slot.pool;
    return true;
  }

  bool parse(QByteArrayView line, RecordTable::Entry& entry) {
    if (!platform::seq::splitLine(line, m_fields) || m_fields.size() != kFieldCount) return false;
    const platform::seq::Field* fields = m_fields.data();
    // An unquoted field comes without blanks around it already.
    const QByteArrayView secondsText = fields[3].quoted ? withoutBlanks(fields[3].bytes) : fields[3].bytes;
    if (!platform::seq::parseFloat(secondsText, entry.seconds) || !plausibleSeconds(entry.seconds, secondsText)) {
      return false;
    }
    entry.secondsAt = offsetOf(secondsText);
    entry.secondsSize = quint32(secondsText.size());
    return text(fields[0], entry.date) && text(fields[1], entry.time) && item(fields[2], entry) &&
           text(fields[4], entry.diary) && text(fields[5], entry.reserved);
  }

  bool item(const platform::seq::Field& field, RecordTable::Entry& entry) {
    const ItemNames& names = itemNamesInFile();
    const quint32 head = headOf(field.bytes);
    for (int i = 0; i < kItemCount; ++i) {
      // Size and head rule out the other names without a full comparison.
      if (names.sizes[i] == field.bytes.size() && names.heads[i] == head && sameBytes(field.bytes, names.bytes[i])) {
        // The item table's names stand first in the pool.
        entry.item = {i, offsetOf(field.bytes), quint32(field.bytes.size())};
        entry.itemIndex = i;
        return true;
      }
    }
    entry.itemIndex = -1;
    return text(field, entry.item);
  }

  // The first four bytes as a number (fewer in a shorter text).
  static quint32 headOf(QByteArrayView bytes) {
    if (bytes.size() >= 4) return qFromLittleEndian<quint32>(bytes.data());
    quint32 head = 0;
    for (char c : bytes) head = head << 8 | quint8(c);
    return head;
  }

  // The item names as the file holds them.
  struct ItemNames {
    std::array<QByteArray, kItemCount> bytes;
    std::array<qsizetype, kItemCount> sizes;
    std::array<quint32, kItemCount> heads;
  };
  static const ItemNames& itemNamesInFile() {
    static const ItemNames names = [] {
      ItemNames encoded;
      for (size_t i = 0; i < size_t(kItemCount); ++i) {
        encoded.bytes[i] = *platform::cp932::encode(itemNames()[i]);
        encoded.sizes[i] = encoded.bytes[i].size();
        encoded.heads[i] = headOf(encoded.bytes[i]);
      }
      return encoded;
    }();
    return names;
  }

  RecordTable& m_table;
  std::array<Slot, kSlots> m_slots;
  platform::seq::Fields m_fields;
};

RecordTable RecordTable::parse(QByteArray bytes) { return parse(std::move(bytes), true); }

RecordTable RecordTable::parseOnOneThread(QByteArray bytes) { return parse(std::move(bytes), false); }

namespace {
// Room for the entries of that many bytes of lines: lines are rarely shorter.
size_t entriesFor(qsizetype bytes) { return size_t(bytes / 48) + 1; }

// Below this size a second thread costs more than it saves.
constexpr qsizetype kHalvesFrom = qsizetype(1) << 20;
}  // namespace

// A large file is read in two halves at once, the later one on a second thread, each into
// a table of its own over the same bytes; the later one is then put behind the first.
RecordTable RecordTable::parse(QByteArray bytes, bool halves) {
  RecordTable table;
  table.m_bytes = std::move(bytes);
  const qsizetype size = table.m_bytes.size();
  const qsizetype middle = halves && size >= kHalvesFrom ? table.m_bytes.indexOf('\n', size / 2) + 1 : 0;
  if (middle <= 0 || middle >= size || std::thread::hardware_concurrency() < 2) {
    table.m_entries.reserve(entriesFor(size));
    TableBuilder(table).addLines(0, size);
    return table;
  }
  RecordTable later;
  later.m_bytes = table.m_bytes;  // shared, so that offsets are the same in both
  std::thread worker([&later, middle, size] {
    later.m_entries.reserve(entriesFor(size - middle));
    TableBuilder(later).addLines(middle, size);
  });
  table.m_entries.reserve(entriesFor(size));
  TableBuilder(table).addLines(0, middle);
  worker.join();
  table.appendLaterLines(std::move(later));
  return table;
}

void RecordTable::appendLaterLines(RecordTable&& later) {
  // Both pools begin with the item names; the later table's own texts follow ours.
  const qsizetype charShift = m_chars.size();
  const qint32 poolShift = qint32(m_spans.size()) - kItemCount;
  m_chars += later.m_chars;
  for (size_t i = kItemCount; i < later.m_spans.size(); ++i) {
    m_spans.push_back({later.m_spans[i].at + charShift, later.m_spans[i].size});
  }
  const auto shift = [poolShift](Text& text) {
    if (text.pool >= kItemCount) text.pool += poolShift;
  };
  const qint32 lineShift = qint32(m_lineCount);
  for (Entry entry : later.m_entries) {
    for (Text* text : {&entry.date, &entry.time, &entry.item, &entry.diary, &entry.reserved}) shift(*text);
    entry.line += lineShift;
    m_entries.push_back(entry);
  }
  for (auto& [line, bytes] : later.m_unreadable) m_unreadable.emplace_back(line + m_lineCount, std::move(bytes));
  m_lineCount += later.m_lineCount;
}

}  // namespace records
