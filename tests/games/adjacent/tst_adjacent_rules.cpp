// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/adjacent/AdjacentRules.h"
#include "games/framework/PlaySaving.h"
#include "platform/core/Random.h"

#include <QTest>

using games::adjacent::Operation;

// The adjacent-number game's rules without a window.
class AdjacentRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void reduce_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("expected");

    QTest::newRow("＋ 8 and 4 keep the ones digit") << "＋" << 8 << 4 << 2;
    QTest::newRow("＋ 9 and 9") << "＋" << 9 << 9 << 8;
    QTest::newRow("＋ 5 and 5 make 0") << "＋" << 5 << 5 << 0;
    QTest::newRow("－ 4 and 8 drop the sign") << "－" << 4 << 8 << 4;
    QTest::newRow("－ 0 and 9") << "－" << 0 << 9 << 9;
    QTest::newRow("× 9 and 9") << "×" << 9 << 9 << 9;
    QTest::newRow("× 0 and 7") << "×" << 0 << 7 << 0;
    QTest::newRow("× 5 and 7") << "×" << 5 << 7 << 8;
    QTest::newRow("× 7 and 8 reduce twice") << "×" << 7 << 8 << 1;
    QTest::newRow("× 2 and 5 make 10") << "×" << 2 << 5 << 1;
    QTest::newRow("÷ 9 and 4") << "÷" << 9 << 4 << 3;
    QTest::newRow("÷ 3 and 7") << "÷" << 3 << 7 << 3;
    QTest::newRow("÷ 8 and 2 without remainder") << "÷" << 8 << 2 << 4;
    QTest::newRow("÷ by 0 gives the left digit") << "÷" << 6 << 0 << 6;
  }
  void reduce() {
    QFETCH(QString, operation);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, expected);
    QCOMPARE(games::adjacent::reduce(games::adjacent::operationOf(operation), left, right), expected);
  }

  void judge_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("judged");
    QTest::addColumn<bool>("right");

    QTest::newRow("right digit") << "7" << 7 << true << true;
    QTest::newRow("wrong digit") << "6" << 7 << true << false;
    QTest::newRow("full-width digit") << "７" << 7 << true << true;
    QTest::newRow("a letter counts as 0") << "a" << 0 << true << true;
    QTest::newRow("a minus sign counts as 0") << "－" << 0 << true << true;
    QTest::newRow("empty box is no answer") << "" << 0 << false << false;
  }
  void judge() {
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QFETCH(bool, judged);
    QFETCH(bool, right);
    const games::adjacent::Judgement j = games::adjacent::judge(typed, expected);
    QCOMPARE(j.judged, judged);
    QCOMPARE(j.right, right);
  }

  void rows_holdFifteenDigits_withoutZeroOnlyForDivision_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("lowest");
    QTest::newRow("＋ draws 0 to 9") << "＋" << 0;
    QTest::newRow("× draws 0 to 9") << "×" << 0;
    QTest::newRow("÷ draws 1 to 9") << "÷" << 1;
  }
  void rows_holdFifteenDigits_withoutZeroOnlyForDivision() {
    QFETCH(QString, operation);
    QFETCH(int, lowest);
    platform::Random::seed(11);
    int low = 9, high = 0;
    for (int n = 0; n < 40; ++n) {
      for (int digit : games::adjacent::makeRow(games::adjacent::operationOf(operation))) {
        low = qMin(low, digit);
        high = qMax(high, digit);
      }
    }
    QCOMPARE(low, lowest);
    QCOMPARE(high, 9);
  }

  void boxes_answerTheirTwoNeighbours() {
    const games::adjacent::Row row{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 8};
    QCOMPARE(games::adjacent::expectedDigit(row, 1, Operation::Plus), 3);
    QCOMPARE(games::adjacent::expectedDigit(row, 9, Operation::Minus), 9);
    QCOMPARE(games::adjacent::expectedDigit(row, 14, Operation::Times), 5);  // 4 × 8 = 32
  }

  void detailAndExplanation_texts() {
    QCOMPARE(games::modeDetail("秒数", "60", "＋"), QStringLiteral("秒数 : 60  (＋) モード"));
    QCOMPARE(games::modeDetail("答数", "14", "÷"), QStringLiteral("答数 : 14  (÷) モード"));
    const QString text = games::adjacent::explanation();
    QVERIFY(text.startsWith(QStringLiteral("このゲームは『隣接加減ドリル ネオ』です。\r\n\r\n隣り合う")));
    QVERIFY(text.contains(QStringLiteral("→ 2）\r\n　・引き算")));
    QVERIFY(text.contains(QStringLiteral("→ 4）\r\n\r\n単純計算")));
    QVERIFY(text.contains(QStringLiteral("！\r\n\r\n\r\n※難易度")));
    QVERIFY(text.endsWith(QStringLiteral("= 8）\r\n　・割り算（÷）モードでは商と余りを足します。（9 ÷ 4 = 2余り1 → 2 + 1 = 3）\r\n")));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 14);
  }
};

QTEST_GUILESS_MAIN(AdjacentRulesTest)
#include "tst_adjacent_rules.moc"
