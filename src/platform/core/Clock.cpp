// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Clock.h"

#include <QElapsedTimer>

#include <optional>

namespace platform {

namespace {
std::optional<QDateTime> g_now;
std::optional<qint64> g_monotonic;

QElapsedTimer& realTimer() {
  static QElapsedTimer timer = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return timer;
}
}  // namespace

QDateTime Clock::now() { return g_now ? *g_now : QDateTime::currentDateTime(); }

qint64 Clock::monotonicMs() { return g_monotonic ? *g_monotonic : realTimer().elapsed(); }

void Clock::setNow(const QDateTime& now) { g_now = now; }

void Clock::setMonotonicMs(qint64 ms) { g_monotonic = ms; }

void Clock::advance(qint64 ms) {
  if (g_now) g_now = g_now->addMSecs(ms);
  if (g_monotonic) *g_monotonic += ms;
}

void Clock::useRealClocks() {
  g_now.reset();
  g_monotonic.reset();
}

}  // namespace platform
