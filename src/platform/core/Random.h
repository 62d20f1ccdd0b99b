// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace platform {

// One generator for the whole run, seeded once from the system's entropy. Tests seed it
// with a fixed number to get repeatable draws.
class Random {
 public:
  static double uniform();      // [0, 1)
  static int below(int count);  // 0 .. count - 1
  static void seed(quint32 value);
};

}  // namespace platform
