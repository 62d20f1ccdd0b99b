// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// What went wrong with a file, for a developer's trace beside the user's message: warnings by
// default; QT_LOGGING_RULES="atama.files.debug=true" adds the lines kept unread.
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
