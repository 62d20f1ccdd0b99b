// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/block/BlockQuestion.h"
#include "games/framework/GameWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace platform {
class Shape;
}

namespace games::block {

// The block-count game: count the stacked blocks of one to eight columns.
class BlockGame : public GameWindow {
  Q_OBJECT
 public:
  explicit BlockGame(QWidget* parent = nullptr);

  static GameProfile profile();

  void MAKE_MONDAI();
  void cboMode_Click();
  void txtKaitou_Change();

  const Board& board() const { return m_board; }
  int intRetsu() const { return m_intRetsu; }

 protected:
  void applyGameSettings() override;
  void showFirstBoard() override { MAKE_MONDAI(); }
  void onPlayBegins() override;
  void onHintChanged(bool on) override;
  QString explanation() const override { return block::explanation(); }

 private:
  void nextQuestion();

  std::array<std::array<platform::Shape*, kMaxBlocks>, kMaxColumns> m_blocks{};
  std::array<QLabel*, kMaxColumns> m_lblKei{};
  QComboBox* m_cboMode = nullptr;
  QLineEdit* m_txtKaitou = nullptr;
  Board m_board;
  int m_intRetsu = 3;
};

}  // namespace games::block
