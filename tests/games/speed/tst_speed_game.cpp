// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/speed/SpeedGame.h"
#include "platform/core/Clock.h"
#include "platform/widgets/DataGrid.h"
#include "records/RecordFile.h"
#include "support/GameTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using games::speed::SpeedGame;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QDateTime kNow(QDate(2024, 5, 1), QTime(21, 3, 7));
const QString kSettings = QStringLiteral("スピード計算設定.txt");
const QString kHistory = QStringLiteral("スピード計算履歴.txt");
}  // namespace

class SpeedGameTest : public QObject, testing::GameBench<SpeedGame> {
  Q_OBJECT

  QLineEdit* box() const { return child<QLineEdit>(QStringLiteral("txtKaitou")); }
  // The question history, uncovered as the player would.
  platform::DataGrid* questions() const {
    if (auto* cover = child<QPushButton>(QStringLiteral("cmdRireki")); cover->isVisibleTo(m_game)) cover->click();
    return child<platform::DataGrid>(QStringLiteral("msgKeiRireki"));
  }
  void type(const QString& answer) {
    for (QChar c : answer) box()->setText(box()->text() + c);
  }
  QString total() const { return QString::number(m_game->intGoukei()); }
  // As a Japanese input method gives it.
  static QString fullWidth(const QString& ascii) {
    QString text;
    for (QChar c : ascii) text += c == QLatin1Char('-') ? QChar(0xFF0D) : QChar(0xFF10 + (c.unicode() - '0'));
    return text;
  }

 private Q_SLOTS:
  void init() { setUpBench(kNow); }
  void cleanup() { tearDownBench(); }

  void everyControl_isNamed() {
    load();
    startPlay();
    QCOMPARE(unnamedControls(), QStringList());
  }

  void typedTotal_isJudgedOnceAndRight_data() { typedInputRows(); }
  void typedTotal_isJudgedOnceAndRight() {
    QFETCH(QString, how);
    load();
    startPlay();
    m_game->finishWaits();  // "GO!" and the numbers
    QCOMPARE(m_game->focusWidget(), box());
    typeAs(how, total());
    judgedOnceAndRight(1);
  }

  void times_keepsOneDigitAndAtMostFiveNumbers_whicheverIsChosenFirst() {
    load();
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"＋\",\"答数\",1,5,\"1.0\",1\r\n"));
    choose(QStringLiteral("cboKeta"), QStringLiteral("2"));
    choose(QStringLiteral("cboCount"), QStringLiteral("7"));
    choose(QStringLiteral("cboKeisan"), QStringLiteral("×"));
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"×\",\"答数\",1,5,\"1.0\",1\r\n"));
    choose(QStringLiteral("cboKeta"), QStringLiteral("2"));
    choose(QStringLiteral("cboCount"), QStringLiteral("9"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboKeta"))->currentText(), QStringLiteral("1"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboCount"))->currentText(), QStringLiteral("5"));
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"×\",\"答数\",1,5,\"1.0\",1\r\n"));
  }

  void handEditedTimes_isBroughtWithinItsLimitsAtLoad_andWrittenBack() {
    writeFile(kSettings, sjis("10,60,\"×\",\"秒数\",0,9,\"0.5\",2\r\n"));
    load();
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"×\",\"秒数\",0,5,\"0.5\",1\r\n"));
  }

  void answersPlay_startsItsClockAfterTheFirstQuestion_andSavesTheOperation() {
    writeFile(kSettings, sjis("2,60,\"－\",\"答数\",1,3,\"0.5\",2\r\n"));
    load();
    m_game->cmdStart_Click();
    QVERIFY(!box()->isEnabled());  // nothing is taken during the countdown
    for (int i = 0; i < 3; ++i) m_game->tmrStart_Timer();
    QCOMPARE(text(QStringLiteral("lblMidashi")), QStringLiteral("GO!"));
    m_game->finishNextWait();
    QVERIFY(m_game->isFlashing() && !box()->isEnabled());
    Clock::advance(5'000);  // the first question costs no play time
    m_game->finishWaits();
    QCOMPARE(text(QStringLiteral("lblKanjiK")), QStringLiteral("？"));
    for (int row = 1, sum = 100; row <= 3; ++row) {
      sum -= questions()->textMatrix(row, 1).toInt();
      QCOMPARE(questions()->textMatrix(row, 0), QString::number(row));
      QCOMPARE(questions()->textMatrix(row, 2), QString::number(sum));
    }
    Clock::advance(2'300);
    const qsizetype firstLength = total().size();
    type(fullWidth(total()));
    QCOMPARE(text(QStringLiteral("lblOk")), QStringLiteral("1"));
    QVERIFY(m_game->isWaiting() && !box()->isEnabled());  // the pause before the next question
    m_game->finishWaits();
    Clock::advance(1'000);
    type(QString(total().size(), QLatin1Char('x')));  // not a number
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("3.3"));
    QCOMPARE(text(QStringLiteral("lblMidashi")), QStringLiteral("END"));
    QCOMPARE(m_game->engine().intMoji(), firstLength + total().size());
    QCOMPARE(fileBytes(records::kRecordFileName),
             sjis("\"2024/05/01\",\"21:03:15\",\"スピード計算\",3.3,\"答数 : 2  (－) モード\",\r\n"));
    QVERIFY(fileBytes(kHistory).startsWith(sjis("\"2024/05/01\",\"21:03:15\",2,1,1,\"50.0%\",")));
    QVERIFY(fileBytes(kHistory).endsWith(sjis(",\"3.3秒\",\"－\"\r\n")));
    type(total());  // after the end nothing is judged
    QCOMPARE(box()->text(), QString());
    QCOMPARE(m_game->engine().answersGiven(), 2);
  }

  void secondsPlay_overInTheMiddleOfAQuestion_letsTheRestPass_andJudgesNothingAfter() {
    writeFile(kSettings, sjis("10,10,\"－\",\"秒数\",1,5,\"1.0\",2\r\n"));
    load();
    startPlay();
    m_game->finishWaits();
    type(total());
    m_game->finishNextWait();  // the pause; the next question shows two numbers
    m_game->finishNextWait();
    QCOMPARE(questions()->rows(), 8);
    Clock::advance(10'000);
    m_game->tmrBp_Timer();
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("10"));  // the set seconds stay
    QCOMPARE(questions()->rows(), 11);  // the three numbers left passed at once
    QCOMPARE(text(QStringLiteral("lblKanjiK")), QStringLiteral("？"));
    m_game->finishWaits();  // what was left of the waits does nothing
    QCOMPARE(questions()->rows(), 11);
    type(total());
    QCOMPARE(m_game->engine().answersGiven(), 1);
    QCOMPARE(records::readRecords().table.size(), 1);
  }

  // Covered, it tells nobody the total asked for: not a screen reader, not the Tab key.
  void questionHistory_isCoveredUntilClicked_andAgainByADoubleClickOrAStart() {
    load();
    choose(QStringLiteral("cboKaisu"), QStringLiteral("1"));
    startPlay();
    m_game->finishWaits();
    auto* cover = child<QPushButton>(QStringLiteral("cmdRireki"));
    auto* grid = child<platform::DataGrid>(QStringLiteral("msgKeiRireki"));
    QCOMPARE(cover->geometry(), grid->geometry());
    QVERIFY(!grid->isVisibleTo(m_game) && grid->rows() == 1);
    QTest::mouseClick(cover, Qt::LeftButton);
    QVERIFY(!cover->isVisibleTo(m_game));
    QCOMPARE(grid->textMatrix(grid->rows() - 1, 2), total());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton);
    QVERIFY(cover->isVisibleTo(m_game) && !grid->isVisibleTo(m_game) && grid->rows() == 1);
    QTest::mouseClick(cover, Qt::LeftButton);
    type(total());  // the one answer ends the play
    m_game->cmdStart_Click();
    QVERIFY(cover->isVisibleTo(m_game) && !grid->isVisibleTo(m_game));
  }

  void closingDuringAWait_returnsToTheMainWindow_data() {
    QTest::addColumn<int>("waitsEnded");
    QTest::addColumn<bool>("answered");
    QTest::newRow("the pause after GO!") << 0 << false;
    QTest::newRow("a number on show") << 1 << false;
    QTest::newRow("the pause after an answer") << 6 << true;
  }
  void closingDuringAWait_returnsToTheMainWindow() {
    QFETCH(int, waitsEnded);
    QFETCH(bool, answered);
    load();
    startPlay();
    for (int i = 0; i < waitsEnded; ++i) m_game->finishNextWait();
    if (answered) type(total());
    QVERIFY(m_game->isWaiting());
    m_game->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_game.isNull());
    QCOMPARE(m_returns, 1);
  }
};

QTEST_MAIN(SpeedGameTest)
#include "tst_speed_game.moc"
