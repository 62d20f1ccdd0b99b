// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/clock/ClockRules.h"
#include "games/framework/GameWindow.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace games::clock {

// The clock-time game: the time a given offset later or earlier, typed as six digits.
class ClockGame : public GameWindow {
  Q_OBJECT
 public:
  explicit ClockGame(QWidget* parent = nullptr);

  static GameProfile profile();

  void MAKE_MONDAI();
  void optTani1_Click(int index);
  void txtKaitou_Change();

  const Question& question() const { return m_question; }
  int intTani() const { return m_intTani; }

 protected:
  void applyGameSettings() override;
  void showFirstBoard() override;
  void onPlayBegins() override;
  QString explanation() const override { return clock::explanation(); }

 private:
  void setClockColour(const QColor& colour);
  void nextQuestion();

  QLabel* m_lblKanjiK = nullptr;
  QLabel* m_lblMondai = nullptr;
  QLineEdit* m_txtKaitou = nullptr;
  std::array<QRadioButton*, 3> m_optTani1{};
  Question m_question;
  int m_intTani = 1;
};

}  // namespace games::clock
