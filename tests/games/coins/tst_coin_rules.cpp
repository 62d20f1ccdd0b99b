// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/coins/CoinRules.h"
#include "platform/core/Random.h"

#include <QTest>

#include <algorithm>
#include <set>

using namespace games::coins;

// The coin game's rules without a window.
class CoinRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void judge_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("right");

    QTest::newRow("a wrong answer shorter than the total waits") << "9" << 125 << false << false;
    QTest::newRow("two of three digits wait") << "12" << 125 << false << false;
    QTest::newRow("right three-digit total") << "125" << 125 << true << true;
    QTest::newRow("wrong three-digit total") << "126" << 125 << true << false;
    QTest::newRow("letters of the right length are wrong") << "12a" << 125 << true << false;
    QTest::newRow("a sign of the right length is wrong") << "-5" << 15 << true << false;
    QTest::newRow("full-width digits") << "１２５" << 125 << true << true;
    QTest::newRow("the largest total") << "1000" << 1000 << true << true;
    QTest::newRow("a paste longer than the total is judged") << "1000" << 100 << true << false;
  }
  void judge() {
    QFETCH(QString, typed);
    QFETCH(int, total);
    QFETCH(bool, complete);
    QFETCH(bool, right);
    const Judgement j = games::coins::judge(typed, total);
    QCOMPARE(j.complete, complete);
    QCOMPARE(j.right, right);
    QCOMPARE(j.keystrokes, complete ? int(typed.size()) : 0);
  }

  void questions_data() {
    QTest::addColumn<int>("intHide");
    QTest::addColumn<bool>("random");
    QTest::addColumn<bool>("oneKind");
    QTest::addColumn<int>("fewest");

    QTest::newRow("two coins, random count: always two") << 2 << true << false << 2;
    QTest::newRow("ten coins of one kind") << 10 << false << true << 10;
    QTest::newRow("five coins") << 5 << false << false << 5;
    QTest::newRow("random count up to seven") << 7 << true << false << 2;
  }
  void questions() {
    QFETCH(int, intHide);
    QFETCH(bool, random);
    QFETCH(bool, oneKind);
    QFETCH(int, fewest);
    platform::Random::seed(11);
    std::vector<int> counts;
    std::set<int> kinds;
    for (int draw = 0; draw < 500; ++draw) {
      const Question q = makeQuestion(intHide, random, oneKind);
      counts.push_back(int(q.coins.size()));
      int sum = 0;
      for (int coin : q.coins) {
        kinds.insert(coin);
        sum += coin;
      }
      QCOMPARE(q.intGoukei, sum);
      if (oneKind) QCOMPARE(sum, int(q.coins.size()) * q.coins.front());
    }
    QCOMPARE(*std::min_element(counts.begin(), counts.end()), fewest);
    QCOMPARE(*std::max_element(counts.begin(), counts.end()), intHide);
    QCOMPARE(kinds, (std::set<int>{1, 5, 10, 50, 100}));  // never 500
  }
};

QTEST_GUILESS_MAIN(CoinRulesTest)
#include "tst_coin_rules.moc"
