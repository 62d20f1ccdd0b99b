// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ColorButton.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace platform {

ColorButton::ColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setButtonFace();
}

void ColorButton::setBackColor(const QColor& color) {
  m_color = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Button, color);
  setPalette(pal);
  speakSelection();
  update();
}

// The colour says which choice is in force; a screen reader hears it in the name.
void ColorButton::speakSelection() {
  static const QString kSelected = QStringLiteral("（選択中）");
  QString name = accessibleName();
  if (name.endsWith(kSelected)) name.chop(kSelected.size());
  if (isButtonFace()) {
    setAccessibleName(name == text() ? QString() : name);
  } else {
    setAccessibleName((name.isEmpty() ? text() : name) + kSelected);
  }
}

QColor ColorButton::buttonFace() { return QApplication::palette().color(QPalette::Button); }

// The style's focus line is one faint pixel; a keyboard user must see the focus at a glance,
// on a coloured button too.
void ColorButton::paintFocusFrame(QPainter& painter) const {
  if (!hasFocus()) return;
  QPen pen(palette().color(QPalette::Highlight), 3);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
}

void ColorButton::paintEvent(QPaintEvent* event) {
  if (isButtonFace()) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    paintFocusFrame(painter);
    return;
  }
  // The style would wash the colour out with a gradient; the colour is the state the user
  // reads, so it is filled flat.
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const bool pressed = isDown() || isChecked();
  const QRect outer = rect();
  painter.fillRect(outer, palette().color(QPalette::Window).darker(150));
  painter.fillRect(outer.adjusted(1, 1, -1, -1), pressed ? m_color.darker(120) : m_color);
  if (pressed) {
    // A shadow along the top and left edges: the button sinks in.
    const QColor shadow = m_color.darker(160);
    painter.fillRect(QRect(outer.left() + 1, outer.top() + 1, outer.width() - 2, 1), shadow);
    painter.fillRect(QRect(outer.left() + 1, outer.top() + 1, 1, outer.height() - 2), shadow);
    option.rect.translate(1, 1);
  }
  paintFocusFrame(painter);
  painter.drawControl(QStyle::CE_PushButtonLabel, option);
}

void markSelected(std::span<ColorButton* const> group, ColorButton* selected, const QColor& colour) {
  for (ColorButton* button : group) {
    if (button == selected) {
      button->setBackColor(colour);
    } else {
      button->setButtonFace();
    }
  }
}

void markSelected(std::initializer_list<ColorButton*> group, ColorButton* selected, const QColor& colour) {
  markSelected(std::span(group.begin(), group.size()), selected, colour);
}

ColorButton* selectedButton(std::span<ColorButton* const> group, const QColor& colour) {
  for (ColorButton* button : group) {
    if (button->backColor() == colour) return button;
  }
  return nullptr;
}

ColorButton* selectedButton(std::initializer_list<ColorButton*> group, const QColor& colour) {
  return selectedButton(std::span(group.begin(), group.size()), colour);
}

}  // namespace platform
