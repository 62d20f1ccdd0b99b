// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Log.h"

Q_LOGGING_CATEGORY(lcFiles, "atama.files", QtWarningMsg)
