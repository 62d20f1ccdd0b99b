// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/block/BlockGame.h"

#include "games/framework/AnswerBox.h"
#include "platform/core/Twips.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/Shape.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace games::block {

namespace {
using platform::twipsToPx;

const QColor kColumnColours[kMaxColumns] = {
    QColor(0xFF, 0x99, 0x99), QColor(0xFF, 0xCC, 0x88), QColor(0xEE, 0xEE, 0x77), QColor(0x99, 0xDD, 0x99),
    QColor(0x88, 0xDD, 0xEE), QColor(0x99, 0xAA, 0xFF), QColor(0xDD, 0x99, 0xEE), QColor(0xCC, 0xBB, 0x99)};

QStringList columnChoices() {
  QStringList items;
  for (int k = 1; k <= kMaxColumns; ++k) items.append(QString::number(k));
  return items;
}

int blockTop(int block) { return 3075 - 375 * (block - 1); }  // twips; block 1 is the bottom one
}  // namespace

GameProfile BlockGame::profile() {
  GameProfile p;
  p.windowName = QStringLiteral("frmG2");
  p.caption = QStringLiteral("ブロック計算ドリル");
  p.itemName = QStringLiteral("ブロック計算");
  p.rules = {.speedBy = PlayEngine::SpeedBy::Keystrokes};
  p.choices.extras = {columnChoices()};
  p.playIntervalMs = 50;
  p.hintCaption = QStringLiteral("数値ナビ");
  p.hintTip = QStringLiteral("各列のブロックの数を、列の上に表示します");
  p.settingsLayout = {SettingField::Kaisu, SettingField::Jikan, SettingField::ExtraNumber,
                      SettingField::Mode,  SettingField::AutoSave, SettingField::Hint};
  p.defaults.extras = {QStringLiteral("3")};
  p.history = keystrokeHistory();
  p.graphButtons = sixGraphButtons(QStringLiteral("文字数"));
  p.playAreaSize = QSize(510, 290);
  return p;
}

BlockGame::BlockGame(QWidget* parent) : GameWindow(profile(), parent) {
  for (int k = 1; k <= kMaxColumns; ++k) {
    const int left = twipsToPx(150 + 900 * (k - 1));
    for (int i = 1; i <= kMaxBlocks; ++i) {
      auto* block = new platform::Shape(platform::Shape::Form::Rectangle, playArea());
      block->setObjectName(QStringLiteral("shp%1(%2)").arg(k).arg(i));
      block->setGeometry(left, twipsToPx(blockTop(i)), twipsToPx(840), twipsToPx(315));
      block->setFillColor(kColumnColours[k - 1]);
      block->hide();
      m_blocks[size_t(k - 1)][size_t(i - 1)] = block;
    }
    auto* count = new QLabel(playArea());
    count->setObjectName(QStringLiteral("lblKei(%1)").arg(k));
    count->setAlignment(Qt::AlignCenter);
    count->setStyleSheet(QStringLiteral("QLabel { font-size: 12pt; font-weight: bold; color: #203060; }"));
    count->resize(twipsToPx(840), twipsToPx(270));
    count->hide();
    m_lblKei[size_t(k - 1)] = count;
  }

  auto* answerCaption = new QLabel(QStringLiteral("答え"), playArea());
  answerCaption->setGeometry(10, 244, 50, 36);
  m_txtKaitou = new AnswerBox(playArea());
  answerCaption->setBuddy(m_txtKaitou);  // names the box for a screen reader
  m_txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
  m_txtKaitou->setGeometry(62, 240, 120, 42);
  m_txtKaitou->setAlignment(Qt::AlignRight);
  m_txtKaitou->setMaxLength(kLongestAnswer);  // a paste cannot make one answer worth thousands of keystrokes
  m_txtKaitou->setStyleSheet(QStringLiteral("QLineEdit { font-size: 20pt; }"));
  connect(m_txtKaitou, &QLineEdit::textChanged, this, &BlockGame::txtKaitou_Change);

  auto* columnsCaption = new QLabel(QStringLiteral("列数"), settingsExtra());
  columnsCaption->setGeometry(40, 12, 50, 28);
  m_cboMode = new QComboBox(settingsExtra());
  m_cboMode->setObjectName(QStringLiteral("cboMode"));
  m_cboMode->setGeometry(92, 12, 72, 28);
  m_cboMode->addItems(columnChoices());
  m_cboMode->setAccessibleName(QStringLiteral("列数"));
  describe(m_cboMode, QStringLiteral("ブロックを積む列の数です。答えは全部の列のブロックの合計です"));
  connect(m_cboMode, &QComboBox::activated, this, &BlockGame::cboMode_Click);
}

void BlockGame::applyGameSettings() {
  m_intRetsu = qBound(1, settings().extras.value(0).toInt(), kMaxColumns);
  m_cboMode->setCurrentText(QString::number(m_intRetsu));
  cboMode_Click();
}

void BlockGame::cboMode_Click() {
  m_intRetsu = m_cboMode->currentText().toInt();
  settings().extras = {QString::number(m_intRetsu)};
  SAVE_SETTEI();
  MAKE_MONDAI();
}

void BlockGame::MAKE_MONDAI() {
  for (auto& column : m_blocks) {
    for (platform::Shape* block : column) block->hide();
  }
  for (QLabel* label : m_lblKei) label->hide();
  m_board = makeBoard(m_intRetsu);
  for (int k = 0; k < m_board.columns; ++k) {
    const int n = m_board.counts[size_t(k)];
    QLabel* label = m_lblKei[size_t(k)];
    label->setText(QString::number(n));
    for (int i = 0; i < n; ++i) m_blocks[size_t(k)][size_t(i)]->show();
    const QWidget* top = m_blocks[size_t(k)][size_t(n - 1)];
    label->move(top->x(), top->y() - twipsToPx(280));
    if (hintOn()) label->show();
  }
}

void BlockGame::onHintChanged(bool on) {
  for (int k = 0; k < m_board.columns; ++k) m_lblKei[size_t(k)]->setVisible(on);
}

void BlockGame::onPlayBegins() {
  MAKE_MONDAI();
  m_txtKaitou->setFocus();
}

void BlockGame::txtKaitou_Change() {
  if (!typedAnswerCounts(m_txtKaitou)) return;
  const Judgement judgement = judge(m_txtKaitou->text(), expectedSum(m_board, m_cboMode->currentText().toInt()));
  if (!judgement.complete) return;

  answerJudged(
      judgement.right, judgement.keystrokes, 150,
      [this](bool on) { setPlayAreaColour(on ? QColor(255, 0, 0) : platform::ColorButton::buttonFace()); },
      [this] { nextQuestion(); });
}

void BlockGame::nextQuestion() {
  MAKE_MONDAI();
  clearAnswers();
}

}  // namespace games::block
