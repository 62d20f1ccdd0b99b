// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace platform {

// What the program keeps for the whole run (clocks, random numbers, the tour, caches,
// hooks between windows) put back as at start, so that every test begins alike. A module
// that keeps such state registers how to put it back.
void resetRunState();

// For a namespace-scope initializer in the module's own source:
//   const bool registered = platform::onResetRunState([] { ... });
bool onResetRunState(std::function<void()> reset);

}  // namespace platform
