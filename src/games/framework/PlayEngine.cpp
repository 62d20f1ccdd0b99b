#include "games/framework/PlayEngine.h"

#include "games/framework/GameText.h"
#include "platform/core/Clock.h"
#include "platform/core/SeqFormat.h"

#include <cmath>

namespace games {

PlayEngine::PlayEngine(Rules rules, QObject* parent) : QObject(parent), m_rules(rules) {}

qint64 PlayEngine::wholeSeconds() { return platform::Clock::monotonicMs() / 1000; }

double PlayEngine::elapsedSeconds() const {
  return static_cast<double>(platform::Clock::monotonicMs() - m_startMs) / 1000.0;
}

double PlayEngine::shownSeconds() const { return platform::leadingNumber(m_clock); }

int PlayEngine::barWidth(int fullWidth) const {
  if (m_seconds <= 0) return 0;
  const int width = static_cast<int>(m_intNokori / m_seconds * 100.0 * fullWidth / 100.0);
  return qMax(0, width);
}

void PlayEngine::cmdStart_Click() {
  if (acceptsAnswers()) return;  // a second start waits for the end of the play
  m_blnStart = true;
  m_blnEnd = false;
  m_intCount = 0;
  m_intOk = m_intNg = m_intMoji = 0;
  m_intNokori = static_cast<int>(std::nearbyint(m_seconds));
  m_clock = m_mode == Mode::Seconds ? QString::number(m_seconds) : QStringLiteral("0.0");
  m_ritu.clear();
  m_byou.clear();
  Q_EMIT figuresReset();
  Q_EMIT clockChanged();
}

void PlayEngine::tmrStart_Timer() {
  if (!m_blnStart) {
    m_intCount = 0;
    return;
  }
  ++m_intCount;
  Q_EMIT countdownPicture(m_intCount);
  if (m_intCount < 3) return;
  m_blnStart = false;
  m_lngNow = wholeSeconds();
  m_lngEnd = m_lngNow + static_cast<qint64>(std::nearbyint(m_seconds));
  m_blnPlay = true;
  if (m_mode == Mode::Answers) {
    m_startMs = platform::Clock::monotonicMs();
    Q_EMIT playClockRunning(true);
  }
  Q_EMIT playBegan();
}

void PlayEngine::tmrPlay_Timer() {
  if (!m_blnPlay || m_mode != Mode::Answers) return;
  m_clock = elapsedText(elapsedSeconds());
  Q_EMIT clockChanged();
}

void PlayEngine::tmrBp_Timer() {
  if (!m_blnPlay || m_mode != Mode::Seconds) return;
  m_lngNow = wholeSeconds();
  m_intNokori = static_cast<int>(m_lngEnd - m_lngNow);
  if (m_rules.showsRemainingSeconds) m_clock = QString::number(qMax(0, m_intNokori));
  Q_EMIT clockChanged();
  if (m_intNokori > 0) return;
  Q_EMIT timeUp();
  endPlay();
}

bool PlayEngine::answer(bool right, int keystrokes) {
  if (!acceptsAnswers()) return false;
  (right ? m_intOk : m_intNg) += 1;
  m_intMoji += keystrokes;
  Q_EMIT figuresChanged();
  // At or past the count, so answers typed during the countdown cannot leave it unreached.
  if (m_rules.endsOnAnswerCount && m_blnPlay && m_mode == Mode::Answers &&
      answersGiven() >= m_answersPerPlay) {
    endPlay();
    return true;
  }
  return false;
}

void PlayEngine::finishPlay() {
  if (m_blnPlay) endPlay();
}

void PlayEngine::endPlay() {
  Q_EMIT playClockRunning(false);  // also when the mode was switched during the play
  if (m_mode == Mode::Answers) {
    // The clock shows the measured time even when the play ended before its first tick.
    m_clock = elapsedText(elapsedSeconds());
    Q_EMIT clockChanged();
  }
  m_blnPlay = false;
  const double numerator = m_rules.speedBy == SpeedBy::Keystrokes ? m_intMoji : answersGiven();
  const double divisor = m_mode == Mode::Answers ? shownSeconds() : m_seconds;
  m_byou = games::speedText(divisor > 0 ? numerator / divisor : 0.0);
  m_ritu = percentText(answersGiven() > 0 ? double(m_intOk) / answersGiven() : 0.0);
  Q_EMIT figuresChanged();
  Q_EMIT playEnded();
  m_blnEnd = true;
}

}  // namespace games
