// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <list>

class QObject;
class QTimer;

namespace games {

// The one way a game waits (a flash, a pause, a number on show): the rest of the work runs
// after a time while the window and its clocks go on, without spinning or a nested loop.
class Waits {
 public:
  explicit Waits(QObject* owner) : m_owner(owner) {}
  Waits(const Waits&) = delete;
  Waits& operator=(const Waits&) = delete;

  void after(int ms, std::function<void()> then);
  bool any() const { return !m_waits.empty(); }
  // Ends every wait at once, in the order they would have ended; waits started meanwhile
  // join the queue.
  void finishAll();
  // Ends the wait that would end first; false when none is under way.
  bool finishNext();
  // From now on a wait that ends does nothing: its window is going.
  void stop() { m_stopped = true; }

 private:
  struct Wait {
    QTimer* timer;
    std::function<void()> then;
  };
  void end(std::list<Wait>::iterator wait);

  QObject* m_owner;
  std::list<Wait> m_waits;
  bool m_stopped = false;
};

}  // namespace games
