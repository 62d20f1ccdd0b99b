// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/coins/CoinRules.h"
#include "games/framework/GameWindow.h"

#include <map>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace platform {
class Shape;
}

namespace games::coins {

// The coin-sum game: add up two to ten coins of 1 to 100 yen.
class CoinGame : public GameWindow {
  Q_OBJECT
 public:
  explicit CoinGame(QWidget* parent = nullptr);

  static GameProfile profile();

  void MAKE_MONDAI();
  void cboHide_Click();
  void chkRand_Click();
  void chkKotei_Click();
  void txtKaitou_Change();

  const Question& question() const { return m_question; }
  int intHide() const { return m_intHide; }

 protected:
  void applyGameSettings() override;
  void showFirstBoard() override { MAKE_MONDAI(); }
  void onPlayBegins() override;
  QString operationText() const override { return QString::number(m_intHide); }
  QString detailText(const QString& settingText, const PlayOutcome& play) const override;
  QString explanation() const override { return coins::explanation(); }

 private:
  void showCoin(QLabel* slot, int value);
  void settingChanged();
  void nextQuestion();

  std::array<QLabel*, kSlots> m_imgMondai{};
  platform::Shape* m_shpBase = nullptr;
  QComboBox* m_cboHide = nullptr;
  QCheckBox* m_chkRand = nullptr;
  QCheckBox* m_chkKotei = nullptr;
  QLineEdit* m_txtKaitou = nullptr;
  std::map<int, QPixmap> m_pictures;  // loaded once per window
  std::array<int, 6> m_intKouka{};
  Question m_question;
  int m_intHide = 5;
};

}  // namespace games::coins
