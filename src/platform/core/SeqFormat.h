// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <optional>
#include <vector>

// The record syntax of every data file: comma-separated fields, text fields in double
// quotes without any escape, numbers bare, one record per line.
namespace platform::seq {

struct Field {
  QByteArrayView bytes;
  bool quoted = false;
  bool ascii = true;  // no byte above 0x7F
};
using Fields = QVarLengthArray<Field, 12>;

// Splits one line (without its line end) into fields. A quoted field runs to the next
// double quote; an unquoted one to the next comma; blanks around fields are skipped.
// Returns false for a stray or unterminated quote.
bool splitLine(QByteArrayView line, Fields& fields);

// Number fields: any plain decimal notation (".5", "7", "-3.25", "1E+07").
std::optional<float> parseFloat(QByteArrayView text);
// The same without the optional, which comes back through memory and stalls a loop over
// many numbers; value is set only when the text is a number.
bool parseFloat(QByteArrayView text, float& value);
std::optional<double> parseDouble(QByteArrayView text);
std::optional<qint64> parseInt(QByteArrayView text);

// Shortest decimal text that reads back as the same number, without exponent ("23.4", "60").
QString floatText(float value);
QString doubleText(double value);

// A text field can hold no double quote; a full-width one takes its place.
QString storableText(QStringView text);

// Builds one line of fields as written to a file (without its line end).
class LineBuilder {
 public:
  LineBuilder& text(QStringView value);
  LineBuilder& number(qint64 value);
  LineBuilder& number(int value) { return number(qint64{value}); }
  LineBuilder& number(float value);
  LineBuilder& numberText(QStringView digits);
  // Ends the line with a comma and nothing after it, as a record with an empty last field.
  LineBuilder& trailingComma();
  const QString& line() const { return m_line; }

 private:
  void separate();
  QString m_line;
  bool m_first = true;
};

}  // namespace platform::seq

namespace platform {

// The number at the start of a text, as a classic "value of a text" reads it: blanks
// skipped, an optional sign, digits with an optional fraction; 0 when there is none.
double leadingNumber(QStringView text);

// A whole text read as a number the way QString::toDouble reads it (blanks around it
// allowed); short plain texts are read without allocating, as grids and charts read many.
std::optional<double> textToDouble(QStringView text);

}  // namespace platform

namespace platform::seq {

// The fields of one line, text decoded from code page 932; nullopt when it cannot be read.
// Given known, a field decoded before is shared from it, and a new one added.
std::optional<QStringList> decodeFields(QByteArrayView line, QHash<QByteArrayView, QString>* known = nullptr);

// Every record of a small data file (settings, history), line by line; a missing file has
// no records. What a line that cannot be read does: a file of settings is then unreadable
// as a whole (error set, no records); a history passes over it and counts it.
enum class BadLines { FailTheFile, Skip };
struct FileRecords {
  std::vector<QStringList> records;
  qsizetype skipped = 0;  // lines passed over (BadLines::Skip)
  bool exists = false;
  QString error;
};
[[nodiscard]] FileRecords readFileRecords(const QString& name, BadLines bad = BadLines::FailTheFile,
                                          qsizetype fieldCount = -1);

// The message for a file whose content cannot be read.
QString unreadableContent(const QString& name);

}  // namespace platform::seq
