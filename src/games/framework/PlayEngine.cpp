// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/PlayEngine.h"

#include "games/framework/GameText.h"
#include "platform/core/Clock.h"
#include "platform/core/SeqFormat.h"

#include <cmath>

namespace games {

namespace {
bool allowed(PlayEngine::Phase from, PlayEngine::Phase to) {
  using P = PlayEngine::Phase;
  switch (to) {
    case P::Countdown: return from == P::Idle || from == P::Ended;
    case P::Playing: return from == P::Countdown;
    case P::Ended: return from == P::Playing;
    case P::Idle: return false;
  }
  return false;
}
}  // namespace

PlayEngine::PlayEngine(Rules rules, QObject* parent) : QObject(parent), m_rules(rules) {}

qint64 PlayEngine::wholeSeconds() { return platform::Clock::monotonicMs() / 1000; }

double PlayEngine::elapsedSeconds() const {
  return static_cast<double>(platform::Clock::monotonicMs() - m_startMs) / 1000.0;
}

double PlayEngine::shownSeconds() const { return platform::leadingNumber(m_clock); }

float PlayEngine::playSeconds() const {
  return m_mode == Mode::Seconds ? static_cast<float>(m_seconds) : static_cast<float>(shownSeconds());
}

int PlayEngine::speedNumerator() const {
  return m_rules.speedBy == SpeedBy::Keystrokes ? m_intMoji : answersGiven();
}

int PlayEngine::barWidth(int fullWidth) const {
  if (m_seconds <= 0) return 0;
  const int width = static_cast<int>(m_intNokori / m_seconds * 100.0 * fullWidth / 100.0);
  return qMax(0, width);
}

bool PlayEngine::enter(Phase next) {
  if (!allowed(m_phase, next)) return false;
  m_phase = next;
  switch (next) {
    case Phase::Countdown: resetFigures(); break;
    case Phase::Playing: beginPlay(); break;
    case Phase::Ended: setResults(); break;
    case Phase::Idle: break;
  }
  Q_EMIT phaseChanged(next);
  if (next == Phase::Countdown) {
    Q_EMIT figuresReset();
    Q_EMIT clockChanged();
  } else if (next == Phase::Playing) {
    if (m_mode == Mode::Answers) Q_EMIT playClockRunning(true);
    Q_EMIT playBegan();
  } else if (next == Phase::Ended) {
    Q_EMIT figuresChanged();
    Q_EMIT playEnded();
  }
  return true;
}

void PlayEngine::resetFigures() {
  m_intCount = 0;
  m_intOk = m_intNg = m_intMoji = 0;
  m_intNokori = static_cast<int>(std::nearbyint(m_seconds));
  m_clock = m_mode == Mode::Seconds ? QString::number(m_seconds) : QStringLiteral("0.0");
  m_ritu.clear();
  m_byou.clear();
}

void PlayEngine::beginPlay() {
  m_lngNow = wholeSeconds();
  m_lngEnd = m_lngNow + static_cast<qint64>(std::nearbyint(m_seconds));
  m_startMs = platform::Clock::monotonicMs();
}

void PlayEngine::setResults() {
  Q_EMIT playClockRunning(false);  // also when the mode was switched during the play
  if (m_mode == Mode::Answers) {
    // The clock shows the measured time even when the play ended before its first tick.
    m_clock = elapsedText(elapsedSeconds());
    Q_EMIT clockChanged();
  }
  const double divisor = m_mode == Mode::Answers ? shownSeconds() : m_seconds;
  m_byou = games::speedText(divisor > 0 ? speedNumerator() / divisor : 0.0);
  m_ritu = percentText(answersGiven() > 0 ? double(m_intOk) / answersGiven() : 0.0);
}

void PlayEngine::cmdStart_Click() { enter(Phase::Countdown); }

void PlayEngine::tmrStart_Timer() {
  if (!blnStart()) {
    m_intCount = 0;
    return;
  }
  if (m_intCount >= 3) return;  // held for the game
  ++m_intCount;
  Q_EMIT countdownPicture(m_intCount);
  if (m_intCount < 3) return;
  Q_EMIT countdownEnded();
  if (!m_rules.gameBeginsPlay) enter(Phase::Playing);
}

void PlayEngine::beginHeldPlay() {
  if (blnStart() && m_intCount >= 3) enter(Phase::Playing);
}

void PlayEngine::tmrPlay_Timer() {
  if (!blnPlay() || m_mode != Mode::Answers) return;
  m_clock = elapsedText(elapsedSeconds());
  Q_EMIT clockChanged();
}

void PlayEngine::tmrBp_Timer() {
  if (!blnPlay() || m_mode != Mode::Seconds) return;
  m_lngNow = wholeSeconds();
  m_intNokori = static_cast<int>(m_lngEnd - m_lngNow);
  if (m_rules.showsRemainingSeconds) m_clock = QString::number(qMax(0, m_intNokori));
  Q_EMIT clockChanged();
  if (m_intNokori > 0) return;
  Q_EMIT timeUp();
  enter(Phase::Ended);
}

bool PlayEngine::answer(bool right, int keystrokes) {
  if (!acceptsAnswers()) return false;
  (right ? m_intOk : m_intNg) += 1;
  m_intMoji += keystrokes;
  Q_EMIT figuresChanged();
  // At or past the count, so answers typed during the countdown cannot leave it unreached.
  if (m_rules.endsOnAnswerCount && blnPlay() && m_mode == Mode::Answers && answersGiven() >= m_answersPerPlay) {
    return enter(Phase::Ended);
  }
  return false;
}

void PlayEngine::finishPlay() { enter(Phase::Ended); }

}  // namespace games
