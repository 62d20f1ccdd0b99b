#include "games/speed/SpeedRules.h"
#include "platform/core/Random.h"

#include <QTest>

using namespace games::speed;

Q_DECLARE_METATYPE(Operation)

// The speed game's rules without a window.
class SpeedRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void constrained_data() {
    QTest::addColumn<Operation>("op");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("keptCount");
    QTest::addColumn<int>("keptDigits");
    QTest::newRow("× takes one digit and at most five numbers") << Operation::Times << 7 << 2 << 5 << 1;
    QTest::newRow("× keeps what is within its limits") << Operation::Times << 3 << 1 << 3 << 1;
    QTest::newRow("－ keeps ten two-digit numbers") << Operation::Minus << 10 << 2 << 10 << 2;
    QTest::newRow("＋ keeps ten two-digit numbers") << Operation::Plus << 10 << 2 << 10 << 2;
  }
  void constrained() {
    QFETCH(Operation, op);
    QFETCH(int, count);
    QFETCH(int, digits);
    QFETCH(int, keptCount);
    QFETCH(int, keptDigits);
    const QuestionSettings s = games::speed::constrained({op, count, digits});
    QCOMPARE(s.count, keptCount);
    QCOMPARE(s.digits, keptDigits);
  }

  void totals_data() {
    QTest::addColumn<Operation>("op");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("length");
    QTest::newRow("＋ adds from 0") << Operation::Plus << QList<int>{3, 9, 4} << 16 << 2;
    QTest::newRow("－ takes from 100") << Operation::Minus << QList<int>{3, 9, 4} << 84 << 2;
    QTest::newRow("－ below zero counts its minus") << Operation::Minus << QList<int>{60, 52} << -12 << 3;
    QTest::newRow("－ at the least of ten two-digit numbers") << Operation::Minus << QList<int>(10, 99) << -890 << 4;
    QTest::newRow("× multiplies from 1") << Operation::Times << QList<int>{5, 4, 5, 4, 5} << 2000 << 4;
  }
  void totals() {
    QFETCH(Operation, op);
    QFETCH(QList<int>, numbers);
    QFETCH(int, total);
    QFETCH(int, length);
    int t = startTotal(op);
    for (int n : numbers) t = applyNumber(op, t, n);
    QCOMPARE(t, total);
    QCOMPARE(answerLength(t), length);
  }

  void judge_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("right");
    QTest::newRow("-12 waits for its third character") << "-1" << -12 << false << false;
    QTest::newRow("-12 right") << "-12" << -12 << true << true;
    QTest::newRow("-12 wrong") << "-13" << -12 << true << false;
    QTest::newRow("a wrong answer shorter than the total waits") << "56" << -12 << false << false;
    QTest::newRow("a wrong answer of the total's length") << "567" << -12 << true << false;
    QTest::newRow("a lone minus of a two-character total waits") << "-" << 12 << false << false;
    QTest::newRow("a minus after a digit is no number") << "1-" << 12 << true << false;
    QTest::newRow("letters are no number") << "ab" << 12 << true << false;
    QTest::newRow("a blank is no number") << "1 " << 12 << true << false;
    QTest::newRow("full-width digits and minus") << "－１２" << -12 << true << true;
    QTest::newRow("long vowel mark as minus") << "ー１２" << -12 << true << true;
    QTest::newRow("zero") << "0" << 0 << true << true;
  }
  void judge() {
    QFETCH(QString, typed);
    QFETCH(int, total);
    QFETCH(bool, complete);
    QFETCH(bool, right);
    const Judgement j = games::speed::judge(typed, total);
    QCOMPARE(j.complete, complete);
    QCOMPARE(j.right, right);
    if (complete) QCOMPARE(j.keystrokes, int(typed.size()));
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
    QCOMPARE(bound, highest);
    std::optional<int> previous;
    QSet<int> seen;
    for (int i = 0; i < 2000; ++i) {
      const int n = drawNumber(op, bound, previous);
      QVERIFY(n >= lowest && n <= highest);
      QVERIFY(n != previous);
      seen.insert(n);
      previous = n;
    }
    QCOMPARE(seen.size(), highest - lowest + 1);
  }

  void displaySeconds_areTheListedTexts() {
    QCOMPARE(displayItems(), (QStringList{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0", "1.5",
                                          "2.0", "2.5", "3.0"}));
    QCOMPARE(displayMs(QStringLiteral("0.3")), 300);
    QCOMPARE(displayMs(QStringLiteral("2.5")), 2500);
  }
};

QTEST_GUILESS_MAIN(SpeedRulesTest)
#include "tst_speed_rules.moc"
