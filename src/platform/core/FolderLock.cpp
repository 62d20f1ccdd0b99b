// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/FolderLock.h"

#include <QDir>

namespace platform {

std::unique_ptr<QLockFile> lockWorkingFolder() {
  auto lock = std::make_unique<QLockFile>(QDir::current().filePath(QStringLiteral(".atama-keisan.lock")));
  // Only a lock whose process is gone is stale; a running copy keeps it however long it runs.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

}  // namespace platform
