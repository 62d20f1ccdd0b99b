// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A second start on a folder that a running copy holds shows that copy's window instead,
// through the desktop's session bus.
namespace app {

// The bus name of the copy that holds the working folder: one name per folder.
QString folderBusName();

// Offers this copy's window to later starts on the same folder; false without a session bus.
bool answerSecondStarts();

// Asks the copy that holds the working folder to show its window; false when none answered.
bool showFirstCopy();

}  // namespace app
