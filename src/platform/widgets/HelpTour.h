// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/TourText.h"

class QWidget;

namespace platform {

// Shows strTourMsg titled "ヘルプツアー" when the tour is on.
void SHOW_TOUR_MSG(QWidget* parent);

}  // namespace platform
