// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/reverse/ReverseGame.h"

#include "games/framework/AnswerBox.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/Twips.h"
#include "platform/widgets/Shape.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace games::reverse {

namespace {
using platform::twipsToPx;

const QColor kDarkCyan(0, 128, 128);  // &H808000&
const QColor kRed(255, 0, 0);         // QBColor(12)

// The labels keep their sizes and spacing in twips, moved as a whole from where the first
// number stood to near the play area's top-left corner.
constexpr int kFirstLeft = 225;
constexpr int kInsetPx = 10;
constexpr int kTopPx = 48;
constexpr int kLabelHeight = 990;
constexpr int kLongestAnswer = 24;
QRect labelRect(int left, int width) {
  return {twipsToPx(left - kFirstLeft) + kInsetPx, kTopPx, twipsToPx(width), twipsToPx(kLabelHeight)};
}

struct LabelPlace {
  int left;
  int width;
  bool number;
};
// By index: the result, the operator, "=", the first and the second number.
constexpr LabelPlace kPlaces[5] = {{6375, 2475, true}, {2325, 975, false}, {5400, 975, false},
                                   {225, 2175, true},  {3225, 2175, true}};
constexpr int kRightEdgeTwips = 6375 + 2475;
}  // namespace

GameProfile ReverseGame::profile() {
  GameProfile p;
  p.windowName = QStringLiteral("frmG5");
  p.caption = QStringLiteral("逆計算ドリル");
  p.itemName = QStringLiteral("逆計算");
  // A play of answers ends after the feedback of its last answer.
  p.rules = {.speedBy = PlayEngine::SpeedBy::Keystrokes, .endsOnAnswerCount = false, .showsRemainingSeconds = false};
  p.playIntervalMs = 50;
  p.settingsLayout = {SettingField::Kaisu, SettingField::Jikan, SettingField::Mode, SettingField::AutoSave};
  p.defaults.kaisu = 20;
  p.defaults.jikan = 60;
  p.history = keystrokeHistory();
  p.graphButtons = sixGraphButtons(QStringLiteral("字数"));
  p.playAreaSize = QSize(twipsToPx(kRightEdgeTwips - kFirstLeft) + 2 * kInsetPx, 290);
  return p;
}

ReverseGame::ReverseGame(QWidget* parent) : GameWindow(profile(), parent) {
  m_shpBase = new platform::Shape(platform::Shape::Form::Rectangle, playArea());
  m_shpBase->setObjectName(QStringLiteral("shpBase"));
  m_shpBase->setGeometry(playArea()->contentsRect());
  setBaseColour(kDarkCyan);

  for (int i = 0; i < 5; ++i) {
    const LabelPlace& place = kPlaces[i];
    auto* label = new QLabel(playArea());
    label->setObjectName(QStringLiteral("lblMondai(%1)").arg(i));
    label->setGeometry(labelRect(place.left, place.width));
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPixelSize(44);
    font.setBold(true);
    label->setFont(font);
    QPalette pal = label->palette();
    if (place.number) {
      label->setAutoFillBackground(true);
      label->setFrameShape(QFrame::Panel);
      label->setFrameShadow(QFrame::Sunken);
      pal.setColor(QPalette::Window, QColor(255, 255, 255));
      pal.setColor(QPalette::WindowText, QColor(0, 0, 0));
    } else {
      pal.setColor(QPalette::WindowText, QColor(255, 255, 255));
    }
    label->setPalette(pal);
    m_lblMondai[size_t(i)] = label;
  }

  auto* caption = new QLabel(QStringLiteral("解答欄"), playArea());
  caption->setGeometry(110, 172, 90, 52);
  caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QPalette captionPal = caption->palette();
  captionPal.setColor(QPalette::WindowText, QColor(255, 255, 255));
  caption->setPalette(captionPal);
  QFont captionFont = caption->font();
  captionFont.setPixelSize(18);
  captionFont.setBold(true);
  caption->setFont(captionFont);
  m_txtKaitou = new AnswerBox(playArea());
  caption->setBuddy(m_txtKaitou);  // names the box for a screen reader
  m_txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
  m_txtKaitou->setGeometry(210, 172, 260, 52);
  m_txtKaitou->setMaxLength(kLongestAnswer);  // a paste cannot be worth thousands of keystrokes
  QFont answerFont = m_txtKaitou->font();
  answerFont.setPixelSize(30);
  m_txtKaitou->setFont(answerFont);
  m_txtKaitou->installEventFilter(this);
  QLabel* rule = addRuleLine(QRect(10, 232, playArea()->width() - 20, 28));
  rule->setText(QStringLiteral("例：2*8 と入力して Enter（×は *、÷は /）"));
  rule->setPalette(captionPal);
}

void ReverseGame::setBaseColour(const QColor& colour) { m_shpBase->setFillColor(colour); }

void ReverseGame::clearQuestion() {
  for (QLabel* label : m_lblMondai) label->clear();
}

// No question before the first start.
void ReverseGame::showFirstBoard() { clearQuestion(); }

void ReverseGame::onFiguresReset() {
  m_judging = false;
  m_txtKaitou->setReadOnly(false);
  setBaseColour(kDarkCyan);
  clearQuestion();
}

void ReverseGame::onPlayBegins() {
  MAKE_MONDAI();
  m_txtKaitou->setFocus();
}

void ReverseGame::MAKE_MONDAI() {
  m_question = makeQuestion();
  m_lblMondai[0]->setText(QString::number(m_question.intMokuhyo));
  m_lblMondai[1]->setText(signOf(m_question.strEnzan));
  m_lblMondai[2]->setText(QStringLiteral("="));
  m_lblMondai[3]->setText(QStringLiteral("?"));
  m_lblMondai[4]->setText(QStringLiteral("?"));
}

bool ReverseGame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_txtKaitou && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && txtKaitou_KeyPress()) return true;
  }
  return GameWindow::eventFilter(watched, event);
}

// The question is read back from the labels that show it.
bool ReverseGame::txtKaitou_KeyPress() {
  const QString text = m_txtKaitou->text();
  if (text.isEmpty()) return false;
  // The answer on show is still being judged, or no question is asked.
  if (m_judging || !typedAnswerCounts(m_txtKaitou)) return true;
  const std::optional<Operator> op = operatorOf(m_lblMondai[1]->text());
  if (!op) return true;
  const Judgement judgement = judge(text, *op, platform::leadingNumber(m_lblMondai[0]->text()));
  if (judgement.signFound) {
    m_lblMondai[3]->setText(operandText(judgement.a));
    m_lblMondai[4]->setText(operandText(judgement.b));
  }
  if (!judgement.right) setBaseColour(kRed);
  recordAnswer(judgement.right, judgement.keystrokes);
  m_judging = true;
  m_txtKaitou->setReadOnly(true);
  after(judgement.feedbackMs(), [this] { afterFeedback(); });
  return true;
}

void ReverseGame::afterFeedback() {
  m_judging = false;
  m_txtKaitou->setReadOnly(false);
  setBaseColour(kDarkCyan);
  if (!playEngine().blnPlay()) return;  // the time ran out meanwhile
  if (playEngine().mode() == PlayEngine::Mode::Answers && playEngine().answersGiven() >= answersPerPlay()) {
    playEngine().finishPlay();
    return;
  }
  clearAnswers();
  MAKE_MONDAI();
  m_txtKaitou->setFocus();
}

}  // namespace games::reverse
