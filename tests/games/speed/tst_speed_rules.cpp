// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/speed/SpeedRules.h"
#include "platform/core/Random.h"

#include <QTest>

using namespace games::speed;

Q_DECLARE_METATYPE(Operation)

// The speed game's rules without a window.
class SpeedRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void totals_data() {
    QTest::addColumn<Operation>("op");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("total");
    QTest::newRow("＋ adds from 0") << Operation::Plus << QList<int>{3, 9, 4} << 16;
    QTest::newRow("－ takes from 100 and goes below zero") << Operation::Minus << QList<int>{60, 52} << -12;
    QTest::newRow("× multiplies from 1") << Operation::Times << QList<int>{5, 4, 5, 4, 5} << 2000;
  }
  void totals() {
    QFETCH(Operation, op);
    QFETCH(QList<int>, numbers);
    QFETCH(int, total);
    int t = startTotal(op);
    for (int n : numbers) t = applyNumber(op, t, n);
    QCOMPARE(t, total);
  }

  void judge_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("right");
    QTest::newRow("-12 waits for its third character") << "-1" << -12 << false << false;
    QTest::newRow("-12 right") << "-12" << -12 << true << true;
    QTest::newRow("a wrong answer shorter than the total waits") << "56" << -12 << false << false;
    QTest::newRow("a wrong answer of the total's length") << "567" << -12 << true << false;
    QTest::newRow("a minus after a digit is no number") << "1-" << 12 << true << false;
    QTest::newRow("letters are no number") << "ab" << 12 << true << false;
    QTest::newRow("full-width digits and minus") << "－１２" << -12 << true << true;
    QTest::newRow("long vowel mark as minus") << "ー１２" << -12 << true << true;
  }
  void judge() {
    QFETCH(QString, typed);
    QFETCH(int, total);
    QFETCH(bool, complete);
    QFETCH(bool, right);
    const Judgement j = games::speed::judge(typed, total);
    QCOMPARE(j.complete, complete);
    QCOMPARE(j.right, right);
  }

  void draws_stayInTheirRange_andNeverRepeatTheNumberJustShown_data() {
    QTest::addColumn<Operation>("op");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::newRow("＋ one digit") << Operation::Plus << 1 << 1 << 9;
    QTest::newRow("－ two digits") << Operation::Minus << 2 << 1 << 99;
    QTest::newRow("× one digit") << Operation::Times << 1 << 2 << 5;
  }
  void draws_stayInTheirRange_andNeverRepeatTheNumberJustShown() {
    QFETCH(Operation, op);
    QFETCH(int, digits);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    platform::Random::seed(11);
    const int bound = upperBound({op, 5, digits});
    std::optional<int> previous;
    QSet<int> seen;
    for (int i = 0; i < 2000; ++i) {
      const int n = drawNumber(op, bound, previous);
      QVERIFY(n >= lowest && n <= highest && n != previous);
      seen.insert(n);
      previous = n;
    }
    QCOMPARE(seen.size(), highest - lowest + 1);
  }
};

QTEST_GUILESS_MAIN(SpeedRulesTest)
#include "tst_speed_rules.moc"
