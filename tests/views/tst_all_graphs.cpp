#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "support/TestSupport.h"
#include "views/AllGraphs.h"
#include "views/RecordList.h"

#include <QTest>

using views::AllGraph;
using List = views::AllGraphView::List;

namespace {

// Plays as "yyyy/mm/dd HH:MM:SS <item number> <seconds>".
std::vector<records::PlayRecord> playsOf(const QStringList& lines) {
  std::vector<records::PlayRecord> plays;
  for (const QString& line : lines) {
    const QStringList f = line.split(QLatin1Char(' '));
    plays.push_back(testing::play(f[0], f[1], f[2].toInt(), f[3].toFloat()));
  }
  return plays;
}

// The record file of the working directory as the screen reads it.
std::shared_ptr<const records::RecordTable> savedTable(const QStringList& lines) {
  testing::savePlays(playsOf(lines));
  records::ReadResult read = records::readRecords();
  return std::make_shared<const records::RecordTable>(std::move(read.table));
}

QStringList itemNames() { return {records::itemNames().begin(), records::itemNames().end()}; }

// The lists as the screen builds them: first and last day from the first and last record.
views::AllGraphsLists build(const records::RecordTable& table) {
  const QString first = table.isEmpty() ? QString() : table.date(0).toString();
  const QString last = table.isEmpty() ? QString() : table.date(table.size() - 1).toString();
  return views::buildAllGraphs(table, itemNames(), first, last);
}

QStringList joined(const std::vector<QStringList>& rows) {
  QStringList texts;
  for (const QStringList& row : rows) texts << row.join(QLatin1Char('|'));
  return texts;
}

// The day rows without their running number, which must count from 1.
QStringList dayRows(const views::DayTotalsSource& days) {
  std::vector<QStringList> rows = testing::rowsOf(days, 6);
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].takeFirst() != QString::number(i + 1)) return {QStringLiteral("row %1 misnumbered").arg(i + 1)};
  }
  return joined(rows);
}

QStringList chartValues(const platform::ChartData& data) {
  QStringList texts;
  for (double value : data.values[0]) texts << platform::ChartData::textOf(value);
  return texts;
}
}  // namespace

// The lists and graphs of the all-graphs screen, without a window.
class AllGraphsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<testing::WorkingDir> m_dir;

 private Q_SLOTS:
  void init() {
    testing::resetRunState();
    m_dir = std::make_unique<testing::WorkingDir>();
    platform::Clock::setNow(QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
  }
  void cleanup() { m_dir.reset(); }

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
    QTest::newRow("a record out of order still counts")
        << QStringList{"2024/03/03 10:00:00 6 5", "2024/03/01 10:00:00 6 6"}
        << QStringList{"1|時間計算|2|11|0:00:11|6|5.5"};
    QTest::newRow("empty file") << QStringList{} << QStringList{};
  }
  void itemTotals() {
    QFETCH(QStringList, plays);
    QFETCH(QStringList, rows);
    QCOMPARE(joined(build(*savedTable(plays)).itemRows), rows);
  }

  void dayTotals_data() {
    QTest::addColumn<QStringList>("plays");
    QTest::addColumn<QStringList>("rows");  // date, plays, seconds, largest, average
    QTest::newRow("one-day file")
        << QStringList{"2024/03/01 10:00:00 0 40.4", "2024/03/01 11:00:00 1 50.6"}
        << QStringList{"2024/03/01|2|91|51|45.5"};
    QTest::newRow("31 January and 1 February")
        << QStringList{"2024/01/31 23:59:00 0 10", "2024/02/01 00:01:00 0 20"}
        << QStringList{"2024/01/31|1|10|10|10.0", "2024/02/01|1|20|20|20.0"};
    QTest::newRow("1 and 3 March leave an empty 2 March")
        << QStringList{"2024/03/01 10:00:00 0 10", "2024/03/03 10:00:00 0 20"}
        << QStringList{"2024/03/01|1|10|10|10.0", "2024/03/02|0|0|0|", "2024/03/03|1|20|20|20.0"};
    QTest::newRow("record out of order counts in its own day")
        << QStringList{"2024/03/01 10:00:00 0 10", "2024/03/03 10:00:00 0 20", "2024/03/02 10:00:00 0 30",
                       "2024/03/03 11:00:00 0 40"}
        << QStringList{"2024/03/01|1|10|10|10.0", "2024/03/02|1|30|30|30.0", "2024/03/03|2|60|40|30.0"};
    QTest::newRow("record before the first day counts in no day")
        << QStringList{"2024/03/02 10:00:00 0 10", "2024/02/20 10:00:00 0 99", "2024/03/03 10:00:00 0 20"}
        << QStringList{"2024/03/02|1|10|10|10.0", "2024/03/03|1|20|20|20.0"};
    QTest::newRow("last record before the first: the days between")
        << QStringList{"2024/03/03 10:00:00 0 10", "2024/03/01 10:00:00 0 20"}
        << QStringList{"2024/03/01|1|20|20|20.0", "2024/03/02|0|0|0|", "2024/03/03|1|10|10|10.0"};
    QTest::newRow("an undated record counts in no day")
        << QStringList{"2024/03/01 10:00:00 0 10", "someday 10:00:00 0 99", "2024/03/02 10:00:00 0 20"}
        << QStringList{"2024/03/01|1|10|10|10.0", "2024/03/02|1|20|20|20.0"};
    QTest::newRow("halves to even, beyond 16 bits")
        << QStringList{"2024/03/01 01:00:00 3 10.5", "2024/03/01 02:00:00 3 10.5", "2024/03/01 03:00:00 3 10.5",
                       "2024/03/01 04:00:00 3 40000"}
        << QStringList{"2024/03/01|4|40030|40000|10007.5"};
    QTest::newRow("empty file") << QStringList{} << QStringList{};
  }
  void dayTotals() {
    QFETCH(QStringList, plays);
    QFETCH(QStringList, rows);
    QCOMPARE(dayRows(*build(*savedTable(plays)).days), rows);
  }

  void averages_roundTenthsHalvesToEven_andNeverShowMinusZero() {
    QCOMPARE(views::averageText(1, 4), QStringLiteral("0.2"));  // 0.25
    QCOMPARE(views::averageText(3, 4), QStringLiteral("0.8"));  // 0.75
    QCOMPARE(views::averageText(-1, 40), QStringLiteral("0.0"));
    QCOMPARE(views::averageText(5, 0), QString());
  }

  void tenYearsOfDays_oneRowEach() {
    const auto table = savedTable({"2014/01/01 10:00:00 0 1", "2023/12/31 10:00:00 0 2"});
    const views::AllGraphsLists lists = build(*table);
    QCOMPARE(lists.days->rowCount(), 3652);
    QCOMPARE(lists.days->text(3651, 1), QStringLiteral("2023/12/31"));
    QCOMPARE(lists.days->text(3651, 0), QStringLiteral("3652"));
    QCOMPARE(lists.days->text(1000, 5), QString());
  }

  void graphs_data() {
    QTest::addColumn<AllGraph>("graph");
    QTest::addColumn<bool>("lowerChart");
    QTest::addColumn<List>("list");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("values");
    QStringList hours(24);
    for (int h = 0; h < 24; ++h) hours[h] = QStringLiteral(" %1").arg(h);
    QStringList hourValues(24, QStringLiteral("0"));
    hourValues[7] = "40";  // 40.5 at 07:59:59, halves to even
    hourValues[10] = "10";
    hourValues[23] = "50";
    QTest::newRow("cmdDay2: every play") << AllGraph::Day2 << true << List::Plays << "秒"
                                         << QStringList{"ブロ", "表計", "ブロ"} << QStringList{"40.5", "10", "50.25"};
    QTest::newRow("cmdTotal2: seconds by item") << AllGraph::Total2 << false << List::Keep << "秒"
                                                << QStringList{"ブロ", "表計"} << QStringList{"90", "10"};
    QTest::newRow("cmdJikan2: seconds by hour")
        << AllGraph::Jikan2 << false << List::Keep << "秒" << hours << hourValues;
    QTest::newRow("cmdHigoto: plays by day")
        << AllGraph::Higoto << true << List::Days << "回" << QStringList(3) << QStringList{"1", "0", "2"};
    QTest::newRow("cmdHigoto2: seconds by day")
        << AllGraph::Higoto2 << true << List::Days << "秒" << QStringList(3) << QStringList{"40", "0", "60"};
    QTest::newRow("cmdHigoto3: average by day, none on the gap day")
        << AllGraph::Higoto3 << true << List::Days << "秒" << QStringList(3) << QStringList{"40", "", "30"};
  }
  void graphs() {
    QFETCH(AllGraph, graph);
    QFETCH(bool, lowerChart);
    QFETCH(List, list);
    QFETCH(QString, title);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, values);
    const auto table = savedTable(
        {"2024/03/01 07:59:59 0 40.5", "2024/03/03 10:00:00 2 10", "2024/03/03 23:30:00 0 50.25"});
    views::AllGraphsLists lists = build(*table);
    platform::GridModel plays, items, days;
    plays.setHeader(QStringList(5));
    plays.setDataSource(std::make_shared<views::RecordListSource>(table));
    items.setHeader(QStringList(7));
    items.setDataRows(lists.itemRows);
    days.setHeader(QStringList(6));
    days.setDataSource(lists.days);

    const platform::ChartData chart = views::allGraphChart(graph, plays, items, days);
    QCOMPARE(chart.labels, labels);
    QCOMPARE(chartValues(chart), values);
    const views::AllGraphView view = views::allGraphView(graph);
    QCOMPARE(view.lowerChart, lowerChart);
    QCOMPARE(view.list, list);
    QCOMPARE(QString::fromUtf8(view.valueTitle), title);
  }
};

QTEST_GUILESS_MAIN(AllGraphsTest)
#include "tst_all_graphs.moc"
