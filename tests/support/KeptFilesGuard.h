// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/TextFile.h"
#include "records/Backups.h"

#include <QTest>

namespace testing {

// A file that holds what the user did, replaced or emptied without its old content kept in
// the backup folder first, fails the test that did it: a new way of writing one cannot
// forget the backup unnoticed.
inline const bool kKeptFilesGuarded = [] {
  platform::setReplacedWithoutKeepingObserver([](const QString& name) {
    if (records::isKeptFile(name)) {
      QTest::qFail(qPrintable(QStringLiteral("「%1」 was replaced without keeping its old content").arg(name)),
                   __FILE__, __LINE__);
    }
  });
  return true;
}();

}  // namespace testing
