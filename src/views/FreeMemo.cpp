// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/FreeMemo.h"

#include "platform/core/Cp932.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/Backups.h"

#include <algorithm>
#include <optional>

namespace views {

MemoRead readMemo(const QString& fileName) {
  // The box holds many lines of any length quickly, as it lays out only those on show, but
  // one line it lays out whole: a line of megabytes would take minutes and gigabytes. A memo
  // past these limits is not loaded, and its file stays as it is.
  constexpr qint64 kLargestMemoBytes = 64 * 1024 * 1024;
  constexpr qsizetype kLongestMemoLine = 65536;
  const auto refused = [&fileName](const QString& why) {
    return MemoRead{{}, QStringLiteral("「%1」は%2ため、メモ欄に表示しません。ファイルはそのまま残しています。").arg(fileName, why)};
  };
  if (const std::optional<platform::FileStamp> stamp = platform::fileStamp(fileName);
      stamp && stamp->size > kLargestMemoBytes) {
    return refused(QStringLiteral("大きすぎる（%1 MB、メモ欄に入るのは %2 MB まで）")
                       .arg(stamp->size / (1024 * 1024))
                       .arg(kLargestMemoBytes / (1024 * 1024)));
  }
  const platform::FileBytes file = platform::readFileBytes(fileName);
  if (!file.error.isEmpty()) return {{}, file.error};
  // Decoded whole, in one pass: no byte of a double-byte character is a CR or an LF.
  std::optional<QString> text = platform::cp932::decode(file.bytes);
  if (!text) return {{}, platform::undecodableFileMessage(fileName)};
  // The line ends as a text box has them, and no line end after the last line; one pass
  // in place, as the text may be of many megabytes.
  if (text->endsWith(QLatin1Char('\n'))) text->chop(1);
  if (text->endsWith(QLatin1Char('\r'))) text->chop(1);
  QChar* const begin = text->data();
  const QChar* const end = begin + text->size();
  QChar* out = begin;
  QChar* lineStart = begin;
  qsizetype longest = 0;
  for (const QChar* in = begin; in != end; ++in) {
    if (*in == u'\r' && in + 1 != end && in[1] == u'\n') continue;
    *out++ = *in;
    if (*in == u'\n') {
      longest = std::max(longest, qsizetype(out - 1 - lineStart));
      lineStart = out;
    }
  }
  longest = std::max(longest, qsizetype(out - lineStart));
  text->truncate(out - begin);
  if (longest > kLongestMemoLine) {
    return refused(QStringLiteral("長すぎる行を含む（%1 文字、メモ欄に入るのは 1 行 %2 文字まで）").arg(longest).arg(kLongestMemoLine));
  }
  return {*std::move(text), {}};
}

QString saveMemo(const QString& text, const QString& fileName) {
  QString lines = platform::seq::storableText(text);
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return records::writeKeptTextLines(fileName, lines.split(QLatin1Char('\n')));
}

}  // namespace views
