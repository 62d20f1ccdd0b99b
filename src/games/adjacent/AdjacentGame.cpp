// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/adjacent/AdjacentGame.h"

#include "games/framework/AnswerBox.h"
#include "games/framework/GameText.h"
#include "games/framework/PlaySaving.h"
#include "platform/core/Twips.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace games::adjacent {

namespace {
using platform::twipsToPx;

const QColor kFresh(0xFF, 0xFF, 0xF0);  // &HF0FFFF&
const QColor kRight(0xC0, 0xFF, 0xC0);  // &HC0FFC0&
const QColor kWrong(0xFF, 0xC0, 0xC0);  // &HC0C0FF&

// The board keeps its sizes and spacing in twips, moved as a whole from where the first
// digit stood (150, 1305) to the top-left corner of the play area.
constexpr int kBoardLeft = 150;
constexpr int kBoardTop = 1305;
constexpr int kInset = 150;  // twips, 10 px
QRect boardRect(int left, int top, int width, int height) {
  return {twipsToPx(left - kBoardLeft + kInset), twipsToPx(top - kBoardTop + kInset), twipsToPx(width),
          twipsToPx(height)};
}
QRect digitRect(int i) { return boardRect(150 + 585 * (i - 1), 1305, 555, 975); }
QRect boxRect(int i) { return boardRect(i == 1 ? 450 : 1005 + 585 * (i - 2), 2340, 570, 975); }
// The right edge of digit 15 and the bottom of the boxes, with the inset on both sides.
constexpr int kBoardWidth = (150 + 585 * 14 + 555 - kBoardLeft) + 2 * kInset;
constexpr int kBoardHeight = (2340 + 975 - kBoardTop) + 2 * kInset;
}  // namespace

GameProfile AdjacentGame::profile() {
  GameProfile p;
  p.windowName = QStringLiteral("frmG1");
  p.caption = QStringLiteral("隣接加減ドリル　ネオ");
  p.itemName = QStringLiteral("隣接加減ネオ");
  p.rules = {.speedBy = PlayEngine::SpeedBy::Answers};
  p.playIntervalMs = 50;
  p.choices.extras = {operationTexts()};
  p.speedCaption = QStringLiteral("解答数／秒");
  p.settingsLayout = {SettingField::Kaisu, SettingField::Jikan, SettingField::ExtraText, SettingField::Mode,
                      SettingField::AutoSave};
  p.defaults.extras = {adjacent::operationText(Operation::Plus)};
  p.history = operationHistory();
  p.graphButtons = fourGraphButtons();
  p.operationFilterName = QStringLiteral("cboMode2");
  p.operations = operationTexts();
  p.operationFilterCaption = QStringLiteral("モード");
  // As wide as the board; as high as the settings, clock and buttons beside it, so that
  // the figures below clear them.
  p.playAreaSize = QSize(twipsToPx(kBoardWidth), 290);
  return p;
}

AdjacentGame::AdjacentGame(QWidget* parent) : GameWindow(profile(), parent) {
  for (int i = 1; i <= kDigits; ++i) {
    auto* digit = new QLabel(playArea());
    digit->setObjectName(QStringLiteral("lblMondai(%1)").arg(i));
    digit->setGeometry(digitRect(i));
    digit->setAlignment(Qt::AlignCenter);
    digit->setStyleSheet(QStringLiteral("QLabel { font-size: 30pt; font-weight: bold; color: #102050; }"));
    m_lblMondai[size_t(i - 1)] = digit;
  }
  for (int i = 1; i <= kBoxes; ++i) {
    auto* answer = new AnswerBox(playArea());
    answer->setObjectName(QStringLiteral("txtKaitou(%1)").arg(i));
    answer->setAccessibleName(QStringLiteral("答え %1").arg(i));
    answer->setGeometry(boxRect(i));
    answer->setAlignment(Qt::AlignCenter);
    answer->setMaxLength(1);
    QFont font = answer->font();
    font.setPointSize(28);
    answer->setFont(font);
    answer->installEventFilter(this);
    connect(answer, &QLineEdit::textChanged, this, [this, i] { txtKaitou_Change(i); });
    m_txtKaitou[size_t(i - 1)] = answer;
    setBoxColour(i, kFresh);
  }

  m_lblRule = addRuleLine(QRect(10, twipsToPx(kBoardHeight) + 12, playArea()->width() - 20, 28));

  auto* caption = new QLabel(QStringLiteral("モード"), settingsExtra());
  caption->setGeometry(40, 12, 50, 28);
  m_cboMode = new QComboBox(settingsExtra());
  m_cboMode->setObjectName(QStringLiteral("cboMode"));
  m_cboMode->setGeometry(92, 12, 72, 28);
  m_cboMode->addItems(operationTexts());
  m_cboMode->setAccessibleName(QStringLiteral("モード"));
  describe(m_cboMode, QStringLiteral("隣り合う数の計算の種類です。答え方は数字の下に表示します"));
  connect(m_cboMode, &QComboBox::activated, this, &AdjacentGame::cboMode_Click);
}

void AdjacentGame::applyGameSettings() {
  m_cboMode->setCurrentText(settings().extras.value(0, adjacent::operationText(Operation::Plus)));
  cboMode_Click();
}

// A change during a play judges the next answer by the new operation; the row stays.
void AdjacentGame::cboMode_Click() {
  m_operation = operationOf(m_cboMode->currentText());
  m_lblRule->setText(ruleLine(m_operation));
  settings().extras = {m_cboMode->currentText()};
  SAVE_SETTEI();
}

QString AdjacentGame::operationText() const { return m_cboMode->currentText(); }

void AdjacentGame::showFirstBoard() {
  for (QLabel* digit : m_lblMondai) digit->clear();
  hideBoxes();
}

void AdjacentGame::onFiguresReset() {
  for (QLabel* digit : m_lblMondai) digit->clear();
  hideBoxes();
  for (int i = 1; i <= kBoxes; ++i) setBoxColour(i, kFresh);
}

void AdjacentGame::hideBoxes() {
  for (QLineEdit* answer : m_txtKaitou) answer->hide();
}

void AdjacentGame::setBoxColour(int index, const QColor& colour) {
  QPalette pal = box(index)->palette();
  pal.setColor(QPalette::Base, colour);
  pal.setColor(QPalette::Text, Qt::black);
  box(index)->setPalette(pal);
}

void AdjacentGame::newRow() {
  m_row = makeRow(m_operation);
  for (int i = 1; i <= kDigits; ++i) m_lblMondai[size_t(i - 1)]->setText(QString::number(m_row[size_t(i - 1)]));
  // Each box names its pair, which a screen reader cannot see above it.
  for (int i = 1; i <= kBoxes; ++i)
    box(i)->setAccessibleName(QStringLiteral("%1 と %2").arg(m_row[size_t(i - 1)]).arg(m_row[size_t(i)]));
  clearAnswers();
  for (int i = 1; i <= kBoxes; ++i) {
    setBoxColour(i, kFresh);
    box(i)->show();
  }
  box(1)->setFocus();
}

void AdjacentGame::txtKaitou_Change(int index) {
  // After a play the boxes keep what they show.
  if (!typedAnswerCounts(box(index), TypedOutside::Kept)) return;
  const Judgement judgement = judge(box(index)->text(), expectedDigit(m_row, index, m_operation));
  setBoxColour(index, judgement.right ? kRight : kWrong);
  recordAnswer(judgement.right, 1);
  const PlayEngine& engine = playEngine();
  showAccuracy(percentText(double(engine.intOk()) / engine.answersGiven()));
  // The answer that ends the play leaves its row on show.
  if (!engine.blnPlay()) return;
  if (index == kBoxes) {
    newRow();
  } else {
    box(index + 1)->setFocus();
  }
}

void AdjacentGame::txtKaitou_Click(int index) { box(index)->clear(); }

bool AdjacentGame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 1; i <= kBoxes; ++i) {
      if (watched == box(i)) txtKaitou_Click(i);
    }
  }
  return GameWindow::eventFilter(watched, event);
}

QString AdjacentGame::detailText(const QString& settingText, const PlayOutcome& play) const {
  return modeDetail(settings().mode, settingText, play.operation);
}

}  // namespace games::adjacent
