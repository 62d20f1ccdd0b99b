#include "platform/ColorButton.h"

#include <QApplication>

namespace platform {

ColorButton::ColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setButtonFace();
}

void ColorButton::setBackColor(const QColor& color) {
  m_color = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Button, color);
  setPalette(pal);
}

QColor ColorButton::buttonFace() { return QApplication::palette().color(QPalette::Button); }

}  // namespace platform
