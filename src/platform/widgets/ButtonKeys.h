// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

class QAbstractButton;
class QWidget;

namespace platform {

// Alt and key press the button of window as a click does, the caption left as it stands.
void addAccessKey(QWidget* window, QAbstractButton* button, Qt::Key key);

// Lets Enter and the keypad's Enter press the focused push button, as Space does, in every
// window of the application. Installing it again changes nothing.
void installEnterPressesButtons();

}  // namespace platform
