// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace games {

// The box an answer is typed into. It takes keys as they are typed and never an input
// method's composition: with a Japanese input method switched on, "12" must be judged as
// the digits arrive, not after an extra Enter, and a composition committed at a focus
// change must not type the answer twice. Text that arrives all at once (a paste, a commit)
// is typed one character at a time, each into the answer box that has the focus by then,
// so a box of one character that moves the focus on loses none of it; each box takes one
// answer of it at most.
class AnswerBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit AnswerBox(QWidget* parent = nullptr);

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  // Types text as the keys for it would.
  void typeText(const QString& text);

 protected:
  void inputMethodEvent(QInputMethodEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  bool takesTyping() const;
};

}  // namespace games
