// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/table/TableRules.h"
#include "platform/core/Random.h"

#include <QTest>

#include <algorithm>

using namespace games::table;

Q_DECLARE_METATYPE(games::table::Operation)
Q_DECLARE_METATYPE(games::table::CellTexts)
Q_DECLARE_METATYPE(games::table::Verdict)

namespace {
// A 2 x 2 corner of a table: row digits 3, 0 and column digits 7, 5.
Digits smallDigits() {
  Digits d;
  d.rows.fill(kNoDigit);
  d.columns.fill(kNoDigit);
  d.rows[0] = 3;
  d.rows[1] = 0;
  d.columns[0] = 7;
  d.columns[1] = 5;
  return d;
}

CellTexts texts(std::initializer_list<std::pair<int, const char*>> cells) {
  CellTexts t;
  for (const auto& [k, text] : cells) t[size_t(k - 1)] = QString::fromUtf8(text);
  return t;
}
}  // namespace

// The table game's rules without a window.
class TableRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void answerOf_data() {
    QTest::addColumn<Operation>("op");
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("sample");  // the worked table's column digit ○ row digit

    QTest::newRow("+ 7 and 8") << Operation::Plus << 7 << 8 << 15 << 15;
    QTest::newRow("+ 0 and 0") << Operation::Plus << 0 << 0 << 0 << 0;
    QTest::newRow("- 2 and 7 is negative") << Operation::Minus << 2 << 7 << -5 << 5;
    QTest::newRow("- 0 and 9") << Operation::Minus << 0 << 9 << -9 << 9;
    QTest::newRow("- 9 and 0") << Operation::Minus << 9 << 0 << 9 << -9;
    QTest::newRow("x 6 and 7") << Operation::Times << 6 << 7 << 42 << 42;
    QTest::newRow("x 0 and 7") << Operation::Times << 0 << 7 << 0 << 0;
    QTest::newRow("/ 5 and 2: 2 rest 1") << Operation::Divide << 5 << 2 << 21 << 21;
    QTest::newRow("/ 8 and 4: 2 rest 0") << Operation::Divide << 8 << 4 << 20 << 20;
    QTest::newRow("/ equal digits") << Operation::Divide << 3 << 3 << 10 << 10;
    QTest::newRow("/ 9 and 1") << Operation::Divide << 9 << 1 << 90 << 90;
    QTest::newRow("/ larger by smaller") << Operation::Divide << 2 << 8 << 40 << 40;
    QTest::newRow("/ 9 and 4: 2 rest 1") << Operation::Divide << 9 << 4 << 21 << 21;
    QTest::newRow("/ 7 and 5: 1 rest 2") << Operation::Divide << 5 << 7 << 12 << 12;
  }
  void answerOf() {
    QFETCH(Operation, op);
    QFETCH(int, v);
    QFETCH(int, h);
    QFETCH(int, answer);
    QFETCH(int, sample);
    QCOMPARE(games::table::answerOf(op, v, h), answer);

    Digits d;
    d.rows.fill(v);
    d.columns.fill(h);
    const int k = cellIndex(4, 6);
    QCOMPARE(CALC_ANSWERS(op, d)[size_t(k - 1)], answer);
    QCOMPARE(SHOW_ANSWERS(op, d)[size_t(k - 1)], QString::number(sample));
  }

  void digits_arePermutations_andDivideLeavesPositionTenEmpty_data() {
    QTest::addColumn<Operation>("op");
    QTest::newRow("+") << Operation::Plus;
    QTest::newRow("-") << Operation::Minus;
    QTest::newRow("x") << Operation::Times;
    QTest::newRow("/") << Operation::Divide;
  }
  void digits_arePermutations_andDivideLeavesPositionTenEmpty() {
    QFETCH(Operation, op);
    platform::Random::seed(11);
    const bool divide = op == Operation::Divide;
    std::array<int, kSize> expected{};
    for (int i = 0; i < kSize; ++i) expected[size_t(i)] = divide ? (i < 9 ? i + 1 : kNoDigit) : i;
    std::sort(expected.begin(), expected.end());
    bool shuffled = false;
    for (int draw = 0; draw < 20; ++draw) {
      Digits d = DRAW_DIGITS(op);
      if (divide) {
        QCOMPARE(d.row(10), kNoDigit);
        QCOMPARE(d.column(10), kNoDigit);
        QCOMPARE(SHOW_ANSWERS(op, d)[size_t(cellIndex(3, 10) - 1)], QString());
      }
      shuffled = shuffled || d.rows != d.columns;
      for (auto* positions : {&d.rows, &d.columns}) {
        std::sort(positions->begin(), positions->end());
        QCOMPARE(*positions, expected);
      }
    }
    QVERIFY(shuffled);
    QCOMPARE(longestAnswer(op), 2);
    QCOMPARE(largestSize(op), divide ? 9 : 10);
  }

  void judgeCell_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("keystrokes");

    QTest::newRow("first digit of two waits") << "1" << 15 << false << false << 0;
    QTest::newRow("two digits right") << "15" << 15 << true << true << 2;
    QTest::newRow("two digits wrong") << "16" << 15 << true << false << 2;
    QTest::newRow("zero right") << "0" << 0 << true << true << 1;
    QTest::newRow("minus answer right") << "-5" << -5 << true << true << 2;
    QTest::newRow("minus sign alone waits") << "-" << -5 << false << false << 0;
    QTest::newRow("full-width minus and digit") << "－５" << -5 << true << true << 2;
    QTest::newRow("long vowel mark as minus") << "ー5" << -5 << true << true << 2;
    QTest::newRow("digit without its sign") << "5" << -5 << false << false << 0;
    QTest::newRow("sign typed for a positive answer") << "-" << 5 << true << false << 1;
  }
  void judgeCell() {
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, complete);
    QFETCH(bool, right);
    QFETCH(int, keystrokes);
    const CellJudgement j = games::table::judgeCell(typed, answer);
    QCOMPARE(j.complete, complete);
    QCOMPARE(j.right, right);
    QCOMPARE(j.keystrokes, keystrokes);
  }

  void judgeTable_data() {
    QTest::addColumn<CellTexts>("cells");
    QTest::addColumn<bool>("typedOnly");
    QTest::addColumn<int>("ok");
    QTest::addColumn<int>("ng");
    QTest::addColumn<Verdict>("emptyCell");  // cell 11

    // "＋" on the small corner: cells 1, 2, 11, 12 expect 10, 8, 7, 5.
    const CellTexts all = texts({{1, "10"}, {2, "8"}, {11, "7"}, {12, "5"}});
    const CellTexts gaps = texts({{1, "10"}, {2, "9"}, {3, "99"}, {12, "5"}, {21, "5"}});
    QTest::newRow("whole table right") << all << false << 4 << 0 << Verdict::Right;
    QTest::newRow("completion counts an empty cell as 0") << gaps << false << 2 << 2 << Verdict::Wrong;
    QTest::newRow("time-up counts typed cells only") << gaps << true << 2 << 1 << Verdict::None;
  }
  void judgeTable() {
    QFETCH(CellTexts, cells);
    QFETCH(bool, typedOnly);
    QFETCH(int, ok);
    QFETCH(int, ng);
    QFETCH(Verdict, emptyCell);
    const Answers answers = CALC_ANSWERS(Operation::Plus, smallDigits());
    const TableJudgement j = typedOnly ? JUDGE_TYPED(cells, answers, 2) : JUDGE_TABLE(cells, answers, 2);
    QCOMPARE(j.ok, ok);
    QCOMPARE(j.ng, ng);
    QCOMPARE(j.verdicts[10], emptyCell);
    QCOMPARE(j.verdicts[2], Verdict::None);  // outside the 2 x 2 table
    QCOMPARE(j.verdicts[20], Verdict::None);
  }

  void hint_isTheRowDigitThenTheColumnDigit() {
    QCOMPARE(hintText(smallDigits(), cellIndex(1, 1)), QStringLiteral("37"));
    QCOMPARE(hintText(smallDigits(), cellIndex(2, 2)), QStringLiteral("05"));
    QCOMPARE(hintText(smallDigits(), cellIndex(1, 10)), QStringLiteral("3"));
  }

  void detailText_showsTheShortestSeconds() {
    QCOMPARE(detailText(45.3f, 100, QStringLiteral("＋")), QStringLiteral("秒数 : 45.3   答数 : 100  (＋) モード"));
    QCOMPARE(detailText(120.0f, 7, QStringLiteral("÷")), QStringLiteral("秒数 : 120   答数 : 7  (÷) モード"));
  }

  void explanation_keepsItsLineBreaks() {
    const QString text = explanation();
    QVERIFY(text.startsWith(QStringLiteral("このゲームは『表計算ドリル』です。\r\n\r\n縦１×横１")));
    QVERIFY(text.contains(QStringLiteral("入力します。\r\n　（例　5÷2　→　2余り1なので21）\r\n\r\n※出題ナビ")));
    QVERIFY(text.endsWith(QStringLiteral("最後に表示させたりできます。\r\n\r\n")));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 11);
  }
};

QTEST_GUILESS_MAIN(TableRulesTest)
#include "tst_table_rules.moc"
