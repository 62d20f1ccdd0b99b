#include "games/speed/SpeedGame.h"
#include "games/framework/GameText.h"
#include "platform/core/Clock.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/HelpTour.h"
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
  platform::DataGrid* questions() const { return child<platform::DataGrid>(QStringLiteral("msgKeiRireki")); }
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
  // The start, the countdown, "GO!" and the first question up to its question mark.
  void askFirstQuestion() {
    startPlay();
    m_game->finishWaits();
  }

 private Q_SLOTS:
  void init() { setUpBench(kNow); }
  void cleanup() { tearDownBench(); }

  void load_withoutFiles_usesTheDefaults_andWritesThem() {
    load();
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"＋\",\"答数\",1,5,\"1.0\",1\r\n"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboKaisu"))->count(), 30);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboKaisu2"))->count(), 30);
    QVERIFY(child(QStringLiteral("cmdRireki"))->isVisibleTo(m_game));
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgRireki"))->textMatrix(0, 9), QStringLiteral("モード"));
  }

  void times_keepsOneDigitAndAtMostFiveNumbers_whicheverIsChosenFirst() {
    writeFile(kSettings, sjis("10,60,\"＋\",\"答数\",1,7,\"1.0\",2\r\n"));
    load();
    choose(QStringLiteral("cboKeisan"), QStringLiteral("×"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboKeta"))->currentText(), QStringLiteral("1"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboCount"))->currentText(), QStringLiteral("5"));
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"×\",\"答数\",1,5,\"1.0\",1\r\n"));
    choose(QStringLiteral("cboKeta"), QStringLiteral("2"));
    choose(QStringLiteral("cboCount"), QStringLiteral("9"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboKeta"))->currentText(), QStringLiteral("1"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboCount"))->currentText(), QStringLiteral("5"));
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"×\",\"答数\",1,5,\"1.0\",1\r\n"));
    choose(QStringLiteral("cboKeisan"), QStringLiteral("－"));
    choose(QStringLiteral("cboKeta"), QStringLiteral("2"));
    choose(QStringLiteral("cboHyouji"), QStringLiteral("2.5"));
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"－\",\"答数\",1,5,\"2.5\",2\r\n"));
  }

  void handEditedTimes_isBroughtWithinItsLimitsAtLoad_andWrittenBack() {
    writeFile(kSettings, sjis("10,60,\"×\",\"秒数\",0,9,\"0.5\",2\r\n"));
    load();
    QCOMPARE(fileBytes(kSettings), sjis("10,60,\"×\",\"秒数\",0,5,\"0.5\",1\r\n"));
    QCOMPARE(m_game->questionSettings().count, 5);
    QCOMPARE(m_game->questionSettings().digits, 1);
  }

  void aQuestion_flashesItsNumbers_neverTheSameTwiceInARow_andTheHistoryKeepsTheTotals() {
    writeFile(kSettings, sjis("10,60,\"＋\",\"答数\",1,10,\"0.1\",1\r\n"));
    load();
    startPlay();
    QCOMPARE(text(QStringLiteral("lblMidashi")), QStringLiteral("GO!"));
    m_game->finishNextWait();  // the pause after "GO!"
    QVERIFY(!child(QStringLiteral("lblMidashi"))->isVisibleTo(m_game));
    QVERIFY(m_game->isFlashing());
    QVERIFY(!box()->isEnabled() && !box()->hasFocus());
    QCOMPARE(text(QStringLiteral("lblKanjiK")), questions()->textMatrix(1, 1));
    m_game->finishWaits();
    QCOMPARE(text(QStringLiteral("lblKanjiK")), QStringLiteral("？"));
    QVERIFY(box()->isEnabled());
    QCOMPARE(questions()->rows(), 11);
    int sum = 0;
    for (int row = 1; row <= 10; ++row) {
      const int n = questions()->textMatrix(row, 1).toInt();
      QCOMPARE(questions()->textMatrix(row, 0), QString::number(row));
      if (row > 1) QVERIFY(n != questions()->textMatrix(row - 1, 1).toInt());
      sum += n;
      QCOMPARE(questions()->textMatrix(row, 2), QString::number(sum));
    }
    QCOMPARE(m_game->intGoukei(), sum);
  }

  void answersPlay_startsItsClockAfterTheFirstQuestion_pausesAfterEachAnswer_andSavesTheOperation() {
    writeFile(kSettings, sjis("2,60,\"－\",\"答数\",1,3,\"0.5\",2\r\n"));
    load();
    m_game->cmdStart_Click();
    QCOMPARE(text(QStringLiteral("lblMidashi")), QStringLiteral("Ready"));
    for (int i = 0; i < 3; ++i) m_game->tmrStart_Timer();
    m_game->finishNextWait();
    Clock::advance(5'000);  // the first question costs no play time
    m_game->finishWaits();
    QVERIFY(m_game->engine().blnPlay());
    Clock::advance(2'300);
    const int firstLength = int(total().size());
    type(total());
    QCOMPARE(text(QStringLiteral("lblOk")), QStringLiteral("1"));
    QCOMPARE(text(QStringLiteral("lblKanjiK")), QString());
    QVERIFY(m_game->isWaiting() && !box()->isEnabled());  // the pause before the next question
    m_game->finishWaits();
    QCOMPARE(text(QStringLiteral("lblKanjiK")), QStringLiteral("？"));
    QCOMPARE(questions()->rows(), 7);
    Clock::advance(1'000);
    type(QString(total().size(), QLatin1Char('x')));  // not a number
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblNg")), QStringLiteral("1"));
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("3.3"));
    QCOMPARE(text(QStringLiteral("lblMidashi")), QStringLiteral("END"));
    QCOMPARE(text(QStringLiteral("lblKanjiK")), QString());
    QCOMPARE(m_game->engine().intMoji(), firstLength + int(total().size()));

    QCOMPARE(fileBytes(records::kRecordFileName),
             sjis("\"2024/05/01\",\"21:03:15\",\"スピード計算\",3.3,\"答数 : 2  (－) モード\",\r\n"));
    const QByteArray history = fileBytes(kHistory);
    QVERIFY(history.startsWith(sjis("\"2024/05/01\",\"21:03:15\",2,1,1,\"50.0%\",")));
    QVERIFY(history.endsWith(sjis(",\"3.3秒\",\"－\"\r\n")));
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgRireki"))->textMatrix(1, 9), QStringLiteral("－"));

    type(total());  // after the end nothing is judged
    QCOMPARE(box()->text(), QString());
    QCOMPARE(m_game->engine().answersGiven(), 2);
  }

  void secondsPlay_overInTheMiddleOfAQuestion_letsTheRestPass_andJudgesNothingAfter() {
    writeFile(kSettings, sjis("10,10,\"－\",\"秒数\",1,5,\"1.0\",2\r\n"));
    load();
    askFirstQuestion();
    Clock::advance(3'000);
    m_game->tmrBp_Timer();
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("10"));  // the set seconds stay
    type(fullWidth(total()));
    QCOMPARE(m_game->engine().answersGiven(), 1);
    m_game->finishNextWait();  // the pause; the next question shows its first number
    m_game->finishNextWait();
    QCOMPARE(questions()->rows(), 8);
    Clock::advance(7'000);
    m_game->tmrBp_Timer();
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(questions()->rows(), 11);  // the three numbers left passed at once
    QCOMPARE(text(QStringLiteral("lblKanjiK")), QStringLiteral("？"));
    QCOMPARE(text(QStringLiteral("lblMidashi")), QStringLiteral("END"));
    QCOMPARE(text(QStringLiteral("lblByou")), games::speedText(m_game->engine().intMoji() / 10.0));
    m_game->finishWaits();  // what was left of the waits does nothing
    QCOMPARE(questions()->rows(), 11);
    type(total());
    QCOMPARE(box()->text(), QString());
    QCOMPARE(m_game->engine().answersGiven(), 1);
    QCOMPARE(records::readRecords().table.size(), 1);
    QCOMPARE(records::readRecords().table[0].diary, QStringLiteral("秒数 : 10  (－) モード"));
  }

  void answersTypedWhileNoPlayRuns_areNotJudged() {
    load();
    type(QStringLiteral("5"));
    QCOMPARE(box()->text(), QString());
    QVERIFY(child(QStringLiteral("cmdStart"))->hasFocus() || !QApplication::focusWindow());
    m_game->cmdStart_Click();
    QVERIFY(!box()->isEnabled());  // no question during the countdown
    QCOMPARE(m_game->engine().answersGiven(), 0);
  }

  void questionHistory_isCoveredUntilClicked_andAgainByADoubleClickOrAStart() {
    load();
    auto* cover = child<QPushButton>(QStringLiteral("cmdRireki"));
    QCOMPARE(cover->geometry(), questions()->geometry());
    QTest::mouseClick(cover, Qt::LeftButton);
    QVERIFY(!cover->isVisibleTo(m_game));
    QTest::mouseDClick(questions()->viewport(), Qt::LeftButton);
    QVERIFY(cover->isVisibleTo(m_game));
    QTest::mouseClick(cover, Qt::LeftButton);
    m_game->cmdStart_Click();
    QVERIFY(cover->isVisibleTo(m_game));
  }

  void graphs_raiseTheHistory_andAStartLowersIt() {
    load();
    auto* frame = child(QStringLiteral("fraRireki"));
    const int low = frame->y();
    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdByou")), Qt::LeftButton);
    QVERIFY(frame->y() < low);
    m_game->cmdStart_Click();
    QCOMPARE(frame->y(), low);
  }

  void closingDuringAWait_returnsToTheMainWindow_data() {
    QTest::addColumn<int>("waitsEnded");
    QTest::addColumn<bool>("answered");
    QTest::newRow("the pause after GO!") << 0 << false;
    QTest::newRow("a number on show") << 1 << false;
    QTest::newRow("the pause after an answer") << 10 << true;
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
    QVERIFY(!QFile::exists(records::kRecordFileName));
  }

  void helpTour_explainsTheGameAtLoad() {
    platform::tourState().intHelpTour = 1;
    load();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].text.startsWith(QStringLiteral("このゲームは『スピード計算ドリル』です。\r\n\r\n指定秒")));
    QVERIFY(m_messages[0].text.endsWith(QStringLiteral("引いていきます。\r\n\r\n")));
  }
};

QTEST_MAIN(SpeedGameTest)
#include "tst_speed_game.moc"
