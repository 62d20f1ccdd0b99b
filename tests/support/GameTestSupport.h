// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameWindow.h"
#include "platform/core/Clock.h"
#include "platform/core/Random.h"
#include "platform/widgets/MessageBox.h"
#include "support/KeptFilesGuard.h"
#include "support/WidgetTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace testing {

// What a Japanese input method in kana mode gives for these keys.
inline QString kanaInput(const QString& keys) {
  QString text;
  for (QChar c : keys) {
    if (c.isDigit()) {
      text += QChar(0xFF10 + c.digitValue());
    } else {
      static const QString kAscii = QStringLiteral("/*+-");
      static const QString kKana = QStringLiteral("・＊＋ー");
      const qsizetype at = kAscii.indexOf(c);
      text += at >= 0 ? kKana[at] : c;
    }
  }
  return text;
}

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
  // The ways an answer arrives: key by key, or from an input method that shows a
  // composition and then commits it, commits it at once, or commits and is then reset.
  static void typedInputRows() {
    QTest::addColumn<QString>("how");
    QTest::newRow("keys") << "keys";
    QTest::newRow("composed, then committed") << "composed";
    QTest::newRow("committed at once") << "committed";
    QTest::newRow("committed, then reset") << "reset";
  }
  // Types keys into the box that has the focus, as `how` says.
  void typeAs(const QString& how, const QString& keys) {
    QWidget* box = m_game->focusWidget();
    QVERIFY(qobject_cast<QLineEdit*>(box));
    if (how == QLatin1String("keys")) {
      for (QChar c : keys) QTest::keyClicks(m_game->focusWidget(), QString(c));
      return;
    }
    const QString before = static_cast<QLineEdit*>(box)->text();
    if (how == QLatin1String("composed")) {
      sendInputMethod(box, kanaInput(keys), {});
      QCOMPARE(static_cast<QLineEdit*>(box)->text(), before);  // a composition is not an answer
    }
    sendInputMethod(box, {}, kanaInput(keys));
    if (how == QLatin1String("reset")) sendInputMethod(box, {}, {});
  }
  // The controls a screen reader meets without a name, in a window shown and playing.
  QStringList unnamedControls() const {
    QStringList unnamed;
    for (QWidget* w : m_game->template findChildren<QWidget*>()) {
      if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(m_game) || w->isWindow()) continue;
      const QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w);
      if (control->text(QAccessible::Name).trimmed().isEmpty()) unnamed << w->objectName();
    }
    return unnamed;
  }
  // Every answer of the play so far was judged once, and right.
  void judgedOnceAndRight(int answers) const {
    QCOMPARE(m_game->engine().intOk(), answers);
    QCOMPARE(m_game->engine().answersGiven(), answers);
  }
  // Toggles each checkable control as an accessibility action does (a chosen option stays
  // chosen): every one that changes runs its handler, which rewrites the settings. The
  // history graph's switch ("optPerPlay", "optPerDay") rewrites our own file instead and
  // leaves the game's settings as they are.
  void toggleEachByItsAction(const QString& settingsFile) {
    for (QAbstractButton* b : m_game->template findChildren<QAbstractButton*>()) {
      if (!b->isCheckable() || (b->autoExclusive() && b->isChecked())) continue;
      const bool graphSwitch = b->objectName().startsWith(QLatin1String("optPer"));
      const QString changed = graphSwitch ? QStringLiteral("表示設定.txt") : settingsFile;
      const QByteArray before = fileBytes(changed);
      const QByteArray settingsBefore = fileBytes(settingsFile);
      QAccessibleInterface* control = QAccessible::queryAccessibleInterface(b);
      control->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
      QVERIFY2(fileBytes(changed) != before, qPrintable(b->objectName()));
      if (graphSwitch) QCOMPARE(fileBytes(settingsFile), settingsBefore);
    }
  }
  // Chooses an item of a drop-down list as the player would.
  void choose(const QString& combo, const QString& item) {
    auto* box = child<QComboBox>(combo);
    box->setCurrentText(item);
    Q_EMIT box->activated(box->currentIndex());
  }
};

}  // namespace testing
