// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameWindow.h"
#include "games/table/TableRules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace games::table {

// The grid arithmetic game: fill an N x N table with row digit ○ column digit.
class TableGame : public GameWindow {
  Q_OBJECT
 public:
  explicit TableGame(QWidget* parent = nullptr);

  static GameProfile profile();

  void cboKeisan_Click();
  void chkRial_Click();
  void txtKai_GotFocus(int k);
  void txtKai_Change(int k);

  void DRAW_DIGITS();
  void CALC_ANSWERS();
  void SHOW_ANSWERS();
  void CLEAR_TABLE();
  void CLEAR_CELLS();
  void JUDGE_TABLE();
  void JUDGE_TYPED();

  const Digits& digits() const { return m_digits; }
  const Answers& answers() const { return m_answers; }
  Operation operation() const { return m_operation; }
  int intKaisu() const { return m_intKaisu; }

 protected:
  void applyGameSettings() override;
  void showFirstBoard() override;
  // The worked table stays at load; a start clears the table itself.
  void clearAnswers() override {}
  void onFiguresReset() override;
  void onPlayBegins() override;
  void onHintChanged(bool on) override;
  void onTimeUp() override;
  void onPlayEnded() override;
  void onAnswersPerPlayChanged() override;
  QString operationText() const override { return signOf(m_playOperation); }
  QString detailText(const QString& settingText, const PlayOutcome& play) const override;
  QString explanation() const override { return table::explanation(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showTable();
  void showSign();
  void showDigits();
  void showJudgement(const TableJudgement& judgement);
  void setCellsEditable(bool editable);
  void focusCell(int k);
  CellTexts cellTexts() const;
  int sizeLimit() const;

  std::array<QLineEdit*, kCells> m_txtKai{};
  std::array<QLabel*, kSize + 1> m_lblV{};  // 0: the corner
  std::array<QLabel*, kSize> m_lblH{};      // column c at c - 1
  QComboBox* m_cboKeisan = nullptr;
  QCheckBox* m_chkRial = nullptr;
  QLabel* m_lblRule = nullptr;

  Operation m_operation = Operation::Plus;
  Operation m_playOperation = Operation::Plus;  // what the shown answers were made for
  Digits m_digits;
  Answers m_answers{};
  int m_intKaisu = kSize;
  int m_intRial = 0;
  int m_focused = 0;
  bool m_filling = false;
};

}  // namespace games::table
