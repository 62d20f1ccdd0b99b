#include "platform/widgets/MessageBox.h"

#include "platform/core/RunState.h"

#include <QMessageBox>

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
                      MsgButtons buttons) {
  if (handler()) return handler()({text, title, icon, buttons});
  QMessageBox box(toQt(icon), title, text,
                  buttons == MsgButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                  : QMessageBox::Ok,
                  parent);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }

}  // namespace platform
