#pragma once

#include <QString>
#include <QtGlobal>
#include <cmath>

namespace records {

// Time totals are whole seconds, made whole after every single addition, halves going to
// the even neighbour: three plays of 10.5 s make 30.
inline qint64 addSeconds(qint64 total, double seconds) {
  return static_cast<qint64>(std::nearbyint(static_cast<double>(total) + seconds));
}

// "H:MM:SS", hours without a leading zero and without an upper limit (97200 -> "27:00:00").
inline QString hmsText(qint64 seconds) {
  const qint64 hours = seconds / 3600;
  const qint64 minutes = (seconds - hours * 3600) / 60;
  const qint64 rest = seconds - hours * 3600 - minutes * 60;
  return QStringLiteral("%1:%2:%3")
      .arg(hours)
      .arg(minutes, 2, 10, QLatin1Char('0'))
      .arg(rest, 2, 10, QLatin1Char('0'));
}

}  // namespace records
