// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameWindow.h"
#include "games/reverse/ReverseRules.h"

#include <array>

class QLabel;
class QLineEdit;

namespace platform {
class Shape;
}

namespace games::reverse {

// The reverse-calculation game: given an operator and a result, the player writes any two
// numbers that give it and presses Enter.
class ReverseGame : public GameWindow {
  Q_OBJECT
 public:
  explicit ReverseGame(QWidget* parent = nullptr);

  static GameProfile profile();

  void MAKE_MONDAI();
  // Enter in the answer box; false when the key is left to the box (an empty box).
  bool txtKaitou_KeyPress();

  const Question& question() const { return m_question; }
  // The red flash or the pause after an answer is under way.
  bool isJudging() const { return m_judging; }

 protected:
  void showFirstBoard() override;
  void onFiguresReset() override;
  void onPlayBegins() override;
  QString explanation() const override { return reverse::explanation(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void clearQuestion();
  void setBaseColour(const QColor& colour);
  void afterFeedback();

  std::array<QLabel*, 5> m_lblMondai{};
  platform::Shape* m_shpBase = nullptr;
  QLineEdit* m_txtKaitou = nullptr;
  Question m_question;
  bool m_judging = false;
};

}  // namespace games::reverse
