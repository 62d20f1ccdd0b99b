#include "records/RecordFile.h"

#include "platform/core/Cp932.h"
#include "platform/core/Log.h"
#include "platform/core/RunState.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/GameItems.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <thread>

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

constexpr quint64 kOnes = 0x0101010101010101u;
constexpr quint64 kHighBits = 0x8080808080808080u;

// The high bit of every byte of word equal to c. Only the lowest one is exact (a borrow may
// mark a byte above it), and only the lowest one is used.
quint64 bytesEqual(quint64 word, char c) {
  const quint64 x = word ^ (kOnes * quint8(c));
  return (x - kOnes) & ~x & kHighBits;
}

// The first c from p on, or nullptr; every byte before it is ORed into seen, so that one
// pass also tells whether a field is plain ASCII. Eight bytes at a time and inline: fields
// are short, and a call per field costs more than it saves.
Q_ALWAYS_INLINE const char* findByte(const char* p, const char* end, char c, quint64& seen) {
  for (; end - p >= 8; p += 8) {
    const quint64 word = qFromLittleEndian<quint64>(p);
    if (const quint64 hit = bytesEqual(word, c)) {
      const int before = std::countr_zero(hit) / 8;
      seen |= word & ((quint64(1) << (8 * before)) - 1);
      return p + before;
    }
    seen |= word;
  }
  for (; p < end; ++p) {
    if (*p == c) return p;
    seen |= quint8(*p);
  }
  return nullptr;
}

// The quoted field at p, which must start with a quote, and the comma after it; p then
// stands behind the comma.
Q_ALWAYS_INLINE bool quotedAt(const char*& p, const char* end, platform::seq::Field& field) {
  if (p == end || *p != '"') return false;
  quint64 seen = 0;
  const char* close = findByte(p + 1, end, '"', seen);
  if (!close || close + 1 == end || close[1] != ',') return false;
  field = {QByteArrayView(p + 1, close - p - 1), true, (seen & kHighBits) == 0};
  p = close + 2;
  return true;
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

// The line shape games and the main window write, "date","time","item",seconds,"diary",
// with "" or nothing after the last comma, read in one pass without the general splitter's
// byte-by-byte loop. Any other shape (blanks, quoted seconds, other field counts, stray
// quotes) returns false and is left to the general splitter, which gives the same fields
// for this shape.
bool splitCommonShape(QByteArrayView line, std::array<platform::seq::Field, kFieldCount>& fields) {
  const char* p = line.data();
  const char* const end = p + line.size();
  for (size_t i = 0; i < 3; ++i) {
    if (!quotedAt(p, end, fields[i])) return false;
  }
  quint64 seen = 0;
  const char* comma = findByte(p, end, ',', seen);
  if (!comma || comma == p) return false;
  // Blanks around the number and quotes are the general splitter's business: a number in
  // quotes is read as the number, as every reader of the file reads it.
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (blank(*p) || blank(comma[-1]) || std::find(p, comma, '"') != comma) return false;
  fields[3] = {QByteArrayView(p, comma - p), false, true};
  p = comma + 1;
  if (!quotedAt(p, end, fields[4])) return false;
  if (p == end) {
    fields[5] = {QByteArrayView(end, 0), false, true};
    return true;
  }
  if (end - p == 2 && p[0] == '"' && p[1] == '"') {
    fields[5] = {QByteArrayView(p + 1, 0), true, true};
    return true;
  }
  return false;
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

// Fills a table line by line. Texts that are not plain ASCII are decoded once per distinct
// byte sequence (a small direct-mapped cache keyed by a cheap hash) and shared.
class TableBuilder {
 public:
  // A table that already holds lines keeps its texts; a new one starts with the item names.
  // Without the shortcut every line goes through the general splitter, for tests that
  // compare the two.
  explicit TableBuilder(RecordTable& table, bool shortcut = true) : m_table(table), m_shortcut(shortcut) {
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
    const platform::seq::Field* fields = m_common.data();
    if (!m_shortcut || !splitCommonShape(line, m_common)) {
      if (!platform::seq::splitLine(line, m_fields) || m_fields.size() != kFieldCount) return false;
      fields = m_fields.data();
    }
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
  bool m_shortcut = true;
  std::array<Slot, kSlots> m_slots;
  std::array<platform::seq::Field, kFieldCount> m_common;
  platform::seq::Fields m_fields;
};

RecordTable RecordTable::parse(QByteArray bytes) { return parse(std::move(bytes), true, true); }

RecordTable RecordTable::parseWithGeneralSplitter(QByteArray bytes) { return parse(std::move(bytes), false, false); }

namespace {
// Below this size a second thread costs more than it saves.
constexpr qsizetype kHalvesFrom = qsizetype(1) << 20;

// Lines are rarely shorter.
size_t entriesFor(qsizetype bytes) { return size_t(bytes / 48) + 1; }
}  // namespace

// A large file is read in two halves at once, the later one on a second thread, each into
// a table of its own over the same bytes; the later one is then put behind the first.
RecordTable RecordTable::parse(QByteArray bytes, bool shortcut, bool halves) {
  RecordTable table;
  table.m_bytes = std::move(bytes);
  const qsizetype size = table.m_bytes.size();
  const qsizetype middle = halves && size >= kHalvesFrom ? table.m_bytes.indexOf('\n', size / 2) + 1 : 0;
  if (middle <= 0 || middle >= size || std::thread::hardware_concurrency() < 2) {
    table.m_entries.reserve(entriesFor(size));
    TableBuilder(table, shortcut).addLines(0, size);
    return table;
  }
  RecordTable later;
  later.m_bytes = table.m_bytes;  // shared, so that offsets are the same in both
  std::thread worker([&later, middle, size, shortcut] {
    later.m_entries.reserve(entriesFor(size - middle));
    TableBuilder(later, shortcut).addLines(middle, size);
  });
  table.m_entries.reserve(entriesFor(size));
  TableBuilder(table, shortcut).addLines(0, middle);
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

std::optional<RecordTable> RecordTable::extended(QByteArray bytes) const {
  const qsizetype from = m_bytes.size();
  // A last line without its line end may have been completed: that is not an append.
  if (from == 0 || !m_bytes.endsWith('\n') || !bytes.startsWith(m_bytes)) return std::nullopt;
  RecordTable table;
  table.m_bytes = std::move(bytes);
  table.m_chars = m_chars;
  table.m_spans = m_spans;
  table.m_unreadable = m_unreadable;
  table.m_lineCount = m_lineCount;
  // Room for the new lines before the copy, so that the entries are copied only once.
  table.m_entries.reserve(m_entries.size() + size_t((table.m_bytes.size() - from) / 48) + 1);
  table.m_entries.assign(m_entries.cbegin(), m_entries.cend());
  TableBuilder(table).addLines(from, table.m_bytes.size());
  return table;
}

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
  return {view(e.date).toString(), view(e.time).toString(),  view(e.item).toString(), e.seconds,
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
    return {{}, QStringLiteral("プレイ時間（%1 秒）が正しくないため記録できません。")
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
const bool registered = platform::onResetRunState([] { cache() = {}; });

// Kept only when the file did not change while it was read or written.
void remember(const QString& fileName, const QString& path, const std::optional<platform::FileStamp>& before,
              const std::shared_ptr<const RecordTable>& table) {
  if (before && platform::fileStamp(fileName) == before) {
    cache() = {path, *before, table};
  } else {
    cache() = {};
  }
}

QString absolutePath(const QString& fileName) {
  return QFileInfo(platform::resolveFileName(fileName)).absoluteFilePath();
}
}  // namespace

SharedRead sharedRecords(const QString& fileName) {
  const QString path = absolutePath(fileName);
  const std::optional<platform::FileStamp> before = platform::fileStamp(fileName);
  Cache& last = cache();
  if (before && last.table && last.path == path && last.stamp == *before) return {last.table, {}};

  platform::FileBytes file = platform::readFileBytes(fileName);
  if (!file.error.isEmpty()) return {std::make_shared<const RecordTable>(), file.error};
  // A game appends its plays; then only the new lines need reading.
  std::optional<RecordTable> grown;
  if (last.table && last.path == path) grown = last.table->extended(file.bytes);
  auto table = std::make_shared<const RecordTable>(grown ? std::move(*grown) : RecordTable::parse(std::move(file.bytes)));
  remember(fileName, path, before, table);
  return {table, {}};
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
  // The table read last stays: the next read finds it grown by this line.
  return platform::appendLine(fileName, line.bytes);
}

namespace {
// The views need the file as it was just written: it is read here, at the save, rather
// than at the next view's opening.
std::optional<QString> writeAndRemember(const QString& fileName, QByteArray bytes, const QByteArray* expected = nullptr) {
  cache() = {};
  const std::optional<QString> written =
      expected ? platform::replaceFileIfUnchanged(fileName, bytes, *expected) : platform::writeFileAtomic(fileName, bytes);
  if (!written || !written->isEmpty()) return written;
  const std::optional<platform::FileStamp> stamp = platform::fileStamp(fileName);
  remember(fileName, absolutePath(fileName), stamp,
           std::make_shared<const RecordTable>(RecordTable::parse(std::move(bytes))));
  return QString();
}
}  // namespace

QString rewriteRecords(const RecordTable& table, const QString& fileName) {
  RecordTable::Bytes out = table.serialize();
  if (!out.error.isEmpty()) return out.error;
  return *writeAndRemember(fileName, std::move(out.bytes));
}

std::optional<QString> rewriteRecordsIfUnchanged(const RecordTable& table, const QByteArray& expected,
                                                 const QString& fileName) {
  RecordTable::Bytes out = table.serialize();
  if (!out.error.isEmpty()) return out.error;
  return writeAndRemember(fileName, std::move(out.bytes), &expected);
}

QString emptyRecords(const QString& fileName) { return *writeAndRemember(fileName, {}); }

}  // namespace records
