#pragma once

#include "games/framework/GameWindow.h"
#include "platform/core/Clock.h"
#include "platform/core/Random.h"
#include "platform/widgets/MessageBox.h"
#include "support/WidgetTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>

namespace testing {

// What every game window test needs: a working directory, a set clock and seed, the
// messages the window showed (answered with m_answer), and the window's controls by name.
template <typename Game>
class GameBench {
 protected:
  std::unique_ptr<WorkingDir> m_dir;
  QPointer<Game> m_game;
  QList<platform::MessageRequest> m_messages;
  platform::MsgResult m_answer = platform::MsgResult::Ok;
  int m_returns = 0;

  // For the test's init(): the clock at `now`, random numbers from a fixed seed.
  void setUpBench(const QDateTime& now) {
    resetRunState();
    m_dir = std::make_unique<WorkingDir>();
    platform::Clock::setNow(now);
    platform::Clock::setMonotonicMs(5'000'000);
    platform::Random::seed(42);
    m_messages.clear();
    m_answer = platform::MsgResult::Ok;
    m_returns = 0;
    platform::setMessageHandler([this](const platform::MessageRequest& r) {
      m_messages.append(r);
      return m_answer;
    });
    games::GameWindow::setReturnToMain([this] { ++m_returns; });
  }
  // For the test's cleanup().
  void tearDownBench() {
    delete m_game;
    m_dir.reset();
    resetRunState();
  }

  Game& load() {
    m_game = new Game;
    m_game->Form_Load();
    return *m_game;
  }
  template <typename T = QWidget>
  T* child(const QString& name) const {
    return control<T>(m_game, name);
  }
  QString text(const QString& label) const { return child<QLabel>(label)->text(); }
  // The start button and the three countdown ticks.
  void startPlay() {
    m_game->cmdStart_Click();
    for (int i = 0; i < 3; ++i) m_game->tmrStart_Timer();
  }
  // Chooses an item of a drop-down list as the player would.
  void choose(const QString& combo, const QString& item) {
    auto* box = child<QComboBox>(combo);
    box->setCurrentText(item);
    Q_EMIT box->activated(box->currentIndex());
  }
};

}  // namespace testing
