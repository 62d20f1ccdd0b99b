// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/clock/ClockRules.h"
#include "platform/core/Random.h"

#include <QTest>

using namespace games::clock;

// The clock game's rules without a window.
class ClockRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void questionFor_data() {
    QTest::addColumn<QTime>("shown");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("later");
    QTest::addColumn<QString>("jikoku");
    QTest::addColumn<QString>("shiji");
    QTest::addColumn<QString>("seikai");

    QTest::newRow("the latest answer") << QTime(21, 58, 58) << 7199 << true << "21:58:58" << "1時間59分59秒後 の時間は？" << "235857";
    QTest::newRow("the earliest answer") << QTime(2, 0, 0) << 7199 << false << "02:00:00" << "1時間59分59秒前 の時間は？" << "000001";
    QTest::newRow("under a minute reads only seconds") << QTime(12, 43, 43) << 12 << true << "12:43:43" << "12秒後 の時間は？" << "124355";
    QTest::newRow("zero minutes are left out") << QTime(5, 0, 0) << 3605 << false << "05:00:00" << "1時間5秒前 の時間は？" << "035955";
    QTest::newRow("no offset") << QTime(9, 5, 3) << 0 << true << "09:05:03" << "0秒後 の時間は？" << "090503";
    QTest::newRow("minutes and seconds") << QTime(5, 23, 42) << 17 * 60 + 12 << true << "05:23:42" << "17分12秒後 の時間は？" << "054054";
    QTest::newRow("whole minutes keep 0秒") << QTime(10, 0, 30) << 120 << false << "10:00:30" << "2分0秒前 の時間は？" << "095830";
  }
  void questionFor() {
    QFETCH(QTime, shown);
    QFETCH(int, offset);
    QFETCH(bool, later);
    const Question q = games::clock::questionFor(shown.hour(), shown.minute(), shown.second(), offset, later);
    QTEST(q.strJikoku, "jikoku");
    QTEST(q.strShiji, "shiji");
    QTEST(q.strSeikai, "seikai");
    QCOMPARE(q.lngKijun, shown.msecsSinceStartOfDay() / 1000);
  }

  void draws_stayInTheirRanges_andWithinTheDay_data() {
    QTest::addColumn<int>("intTani");
    QTest::addColumn<int>("limit");
    QTest::newRow("秒単位のみ") << 0 << 30;
    QTest::newRow("分単位まで") << 1 << 1800;
    QTest::newRow("時間単位まで") << 2 << 7200;
  }
  void draws_stayInTheirRanges_andWithinTheDay() {
    QFETCH(int, intTani);
    QFETCH(int, limit);
    platform::Random::seed(5);
    int largest = 0;
    for (int draw = 0; draw < 2000; ++draw) {
      const Question q = makeQuestion(intTani);
      const QTime shown = QTime::fromString(q.strJikoku, QStringLiteral("HH:mm:ss"));
      QVERIFY(shown.hour() >= 2 && shown.hour() <= 21);
      QVERIFY(shown.minute() <= 58 && shown.second() <= 58);
      const int offset = std::abs(q.lngKotae - q.lngKijun);
      QVERIFY(offset < limit);
      largest = std::max(largest, offset);
      QVERIFY(q.lngKotae > 0 && q.lngKotae < 24 * 3600);
      if (intTani == 0) QVERIFY(!q.strShiji.contains(QStringLiteral("分")));
    }
    QVERIFY(largest > limit * 9 / 10);  // the whole range is drawn from
  }

  void judge_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("right");
    QTest::newRow("six digits, right") << "124355" << true << true;
    QTest::newRow("with separators, judged at the sixth character") << "12:43:" << true << false;
    QTest::newRow("no leading zero waits for a sixth character") << "95030" << false << false;
    QTest::newRow("the sixth character makes it wrong") << "950300" << true << false;
    QTest::newRow("full-width digits") << "１２４３５５" << true << true;
  }
  void judge() {
    QFETCH(QString, typed);
    QFETCH(bool, complete);
    QFETCH(bool, right);
    const Judgement j = games::clock::judge(typed, QStringLiteral("124355"));
    QCOMPARE(j.complete, complete);
    QCOMPARE(j.right, right);
    QCOMPARE(j.keystrokes, complete ? 6 : 0);
  }
};

QTEST_GUILESS_MAIN(ClockRulesTest)
#include "tst_clock_rules.moc"
