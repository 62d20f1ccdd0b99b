#include "platform/widgets/MessageBox.h"

#include "platform/core/RunState.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace platform {

namespace {
MessageHandler& handler() {
  static MessageHandler h;
  return h;
}

const bool registered = onResetRunState([] { handler() = {}; });

QMessageBox::Icon toQt(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

MsgResult showMessage(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons, MsgResult defaultButton) {
  if (handler()) return handler()({text, title, icon, buttons, defaultButton});
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QMessageBox box(toQt(icon), title, shown,
                  buttons == MsgButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                  : QMessageBox::Ok,
                  parent);
  const bool cancelFirst = buttons == MsgButtons::OkCancel && defaultButton == MsgResult::Cancel;
  box.setDefaultButton(cancelFirst ? QMessageBox::Cancel : QMessageBox::Ok);
  // Texts may quote what the user typed; none of it is markup.
  box.setTextFormat(Qt::PlainText);
  // The box wraps anything wider than a narrow limit, which breaks the help texts' lines in
  // the middle; its label is made as wide as the longest line, within the screen.
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    int widest = 0;
    for (const QString& line : shown.split(QLatin1Char('\n')))
      widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    // Past the box's own hard limit (as Qt sets it, less the icon and margins) it wraps anyway.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const int limit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    label->setMinimumWidth(std::min(widest + 2, limit - 120));
  }
  return box.exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }

}  // namespace platform
