// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace app {

// What the help tour says on the first start of a run and when a screen opens.
QString welcomeText();
QString tourBunseki();
QString tourTaijyu();
QString tourSyuukei();
QString tourRentai();
QString tourCale();
QString tourMemo();
QString tourSettei();

}  // namespace app
