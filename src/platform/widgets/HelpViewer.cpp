#include "platform/widgets/HelpViewer.h"

#include "platform/core/RunState.h"
#include "platform/core/TextFile.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

namespace {
HelpViewer::Opener& opener() {
  static HelpViewer::Opener open;
  return open;
}

const bool registered = onResetRunState([] { opener() = {}; });
}  // namespace

void HelpViewer::setOpener(Opener open) { opener() = std::move(open); }

QString HelpViewer::displayTopic(const QString& file) {
  const QFileInfo info(resolveFileName(file));
  if (!info.exists()) return QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(file);
  const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  const bool opened = opener() ? opener()(url) : QDesktopServices::openUrl(url);
  return opened ? QString() : QStringLiteral("ヘルプファイル「%1」を開けませんでした。").arg(file);
}

// The desktop's viewer runs in a process of its own, which this program does not own.
void HelpViewer::closeAll() {}

}  // namespace platform
