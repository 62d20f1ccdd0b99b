#include "platform/core/Log.h"

Q_LOGGING_CATEGORY(lcFiles, "atama.files", QtWarningMsg)
