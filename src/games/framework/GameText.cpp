// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/GameText.h"

#include <cmath>

namespace games {

double roundedTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::nearbyint(value * scale) / scale;
}

namespace {
QString fixed(double value, int decimals) { return QString::number(roundedTo(value, decimals), 'f', decimals); }
}  // namespace

QString percentText(double ratio) { return fixed(ratio * 100.0, 1) + QLatin1Char('%'); }

QString speedText(double perSecond) { return fixed(perSecond, 2) + QStringLiteral("/秒"); }

QString elapsedText(double seconds) { return fixed(seconds, 1); }

QString normalizedAnswer(const QString& typed) {
  QString text = typed;
  for (QChar& c : text) {
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19) {
      c = QChar(u'0' + (u - 0xFF10));
    } else if (u == 0xFF0D || u == 0x2212 || u == 0x30FC || u == 0x2010 || u == 0x2015) {
      c = QLatin1Char('-');
    } else if (u == 0xFF0B) {
      c = QLatin1Char('+');
    } else if (u == 0xFF0E) {
      c = QLatin1Char('.');
    } else if (u == 0x3000) {
      c = QLatin1Char(' ');
    }
  }
  return text;
}

}  // namespace games
