// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace app {

// The program's own icon, at every size it is drawn for (16 to 256 pixels), for the
// captions of all its windows.
QIcon programIcon();

}  // namespace app
