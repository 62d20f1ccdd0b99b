// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace platform {

// One program per data folder: the lock file ".atama-keisan.lock" in the working directory,
// held for the life of the program. A lock whose program is gone is taken over. Null when
// another copy holds it; the second copy then writes nothing and ends.
[[nodiscard]] std::unique_ptr<QLockFile> lockWorkingFolder();

}  // namespace platform
