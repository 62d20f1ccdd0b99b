#pragma once

namespace platform {

// Lets Enter and the keypad's Enter press the focused push button, as Space does, in every
// window of the application. Installing it again changes nothing.
void installEnterPressesButtons();

}  // namespace platform
