#include "views/CellTexts.h"

#include "platform/SeqFormat.h"
#include "platform/TextFile.h"
#include "records/RecordFile.h"

#include <QFileInfo>
#include <QStringList>
#include <cstring>

namespace views {

const QString& SecondsText::operator()(float seconds) {
  quint32 bits = 0;
  std::memcpy(&bits, &seconds, sizeof bits);
  Slot& slot = m_slots[(bits * 2654435761u) >> 21];
  if (!slot.used || slot.bits != bits) {
    slot.bits = bits;
    slot.used = true;
    slot.text = platform::seq::floatText(seconds);
  }
  return slot.text;
}

const QString& timeText(const QString& time) {
  if (time.size() != 8 || time[2] != QLatin1Char(':') || time[5] != QLatin1Char(':')) return time;
  const auto pair = [&time](int i) {
    const char16_t tens = time[i].unicode();
    const char16_t ones = time[i + 1].unicode();
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9') return 99;
    return int(tens - u'0') * 10 + int(ones - u'0');
  };
  const int hours = pair(0);
  const int minutes = pair(3);
  const int seconds = pair(6);
  if (hours > 23 || minutes > 59 || seconds > 59) return time;
  static std::vector<QString> texts(24 * 3600);
  QString& text = texts[size_t(hours * 3600 + minutes * 60 + seconds)];
  if (text.isNull()) text = time;
  return text;
}

const QString& runningNumber(qsizetype n) {
  static QStringList numbers{QStringLiteral("0")};
  while (numbers.size() <= n) numbers.append(QString::number(numbers.size()));
  return numbers[n];
}

qsizetype expectedRecordCount() {
  // Lines are rarely shorter than 48 bytes.
  return QFileInfo(platform::resolveFileName(records::kRecordFileName)).size() / 48 + 1;
}

}  // namespace views
