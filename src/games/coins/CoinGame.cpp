// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/coins/CoinGame.h"

#include "games/coins/CoinPictures.h"
#include "games/framework/AnswerBox.h"
#include "games/framework/PlaySaving.h"
#include "platform/core/Twips.h"
#include "platform/widgets/Shape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace games::coins {

namespace {
using platform::twipsToPx;

const QColor kBase(0, 0, 0);     // QBColor(0)
const QColor kWrong(255, 0, 0);  // QBColor(12)

// The coins keep their sizes and spacing in twips; the board is moved as a whole so that
// it stands centred at the top of the play area.
constexpr int kAreaWidth = 560;
constexpr int kBaseMargin = 12;
constexpr int kFirstLeft = 600;
constexpr int kFirstTop = 1425;
const QSize kSlot(twipsToPx(840), twipsToPx(885));
const int kBoardWidth = twipsToPx(5400 + 840 - kFirstLeft) + 2 * kBaseMargin;
const int kBoardHeight = twipsToPx(2400 + 885 - kFirstTop) + 2 * kBaseMargin;
const int kBoardLeft = (kAreaWidth - kBoardWidth) / 2;
constexpr int kBoardTop = 12;

QRect slotRect(int index) {
  const int row = (index - 1) / 5;
  const int column = (index - 1) % 5;
  const int left = kBoardLeft + kBaseMargin + twipsToPx(1200 * column);
  const int top = kBoardTop + kBaseMargin + twipsToPx(975 * row);
  return {QPoint(left, top), kSlot};
}

QString yen(int value) { return QString::number(value) + QStringLiteral("円"); }
}  // namespace

GameProfile CoinGame::profile() {
  GameProfile p;
  p.windowName = QStringLiteral("frmG6");
  p.caption = QStringLiteral("小銭計算ドリル");
  p.itemName = QStringLiteral("小銭計算");
  p.rules = {.speedBy = PlayEngine::SpeedBy::Keystrokes};
  p.playIntervalMs = 50;
  p.choices.extras = {coinCountItems(), {QStringLiteral("0"), QStringLiteral("1")},
                      {QStringLiteral("0"), QStringLiteral("1")}};
  p.settingsLayout = {SettingField::Kaisu,    SettingField::Jikan,       SettingField::ExtraNumber, SettingField::Mode,
                      SettingField::AutoSave, SettingField::ExtraNumber, SettingField::ExtraNumber};
  p.defaults.extras = {QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("0")};
  p.history = {
      {HistoryField::Date, QStringLiteral("日付"), 1360},      {HistoryField::Time, QStringLiteral("時間"), 960},
      {HistoryField::Answers, QStringLiteral("答数"), 600},    {HistoryField::Ok, QStringLiteral("ＯＫ"), 580},
      {HistoryField::Ng, QStringLiteral("ＮＧ"), 580},         {HistoryField::Keystrokes, QStringLiteral("字数"), 600},
      {HistoryField::Accuracy, QStringLiteral("正解率"), 860}, {HistoryField::Speed, QStringLiteral("秒当たり"), 980},
      {HistoryField::Seconds, QStringLiteral("秒数"), 980},    {HistoryField::Operation, QStringLiteral("Ｍ"), 360, true},
  };
  p.graphButtons = sixGraphButtons(QStringLiteral("字数"));
  // The history keeps the number of coins; its filter comes first, as the game's mode.
  p.operationFilterName = QStringLiteral("cboHide2");
  p.operations = coinCountItems();
  p.operationFilterCaption = QStringLiteral("モード");
  p.operationFilterTip = QStringLiteral("この小銭の数で遊んだプレイだけを表示します（秒数・答数で絞り込むときは先に選びます）");
  // Wide enough for that filter row below it.
  p.playAreaSize = QSize(kAreaWidth, 290);
  return p;
}

CoinGame::CoinGame(QWidget* parent) : GameWindow(profile(), parent), m_intKouka(SET_KOUKA()) {
  m_shpBase = new platform::Shape(platform::Shape::Form::Rectangle, playArea());
  m_shpBase->setObjectName(QStringLiteral("shpBase"));
  m_shpBase->setGeometry(kBoardLeft, kBoardTop, kBoardWidth, kBoardHeight);
  m_shpBase->setFillColor(kBase);
  for (int i = 1; i <= kSlots; ++i) {
    auto* slot = new QLabel(playArea());
    slot->setObjectName(QStringLiteral("imgMondai(%1)").arg(i));
    slot->setGeometry(slotRect(i));
    slot->setAlignment(Qt::AlignCenter);
    // Shown only when a coin has no picture at all.
    slot->setStyleSheet(QStringLiteral("QLabel { color: white; font-size: 12pt; font-weight: bold; }"));
    slot->hide();
    m_imgMondai[size_t(i - 1)] = slot;
  }
  for (int k = 0; k < kDrawnKinds; ++k) {
    const int value = m_intKouka[size_t(k)];
    m_pictures[value] = coinPicture(value, kSlot, devicePixelRatioF());
  }

  const int answerTop = kBoardTop + kBoardHeight + 22;
  auto* answerCaption = new QLabel(QStringLiteral("答え"), playArea());
  answerCaption->setGeometry(kBoardLeft + 96, answerTop + 4, 50, 36);
  m_txtKaitou = new AnswerBox(playArea());
  answerCaption->setBuddy(m_txtKaitou);  // names the box for a screen reader
  m_txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
  m_txtKaitou->setGeometry(kBoardLeft + 148, answerTop, 140, 44);
  m_txtKaitou->setAlignment(Qt::AlignRight);
  m_txtKaitou->setMaxLength(kLongestAnswer);  // a paste cannot make one answer worth thousands of keystrokes
  m_txtKaitou->setStyleSheet(QStringLiteral("QLineEdit { font-size: 20pt; }"));
  connect(m_txtKaitou, &QLineEdit::textChanged, this, &CoinGame::txtKaitou_Change);
  auto* unit = new QLabel(QStringLiteral("円"), playArea());
  unit->setGeometry(kBoardLeft + 292, answerTop + 4, 30, 36);

  auto* modeCaption = new QLabel(QStringLiteral("モード"), settingsExtra());
  modeCaption->setGeometry(0, 0, 56, 26);
  m_cboHide = new QComboBox(settingsExtra());
  m_cboHide->setObjectName(QStringLiteral("cboHide"));
  m_cboHide->setGeometry(58, 0, 64, 26);
  m_cboHide->addItems(coinCountItems());
  m_cboHide->setAccessibleName(QStringLiteral("モード"));
  describe(m_cboHide, QStringLiteral("表示する小銭の数です（このゲームではこれを「モード」と呼びます）"));
  connect(m_cboHide, &QComboBox::activated, this, &CoinGame::cboHide_Click);
  m_chkRand = new QCheckBox(QStringLiteral("小銭数ランダム"), settingsExtra());
  m_chkRand->setObjectName(QStringLiteral("chkRand"));
  m_chkRand->setGeometry(0, 30, 136, 24);
  describe(m_chkRand, QStringLiteral("小銭の数を1問ごとに2から「モード」の数までの間で変えます"));
  connect(m_chkRand, &QCheckBox::toggled, this, &CoinGame::chkRand_Click);
  m_chkKotei = new QCheckBox(QStringLiteral("小銭種固定"), settingsExtra());
  m_chkKotei->setObjectName(QStringLiteral("chkKotei"));
  m_chkKotei->setGeometry(140, 30, 128, 24);
  describe(m_chkKotei, QStringLiteral("1問の小銭をすべて同じ種類にします"));
  connect(m_chkKotei, &QCheckBox::toggled, this, &CoinGame::chkKotei_Click);
}

void CoinGame::applyGameSettings() {
  m_intHide = qBound(kFewestCoins, settings().extras.value(0).toInt(), kSlots);
  m_cboHide->setCurrentText(QString::number(m_intHide));
  const QSignalBlocker quietRand(m_chkRand);
  const QSignalBlocker quietKotei(m_chkKotei);
  m_chkRand->setChecked(settings().extras.value(1) == QStringLiteral("1"));
  m_chkKotei->setChecked(settings().extras.value(2) == QStringLiteral("1"));
}

void CoinGame::cboHide_Click() {
  m_intHide = m_cboHide->currentText().toInt();
  settingChanged();
}

void CoinGame::chkRand_Click() { settingChanged(); }

void CoinGame::chkKotei_Click() { settingChanged(); }

// Every setting of the coins replaces the coins on show at once, also during a play; a
// half-typed answer was for the old coins.
void CoinGame::settingChanged() {
  settings().extras = {QString::number(m_intHide), m_chkRand->isChecked() ? QStringLiteral("1") : QStringLiteral("0"),
                       m_chkKotei->isChecked() ? QStringLiteral("1") : QStringLiteral("0")};
  SAVE_SETTEI();
  MAKE_MONDAI();
  clearAnswers();
  if (playEngine().blnPlay()) m_txtKaitou->setFocus();  // the play goes on at the keyboard
}

void CoinGame::MAKE_MONDAI() {
  for (QLabel* slot : m_imgMondai) slot->hide();
  m_question = makeQuestion(m_intHide, m_chkRand->isChecked(), m_chkKotei->isChecked());
  for (size_t i = 0; i < m_question.coins.size(); ++i) showCoin(m_imgMondai[i], m_question.coins[i]);
}

void CoinGame::showCoin(QLabel* slot, int value) {
  const QPixmap& picture = m_pictures[value];
  if (picture.isNull()) {
    slot->setText(yen(value));
  } else {
    slot->setPixmap(picture);
  }
  slot->setAccessibleName(yen(value));
  slot->show();
}

void CoinGame::onPlayBegins() {
  MAKE_MONDAI();
  clearAnswers();
  m_txtKaitou->setFocus();
}

void CoinGame::txtKaitou_Change() {
  // Only a running play takes answers; the coins on show before it are a preview.
  if (!typedAnswerCounts(m_txtKaitou)) return;
  const Judgement judgement = judge(m_txtKaitou->text(), m_question.intGoukei);
  if (!judgement.complete) return;

  answerJudged(
      judgement.right, judgement.keystrokes, 150, [this](bool on) { m_shpBase->setFillColor(on ? kWrong : kBase); },
      [this] { nextQuestion(); });
}

// New coins while the play runs; the last coins stay on show once it is over.
void CoinGame::nextQuestion() {
  if (playEngine().blnPlay()) MAKE_MONDAI();
  clearAnswers();
}

QString CoinGame::detailText(const QString& settingText, const PlayOutcome& play) const {
  // The coin mode is a number, not an operation: "秒数 : 60  2モード".
  return modeDetail(settings().mode, settingText) + QStringLiteral("  ") + QString::number(play.operation.toInt()) +
         QStringLiteral("モード");
}

}  // namespace games::coins
