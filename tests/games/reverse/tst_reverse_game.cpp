// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/GameText.h"
#include "games/reverse/ReverseGame.h"
#include "platform/core/Clock.h"
#include "platform/widgets/Shape.h"
#include "records/RecordFile.h"
#include "support/GameTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using games::reverse::Operator;
using games::reverse::ReverseGame;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QDateTime kNow(QDate(2024, 5, 1), QTime(21, 3, 7));
const QString kSettings = QStringLiteral("逆計算設定.txt");
const QColor kDarkCyan(0, 128, 128);
const QColor kRed(255, 0, 0);
}  // namespace

class ReverseGameTest : public QObject, testing::GameBench<ReverseGame> {
  Q_OBJECT

  QLineEdit* box() const { return child<QLineEdit>(QStringLiteral("txtKaitou")); }
  QColor base() const { return child<platform::Shape>(QStringLiteral("shpBase"))->fillColor(); }
  QString label(int i) const { return text(QStringLiteral("lblMondai(%1)").arg(i)); }
  void answer(const QString& expression) {
    QTest::keyClicks(box(), expression);
    QTest::keyClick(box(), Qt::Key_Return);
  }
  // A second number that leaves the first as it is.
  QString neutral() const {
    static const QString kNeutral[] = {"+0", "-0", "*1", "/1"};
    return kNeutral[int(m_game->question().strEnzan)];
  }
  QString rightAnswer() const { return label(0) + neutral(); }
  QString wrongAnswer() const { return QString::number(label(0).toInt() + 1) + neutral(); }

 private Q_SLOTS:
  void init() { setUpBench(kNow); }
  void cleanup() { tearDownBench(); }

  void everyControl_isNamed() {
    load();
    startPlay();
    QCOMPARE(unnamedControls(), QStringList());
  }

  void typedExpression_isJudgedOnEnterOnceAndRight_data() { typedInputRows(); }
  void typedExpression_isJudgedOnEnterOnceAndRight() {
    QFETCH(QString, how);
    load();
    startPlay();
    typeAs(how, rightAnswer());  // kana input gives ・ for /
    QCOMPARE(m_game->engine().answersGiven(), 0);
    QTest::keyClick(box(), Qt::Key_Return);
    m_game->finishWaits();
    judgedOnceAndRight(1);
  }

  void answersPlay_judgesOnEnter_showsTheNumbers_andEndsAfterTheLastFeedback() {
    writeFile(kSettings, sjis("2,60,\"答数\",1\r\n"));
    load();
    QCOMPARE(label(0), QString());  // no question before the start
    startPlay();
    QCOMPARE(label(3), QStringLiteral("?"));
    QTest::keyClicks(box(), rightAnswer());
    QCOMPARE(m_game->engine().answersGiven(), 0);  // nothing is judged while typing
    const qsizetype firstLength = box()->text().size();
    QTest::keyClick(box(), Qt::Key_Return);
    QCOMPARE(text(QStringLiteral("lblOk")), QStringLiteral("1"));
    QCOMPARE(label(3), label(0));  // the player's numbers replace the question marks
    QCOMPARE(base(), kDarkCyan);   // right: a pause without colour
    QTest::keyClick(box(), Qt::Key_Return);  // Enter again during the pause judges nothing
    QCOMPARE(m_game->engine().answersGiven(), 1);
    m_game->finishWaits();
    QCOMPARE(label(3), QStringLiteral("?"));

    Clock::advance(12'300);
    answer(wrongAnswer());
    QCOMPARE(base(), kRed);
    QVERIFY(m_game->engine().blnPlay());  // the play ends once the flash is over
    m_game->finishWaits();
    QCOMPARE(base(), kDarkCyan);
    QVERIFY(m_game->engine().blnEnd());
    const qsizetype keystrokes = firstLength + wrongAnswer().size();
    QCOMPARE(m_game->engine().intMoji(), keystrokes);
    QCOMPARE(fileBytes(records::kRecordFileName),
             sjis("\"2024/05/01\",\"21:03:19\",\"逆計算\",12.3,\"答数 : 2\",\r\n"));
    QCOMPARE(fileBytes(QStringLiteral("逆計算履歴.txt")),
             sjis(QStringLiteral("\"2024/05/01\",\"21:03:19\",2,1,1,%1,\"50.0%\",\"%2\",\"12.3秒\"\r\n")
                      .arg(keystrokes)
                      .arg(games::speedText(keystrokes / double(12.3f)))));
  }

  void enterOnAnEmptyBox_orWhileNoPlayRuns_countsNothing() {
    load();
    answer(QStringLiteral("2*8"));  // before the start
    QCOMPARE(box()->text(), QString());
    m_game->cmdStart_Click();
    answer(QStringLiteral("2*8"));  // during the countdown
    for (int i = 0; i < 3; ++i) m_game->tmrStart_Timer();
    QTest::keyClick(box(), Qt::Key_Return);
    QCOMPARE(m_game->engine().answersGiven(), 0);
    QVERIFY(!m_game->isWaiting());
  }

  // The flash left by a time-up ends by its wait, or at once when a new play starts; either
  // way nothing of it reaches the new play.
  void secondsPlay_keepsItsClockText_andATimeUpDuringTheFlashAsksNoMore_data() {
    QTest::addColumn<bool>("newPlay");
    QTest::newRow("the flash ends") << false;
    QTest::newRow("a new play starts") << true;
  }
  void secondsPlay_keepsItsClockText_andATimeUpDuringTheFlashAsksNoMore() {
    QFETCH(bool, newPlay);
    writeFile(kSettings, sjis("20,30,\"秒数\",1\r\n"));
    load();
    startPlay();
    answer(wrongAnswer());
    const QString shown = label(0);
    Clock::advance(30'000);
    m_game->tmrBp_Timer();
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("30"));
    if (newPlay) {
      startPlay();
      QVERIFY(!m_game->isWaiting());
      QCOMPARE(base(), kDarkCyan);
      answer(rightAnswer());
      m_game->finishWaits();
      QCOMPARE(m_game->engine().intOk(), 1);
      QVERIFY(m_game->engine().blnPlay());
      return;
    }
    m_game->finishWaits();
    QCOMPARE(base(), kDarkCyan);
    QCOMPARE(label(0), shown);
    QCOMPARE(records::readRecords().table.size(), 1);
  }

  void closingDuringTheFlash_returnsToTheMainWindow() {
    load();
    startPlay();
    answer(wrongAnswer());
    QVERIFY(m_game->isWaiting());
    m_game->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_game.isNull());
    QCOMPARE(m_returns, 1);
  }
};

QTEST_MAIN(ReverseGameTest)
#include "tst_reverse_game.moc"
