// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <initializer_list>

namespace platform {

// The beginner's tour: while it is on, screens and game windows explain themselves in a
// message box when they open. Shared by every window of the run.
struct TourState {
  int intHelpTour = 0;  // 1 = on
  QString strTourMsg;
};
TourState& tourState();

// Joins lines into a tour text, each line ended by CR LF.
QString tourText(std::initializer_list<const char*> lines);

}  // namespace platform
