// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/AnswerBox.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

namespace games {

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent) {
  // For on-screen keyboards; desktop input methods go by ImEnabled below.
  setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText | Qt::ImhPreferLatin);
}

// Neither WA_InputMethodEnabled nor the hints keep fcitx5 or ibus out of a line edit; a
// focus object that says it takes no input method does.
QVariant AnswerBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled) return false;
  return QLineEdit::inputMethodQuery(query);
}

// An input method that composes anyway: its preedit is never part of the answer, and what
// it commits counts as typed.
void AnswerBox::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  event->accept();
  if (!commit.isEmpty()) typeText(commit);
}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    typeText(QGuiApplication::clipboard()->text());
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void AnswerBox::mouseReleaseEvent(QMouseEvent* event) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && rect().contains(event->position().toPoint())) {
    typeText(clipboard->text(QClipboard::Selection));
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void AnswerBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
    paste->disconnect(this);
    connect(paste, &QAction::triggered, this, [this] { typeText(QGuiApplication::clipboard()->text()); });
  }
  menu->popup(event->globalPos());
}

bool AnswerBox::takesTyping() const { return isEnabled() && isVisible() && !isReadOnly(); }

// Each box takes at most one answer of it, so a long paste is not worth thousands of answers.
void AnswerBox::typeText(const QString& text) {
  QList<const AnswerBox*> answered;
  AnswerBox* target = this;
  for (const QChar c : text) {
    if (!c.isPrint()) continue;
    if (!target->takesTyping() || answered.contains(target)) return;
    target->insert(QString(c));  // judges at once, and may move the focus on
    QWidget* focus = window()->focusWidget();
    auto* next = focus ? qobject_cast<AnswerBox*>(focus) : target;
    if (!next) return;  // the play ended or paused: the rest would have gone elsewhere
    if (next != target || target->text().isEmpty()) answered.append(target);
    target = next;
  }
}

}  // namespace games
