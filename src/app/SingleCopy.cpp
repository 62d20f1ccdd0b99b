// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleCopy.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDir>
#include <QWidget>

namespace app {

namespace {
const QString kInterface = QStringLiteral(ATAMA_APP_ID ".Folder");
const QString kShow = QStringLiteral("Show");

// The window the user was last in: a box over it first, else the game or the main window.
QWidget* windowToShow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->windowType() == Qt::Window) return widget;
  }
  return nullptr;
}

void showWindow() {
  QWidget* window = windowToShow();
  if (!window) return;
  if (window->isMinimized()) window->showNormal();
  window->raise();
  window->activateWindow();
  // A desktop that keeps the focus where it is marks the window instead.
  QApplication::alert(window);
}

class FolderObject final : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override {
    return QStringLiteral("<interface name=\"%1\"><method name=\"%2\"/></interface>").arg(kInterface, kShow);
  }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.interface() != kInterface || message.member() != kShow) return false;
    showWindow();
    connection.send(message.createReply());
    return true;
  }
};
}  // namespace

QString folderBusName() {
  const QByteArray folder = QFile::encodeName(QDir::current().canonicalPath());
  const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(16);
  return QStringLiteral(ATAMA_APP_ID ".folder_") + QString::fromLatin1(hash);
}

bool answerSecondStarts() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  static FolderObject object;
  return bus.isConnected() && bus.registerVirtualObject(QStringLiteral("/"), &object) &&
         bus.registerService(folderBusName());
}

bool showFirstCopy() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  const QDBusMessage call = QDBusMessage::createMethodCall(folderBusName(), QStringLiteral("/"), kInterface, kShow);
  constexpr int kAnswerWithinMs = 5000;
  return bus.call(call, QDBus::Block, kAnswerWithinMs).type() == QDBusMessage::ReplyMessage;
}

}  // namespace app
