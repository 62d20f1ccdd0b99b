// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "support/FreshRunTest.h"
#include "support/TestSupport.h"
#include "views/Aggregation.h"

#include <QTest>

using Plays = std::vector<records::PlayRecord>;
using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Plays)
Q_DECLARE_METATYPE(views::KakeiPeriod)
Q_DECLARE_METATYPE(views::KakeiDisplay)

using testing::play;
using views::KakeiDisplay;
using views::KakeiPeriod;

namespace {

constexpr int kCols = 3 + records::kItemCount;

QStringList allItems() { return QStringList(records::itemNames().begin(), records::itemNames().end()); }

// A grid row: the cells given, the rest empty.
QStringList row(QStringList cells) {
  while (cells.size() < kCols) cells << QString();
  return cells;
}

records::PlayRecord at(const char* date, int item, float seconds) { return play(QString::fromLatin1(date), "09:00:00", item, seconds); }

// The table as a drawing procedure makes it, the first and last day taken from the file's
// first and last record as the today panel takes them.
views::KakeiTable drawn(const Plays& plays, KakeiPeriod period, KakeiDisplay display) {
  const records::RecordTable table = testing::tableOf(plays);
  views::KakeiSettings settings;
  if (!table.isEmpty()) {
    settings.firstDay = table.date(0).toString();
    settings.lastDay = table.date(table.size() - 1).toString();
  }
  settings.items = allItems();
  return views::kakeiTable(table, settings, period, display);
}

Rows bodyOf(const views::KakeiTable& table) {
  Rows rows;
  if (table.rows) {
    for (const QStringList& cells : testing::rowsOf(*table.rows, kCols)) rows << cells;
  }
  return rows;
}

}  // namespace

class AggregationTest : public testing::FreshRunTest {
  Q_OBJECT

 private Q_SLOTS:
  void rows_data() {
    QTest::addColumn<Plays>("plays");
    QTest::addColumn<KakeiPeriod>("period");
    QTest::addColumn<KakeiDisplay>("display");
    QTest::addColumn<Rows>("expected");
    const auto D = KakeiPeriod::Day;
    const auto M = KakeiPeriod::Month;
    const auto time = KakeiDisplay::Jikan;
    const auto count = KakeiDisplay::Kaisu;
    const auto both = KakeiDisplay::JikanKaisu;

    const Plays oneDay{at("2024/05/01", 0, 60), at("2024/05/01", 2, 30)};
    QTest::newRow("one day: one daily row") << oneDay << D << time
                                           << Rows{row({"1", "24/05/01", "0:01:30", "60", "", "30"})};
    QTest::newRow("one day: one month and the total row, unplayed items 0")
        << oneDay << M << count
        << Rows{row({"1", "24/05", "2", "1", "", "1"}), row({"", "合計", "2", "1", "0", "1", "0", "0", "0", "0"})};
    QTest::newRow("unplayed item in the total row, time and count")
        << oneDay << M << both
        << Rows{row({"1", "24/05", "0:01:30 (2)", "60 (1)", "", "30 (1)"}),
                 row({"", "合計", "0:01:30 (2)", "60 (1)", "0 (0)", "30 (1)", "0 (0)", "0 (0)", "0 (0)", "0 (0)"})};

    const Plays monthEnd{at("2024/01/31", 0, 10), at("2024/02/01", 1, 20)};
    QTest::newRow("31 January and 1 February: two months")
        << monthEnd << M << time
        << Rows{row({"1", "24/01", "0:00:10", "10"}), row({"2", "24/02", "0:00:20", "", "20"}),
                 row({"", "合計", "0:00:30", "10", "20", "0", "0", "0", "0", "0"})};
    QTest::newRow("31 January and 1 February: two days")
        << monthEnd << D << count << Rows{row({"1", "24/01/31", "1", "1"}), row({"2", "24/02/01", "1", "", "1"})};

    const Plays gap{at("2024/03/01", 3, 5), at("2024/03/03", 3, 7)};
    QTest::newRow("gap day, time") << gap << D << time
                                   << Rows{row({"1", "24/03/01", "0:00:05", "", "", "", "5"}),
                                            row({"2", "24/03/02", "0:00:00"}),
                                            row({"3", "24/03/03", "0:00:07", "", "", "", "7"})};
    QTest::newRow("gap day, count") << gap << D << count
                                    << Rows{row({"1", "24/03/01", "1", "", "", "", "1"}), row({"2", "24/03/02", "0"}),
                                             row({"3", "24/03/03", "1", "", "", "", "1"})};
    QTest::newRow("gap day, time and count")
        << gap << D << both
        << Rows{row({"1", "24/03/01", "0:00:05 (1)", "", "", "", "5 (1)"}), row({"2", "24/03/02", "0:00:00 (0)"}),
                 row({"3", "24/03/03", "0:00:07 (1)", "", "", "", "7 (1)"})};

    // Made whole at the end, 31.5 would give 32.
    const Plays halves{at("2024/06/01", 4, 10.5f), at("2024/06/01", 4, 10.5f), at("2024/06/01", 4, 10.5f)};
    QTest::newRow("three plays of 10.5 s make 30") << halves << D << time
                                                   << Rows{row({"1", "24/06/01", "0:00:30", "", "", "", "", "30"})};
    QTest::newRow("three plays of 10.5 s make 30, with the count")
        << halves << D << both << Rows{row({"1", "24/06/01", "0:00:30 (3)", "", "", "", "", "30 (3)"})};

    const Plays long4{at("2024/06/02", 6, 10000), at("2024/06/02", 6, 10000), at("2024/06/02", 6, 10000),
                      at("2024/06/02", 6, 10000)};
    QTest::newRow("a day beyond 32,767 seconds") << long4 << D << time
                                                 << Rows{row({"1", "24/06/02", "11:06:40", "", "", "", "", "", "", "40000"})};

    Plays unknown{at("2024/07/01", 5, 12)};
    unknown.push_back({"2024/07/01", "09:10:00", QStringLiteral("暗算"), 8, {}, {}});
    QTest::newRow("a name not in the list counts in the subtotal only")
        << unknown << D << both << Rows{row({"1", "24/07/01", "0:00:20 (2)", "", "", "", "", "", "12 (1)"})};

    // Lines dated after the last day or before the first are left out; one out of order
    // inside the range counts on its own day.
    const Plays disorder{at("2024/03/01", 0, 1), at("2024/03/10", 0, 100), at("2024/03/02", 0, 2),
                         at("2024/02/28", 0, 100), at("2024/03/03", 0, 3)};
    QTest::newRow("a record out of order, by day")
        << disorder << D << count
        << Rows{row({"1", "24/03/01", "1", "1"}), row({"2", "24/03/02", "1", "1"}), row({"3", "24/03/03", "1", "1"})};
    QTest::newRow("a record out of order, by month")
        << disorder << M << time
        << Rows{row({"1", "24/03", "0:00:06", "6"}), row({"", "合計", "0:00:06", "6", "0", "0", "0", "0", "0", "0"})};

    QTest::newRow("no records: the header only") << Plays{} << M << time << Rows{};
  }
  void rows() {
    QFETCH(Plays, plays);
    QFETCH(KakeiPeriod, period);
    QFETCH(KakeiDisplay, display);
    QFETCH(Rows, expected);
    QCOMPARE(bodyOf(drawn(plays, period, display)), expected);
  }

  void scroll_data() {
    QTest::addColumn<KakeiPeriod>("period");
    QTest::addColumn<QString>("lastDay");
    QTest::addColumn<int>("topRow");
    QTest::newRow("18 days stay at the top") << KakeiPeriod::Day << "2024/01/18" << 0;
    QTest::newRow("19 days open on the last day") << KakeiPeriod::Day << "2024/01/19" << 19;
    QTest::newRow("5 months stay at the top") << KakeiPeriod::Month << "2024/05/31" << 0;
    QTest::newRow("6 months open on the total row") << KakeiPeriod::Month << "2024/06/01" << 7;
  }
  void scroll() {
    QFETCH(KakeiPeriod, period);
    QFETCH(QString, lastDay);
    QFETCH(int, topRow);
    const Plays plays{at("2024/01/01", 0, 1), play(lastDay, "09:00:00", 0, 1)};
    QCOMPARE(drawn(plays, period, KakeiDisplay::Kaisu).topRow, topRow);
  }

  void columns_headersWidthsAndAlignments() {
    using platform::Align;
    const views::KakeiSettings settings{"2024/01/01", "2024/01/01", allItems(), 1180, 1250};
    const views::KakeiTable month = views::SYUUKEI_MONTH_KAISU(testing::tableOf({}), settings);
    QStringList headers;
    for (const views::KakeiColumn& column : month.columns) {
      headers << column.header;
      QCOMPARE(column.headerAlign, Align::Center);
    }
    QCOMPARE(headers, (QStringList{"回", "年月", "小計", "ブロック計", "隣接加減ネ", "表計算", "スピード計", "逆計算",
                                   "小銭計算", "時間計算"}));
    QCOMPARE(month.columns[1].twips, 950);
    QCOMPARE(month.columns[1].align, Align::Center);
    QCOMPARE(month.columns[5].align, Align::Right);
    QCOMPARE(views::SYUUKEI_DAY_KAISU(testing::tableOf({}), settings).columns[1].header, QStringLiteral("年月日"));
  }
};

QTEST_GUILESS_MAIN(AggregationTest)
#include "tst_aggregation.moc"
