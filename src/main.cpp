// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"
#include "app/SingleCopy.h"
#include "app/WindowSwitcher.h"
#include "platform/core/FolderLock.h"
#include "platform/core/TextFile.h"
#include "platform/widgets/MessageBox.h"
#include "records/Backups.h"
#include "records/DataFiles.h"
#include "records/GameItems.h"
#include "views/Maintenance.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  app::prepareApplication();
  // Two copies on one folder would each rewrite what the other just saved.
  const std::unique_ptr<QLockFile> folderLock = platform::lockWorkingFolder();
  if (!folderLock) {
    if (app::showFirstCopy()) return 0;
    platform::showMessage(nullptr,
                          QStringLiteral("このフォルダーでは、アタマ日和プロジェクト４がすでに動いています。\r\n%1\r\n"
                                         "先に起動したウィンドウをお使いください。")
                              .arg(QDir::toNativeSeparators(QDir::currentPath())),
                          QStringLiteral("起動の確認"), platform::MsgIcon::Exclamation);
    return 1;
  }
  app::answerSecondStarts();
  // A write killed before its rename leaves a full copy of the file behind; clear those first.
  QStringList files{records::kRecordFileName, records::kSettingsFileName,     records::kPrivateFileName,
                    records::kMemoFileName,   records::kViewSettingsFileName, views::kNewStartMarker};
  for (const QString& item : records::itemNames()) {
    files << records::settingsFileOf(item) << records::historyFileOf(item);
  }
  platform::removeStaleTemporaryFiles(files);
  records::removeStaleCopies();
  if (const QString finished = views::finishInterruptedStart(); !finished.isEmpty()) {
    platform::showMessage(nullptr, finished, QStringLiteral("新規スタート"), platform::MsgIcon::Exclamation);
  }
  app::showMainWindow();
  return QApplication::exec();
}
