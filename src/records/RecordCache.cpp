// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordCache.h"

#include "platform/core/RunState.h"
#include "platform/core/TextFile.h"
#include "records/RecordFile.h"

#include <QFileInfo>

#include <memory>
#include <optional>
#include <utility>

namespace records {

namespace {
// The last table read, with the stamp of the file it came from.
struct Cache {
  QString path;
  platform::FileStamp stamp;
  std::shared_ptr<const RecordTable> table;
};
Cache& cache() {
  static Cache last;
  return last;
}
const bool registered = platform::onResetRunState([] { cache() = {}; });
}  // namespace

SharedRead sharedRecords(const QString& fileName) {
  const QString path = QFileInfo(platform::resolveFileName(fileName)).absoluteFilePath();
  const std::optional<platform::FileStamp> before = platform::fileStamp(fileName);
  Cache& last = cache();
  if (before && last.table && last.path == path && last.stamp == *before) return {last.table, {}};

  platform::FileBytes file = platform::readFileBytes(fileName);
  if (!file.error.isEmpty()) return {std::make_shared<const RecordTable>(), file.error};
  auto table = std::make_shared<const RecordTable>(RecordTable::parse(std::move(file.bytes)));
  // Kept only when the file did not change while it was read.
  if (before && platform::fileStamp(fileName) == before) {
    last = {path, *before, table};
  } else {
    last = {};
  }
  return {table, {}};
}

void forgetSharedRecords() { cache() = {}; }

}  // namespace records
