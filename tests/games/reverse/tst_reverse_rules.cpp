// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/reverse/ReverseRules.h"
#include "platform/core/Random.h"

#include <QTest>

using namespace games::reverse;

Q_DECLARE_METATYPE(Operator)

// The reverse-calculation game's judging without a window.
class ReverseRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void judge_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Operator>("op");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("signFound");
    QTest::addColumn<QString>("shown");  // the two numbers as the labels show them
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("feedbackMs");

    const Operator plus = Operator::Plus, minus = Operator::Minus, times = Operator::Times, divide = Operator::Divide;
    QTest::newRow("4*4 for 16") << "4*4" << times << 16 << true << "4 4" << true << 250;
    QTest::newRow("32*0.5 for 16") << "32*0.5" << times << 16 << true << "32 0.5" << true << 250;
    QTest::newRow("50/3 makes 17") << "50/3" << divide << 17 << true << "50 3" << true << 250;
    QTest::newRow("50/3 is not 16") << "50/3" << divide << 16 << true << "50 3" << false << 250;
    QTest::newRow("33/2 goes to the even 16") << "33/2" << divide << 16 << true << "33 2" << true << 250;
    QTest::newRow("35/2 goes to the even 18") << "35/2" << divide << 18 << true << "35 2" << true << 250;
    QTest::newRow("2+14 has no * for ×") << "2+14" << times << 16 << false << "" << false << 200;
    QTest::newRow("-4-12 splits at the first minus") << "-4-12" << minus << 4 << true << "0 4" << false << 250;
    QTest::newRow("8abc*2 counts its leading 8") << "8abc*2" << times << 16 << true << "8 2" << true << 250;
    QTest::newRow("*16 has no first number") << "*16" << times << 16 << true << "0 16" << false << 250;
    QTest::newRow("blanks are ignored") << " 1 6 * 1 " << times << 16 << true << "16 1" << true << 250;
    QTest::newRow("x/0 is wrong") << "16/0" << divide << 16 << true << "16 0" << false << 250;
    QTest::newRow("beyond 16 bits is wrong") << "200*200" << times << 100 << true << "200 200" << false << 250;
    QTest::newRow("the shown 0.3 times 55 is 16.5, so 16") << "0.3*55" << times << 16 << true << "0.3 55" << true << 250;
    QTest::newRow("full-width ２＊８") << "２＊８" << times << 16 << true << "2 8" << true << 250;
    QTest::newRow("full-width ／ and ．") << "８／０．５" << divide << 16 << true << "8 0.5" << true << 250;
    QTest::newRow("÷ typed as the sign") << "32÷2" << divide << 16 << true << "32 2" << true << 250;
    QTest::newRow("kana input's ・ for /") << "１３０・２" << divide << 65 << true << "130 2" << true << 250;
    QTest::newRow("full-width ＋") << "１０＋６" << plus << 16 << true << "10 6" << true << 250;
    QTest::newRow("long vowel mark as minus") << "２０ー４" << minus << 16 << true << "20 4" << true << 250;
  }
  void judge() {
    QFETCH(QString, typed);
    QFETCH(Operator, op);
    QFETCH(int, target);
    QFETCH(bool, signFound);
    QFETCH(QString, shown);
    QFETCH(bool, right);
    QFETCH(int, feedbackMs);
    const Judgement j = games::reverse::judge(typed, op, target);
    QCOMPARE(j.signFound, signFound);
    if (signFound) QCOMPARE(operandText(j.a) + QLatin1Char(' ') + operandText(j.b), shown);
    QCOMPARE(j.right, right);
    QCOMPARE(j.feedbackMs(), feedbackMs);
    QCOMPARE(j.keystrokes, int(typed.size()));
  }

  void questions_askOneToHundred_withEveryOperator() {
    platform::Random::seed(3);
    QSet<int> operators;
    for (int i = 0; i < 1000; ++i) {
      const Question q = makeQuestion();
      QVERIFY(q.intMokuhyo >= 1 && q.intMokuhyo <= 100);
      operators.insert(int(q.strEnzan));
    }
    QCOMPARE(operators.size(), 4);
  }
};

QTEST_GUILESS_MAIN(ReverseRulesTest)
#include "tst_reverse_rules.moc"
