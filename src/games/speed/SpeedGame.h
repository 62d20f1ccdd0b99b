// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameWindow.h"
#include "games/speed/SpeedRules.h"

#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class DataGrid;
}

namespace games::speed {

// The speed arithmetic game: numbers flash one after another; the player keeps the running
// total in the head and types it when the question mark shows.
class SpeedGame : public GameWindow {
  Q_OBJECT
 public:
  explicit SpeedGame(QWidget* parent = nullptr);

  static GameProfile profile();

  void cboKeisan_Click();
  void cboCount_Click();
  void cboHyouji_Click();
  void cboKeta_Click();
  void cmdRireki_Click();
  void msgKeiRireki_DblClick();
  void txtKaitou_Change();
  void MAKE_MONDAI();
  void DISP_KEIRIREKI_HEAD();

  int intGoukei() const { return m_intGoukei; }
  // The numbers of a question are on show; the answer box waits for the question mark.
  bool isFlashing() const { return m_flashing; }
  const QuestionSettings& questionSettings() const { return m_settings; }

 protected:
  void applyGameSettings() override;
  void showFirstBoard() override;
  void onFiguresReset() override;
  void onCountdownEnded() override;
  void onPlayBegins() override;
  void onPlayEnded() override;
  QString operationText() const override { return signOf(m_settings.operation); }
  QString detailText(const QString& settingText, const PlayOutcome& play) const override;
  QString explanation() const override { return speed::explanation(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showSettings();
  void saveExtras();
  void showNextNumber();
  void askForTheTotal();
  void keepAnswerBoxAway();
  void addQuestionRow(int step, int number, int total);
  void showQuestionRow(const std::array<int, 3>& asked);
  void coverQuestionHistory(bool covered);

  QLabel* m_lblKanjiK = nullptr;
  QLabel* m_lblMidashi = nullptr;
  QLineEdit* m_txtKaitou = nullptr;
  platform::DataGrid* m_msgKeiRireki = nullptr;
  QPushButton* m_cmdRireki = nullptr;
  std::vector<std::array<int, 3>> m_asked;  // step, number, running total of this play
  QComboBox* m_cboKeisan = nullptr;
  QComboBox* m_cboCount = nullptr;
  QComboBox* m_cboHyouji = nullptr;
  QComboBox* m_cboKeta = nullptr;

  QuestionSettings m_settings;  // strKeisan, intSyutudai, intKeta
  QString m_strHyouji = QStringLiteral("1.0");
  int m_intGoukei = 0;

  // The question under way: its settings as they were when it began, the numbers shown.
  QuestionSettings m_question;
  int m_step = 0;
  std::optional<int> m_shown;
  bool m_flashing = false;
};

}  // namespace games::speed
