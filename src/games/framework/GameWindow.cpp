// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/GameWindow.h"

#include "games/framework/AnswerBox.h"
#include "games/framework/PersonalBest.h"
#include "games/framework/PlaySaving.h"
#include "platform/core/Clock.h"
#include "platform/core/RunState.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "platform/widgets/HelpTour.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/Shape.h"
#include "records/Backups.h"
#include "records/PlayRecord.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace games {

namespace {
std::function<void()>& returnToMain() {
  static std::function<void()> show;
  return show;
}

QString& setumei() {
  static QString text;
  return text;
}

const bool registered = platform::onResetRunState([] {
  returnToMain() = {};
  setumei().clear();
});

const QString kUnsavedPlay = QStringLiteral("保存していないプレイがあります。保存せずに続けますか？");
}  // namespace

void GameWindow::setReturnToMain(std::function<void()> show) { returnToMain() = std::move(show); }

const QString& GameWindow::gstrSetumei() { return setumei(); }

GameWindow::~GameWindow() = default;

void GameWindow::connectEngine() {
  connect(&m_engine, &PlayEngine::figuresReset, this, [this] {
    clearAnswers();
    m_playSaved = false;
    m_lblHozon->clear();
    m_lblBest->clear();
    m_lblBest->setAccessibleName({});
    m_history->setSpokenResult({});
    m_shpJikanK->resize(m_intHaba, m_shpJikanK->height());
    setFigure(m_lblRitu, {});
    setFigure(m_lblByou, {});
    showFigures();
    onFiguresReset();
  });
  connect(&m_engine, &PlayEngine::countdownPicture, this, [this](int number) {
    for (QLabel* picture : m_imgStart) picture->hide();
    if (number >= 1 && number <= 3) m_imgStart[size_t(number - 1)]->show();
  });
  connect(&m_engine, &PlayEngine::countdownEnded, this, [this] { onCountdownEnded(); });
  connect(&m_engine, &PlayEngine::playBegan, this, [this] { onPlayBegins(); });
  connect(&m_engine, &PlayEngine::timeUp, this, [this] { onTimeUp(); });
  connect(&m_engine, &PlayEngine::clockChanged, this, [this] {
    showClock(m_engine.clockText());
    if (m_engine.mode() == PlayEngine::Mode::Seconds && m_engine.blnPlay()) {
      m_shpJikanK->resize(m_engine.barWidth(m_intHaba), m_shpJikanK->height());
    }
  });
  connect(&m_engine, &PlayEngine::playClockRunning, this, [this](bool running) {
    if (running) {
      m_tmrPlay.start();
    } else {
      m_tmrPlay.stop();
    }
  });
  connect(&m_engine, &PlayEngine::figuresChanged, this, [this] {
    if (m_figuresLive || !m_engine.blnPlay()) showFigures();
  });
  connect(&m_engine, &PlayEngine::playEnded, this, [this] {
    m_cmdStart->setEnabled(true);
    for (QLabel* picture : m_imgStart) picture->hide();  // the light goes off with the play
    setFigure(m_lblRitu, m_engine.accuracyText());
    setFigure(m_lblByou, m_engine.speedText());
    onPlayEnded();
    if (m_engine.answersGiven() == 0) {
      showNothingToSave();
    } else {
      showPersonalBest();  // before the play joins the history it is compared with
      if (m_settings.autoSave == 1) cmdHozon_Click();
    }
    // Not the start button: the Enter a player presses out of habit after the last answer
    // must not throw the result away with a new play.
    m_history->setSpokenResult(resultLine());
    m_history->focusNewestHistoryRow();
  });
}

QString GameWindow::resultLine() const {
  const QString result =
      QStringLiteral("正解 %1、不正解 %2、正解率 %3、%4 %5、%6")
          .arg(m_engine.intOk())
          .arg(m_engine.intNg())
          .arg(m_lblRitu->text(), m_profile.speedCaption, m_lblByou->text(),
               m_lblHozon->text().isEmpty() ? QStringLiteral("保存していません") : m_lblHozon->text());
  return m_lblBest->text().isEmpty() ? result : result + QStringLiteral("、") + m_lblBest->text();
}

void GameWindow::showPersonalBest() {
  const PlayOutcome play = outcomeOf(m_engine, platform::Clock::now(), operationText());
  const PlaySetting setting{m_engine.mode() == PlayEngine::Mode::Seconds, play.answers,
                            platform::seq::floatText(play.seconds), play.operation};
  const QString line =
      personalBestLine(m_history->historyRecords(), m_profile.history, m_profile.choices.jikanItems(), setting, play);
  m_lblBest->setText(line);
  m_lblBest->setAccessibleName(line);
}

// The clock ticks ten or twenty times a second: its accessible name stays, so that it does
// not flood a screen reader, and its description follows whole seconds.
void GameWindow::showClock(const QString& text) {
  m_lblJikan->setText(text);
  const QString seconds = text.section(QLatin1Char('.'), 0, 0);
  const QString spoken = seconds.isEmpty() ? QString() : seconds + QStringLiteral("秒");
  if (m_lblJikan->accessibleDescription() != spoken) m_lblJikan->setAccessibleDescription(spoken);
  m_lblJikanUnit->setVisible(!text.isEmpty());  // no unit without a number
}

void GameWindow::showFigures() {
  setFigure(m_lblOk, QString::number(m_engine.intOk()));
  setFigure(m_lblNg, QString::number(m_engine.intNg()));
  setFigure(m_lblMojiT, QString::number(m_engine.answersGiven()));
}

void GameWindow::Form_Load() {
  m_loading = true;
  m_history->cmdAllDsp_Click();

  const SettingsRead read =
      readSettings(m_profile.settingsFile(), m_profile.settingsLayout, m_profile.defaults, m_profile.choices);
  m_settings = read.settings;
  if (!read.error.isEmpty()) {
    // Keep the unreadable file until the player changes a setting.
    m_settingsWritable = false;
    platform::showMessage(this, read.error + QStringLiteral("\r\n初期設定で始めます。"), m_profile.caption,
                          platform::MsgIcon::Exclamation);
  }
  // The controls take the settings quietly; the handlers below run once each.
  if (m_chkHint) {
    const QSignalBlocker quiet(m_chkHint);
    m_chkHint->setChecked(m_settings.hint == 1);
  }
  {
    const QSignalBlocker quiet(m_chkAs);
    m_chkAs->setChecked(m_settings.autoSave == 1);
  }
  chkAs_Click();
  applyGameSettings();

  fillLists();
  m_cboJikan->setCurrentText(QString::number(m_settings.jikan));
  m_cboKaisu->setCurrentText(QString::number(m_settings.kaisu));
  m_engine.setSeconds(m_settings.jikan);
  m_engine.setAnswersPerPlay(m_settings.kaisu);
  const int mode = m_optMode[1]->text() == m_settings.mode ? 1 : 0;
  {
    const QSignalBlocker quiet0(m_optMode[0]);
    const QSignalBlocker quiet1(m_optMode[1]);
    m_optMode[size_t(mode)]->setChecked(true);
  }
  optMode_Click(mode);

  showFirstBoard();
  m_intHaba = m_shpJikanK->width();
  clearAnswers();
  for (QLabel* label : {m_lblOk, m_lblNg, m_lblMojiT, m_lblByou, m_lblRitu}) setFigure(label, {});
  showClock({});

  show();
  m_loading = false;
  if (m_settingsWritable) SAVE_SETTEI();
  m_tmrStart.start();
  m_tmrBp.start();
  arrangeTabOrder();
  m_cmdStart->setFocus();

  setumei() = explanation();
  platform::tourState().strTourMsg = setumei();
  // Once the load is over and the main window gone, so that the box stands over this
  // window alone.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!m_leaving) platform::SHOW_TOUR_MSG(this);
      },
      Qt::QueuedConnection);
}

void GameWindow::fillLists() {
  m_cboJikan->clear();
  m_cboJikan->addItems(m_profile.choices.jikanItems());
  m_cboKaisu->clear();
  m_cboKaisu->addItems(m_profile.choices.kaisuItems());
  m_history->fillLists();
}

void GameWindow::SAVE_SETTEI() {
  if (m_loading) return;
  m_settingsWritable = true;
  const QString error = writeSettings(m_profile.settingsFile(), m_profile.settingsLayout, m_settings);
  // A folder that cannot be written stays so: told once a run, not at every setting.
  if (!error.isEmpty() && platform::firstTimeThisRun(error))
    platform::showMessage(this, error, m_profile.caption, platform::MsgIcon::Exclamation);
}

void GameWindow::cboKaisu_Click() {
  m_settings.kaisu = answersPerPlay();
  m_engine.setAnswersPerPlay(m_settings.kaisu);
  SAVE_SETTEI();
  onAnswersPerPlayChanged();
}

void GameWindow::setAnswersPerPlay(int count) {
  m_cboKaisu->setCurrentText(QString::number(count));
  cboKaisu_Click();
}

int GameWindow::answersPerPlay() const { return m_cboKaisu->currentText().toInt(); }

bool GameWindow::hintOn() const { return m_chkHint && m_chkHint->isChecked(); }

void GameWindow::optMode_Click(int index) {
  m_cboJikan->setEnabled(index == 1);
  m_cboKaisu->setEnabled(index == 0);
  m_engine.setMode(index == 1 ? PlayEngine::Mode::Seconds : PlayEngine::Mode::Answers);
  m_settings.mode = m_optMode[size_t(index)]->text();
  SAVE_SETTEI();
}

void GameWindow::chkAs_Click() {
  m_settings.autoSave = m_chkAs->isChecked() ? 1 : 0;
  SAVE_SETTEI();
  m_cmdHozon->setEnabled(!m_chkAs->isChecked());
  m_chkAs->setText(m_chkAs->isChecked() ? QString() : QStringLiteral("手動保存モード"));
}

void GameWindow::chkHint_Click() {
  m_settings.hint = hintOn() ? 1 : 0;
  SAVE_SETTEI();
  onHintChanged(hintOn());
}

void GameWindow::cmdStart_Click() {
  if (!m_cmdStart->isEnabled() || m_asking) return;
  if (!unsavedPlayMayGo()) return;
  finishWaits();
  m_history->lowerForPlay();
  m_engine.cmdStart_Click();
  m_cmdStart->setEnabled(false);
}

void GameWindow::clearAnswers() {
  for (AnswerBox* box : m_playArea->findChildren<AnswerBox*>()) {
    const QSignalBlocker quiet(box);
    box->clear();
  }
}

void GameWindow::recordAnswer(bool right, int keystrokes) { m_engine.answer(right, keystrokes); }

bool GameWindow::typedAnswerCounts(QLineEdit* box, TypedOutside outside) {
  if (box->text().isEmpty() || showingWrongAnswer()) return false;
  if (playEngine().blnPlay()) return true;
  if (outside == TypedOutside::Kept) return false;
  {
    const QSignalBlocker quiet(box);
    box->clear();
  }
  if (startButton()->isEnabled()) startButton()->setFocus();
  return false;
}

void GameWindow::answerJudged(bool right, int keystrokes, int flashMs, const std::function<void(bool on)>& flash,
                              const std::function<void()>& next) {
  recordAnswer(right, keystrokes);
  if (right) {
    next();
    return;
  }
  // Typing on during the flash must not judge the same answer twice.
  m_showingWrong = true;
  flash(true);
  after(flashMs, [this, flash, next] {
    flash(false);
    m_showingWrong = false;
    next();
  });
}

void GameWindow::cmdHozon_Click() {
  if (m_engine.answersGiven() == 0 || m_engine.blnPlay() || m_engine.blnStart()) return;
  // Saving a play twice is allowed, but it counts the play twice in every total.
  if (m_playSaved &&
      ask(QStringLiteral("このプレイはすでに保存しました。もう一度保存しますか？")) != platform::MsgResult::Ok) {
    return;
  }
  const bool bySeconds = m_engine.mode() == PlayEngine::Mode::Seconds;
  const PlayOutcome play = outcomeOf(m_engine, platform::Clock::now(), operationText());
  const QString settingText = bySeconds ? m_cboJikan->currentText() : m_cboKaisu->currentText();
  const SaveResult saved = savePlay(m_profile, play, detailText(settingText, play));
  // The grid mirrors the history file: a line the file did not take is not shown.
  if (saved.historyKept) m_history->addPlay(historyFields(m_profile.history, play));
  m_playSaved = m_playSaved || saved.historyKept || saved.recordKept;
  showSaved(saved.error.isEmpty(), play.savedAt);
  if (!saved.error.isEmpty()) {
    platform::showMessage(this, saved.error, QStringLiteral("保存エラー"), platform::MsgIcon::Exclamation);
  }
  m_history->REDRAW_GRAPH();
  m_history->lowerForPlay();
}

bool GameWindow::hasUnsavedPlay() const {
  return m_engine.phase() == PlayEngine::Phase::Ended && m_engine.answersGiven() > 0 && !m_playSaved;
}

bool GameWindow::unsavedPlayMayGo() { return !hasUnsavedPlay() || ask(kUnsavedPlay) == platform::MsgResult::Ok; }

// While the question is open the window does not start; it leaves only once the box has
// returned.
platform::MsgResult GameWindow::ask(const QString& question) {
  m_asking = true;
  const platform::MsgResult answer =
      platform::showMessage(this, question, QStringLiteral("保存確認"), platform::MsgIcon::Exclamation,
                            platform::MsgButtons::OkCancel, platform::MsgResult::Cancel);
  m_asking = false;
  return answer;
}

void GameWindow::showNothingToSave() {
  m_lblHozon->setText(QStringLiteral("解答がないため保存しません"));
  m_lblHozon->setStyleSheet(QStringLiteral("QLabel { color: #c00000; }"));
  m_lblHozon->setToolTip({});
}

void GameWindow::showSaved(bool ok, const QDateTime& at) {
  m_lblHozon->setText(ok ? QStringLiteral("保存しました") : QStringLiteral("保存できませんでした"));
  m_lblHozon->setStyleSheet(ok ? QStringLiteral("QLabel { color: #106020; }")
                               : QStringLiteral("QLabel { color: #c00000; }"));
  m_lblHozon->setToolTip(records::recordTime(at.time()));
}

void GameWindow::cmdClear_Click() {
  const platform::MsgResult answer = platform::showMessage(
      this, QStringLiteral("履歴データをクリアします。よろしいですか？"), QStringLiteral("クリア確認"),
      platform::MsgIcon::Exclamation, platform::MsgButtons::OkCancel, platform::MsgResult::Cancel);
  if (answer != platform::MsgResult::Ok) return;
  const QString error = records::replaceKeptFile(m_profile.historyFile(), {});
  if (!error.isEmpty()) {
    platform::showMessage(this, error, QStringLiteral("クリア"), platform::MsgIcon::Exclamation);
    return;
  }
  m_history->clear();
  platform::showMessage(this, QStringLiteral("履歴データをクリアしました"), QStringLiteral("クリア終了"),
                        platform::MsgIcon::Information);
}

QString GameWindow::detailText(const QString& settingText, const PlayOutcome&) const {
  return modeDetail(settings().mode, settingText);
}

void GameWindow::showAccuracy(const QString& text) { setFigure(m_lblRitu, text); }

void GameWindow::setPlayAreaColour(const QColor& colour) {
  QPalette pal = m_playArea->palette();
  pal.setColor(QPalette::Window, colour);
  m_playArea->setPalette(pal);
}

QLabel* GameWindow::addRuleLine(const QRect& at) {
  auto* line = new QLabel(m_playArea);
  line->setObjectName(QStringLiteral("lblRule"));
  line->setGeometry(at);
  line->setAlignment(Qt::AlignCenter);
  return line;
}

void GameWindow::cmdEnd_Click() { leave(); }

void GameWindow::leave() {
  if (m_leaving) return;
  if (platform::messageOpen(this)) {
    platform::closeAfterMessages(this);
    return;
  }
  if (!unsavedPlayMayGo()) return;
  m_leaving = true;
  m_waits.stop();
  m_tmrStart.stop();
  m_tmrBp.stop();
  m_tmrPlay.stop();
  if (returnToMain()) returnToMain()();
  close();
}

void GameWindow::closeEvent(QCloseEvent* event) {
  if (m_leaving) {
    event->accept();
    return;
  }
  // Closing the window is the way back too. The close under way is the one that lets the
  // window go: Qt ignores a second close() from inside this one.
  cmdEnd_Click();
  event->setAccepted(m_leaving);
}

}  // namespace games
