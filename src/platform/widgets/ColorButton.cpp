#include "platform/widgets/ColorButton.h"

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

void markSelected(std::initializer_list<ColorButton*> group, ColorButton* selected, const QColor& colour) {
  for (ColorButton* button : group) {
    if (button == selected) {
      button->setBackColor(colour);
    } else {
      button->setButtonFace();
    }
  }
}

}  // namespace platform
