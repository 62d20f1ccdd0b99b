// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ButtonKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

namespace platform {

namespace {
constexpr char kFilterName[] = "enterPressesButtons";

class EnterPressesButtons : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    // Holding the key down presses once, as with Space.
    if (!key->isAutoRepeat() && button->isEnabled()) button->click();
    return true;
  }
};
}  // namespace

void addAccessKey(QWidget* window, QAbstractButton* button, Qt::Key key) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), window);
  QObject::connect(shortcut, &QShortcut::activated, button, [button] {
    if (!button->isEnabled() || !button->isVisible()) return;
    button->setFocus(Qt::ShortcutFocusReason);
    button->click();
  });
}

void installEnterPressesButtons() {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || application->findChild<QObject*>(QLatin1String(kFilterName), Qt::FindDirectChildrenOnly))
    return;
  auto* filter = new EnterPressesButtons(application);
  filter->setObjectName(QLatin1String(kFilterName));
  application->installEventFilter(filter);
}

}  // namespace platform
