// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/Shape.h"

#include <QPainter>

namespace platform {

Shape::Shape(Form form, QWidget* parent) : QWidget(parent), m_form(form) {}

void Shape::setFillColor(const QColor& color) {
  if (m_fill == color) return;
  m_fill = color;
  update();
}

void Shape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
  painter.setBrush(m_fill);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (m_form == Form::Circle) {
    painter.drawEllipse(box);
  } else {
    painter.drawRect(box);
  }
}

}  // namespace platform
