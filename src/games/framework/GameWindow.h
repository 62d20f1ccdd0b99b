// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameProfile.h"
#include "games/framework/HistoryPanel.h"
#include "games/framework/Waits.h"
#include "platform/widgets/MessageBox.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class DataGrid;
class Shape;
}  // namespace platform

namespace games {

// What a control really sets, as its tool tip and for screen readers.
void describe(QWidget* control, const QString& text);
// A right-aligned caption at its place; with a buddy it names that control, for screen readers too.
QLabel* caption(QWidget* parent, const QString& text, int x, int y, int width, QWidget* buddy = nullptr);

// What every game window shares: the settings panel, the start button and countdown, the
// two kinds of play with their clocks and time bar, the figures, saving, the history panel
// and the way back to the main window. A game adds its play area, its question and its
// judging through the hooks below.
class GameWindow : public QWidget {
  Q_OBJECT
 public:
  ~GameWindow() override;

  // Loads the window: history, settings, controls, first board; then shows it.
  void Form_Load();

  // Going back to the main window; installed by the application.
  static void setReturnToMain(std::function<void()> show);
  // The explanation of the open game, which the help tour shows.
  static const QString& gstrSetumei();

  // Handlers, public so that tests can drive a play without real time passing.
  void cmdStart_Click();
  void tmrStart_Timer() { m_engine.tmrStart_Timer(); }
  void tmrPlay_Timer() { m_engine.tmrPlay_Timer(); }
  void tmrBp_Timer() { m_engine.tmrBp_Timer(); }
  void cmdHozon_Click();
  void cmdClear_Click();
  void cmdEnd_Click();
  void optMode_Click(int index);
  void chkAs_Click();
  void chkHint_Click();
  void cboKaisu_Click();

  const PlayEngine& engine() const { return m_engine; }
  // The history grid with its filters and graphs; its handlers are the panel's.
  HistoryPanel* history() const { return m_history; }
  // A finished play with answers that neither file took; starting anew or leaving asks first.
  bool hasUnsavedPlay() const;
  const GameSettings& settings() const { return m_settings; }
  // A wait (a flash, a pause) is under way.
  bool isWaiting() const { return m_waits.any(); }
  // Ends every wait at once, in the order they would have ended. A new play does this to
  // the waits of the play before, whose work then finds that play over, so that none runs
  // into the new one; tests do it to skip the time.
  void finishWaits() { m_waits.finishAll(); }
  // Ends the wait that would end first; false when none is under way (for tests).
  bool finishNextWait() { return m_waits.finishNext(); }

 protected:
  GameWindow(GameProfile profile, QWidget* parent = nullptr);

  // The area the game draws its puzzle in, and the room in the settings frame for the
  // game's own settings.
  QFrame* playArea() const { return m_playArea; }
  QWidget* settingsExtra() const { return m_settingsExtra; }

  // Hooks of the game.
  virtual void applyGameSettings() {}  // put the extras into the game's controls
  virtual void showFirstBoard() = 0;   // at load
  virtual void clearAnswers();         // at load and at start; by default every answer box
  virtual void onFiguresReset() {}     // the start button's extra work
  virtual void onPlayBegins() = 0;     // the first question and the focus
  virtual void onCountdownEnded() {}   // the third tick; see PlayEngine::Rules::gameBeginsPlay
  virtual void onHintChanged(bool /*on*/) {}
  virtual void onTimeUp() {}     // a seconds-bounded play is over, before its results
  virtual void onPlayEnded() {}  // results are shown; the play is saved next
  virtual void onAnswersPerPlayChanged() {}
  virtual QString operationText() const { return {}; }
  // What the play record says about the play's settings; by default the mode and its setting.
  virtual QString detailText(const QString& settingText, const PlayOutcome& play) const;
  virtual QString explanation() const = 0;

  // For the game's judging and its own settings.
  PlayEngine& playEngine() { return m_engine; }
  GameSettings& settings() { return m_settings; }
  void SAVE_SETTEI();
  // A judged answer: counts it and may end the play.
  void recordAnswer(bool right, int keystrokes);
  // The same for an answer typed into one box: a right one goes on to `next` at once, a
  // wrong one after `flash(true)` showed it for flashMs, while nothing typed is judged.
  void answerJudged(bool right, int keystrokes, int flashMs, const std::function<void(bool on)>& flash,
                    const std::function<void()>& next);
  bool showingWrongAnswer() const { return m_showingWrong; }
  // What a box does with text typed outside the questions: a single box is emptied and the
  // start button takes the focus back; a board of boxes keeps what it shows.
  enum class TypedOutside { Cleared, Kept };
  // The one gate for typed text: whether what box holds is an answer to judge now. It is
  // not when empty, while a wrong answer flashes, or outside the questions of a play.
  bool typedAnswerCounts(QLineEdit* box, TypedOutside outside = TypedOutside::Cleared);
  int answersPerPlay() const;  // the number shown in cboKaisu
  // Chooses a number in cboKaisu as the player would.
  void setAnswersPerPlay(int count);
  bool hintOn() const;
  QPushButton* startButton() const { return m_cmdStart; }
  // A play is under way (its countdown or its questions): the engine says, not a button.
  bool playLive() const { return m_engine.acceptsAnswers(); }
  QPushButton* clearButton() const { return m_cmdClear; }
  platform::DataGrid* historyGrid() const { return m_history->grid(); }
  // For games that show their accuracy at every answer.
  void showAccuracy(const QString& text);
  // Whether right and wrong answers show as they are judged; a game that reveals them only
  // at the end of a play turns this off.
  void setFiguresLive(bool live) { m_figuresLive = live; }
  // The one way a game waits: the rest of the work runs as `then` after ms, while the
  // window and its clocks go on. Nothing runs once the window is leaving, so closing it
  // during a wait is safe; `then` must check the play's phase before it judges or asks,
  // since a clock may have ended the play meanwhile.
  void after(int ms, std::function<void()> then) { m_waits.after(ms, std::move(then)); }
  void setPlayAreaColour(const QColor& colour);
  // A line in the play area that says how to answer, beside or under the answer boxes.
  QLabel* addRuleLine(const QRect& at);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildSettingsFrame();
  void buildPlayPanel();
  void connectEngine();
  void fillLists();
  void showFigures();
  void showClock(const QString& text);
  void showSaved(bool ok, const QDateTime& at);
  void leave();
  bool unsavedPlayMayGo();
  platform::MsgResult ask(const QString& question);
  void showNothingToSave();
  void arrangeTabOrder();
  void setFigure(QLabel* label, const QString& text);
  QString resultLine() const;
  // How the play stands against the earlier plays of its mode and setting.
  void showPersonalBest();

  GameProfile m_profile;
  PlayEngine m_engine;
  GameSettings m_settings;
  bool m_loading = false;
  bool m_settingsWritable = true;

  QFrame* m_playArea = nullptr;
  QWidget* m_settingsExtra = nullptr;
  QComboBox* m_cboJikan = nullptr;
  QComboBox* m_cboKaisu = nullptr;
  std::array<QRadioButton*, 2> m_optMode{};
  QPushButton* m_chkAs = nullptr;
  QCheckBox* m_chkHint = nullptr;
  QPushButton* m_cmdStart = nullptr;
  QPushButton* m_cmdClear = nullptr;
  QPushButton* m_cmdHozon = nullptr;
  QPushButton* m_cmdEnd = nullptr;
  QPushButton* m_cmdHelp = nullptr;
  std::array<QLabel*, 3> m_imgStart{};
  QLabel* m_lblJikan = nullptr;
  QLabel* m_lblJikanUnit = nullptr;
  platform::Shape* m_shpJikanK = nullptr;
  int m_intHaba = 0;
  QLabel* m_lblOk = nullptr;
  QLabel* m_lblNg = nullptr;
  QLabel* m_lblMojiT = nullptr;
  QLabel* m_lblRitu = nullptr;
  QLabel* m_lblByou = nullptr;
  QLabel* m_lblHozon = nullptr;  // what became of the last save
  QLabel* m_lblBest = nullptr;
  bool m_playSaved = false;
  bool m_asking = false;  // a question of this window is open
  bool m_showingWrong = false;
  bool m_figuresLive = true;

  int m_sideX = 0;
  int m_figuresY = 0;
  HistoryPanel* m_history = nullptr;

  QTimer m_tmrStart;
  QTimer m_tmrBp;
  QTimer m_tmrPlay;

  Waits m_waits{this};
  bool m_leaving = false;
};

}  // namespace games
