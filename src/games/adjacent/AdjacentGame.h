// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/adjacent/AdjacentRules.h"
#include "games/framework/GameWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace games::adjacent {

// The adjacent-number game: a row of fifteen digits, and between each two neighbours a
// box for the one digit their combination comes to.
class AdjacentGame : public GameWindow {
  Q_OBJECT
 public:
  explicit AdjacentGame(QWidget* parent = nullptr);

  static GameProfile profile();

  void cboMode_Click();
  void txtKaitou_Change(int index);
  void txtKaitou_Click(int index);

  const Row& row() const { return m_row; }
  Operation operation() const { return m_operation; }

 protected:
  void applyGameSettings() override;
  void showFirstBoard() override;
  void onFiguresReset() override;
  void onPlayBegins() override { newRow(); }
  QString operationText() const override;
  QString detailText(const QString& settingText, const PlayOutcome& play) const override;
  QString explanation() const override { return adjacent::explanation(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* box(int index) const { return m_txtKaitou[size_t(index - 1)]; }
  void setBoxColour(int index, const QColor& colour);
  void hideBoxes();
  void newRow();

  std::array<QLabel*, kDigits> m_lblMondai{};
  std::array<QLineEdit*, kBoxes> m_txtKaitou{};
  QComboBox* m_cboMode = nullptr;
  QLabel* m_lblRule = nullptr;
  Row m_row{};
  Operation m_operation = Operation::Plus;
};

}  // namespace games::adjacent
