// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Session.h"

#include "platform/core/RunState.h"

namespace app {

Session& session() {
  static Session s;
  return s;
}

namespace {
const bool registered = platform::onResetRunState([] { session() = {}; });
}  // namespace

}  // namespace app
