// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/clock/ClockGame.h"

#include "games/framework/AnswerBox.h"
#include "platform/core/Clock.h"
#include "records/PlayRecord.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace games::clock {

namespace {
const QColor kClockFace(0, 128, 0);  // &H8000&
const QColor kWrong(255, 0, 0);      // QBColor(12)

QStringList rangeChoices() { return {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}; }
}  // namespace

GameProfile ClockGame::profile() {
  GameProfile p;
  p.windowName = QStringLiteral("frmG7");
  p.caption = QStringLiteral("時間計算ドリル");
  p.itemName = QStringLiteral("時間計算");
  p.rules = {.speedBy = PlayEngine::SpeedBy::Keystrokes};
  p.playIntervalMs = 50;
  p.choices.extras = {rangeChoices()};
  p.settingsLayout = {SettingField::Kaisu, SettingField::Jikan, SettingField::ExtraNumber, SettingField::Mode,
                      SettingField::AutoSave};
  p.defaults.extras = {QStringLiteral("1")};
  p.history = keystrokeHistory();
  p.graphButtons = sixGraphButtons(QStringLiteral("文字数"));
  p.playAreaSize = QSize(510, 290);
  return p;
}

ClockGame::ClockGame(QWidget* parent) : GameWindow(profile(), parent) {
  m_lblKanjiK = new QLabel(playArea());
  m_lblKanjiK->setObjectName(QStringLiteral("lblKanjiK"));
  m_lblKanjiK->setGeometry(95, 16, 320, 86);
  m_lblKanjiK->setAlignment(Qt::AlignCenter);
  m_lblKanjiK->setAutoFillBackground(true);
  QFont clockFont(QStringLiteral("Monospace"));
  clockFont.setPixelSize(52);
  clockFont.setBold(true);
  m_lblKanjiK->setFont(clockFont);
  QPalette clockColours = m_lblKanjiK->palette();
  clockColours.setColor(QPalette::WindowText, Qt::white);
  m_lblKanjiK->setPalette(clockColours);
  setClockColour(kClockFace);

  m_lblMondai = new QLabel(playArea());
  m_lblMondai->setObjectName(QStringLiteral("lblMondai"));
  m_lblMondai->setGeometry(10, 116, 490, 50);
  m_lblMondai->setAlignment(Qt::AlignCenter);
  QFont questionFont = m_lblMondai->font();
  questionFont.setPixelSize(28);
  questionFont.setBold(true);
  m_lblMondai->setFont(questionFont);

  auto* answerCaption = new QLabel(QStringLiteral("答え"), playArea());
  answerCaption->setGeometry(118, 196, 50, 36);
  m_txtKaitou = new AnswerBox(playArea());
  answerCaption->setBuddy(m_txtKaitou);  // names the box for a screen reader
  m_txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
  m_txtKaitou->setGeometry(170, 190, 170, 46);
  m_txtKaitou->setAlignment(Qt::AlignCenter);
  m_txtKaitou->setMaxLength(kAnswerLength);
  m_txtKaitou->setStyleSheet(QStringLiteral("QLineEdit { font-size: 22pt; }"));
  connect(m_txtKaitou, &QLineEdit::textChanged, this, &ClockGame::txtKaitou_Change);
  auto* format = new QLabel(QStringLiteral("（時分秒 ６桁）"), playArea());
  format->setGeometry(346, 196, 150, 36);

  const QStringList captions = rangeCaptions();
  const char* const ranges[] = {"前後にずらす時間を30秒未満にします", "前後にずらす時間を30分未満にします",
                                "前後にずらす時間を2時間未満にします"};
  // Side by side while they fit the room at the font's width, else on a second row.
  const int room = settingsExtra()->width();
  QPoint at(0, 2);
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(captions[i], settingsExtra());
    option->setObjectName(QStringLiteral("optTani1(%1)").arg(i));
    const QSize size = option->sizeHint();
    if (at.x() > 0 && at.x() + size.width() > room) at = QPoint(0, at.y() + 26);
    option->setGeometry(QRect(at, QSize(std::min(size.width(), room), 24)));
    at.rx() += size.width() + 8;
    describe(option, QString::fromUtf8(ranges[i]));
    connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optTani1_Click(i);
    });
    m_optTani1[size_t(i)] = option;
  }
}

void ClockGame::applyGameSettings() {
  m_intTani = qBound(0, settings().extras.value(0).toInt(), 2);
  for (QRadioButton* option : m_optTani1) option->blockSignals(true);
  m_optTani1[size_t(m_intTani)]->setChecked(true);
  for (QRadioButton* option : m_optTani1) option->blockSignals(false);
}

// The range applies from the next question on; the one on show stays.
void ClockGame::optTani1_Click(int index) {
  m_intTani = index;
  settings().extras = {QString::number(m_intTani)};
  SAVE_SETTEI();
  if (playEngine().blnPlay()) m_txtKaitou->setFocus();  // the play goes on at the keyboard
}

// The time of day until the first question.
void ClockGame::showFirstBoard() {
  m_lblKanjiK->setText(records::recordTime(platform::Clock::timeOfDay()));
  m_lblMondai->clear();
}

void ClockGame::MAKE_MONDAI() {
  m_question = makeQuestion(m_intTani);
  m_lblKanjiK->setText(m_question.strJikoku);
  m_lblMondai->setText(m_question.strShiji);
}

void ClockGame::setClockColour(const QColor& colour) {
  QPalette pal = m_lblKanjiK->palette();
  pal.setColor(QPalette::Window, colour);
  m_lblKanjiK->setPalette(pal);
}

void ClockGame::onPlayBegins() {
  MAKE_MONDAI();
  clearAnswers();
  m_txtKaitou->setFocus();
}

void ClockGame::txtKaitou_Change() {
  if (!typedAnswerCounts(m_txtKaitou)) return;
  const Judgement judgement = judge(m_txtKaitou->text(), m_question.strSeikai);
  if (!judgement.complete) return;

  answerJudged(
      judgement.right, judgement.keystrokes, 150, [this](bool on) { setClockColour(on ? kWrong : kClockFace); },
      [this] { nextQuestion(); });
}

// A new question while the play runs; the last one stays on show once it is over.
void ClockGame::nextQuestion() {
  if (playEngine().blnPlay()) MAKE_MONDAI();
  clearAnswers();
}

}  // namespace games::clock
