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
