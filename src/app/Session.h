#pragma once

#include <QString>

namespace app {

// What the main window keeps for the whole run, across its reloads.
struct Session {
  QString strNickname;
  bool blnWelcomeShown = false;
};
Session& session();

}  // namespace app
