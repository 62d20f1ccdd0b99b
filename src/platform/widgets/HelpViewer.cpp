// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/HelpViewer.h"

#include "platform/core/RunState.h"
#include "platform/core/TextFile.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {
HelpViewer::Opener& opener() {
  static HelpViewer::Opener open;
  return open;
}

const bool registered = onResetRunState([] { opener() = {}; });

// xdg-open hands a file over and returns before anything fails, so a type without an
// application would seem opened: ask first whether the desktop has one for it.
bool desktopOpens(const QUrl& url) {
  const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (!query.isEmpty()) {
    const QString type = QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
    QProcess process;
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (process.waitForFinished(3000) && process.exitCode() == 0 &&
        process.readAllStandardOutput().trimmed().isEmpty()) {
      return false;
    }
  }
  return QDesktopServices::openUrl(url);
}
}  // namespace

void HelpViewer::setOpener(Opener open) { opener() = std::move(open); }

QString HelpViewer::displayTopic(const QString& file) {
  const QFileInfo info(resolveFileName(file));
  if (!info.exists()) return QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(file);
  const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  const bool opened = opener() ? opener()(url) : desktopOpens(url);
  return opened ? QString() : QStringLiteral("ヘルプファイル「%1」を開けませんでした。").arg(file);
}

// The desktop's viewer runs in a process of its own, which this program does not own.
void HelpViewer::closeAll() {}

}  // namespace platform
