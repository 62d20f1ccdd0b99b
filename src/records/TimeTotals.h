// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <QtNumeric>

#include <cmath>
#include <limits>

namespace records {

// Time totals are whole seconds, made whole after every single addition, halves going to
// the even neighbour: three plays of 10.5 s make 30. A total stops at the ends of qint64
// instead of overflowing, and a value that is no number adds nothing.
inline qint64 addSeconds(qint64 total, double seconds) {
  if (std::isnan(seconds)) return total;
  const double sum = std::nearbyint(static_cast<double>(total) + seconds);
  if (sum >= 0x1p63) return std::numeric_limits<qint64>::max();
  if (sum < -0x1p63) return std::numeric_limits<qint64>::min();
  return static_cast<qint64>(sum);
}

// Two totals added, stopping at the ends of qint64.
inline qint64 addTotals(qint64 a, qint64 b) {
  qint64 sum = 0;
  if (!qAddOverflow(a, b, &sum)) return sum;
  return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
}

// "H:MM:SS", hours without a leading zero and without an upper limit (97200 -> "27:00:00");
// a negative total has a "-" in front ("-0:00:04").
inline QString hmsText(qint64 seconds) {
  // Unsigned, so that even the smallest qint64 has its magnitude.
  const quint64 magnitude = seconds < 0 ? 0 - static_cast<quint64>(seconds) : static_cast<quint64>(seconds);
  return QStringLiteral("%1%2:%3:%4")
      .arg(seconds < 0 ? QStringLiteral("-") : QString())
      .arg(magnitude / 3600)
      .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace records
