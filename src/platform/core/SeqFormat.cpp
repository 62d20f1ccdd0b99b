// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/SeqFormat.h"

#include "platform/core/Cp932.h"
#include "platform/core/Log.h"
#include "platform/core/TextFile.h"

#include <QHash>

#include <charconv>
#include <span>
#include <thread>

namespace platform::seq {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArrayView trimmed(QByteArrayView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.sliced(begin, end - begin);
}

// Plain decimals of up to seven digits, as the games write seconds: both the digits and the
// power of ten are exact floats, so one division rounds as a full conversion would.
// The loop body has no branch that depends on where the point stands, as a record file
// holds many such numbers of varying shape and mispredicted branches would dominate. The
// value comes back through a reference, which compiles to less than an optional here.
Q_ALWAYS_INLINE bool shortDecimal(QByteArrayView text, float& value) {
  if (text.size() > 8) return false;  // more than seven digits and a point
  quint32 digits = 0;
  quint32 count = 0;
  quint32 decimals = 0;
  bool point = false;
  for (char c : text) {
    const quint32 digit = quint32(quint8(c)) - '0';
    const quint32 isDigit = digit < 10;
    const quint32 isPoint = c == '.';
    if ((isDigit | (isPoint & !point)) == 0) return false;
    digits = digits * (1 + 9 * isDigit) + digit * isDigit;
    count += isDigit;
    decimals += isDigit & quint32(point);
    point = point || isPoint;
  }
  if (count == 0 || count > 7) return false;
  static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};
  value = float(digits) / kPowers[decimals];
  return true;
}

template <typename T>
std::optional<T> parseNumber(QByteArrayView text) {
  text = trimmed(text);
  if (!text.isEmpty() && text[0] == '+') text = text.sliced(1);
  if (text.isEmpty()) return std::nullopt;
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

template <typename T>
QString shortestText(T value) {
  char buffer[400];  // room for the widest fixed-notation double
  std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return QString::fromLatin1(buffer, result.ptr - buffer);
}
}  // namespace

// One pass over the line. In code page 932 a trail byte is never a quote, a comma or a
// blank, so the split is safe before decoding.
bool splitLine(QByteArrayView line, Fields& fields) {
  fields.clear();
  const char* p = line.data();
  const char* const end = p + line.size();
  while (true) {
    while (p < end && isBlank(*p)) ++p;
    Field field;
    unsigned char high = 0;
    if (p < end && *p == '"') {
      const char* begin = ++p;
      while (p < end && *p != '"') high |= static_cast<unsigned char>(*p++);
      if (p == end) return false;
      field.bytes = QByteArrayView(begin, p - begin);
      field.quoted = true;
      ++p;
      while (p < end && isBlank(*p)) ++p;
      if (p < end && *p != ',') return false;
    } else {
      const char* begin = p;
      while (p < end && *p != ',') {
        if (*p == '"') return false;
        high |= static_cast<unsigned char>(*p++);
      }
      field.bytes = trimmed(QByteArrayView(begin, p - begin));
    }
    field.ascii = high < 0x80;
    fields.append(field);
    if (p >= end) return true;
    ++p;  // the comma; another field follows, possibly empty
  }
}

std::optional<float> parseFloat(QByteArrayView text) {
  float quick = 0;
  if (shortDecimal(text, quick)) return quick;
  return parseNumber<float>(text);
}

bool parseFloat(QByteArrayView text, float& value) {
  if (shortDecimal(text, value)) return true;
  const std::optional<float> number = parseNumber<float>(text);
  if (number) value = *number;
  return number.has_value();
}
std::optional<double> parseDouble(QByteArrayView text) { return parseNumber<double>(text); }
std::optional<qint64> parseInt(QByteArrayView text) { return parseNumber<qint64>(text); }

QString floatText(float value) { return shortestText(value); }
QString doubleText(double value) { return shortestText(value); }

QString storableText(QStringView text) {
  QString result = text.toString();
  result.replace(QLatin1Char('"'), QChar(0xFF02));
  return result;
}

void LineBuilder::separate() {
  if (!m_first) m_line += QLatin1Char(',');
  m_first = false;
}

LineBuilder& LineBuilder::text(QStringView value) {
  separate();
  m_line += QLatin1Char('"') + storableText(value) + QLatin1Char('"');
  return *this;
}

LineBuilder& LineBuilder::number(qint64 value) {
  separate();
  m_line += QString::number(value);
  return *this;
}

LineBuilder& LineBuilder::number(float value) {
  separate();
  m_line += floatText(value);
  return *this;
}

LineBuilder& LineBuilder::numberText(QStringView digits) {
  separate();
  m_line += digits;
  return *this;
}

LineBuilder& LineBuilder::trailingComma() {
  m_line += QLatin1Char(',');
  return *this;
}

}  // namespace platform::seq

namespace platform {

double leadingNumber(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
  const qsizetype start = i;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) ++i;
  bool digits = false;
  while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80) {
    ++i;
    digits = true;
  }
  if (i < text.size() && text[i] == QLatin1Char('.')) {
    ++i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80) {
      ++i;
      digits = true;
    }
  }
  if (!digits) return 0;
  return textToDouble(text.sliced(start, i - start)).value_or(0);
}

std::optional<double> textToDouble(QStringView text) {
  text = text.trimmed();
  char buffer[64];
  const qsizetype size = text.size();
  bool plain = size > 0 && size < qsizetype(sizeof buffer);
  for (qsizetype i = 0; plain && i < size; ++i) {
    const char16_t c = text[i].unicode();
    plain = c < 0x80;
    buffer[i] = char(c);
  }
  if (plain) {
    const char* begin = buffer;
    const char* end = buffer + size;
    if (*begin == '+' && size > 1 && begin[1] != '-') ++begin;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec == std::errc() && ptr == end) return value;
  }
  bool ok = false;
  const double value = text.toString().toDouble(&ok);
  if (!ok) return std::nullopt;
  return value;
}

}  // namespace platform

namespace platform::seq {

std::optional<QStringList> decodeFields(QByteArrayView line, QHash<QByteArrayView, QString>* known) {
  Fields fields;
  if (!splitLine(line, fields)) return std::nullopt;
  QStringList texts;
  texts.reserve(fields.size());
  for (const Field& field : fields) {
    if (known) {
      if (const auto found = known->constFind(field.bytes); found != known->cend()) {
        texts.append(*found);
        continue;
      }
    }
    std::optional<QString> text = cp932::decode(field.bytes);
    if (!text) return std::nullopt;
    if (known) known->insert(field.bytes, *text);
    texts.append(*std::move(text));
  }
  return texts;
}

QString unreadableContent(const QString& name) {
  qCWarning(lcFiles) << "unreadable content in" << name;
  return QStringLiteral("ファイル「%1」の内容を読み取れませんでした。").arg(name);
}

namespace {
struct Parsed {
  std::vector<QStringList> records;
  qsizetype skipped = 0;
  bool failed = false;
};

// A file of many lines repeats its dates, numbers and signs: each is decoded once and
// shared, which spares most of the allocations of a long history.
Parsed parseLines(std::span<const QByteArrayView> lines, BadLines bad, qsizetype fieldCount) {
  Parsed parsed;
  parsed.records.reserve(lines.size());
  QHash<QByteArrayView, QString> known;
  for (QByteArrayView line : lines) {
    if (line.trimmed().isEmpty()) continue;
    std::optional<QStringList> fields = decodeFields(line, &known);
    if (fields && (fieldCount < 0 || fields->size() == fieldCount)) {
      parsed.records.push_back(std::move(*fields));
    } else if (bad == BadLines::Skip) {
      ++parsed.skipped;
    } else {
      parsed.failed = true;
      break;
    }
  }
  return parsed;
}

// Below this many lines a second thread costs more than it saves.
constexpr size_t kLinesForTwoThreads = 4000;
}  // namespace

FileRecords readFileRecords(const QString& name, BadLines bad, qsizetype fieldCount) {
  FileRecords result;
  const FileBytes file = readFileBytes(name);
  result.exists = file.exists;
  result.error = file.error;
  if (!result.error.isEmpty()) return result;
  const QList<QByteArrayView> split = splitLines(file.bytes);
  const std::span<const QByteArrayView> lines(split.constData(), size_t(split.size()));
  // A long file is parsed in two halves at once, the later one on a second thread.
  const bool twoThreads = lines.size() >= kLinesForTwoThreads && std::thread::hardware_concurrency() >= 2;
  const size_t middle = twoThreads ? lines.size() / 2 : lines.size();
  Parsed later;
  std::thread worker;
  if (twoThreads) worker = std::thread([&] { later = parseLines(lines.subspan(middle), bad, fieldCount); });
  Parsed parsed = parseLines(lines.first(middle), bad, fieldCount);
  if (worker.joinable()) worker.join();
  if (parsed.failed || later.failed) {
    result.error = unreadableContent(name);
    return result;
  }
  result.skipped = parsed.skipped + later.skipped;
  result.records = std::move(parsed.records);
  result.records.insert(result.records.end(), std::make_move_iterator(later.records.begin()),
                        std::make_move_iterator(later.records.end()));
  return result;
}

}  // namespace platform::seq
