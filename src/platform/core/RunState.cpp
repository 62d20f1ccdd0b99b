// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/RunState.h"

#include "platform/core/Clock.h"
#include "platform/core/Random.h"
#include "platform/core/TourText.h"

#include <vector>

namespace platform {

namespace {
std::vector<std::function<void()>>& resets() {
  static std::vector<std::function<void()>> all;
  return all;
}
}  // namespace

bool onResetRunState(std::function<void()> reset) {
  resets().push_back(std::move(reset));
  return true;
}

void resetRunState() {
  Clock::useRealClocks();
  Random::seed(1);
  tourState() = {};
  for (const std::function<void()>& reset : resets()) reset();
}

}  // namespace platform
