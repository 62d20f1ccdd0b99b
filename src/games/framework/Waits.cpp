// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/Waits.h"

#include <QTimer>

namespace games {

void Waits::after(int ms, std::function<void()> then) {
  auto* timer = new QTimer(m_owner);
  timer->setSingleShot(true);
  const auto wait = m_waits.insert(m_waits.end(), {timer, std::move(then)});
  QObject::connect(timer, &QTimer::timeout, m_owner, [this, wait] { end(wait); });
  timer->start(ms);
}

// The wait leaves the queue before its work runs, so that the work may wait again or end
// every other wait.
void Waits::end(std::list<Wait>::iterator wait) {
  const std::function<void()> then = std::move(wait->then);
  wait->timer->stop();
  wait->timer->deleteLater();
  m_waits.erase(wait);
  if (!m_stopped) then();
}

void Waits::finishAll() {
  while (finishNext()) {
  }
}

bool Waits::finishNext() {
  if (m_waits.empty()) return false;
  auto first = m_waits.begin();
  for (auto it = m_waits.begin(); it != m_waits.end(); ++it) {
    if (it->timer->remainingTime() < first->timer->remainingTime()) first = it;
  }
  end(first);
  return true;
}

}  // namespace games
