// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace platform {

enum class MsgIcon { Information, Exclamation, Critical };
enum class MsgButtons { Ok, OkCancel, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

struct MessageRequest {
  QString text;
  QString title;
  MsgIcon icon = MsgIcon::Information;
  MsgButtons buttons = MsgButtons::Ok;
  MsgResult defaultButton = MsgResult::Ok;  // what Enter answers
};

// A modal message box. Tests install a handler that answers instead of a real dialog.
// A question that loses or duplicates something defaults to Cancel.
MsgResult showMessage(QWidget* parent, const QString& text, const QString& title,
                      MsgIcon icon = MsgIcon::Information, MsgButtons buttons = MsgButtons::Ok,
                      MsgResult defaultButton = MsgResult::Ok);

// The question before something typed and not saved would be lost (Yes / No / Cancel, Yes
// the default): Yes runs save, No runs drop, Cancel does nothing. True when the caller may go
// on: after No, or after Yes when save returned true.
bool settleUnsaved(QWidget* parent, const QString& question, const QString& title, const std::function<bool()>& save,
                   const std::function<void()>& drop);

// A window must not be destroyed while a box it owns runs: the code that showed the box
// is still on the stack. A window asked to close meanwhile calls closeAfterMessages, and
// closes once its last box has returned and that code has run to its end.
bool messageOpen(const QWidget* window);
void closeAfterMessages(QWidget* window);

// Counts another modal dialog of a window as a box for as long as it lives.
class RunningBox {
 public:
  explicit RunningBox(QWidget* parent);
  ~RunningBox();
  RunningBox(const RunningBox&) = delete;
  RunningBox& operator=(const RunningBox&) = delete;

 private:
  QPointer<QWidget> m_window;
  const QWidget* m_key;
};

// True the first time a text is asked about in this run: a problem that lasts (a bad file,
// a folder that cannot be written) is reported once, not at every window's load.
bool firstTimeThisRun(const QString& text);

using MessageHandler = std::function<MsgResult(const MessageRequest&)>;
// Installs handler for every later message; an empty handler brings back real dialogs.
void setMessageHandler(MessageHandler handler);

}  // namespace platform
