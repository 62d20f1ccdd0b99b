// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FreshRunTest.h"

#include "platform/core/Clock.h"

namespace testing {

void FreshRunTest::init() {
  resetRunState();
  m_dir = std::make_unique<WorkingDir>();
  if (m_today.isValid()) platform::Clock::setNow(QDateTime(m_today, QTime(12, 0)));
  prepare();
}

void FreshRunTest::cleanup() {
  tearDown();
  m_dir.reset();
  resetRunState();
}

}  // namespace testing
