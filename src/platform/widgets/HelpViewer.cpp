#include "platform/widgets/HelpViewer.h"

#include "platform/core/TextFile.h"
#include "platform/widgets/MessageBox.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

void HelpViewer::displayTopic(QWidget* owner, const QString& file) {
  const QFileInfo info(resolveFileName(file));
  if (!info.exists()) {
    showMessage(owner, QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(file),
                QStringLiteral("ヘルプ"), MsgIcon::Exclamation);
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()))) {
    showMessage(owner, QStringLiteral("ヘルプファイル「%1」を開けませんでした。").arg(file),
                QStringLiteral("ヘルプ"), MsgIcon::Exclamation);
  }
}

// The desktop's viewer runs in a process of its own, which this program does not own.
void HelpViewer::closeAll() {}

}  // namespace platform
