// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/TourText.h"

namespace platform {

TourState& tourState() {
  static TourState state;
  return state;
}

QString tourText(std::initializer_list<const char*> lines) {
  QString text;
  for (const char* line : lines) text += QString::fromUtf8(line) + QStringLiteral("\r\n");
  return text;
}

}  // namespace platform
