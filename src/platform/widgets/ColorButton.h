#pragma once

#include <QColor>
#include <QPushButton>
#include <initializer_list>

namespace platform {

// A button whose background colour marks a choice in force. The colour is the state that
// the screens read back, so it is kept exactly as set.
class ColorButton : public QPushButton {
  Q_OBJECT
 public:
  explicit ColorButton(const QString& text = {}, QWidget* parent = nullptr);

  void setBackColor(const QColor& color);
  QColor backColor() const { return m_color; }
  void setButtonFace() { setBackColor(buttonFace()); }
  bool isButtonFace() const { return m_color == buttonFace(); }

  // The normal colour of every button.
  static QColor buttonFace();

 private:
  QColor m_color;
};

// Marks one button of a group with a colour and gives the others the button face.
void markSelected(std::initializer_list<ColorButton*> group, ColorButton* selected, const QColor& colour);

}  // namespace platform
