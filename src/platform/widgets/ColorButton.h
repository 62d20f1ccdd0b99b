// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPainter>
#include <QPushButton>

#include <initializer_list>
#include <span>

namespace platform {

// A button whose background colour marks a choice in force. The colour is the state that
// the screens read back, so it is kept exactly as set and painted as a flat fill.
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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paintFocusFrame(QPainter& painter) const;
  void speakSelection();

  QColor m_color;
};

// The colours that mark a choice in force, which the screens read back.
inline const QColor kSelectedFilter{255, 255, 192};  // a filter, a period, "全部表示"
inline const QColor kSelectedGraph{192, 255, 255};   // the graph on show

// Marks one button of a group with a colour and gives the others the button face.
void markSelected(std::span<ColorButton* const> group, ColorButton* selected, const QColor& colour);
void markSelected(std::initializer_list<ColorButton*> group, ColorButton* selected, const QColor& colour);
// The button of a group that carries the colour; nullptr when none does.
ColorButton* selectedButton(std::span<ColorButton* const> group, const QColor& colour);
ColorButton* selectedButton(std::initializer_list<ColorButton*> group, const QColor& colour);

}  // namespace platform
