#include "views/FreeMemo.h"

#include "platform/core/Cp932.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"

#include <optional>

namespace views {

MemoRead readMemo(const QString& fileName) {
  // The box lays a very long text out slowly (a line of megabytes takes minutes and
  // gigabytes), so a memo past what a memo is for is not loaded; its file stays as it is.
  constexpr qint64 kLargestMemoBytes = 1024 * 1024;
  if (const std::optional<platform::FileStamp> stamp = platform::fileStamp(fileName);
      stamp && stamp->size > kLargestMemoBytes) {
    return {{},
            QStringLiteral("「%1」は大きすぎるため（%2 KB、表示できるのは %3 KB まで）表示しません。ファイルはそのまま残しています。")
                .arg(fileName)
                .arg(stamp->size / 1024)
                .arg(kLargestMemoBytes / 1024)};
  }
  const platform::TextLines memo = platform::readTextLines(fileName);
  return {memo.lines.join(QLatin1Char('\n')), memo.error};
}

QString saveMemo(const QString& text, const QString& fileName) {
  QString lines = platform::seq::storableText(text);
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  const std::optional<QByteArray> bytes = platform::cp932::encode(lines);
  if (!bytes) return platform::cp932::unencodableMessage(lines);
  return platform::writeFileAtomic(fileName, *bytes + "\r\n");
}

}  // namespace views
