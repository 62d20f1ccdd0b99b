// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/HelpTour.h"

#include "platform/widgets/MessageBox.h"

namespace platform {

void SHOW_TOUR_MSG(QWidget* parent) {
  const TourState& state = tourState();
  if (state.intHelpTour == 0) return;
  showMessage(parent, state.strTourMsg, QStringLiteral("ヘルプツアー"), MsgIcon::Information);
}

}  // namespace platform
