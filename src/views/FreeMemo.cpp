#include "views/FreeMemo.h"

#include "platform/core/Cp932.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"

#include <optional>

namespace views {

MemoRead readMemo(const QString& fileName) {
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
