// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

namespace platform {

// The one source of today's date, the time of day and durations. Tests set it; the
// program reads the real clocks.
class Clock {
 public:
  static QDateTime now();
  static QDate today() { return now().date(); }
  static QTime timeOfDay() { return now().time(); }

  // Milliseconds of a monotonic clock, for timing plays; unaffected by midnight or by
  // changes of the wall clock.
  static qint64 monotonicMs();

  // For tests: freeze the wall clock or the monotonic clock at a value.
  static void setNow(const QDateTime& now);
  static void setMonotonicMs(qint64 ms);
  static void advance(qint64 ms);  // moves both frozen clocks forward
  static void useRealClocks();
};

}  // namespace platform
