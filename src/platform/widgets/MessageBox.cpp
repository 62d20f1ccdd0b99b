// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/MessageBox.h"

#include "platform/core/RunState.h"

#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSet>

#include <algorithm>

namespace platform {

namespace {
MessageHandler& handler() {
  static MessageHandler h;
  return h;
}

// Boxes running per window, and the windows that wait for theirs to close.
QHash<const QWidget*, int>& openBoxes() {
  static QHash<const QWidget*, int> boxes;
  return boxes;
}
QSet<const QWidget*>& closingAfter() {
  static QSet<const QWidget*> windows;
  return windows;
}
QSet<QString>& reported() {
  static QSet<QString> texts;
  return texts;
}

const bool registered = onResetRunState([] {
  handler() = {};
  openBoxes().clear();
  closingAfter().clear();
  reported().clear();
});

QMessageBox::StandardButtons toQt(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}
QMessageBox::StandardButton toQt(MsgResult answer) {
  switch (answer) {
    case MsgResult::Ok: return QMessageBox::Ok;
    case MsgResult::Cancel: return QMessageBox::Cancel;
    case MsgResult::Yes: return QMessageBox::Yes;
    case MsgResult::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon toQt(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

RunningBox::RunningBox(QWidget* parent) : m_window(parent ? parent->window() : nullptr), m_key(m_window.data()) {
  if (m_key) ++openBoxes()[m_key];
}

RunningBox::~RunningBox() {
  if (!m_key || --openBoxes()[m_key] > 0) return;
  openBoxes().remove(m_key);
  if (!closingAfter().remove(m_key) || !m_window) return;
  // Queued: the handler that showed the box finishes before the window goes.
  QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
}

MsgResult showMessage(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons, MsgResult defaultButton) {
  const RunningBox open(parent);
  if (handler()) return handler()({text, title, icon, buttons, defaultButton});
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  // On the heap, so that a parent that goes anyway takes the box with it, and exec returns.
  QPointer<QMessageBox> box = new QMessageBox(toQt(icon), title, shown, toQt(buttons), parent);
  box->setDefaultButton(toQt(buttons == MsgButtons::Ok ? MsgResult::Ok : defaultButton));
  // Texts may quote what the user typed; none of it is markup.
  box->setTextFormat(Qt::PlainText);
  // The box wraps anything wider than a narrow limit, which breaks the help texts' lines in
  // the middle; its label is made as wide as the longest line, within the screen.
  if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    int widest = 0;
    for (const QString& line : shown.split(QLatin1Char('\n')))
      widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    // Past the box's own hard limit (as Qt sets it, less the icon and margins) it wraps anyway.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const int limit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    label->setMinimumWidth(std::min(widest + 2, limit - 120));
  }
  const int answer = box->exec();
  delete box;
  switch (answer) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: return MsgResult::Cancel;
  }
}

bool settleUnsaved(QWidget* parent, const QString& question, const QString& title, const std::function<bool()>& save,
                   const std::function<void()>& drop) {
  switch (showMessage(parent, question, title, MsgIcon::Exclamation, MsgButtons::YesNoCancel, MsgResult::Yes)) {
    case MsgResult::Yes: return save();
    case MsgResult::No: drop(); return true;
    default: return false;
  }
}

bool firstTimeThisRun(const QString& text) {
  if (reported().contains(text)) return false;
  reported().insert(text);
  return true;
}

bool messageOpen(const QWidget* window) { return window && openBoxes().contains(window->window()); }

void closeAfterMessages(QWidget* window) {
  if (messageOpen(window)) closingAfter().insert(window->window());
}

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }

}  // namespace platform
