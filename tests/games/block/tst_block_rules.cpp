// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/block/BlockQuestion.h"
#include "platform/core/Random.h"

#include <QTest>

using games::block::Judgement;
using games::block::judge;

// The block game's rules without a window.
class BlockRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void judge_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("keystrokes");

    QTest::newRow("one digit of a two-digit sum waits") << "1" << 12 << false << false << 0;
    QTest::newRow("right two-digit sum") << "12" << 12 << true << true << 2;
    QTest::newRow("wrong two-digit sum") << "13" << 12 << true << false << 2;
    QTest::newRow("right one-digit sum") << "5" << 5 << true << true << 1;
    QTest::newRow("wrong one-digit sum") << "4" << 5 << true << false << 1;
    QTest::newRow("full-width digits") << "１２" << 12 << true << true << 2;
    QTest::newRow("one full-width digit waits") << "１" << 12 << false << false << 0;
    QTest::newRow("long vowel mark as minus is wrong") << "ー5" << 5 << true << false << 2;
    QTest::newRow("a paste longer than the sum is judged") << "123" << 12 << true << false << 3;
    QTest::newRow("a pasted right sum with a tail") << "12 " << 12 << true << true << 3;
    QTest::newRow("empty text waits") << "" << 3 << false << false << 0;
  }
  void judge() {
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QFETCH(bool, complete);
    QFETCH(bool, right);
    QFETCH(int, keystrokes);
    const Judgement j = games::block::judge(typed, expected);
    QCOMPARE(j.complete, complete);
    QCOMPARE(j.right, right);
    QCOMPARE(j.keystrokes, keystrokes);
  }

  void boards_holdOneToFiveBlocksPerColumn_andTheSumCountsTheChosenColumns() {
    platform::Random::seed(7);
    for (int columns = 1; columns <= games::block::kMaxColumns; ++columns) {
      const games::block::Board board = games::block::makeBoard(columns);
      QCOMPARE(board.columns, columns);
      int sum = 0;
      for (int k = 0; k < columns; ++k) {
        QVERIFY(board.counts[size_t(k)] >= 1 && board.counts[size_t(k)] <= 5);
        sum += board.counts[size_t(k)];
      }
      QCOMPARE(games::block::expectedSum(board, columns), sum);
      QCOMPARE(games::block::expectedSum(board, 1), board.counts[0]);
    }
  }
};

QTEST_GUILESS_MAIN(BlockRulesTest)
#include "tst_block_rules.moc"
