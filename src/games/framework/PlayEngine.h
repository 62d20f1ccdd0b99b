// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace games {

// The life of a play, apart from any window: idle, a three-tick countdown, then a play
// bounded by a number of answers (the clock counts up) or by seconds (it counts down),
// then ended until the next start. The window owns the timers and calls the tick
// handlers; tests call them directly. Durations come from the monotonic clock, so a play
// over midnight is timed right.
class PlayEngine : public QObject {
  Q_OBJECT
 public:
  enum class Mode { Answers = 0, Seconds = 1 };  // "答数", "秒数"
  enum class SpeedBy { Keystrokes, Answers };
  enum class Phase { Idle, Countdown, Playing, Ended };

  // How a game differs from the others.
  struct Rules {
    SpeedBy speedBy = SpeedBy::Keystrokes;
    bool endsOnAnswerCount = true;      // else the game ends the play itself
    bool showsRemainingSeconds = true;  // "秒数" clock text; else the bar only
    // The third tick hands over to the game, which begins the play itself (a first question
    // that costs no play time); until then the countdown holds.
    bool gameBeginsPlay = false;
  };

  explicit PlayEngine(Rules rules, QObject* parent = nullptr);

  void setMode(Mode mode) { m_mode = mode; }
  Mode mode() const { return m_mode; }
  // Seconds per play (cboJikan) and the answers per play shown in cboKaisu, which an
  // answer-bounded play reads at every answer.
  void setSeconds(double seconds) { m_seconds = seconds; }
  double seconds() const { return m_seconds; }
  void setAnswersPerPlay(int count) { m_answersPerPlay = count; }

  Phase phase() const { return m_phase; }
  bool blnStart() const { return m_phase == Phase::Countdown; }
  bool blnPlay() const { return m_phase == Phase::Playing; }
  bool blnEnd() const { return m_phase == Phase::Ended; }
  // Answers are taken only from the start button to the end of the play.
  bool acceptsAnswers() const { return blnStart() || blnPlay(); }
  int countdownStep() const { return m_intCount; }

  void cmdStart_Click();
  void tmrStart_Timer();
  void tmrPlay_Timer();
  void tmrBp_Timer();
  // Begins a play whose countdown is held for the game (Rules::gameBeginsPlay).
  void beginHeldPlay();

  // One judged answer; returns true when it ended the play.
  bool answer(bool right, int keystrokes);
  // The game's own end of a play (a completed table), in either mode.
  void finishPlay();

  int intOk() const { return m_intOk; }
  int intNg() const { return m_intNg; }
  int intMoji() const { return m_intMoji; }
  int answersGiven() const { return m_intOk + m_intNg; }
  // What the speed divides: keystrokes or answers, as the game counts it.
  int speedNumerator() const;
  // For games that judge again at the end (a table's final judgement).
  void setCounts(int ok, int ng) { m_intOk = ok; m_intNg = ng; }

  QString clockText() const { return m_clock; }   // lblJikan
  double shownSeconds() const;                     // the number lblJikan shows
  // The play's seconds as saved: the set seconds of a "秒数" play, else the shown clock.
  float playSeconds() const;
  int remainingSeconds() const { return m_intNokori; }
  // Width of the time bar for a full width; never below 0.
  int barWidth(int fullWidth) const;
  QString accuracyText() const { return m_ritu; }  // lblRitu after a play
  QString speedText() const { return m_byou; }     // lblByou after a play

 Q_SIGNALS:
  void phaseChanged(games::PlayEngine::Phase phase);
  void figuresReset();
  void countdownPicture(int number);  // 1..3
  void countdownEnded();              // the third tick, before the play begins
  void playBegan();                   // the first question goes up now
  void clockChanged();
  void playClockRunning(bool running);  // tmrPlay on or off
  void timeUp();  // a seconds-bounded play is over; results follow at once
  void figuresChanged();
  void playEnded();  // results are set; the window saves when auto-save is on

 private:
  // The one way from phase to phase; a move the life of a play does not have is ignored.
  bool enter(Phase next);
  static qint64 wholeSeconds();
  double elapsedSeconds() const;
  void resetFigures();
  void beginPlay();
  void setResults();

  Rules m_rules;
  Mode m_mode = Mode::Answers;
  double m_seconds = 60;
  int m_answersPerPlay = 20;

  Phase m_phase = Phase::Idle;
  int m_intCount = 0;
  qint64 m_lngNow = 0;
  qint64 m_lngEnd = 0;
  int m_intNokori = 0;
  qint64 m_startMs = 0;

  int m_intOk = 0;
  int m_intNg = 0;
  int m_intMoji = 0;
  QString m_clock;
  QString m_ritu;
  QString m_byou;
};

}  // namespace games
