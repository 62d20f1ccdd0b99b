// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Random.h"

#include <random>

namespace platform {

namespace {
std::mt19937& engine() {
  static std::mt19937 generator{std::random_device{}()};
  return generator;
}
}  // namespace

double Random::uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine()); }

int Random::below(int count) {
  if (count <= 1) return 0;
  return std::uniform_int_distribution<int>(0, count - 1)(engine());
}

void Random::seed(quint32 value) { engine().seed(value); }

}  // namespace platform
