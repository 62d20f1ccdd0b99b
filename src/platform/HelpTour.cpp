#include "platform/HelpTour.h"

#include "platform/MessageBox.h"

namespace platform {

TourState& tourState() {
  static TourState state;
  return state;
}

void SHOW_TOUR_MSG(QWidget* parent) {
  const TourState& state = tourState();
  if (state.intHelpTour == 0) return;
  showMessage(parent, state.strTourMsg, QStringLiteral("ヘルプツアー"), MsgIcon::Information);
}

QString tourText(std::initializer_list<const char*> lines) {
  QString text;
  for (const char* line : lines) text += QString::fromUtf8(line) + QStringLiteral("\r\n");
  return text;
}

}  // namespace platform
