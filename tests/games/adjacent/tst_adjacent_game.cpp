// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/adjacent/AdjacentGame.h"
#include "platform/core/Clock.h"
#include "platform/core/Random.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "records/RecordFile.h"
#include "support/GameTestSupport.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using games::adjacent::AdjacentGame;
using games::adjacent::Operation;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QDateTime kNow(QDate(2024, 5, 1), QTime(21, 3, 7));
const QString kSettings = QStringLiteral("隣接加減ネオ設定.txt");
const QString kHistory = QStringLiteral("隣接加減ネオ履歴.txt");
const QColor kFresh(255, 255, 240);
const QColor kRight(192, 255, 192);
const QColor kWrong(255, 192, 192);
}  // namespace

class AdjacentGameTest : public QObject, testing::GameBench<AdjacentGame> {
  Q_OBJECT

  QLineEdit* box(int i) const { return child<QLineEdit>(QStringLiteral("txtKaitou(%1)").arg(i)); }
  QColor colour(int i) const { return box(i)->palette().color(QPalette::Base); }
  QString digits() const {
    QString shown;
    for (int i = 1; i <= 15; ++i) shown += text(QStringLiteral("lblMondai(%1)").arg(i));
    return shown;
  }
  int expected(int i, Operation op) const { return games::adjacent::expectedDigit(m_game->row(), i, op); }
  int expected(int i) const { return expected(i, m_game->operation()); }
  void type(int i, const QString& answer) { box(i)->setText(answer); }
  void answer(int i, bool right) { type(i, QString::number(right ? expected(i) : (expected(i) + 1) % 10)); }

 private Q_SLOTS:
  void init() { setUpBench(kNow); }
  void cleanup() { tearDownBench(); }

  void everyControl_isNamed() {
    load();
    startPlay();
    QCOMPARE(unnamedControls(), QStringList());
  }

  // Two digits at once go into two boxes, as two keys would.
  void typedDigits_fillOneBoxEach_andAreJudgedOnceAndRight_data() { typedInputRows(); }
  void typedDigits_fillOneBoxEach_andAreJudgedOnceAndRight() {
    QFETCH(QString, how);
    load();
    startPlay();
    typeAs(how, QString::number(expected(1)) + QString::number(expected(2)));
    judgedOnceAndRight(2);
    QCOMPARE(m_game->focusWidget(), box(3));
  }

  void load_withoutFiles_writesTheDefaults_andShowsTheBoardOnlyAfterTheCountdown() {
    load();
    QCOMPARE(fileBytes(kSettings), sjis("20,60,\"＋\",\"答数\",1\r\n"));
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(child<QComboBox>(QStringLiteral("cboMode"))->currentText(), QStringLiteral("＋"));
    auto* grid = child<platform::DataGrid>(QStringLiteral("msgRireki"));
    QCOMPARE(grid->textMatrix(0, 9), QStringLiteral("モード"));
    const QRect area = child<QFrame>(QStringLiteral("frmG1(0)"))->rect();
    QVERIFY(area.contains(child(QStringLiteral("lblMondai(15)"))->geometry()));
    QVERIFY(area.contains(box(14)->geometry()));
    QCOMPARE(box(2)->x() - box(1)->x(), 37);  // the board keeps its 585-twip pitch
    QCOMPARE(digits(), QString());

    m_game->cmdStart_Click();
    m_game->tmrStart_Timer();
    m_game->tmrStart_Timer();
    for (int i = 1; i <= 14; ++i) QVERIFY(!box(i)->isVisibleTo(m_game));
    m_game->tmrStart_Timer();
    for (int i = 1; i <= 14; ++i) QVERIFY(box(i)->isVisibleTo(m_game));
    QCOMPARE(digits().size(), 15);
    QCOMPARE(m_game->focusWidget(), box(1));
    QCOMPARE(colour(1), kFresh);
  }

  void theFourteenthAnswer_bringsANewRow_andTheCountersGoOn() {
    load();
    startPlay();
    const QString first = digits();
    for (int i = 1; i <= 13; ++i) {
      answer(i, i != 5);
      QCOMPARE(m_game->focusWidget(), box(i + 1));
    }
    QCOMPARE(colour(4), kRight);
    QCOMPARE(colour(5), kWrong);
    answer(14, true);
    QVERIFY(digits() != first);
    for (int i = 1; i <= 14; ++i) {
      QCOMPARE(colour(i), kFresh);
      QCOMPARE(box(i)->text(), QString());
    }
    QCOMPARE(m_game->focusWidget(), box(1));
    QCOMPARE(text(QStringLiteral("lblOk")), QStringLiteral("13"));
    QCOMPARE(text(QStringLiteral("lblNg")), QStringLiteral("1"));
    QCOMPARE(text(QStringLiteral("lblMoji_T")), QStringLiteral("14"));
    QCOMPARE(text(QStringLiteral("lblRitu")), QStringLiteral("92.9%"));
    answer(1, false);
    QCOMPARE(text(QStringLiteral("lblMoji_T")), QStringLiteral("15"));
    QCOMPARE(text(QStringLiteral("lblRitu")), QStringLiteral("86.7%"));
  }

  void fourteenAnswers_endOnTheLastBoxOfTheFirstRow_andSaveOnce() {
    writeFile(kSettings, sjis("14,60,\"＋\",\"答数\",1\r\n"));
    load();
    startPlay();
    const QString row = digits();
    for (int i = 1; i <= 13; ++i) answer(i, i != 3 && i != 9);
    Clock::advance(23'400);
    Clock::setNow(kNow);
    answer(14, true);
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(digits(), row);  // the finished row stays on show
    QCOMPARE(colour(14), kRight);
    QCOMPARE(text(QStringLiteral("lblRitu")), QStringLiteral("85.7%"));
    QCOMPARE(text(QStringLiteral("lblByou")), QStringLiteral("0.60/秒"));
    QCOMPARE(fileBytes(kHistory),
             sjis("\"2024/05/01\",\"21:03:07\",14,12,2,\"85.7%\",\"0.60/秒\",\"23.4秒\",\"＋\"\r\n"));
    QCOMPARE(fileBytes(records::kRecordFileName),
             sjis("\"2024/05/01\",\"21:03:07\",\"隣接加減ネオ\",23.4,\"答数 : 14  (＋) モード\",\r\n"));

    // After the end the boxes keep their colours and take nothing.
    QTest::mouseClick(box(3), Qt::LeftButton);
    QCOMPARE(box(3)->text(), QString());
    answer(3, true);
    QCOMPARE(colour(3), kWrong);
    QVERIFY(box(3)->isVisibleTo(m_game));
    QCOMPARE(m_game->engine().answersGiven(), 14);
    QCOMPARE(records::readRecords().table.size(), 1);

    m_game->cmdStart_Click();  // a new start empties the board and hides the boxes until the countdown ends
    QVERIFY(!box(3)->isVisibleTo(m_game));
    QCOMPARE(colour(3), kFresh);
    QCOMPARE(box(3)->text(), QString());
    QCOMPARE(digits(), QString());
    QCOMPARE(text(QStringLiteral("lblMoji_T")), QStringLiteral("0"));
  }

  void secondsPlay_endsAtTimeUp_withAnswersPerSecond() {
    writeFile(kSettings, sjis("20,10,\"×\",\"秒数\",1\r\n"));
    load();
    startPlay();
    for (int i = 1; i <= 5; ++i) answer(i, i % 2 == 1);
    for (int s = 0; s < 10; ++s) {
      Clock::advance(1000);
      m_game->tmrBp_Timer();
    }
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblByou")), QStringLiteral("0.50/秒"));
    QCOMPARE(text(QStringLiteral("lblRitu")), QStringLiteral("60.0%"));
    QVERIFY(fileBytes(kHistory).endsWith(sjis(",5,3,2,\"60.0%\",\"0.50/秒\",\"10秒\",\"×\"\r\n")));
    QVERIFY(fileBytes(records::kRecordFileName).endsWith(sjis(",\"隣接加減ネオ\",10,\"秒数 : 10  (×) モード\",\r\n")));
    answer(6, true);
    QCOMPARE(m_game->engine().answersGiven(), 5);
  }

  void operationChangedInAPlay_judgesFromTheNextAnswer_andIsSavedAtOnce() {
    load();
    startPlay();
    // Rows drawn for "＋" may hold a 0; find one on the right of a pair.
    auto zeroAt = [this] {
      for (int i = 1; i <= 14; ++i) {
        if (m_game->row()[size_t(i)] == 0) return i;
      }
      return 0;
    };
    while (zeroAt() == 0) {
      for (int i = 1; i <= 14; ++i) answer(i, true);
    }
    const int pair = zeroAt();
    const QString row = digits();
    const int given = m_game->engine().answersGiven();

    choose(QStringLiteral("cboMode"), QStringLiteral("÷"));
    QCOMPARE(fileBytes(kSettings), sjis("20,60,\"÷\",\"答数\",1\r\n"));
    QCOMPARE(digits(), row);
    type(pair, QString::number(m_game->row()[size_t(pair - 1)]));  // n ÷ 0: quotient 0, remainder n
    QCOMPARE(colour(pair), kRight);

    choose(QStringLiteral("cboMode"), QStringLiteral("－"));
    const int other = pair == 1 ? 2 : 1;
    type(other, QString::number(expected(other, Operation::Minus)));
    QCOMPARE(colour(other), kRight);
    QCOMPARE(m_game->engine().intOk(), given + 2);

    choose(QStringLiteral("cboMode"), QStringLiteral("÷"));
    for (int i = 1; i <= 14; ++i) answer(i, true);  // the next row is drawn for "÷"
    QVERIFY(!digits().contains(QLatin1Char('0')));
  }

  void clickingABox_emptiesIt_andItsNextAnswerCountsAgain() {
    load();
    startPlay();
    answer(1, false);
    QTest::mouseClick(box(1), Qt::LeftButton);
    QCOMPARE(box(1)->text(), QString());
    QCOMPARE(colour(1), kWrong);
    QCOMPARE(m_game->engine().answersGiven(), 1);
    type(1, QString(QChar(0xFF10 + expected(1))));  // a full-width digit from an input method
    QCOMPARE(colour(1), kRight);
    QCOMPARE(text(QStringLiteral("lblMoji_T")), QStringLiteral("2"));
    QCOMPARE(box(1)->maxLength(), 1);
  }

  void handWrittenSettings_areRead_andRewrittenByteForByte() {
    writeFile(kSettings, sjis("5,120,\"÷\",\"秒数\",0\r\n"));
    load();
    QCOMPARE(m_game->operation(), Operation::Divide);
    QVERIFY(child<QRadioButton>(QStringLiteral("optMode(1)"))->isChecked());
    QCOMPARE(child<QComboBox>(QStringLiteral("cboJikan"))->currentText(), QStringLiteral("120"));
    QTest::mouseClick(child<QRadioButton>(QStringLiteral("optMode(0)")), Qt::LeftButton);
    QCOMPARE(fileBytes(kSettings), sjis("5,120,\"÷\",\"答数\",0\r\n"));
  }
};

QTEST_MAIN(AdjacentGameTest)
#include "tst_adjacent_game.moc"
