// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "support/FreshRunTest.h"
#include "support/TestSupport.h"
#include "views/AllGraphs.h"

#include <QTest>

namespace {
// Plays as "yyyy/mm/dd HH:MM:SS <item number> <seconds>", saved and read back as the screen
// reads them: the first and last day are those of the first and last record.
views::AllGraphsLists listsOf(const QStringList& lines) {
  for (const QString& line : lines) {
    const QStringList f = line.split(QLatin1Char(' '));
    testing::savePlays({testing::play(f[0], f[1], f[2].toInt(), f[3].toFloat())});
  }
  const records::RecordTable table = records::readRecords().table;
  const auto dayAt = [&](qsizetype i) { return table.isEmpty() ? QString() : table.date(i).toString(); };
  const QStringList items(records::itemNames().begin(), records::itemNames().end());
  return views::buildAllGraphs(table, items, dayAt(0), dayAt(table.size() - 1));
}

QStringList joined(const std::vector<QStringList>& rows) {
  QStringList texts;
  for (const QStringList& row : rows) texts << row.join(QLatin1Char('|'));
  return texts;
}
}  // namespace

// The lists and graphs of the all-graphs screen, without a window.
class AllGraphsTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  AllGraphsTest() : FreshRunTest(QDate(2024, 3, 10)) {}

 protected:

 private:
 private Q_SLOTS:
  void itemTotals_data() {
    QTest::addColumn<QStringList>("plays");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("40.4 and 50.6 make 2, 91, 0:01:31, 51, 45.5")
        << QStringList{"2024/03/01 10:00:00 0 40.4", "2024/03/01 10:05:00 0 50.6"}
        << QStringList{"1|ブロック計算|2|91|0:01:31|51|45.5"};
    QTest::newRow("three plays of 10.5 make 0:00:30")
        << QStringList{"2024/03/01 10:00:00 2 10.5", "2024/03/01 10:01:00 2 10.5", "2024/03/01 10:02:00 2 10.5"}
        << QStringList{"1|表計算|3|30|0:00:30|10|10.0"};
    QTest::newRow("items never played get no row, the rows count on")
        << QStringList{"2024/03/01 10:00:00 5 12", "2024/03/02 10:00:00 1 3", "2024/03/02 10:01:00 5 7"}
        << QStringList{"1|隣接加減ネオ|1|3|0:00:03|3|3.0", "2|小銭計算|2|19|0:00:19|12|9.5"};
    QTest::newRow("beyond 16 bits, largest included")
        << QStringList{"2024/03/01 10:00:00 4 40000", "2024/03/01 22:00:00 4 30000"}
        << QStringList{"1|逆計算|2|70000|19:26:40|40000|35000.0"};
  }
  void itemTotals() {
    QFETCH(QStringList, plays);
    QFETCH(QStringList, rows);
    QCOMPARE(joined(listsOf(plays).itemRows), rows);
  }

  void dayTotals_data() {
    QTest::addColumn<QStringList>("plays");
    QTest::addColumn<QStringList>("rows");  // number, date, plays, seconds, largest, average
    QTest::newRow("one-day file") << QStringList{"2024/03/01 10:00:00 0 40.4", "2024/03/01 11:00:00 1 50.6"}
                                  << QStringList{"1|2024/03/01|2|91|51|45.5"};
    QTest::newRow("31 January and 1 February")
        << QStringList{"2024/01/31 23:59:00 0 10", "2024/02/01 00:01:00 0 20"}
        << QStringList{"1|2024/01/31|1|10|10|10.0", "2|2024/02/01|1|20|20|20.0"};
    QTest::newRow("1 and 3 March leave an empty 2 March")
        << QStringList{"2024/03/01 10:00:00 0 10", "2024/03/03 10:00:00 0 20"}
        << QStringList{"1|2024/03/01|1|10|10|10.0", "2|2024/03/02|0|0|0|", "3|2024/03/03|1|20|20|20.0"};
    QTest::newRow("record out of order counts in its own day")
        << QStringList{"2024/03/01 10:00:00 0 10", "2024/03/03 10:00:00 0 20", "2024/03/02 10:00:00 0 30",
                       "2024/03/03 11:00:00 0 40"}
        << QStringList{"1|2024/03/01|1|10|10|10.0", "2|2024/03/02|1|30|30|30.0", "3|2024/03/03|2|60|40|30.0"};
    QTest::newRow("record before the first day counts in no day")
        << QStringList{"2024/03/02 10:00:00 0 10", "2024/02/20 10:00:00 0 99", "someday 10:00:00 0 99",
                       "2024/03/03 10:00:00 0 20"}
        << QStringList{"1|2024/03/02|1|10|10|10.0", "2|2024/03/03|1|20|20|20.0"};
    QTest::newRow("last record before the first: the days between")
        << QStringList{"2024/03/03 10:00:00 0 10", "2024/03/01 10:00:00 0 20"}
        << QStringList{"1|2024/03/01|1|20|20|20.0", "2|2024/03/02|0|0|0|", "3|2024/03/03|1|10|10|10.0"};
    QTest::newRow("halves to even, beyond 16 bits")
        << QStringList{"2024/03/01 01:00:00 3 10.5", "2024/03/01 02:00:00 3 10.5", "2024/03/01 03:00:00 3 10.5",
                       "2024/03/01 04:00:00 3 40000"}
        << QStringList{"1|2024/03/01|4|40030|40000|10007.5"};
    QTest::newRow("empty file") << QStringList{} << QStringList{};
  }
  void dayTotals() {
    QFETCH(QStringList, plays);
    QFETCH(QStringList, rows);
    QCOMPARE(joined(testing::rowsOf(*listsOf(plays).days)), rows);
  }

  void scrollThresholds_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("unscrolled");
    QTest::addColumn<int>("topRow");
    QTest::newRow("8 plays: 9 rows, at the top") << 9 << views::kPlaysRowsUnscrolled << 1;
    QTest::newRow("9 plays: 10 rows, on the last") << 10 << views::kPlaysRowsUnscrolled << 9;
    QTest::newRow("7 days: 8 rows, at the top") << 8 << views::kDaysRowsUnscrolled << 1;
    QTest::newRow("8 days: 9 rows, on the last") << 9 << views::kDaysRowsUnscrolled << 8;
  }
  void scrollThresholds() {
    QFETCH(int, rows);
    QFETCH(int, unscrolled);
    QFETCH(int, topRow);
    QCOMPARE(views::openingTopRow(rows, unscrolled), topRow);
  }
};

QTEST_GUILESS_MAIN(AllGraphsTest)
#include "tst_all_graphs.moc"
