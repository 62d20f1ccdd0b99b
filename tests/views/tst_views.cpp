// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "platform/core/Cp932.h"
#include "records/GameItems.h"
#include "support/TestSupport.h"
#include "views/CsvExport.h"
#include "views/DaySummary.h"
#include "views/Graphs.h"
#include "views/PlayStreak.h"

#include <QTest>

#include <limits>

using records::PlayRecord;
using records::RecordTable;
using testing::play;
using testing::tableOf;

namespace {
const QString kDay = QStringLiteral("2024/05/01");

// A record file with a play on each of the days, in the order given; "!" before a day makes
// its line unreadable (its seconds are no number).
RecordTable fileOfDays(const QStringList& days) {
  QByteArray bytes;
  for (const QString& day : days) {
    const bool unreadable = day.startsWith(QLatin1Char('!'));
    const QString date = unreadable ? day.mid(1) : day;
    bytes += testing::sjis(QStringLiteral("\"%1\",\"10:00:00\",\"ブロック計算\",%2,\"答数 : 20\",\r\n")
                               .arg(date, unreadable ? QStringLiteral("abc") : QStringLiteral("30")));
  }
  return RecordTable::parse(bytes);
}

std::unique_ptr<platform::GridModel> listOf(const std::vector<QStringList>& rows) {
  auto grid = std::make_unique<platform::GridModel>();
  grid->setHeader({QString(), QStringLiteral("時間"), QStringLiteral("項目"), QStringLiteral("秒")});
  grid->setDataRows(rows);
  return grid;
}
}  // namespace

class ViewsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void emptyFile_hasNoDataAndNoRows() {
    const views::DaySummary day = views::summarizeDay(tableOf({}), kDay);
    QVERIFY(day.noData);
    QVERIFY(day.listRows.empty());
    QVERIFY(day.totalRows.empty());
    QCOMPARE(day.kinds, 0);
    QVERIFY(day.firstDay.isEmpty());
  }

  void fivePlaysOfOneGame_giveOneSummaryRow() {
    std::vector<PlayRecord> plays;
    for (int i = 0; i < 5; ++i) plays.push_back(play(kDay, QStringLiteral("10:0%1:00").arg(i), 0, 20));
    const views::DaySummary day = views::summarizeDay(tableOf(plays), kDay);
    QCOMPARE(day.listRows.size(), size_t(5));
    QCOMPARE(day.listRows[4], (QStringList{"5", "10:04:00", "ブロック計算", "20"}));
    QCOMPARE(day.totalRows.size(), size_t(1));
    QCOMPARE(day.totalRows[0], (QStringList{"1", "ブロック計算", "5", "100"}));
    QCOMPARE(day.kinds, 1);
    QCOMPARE(day.totalSeconds, 100);
  }

  void allSevenGames_inItemTableOrder_whateverTheOrderPlayed() {
    std::vector<PlayRecord> plays;
    for (int item = 6; item >= 0; --item) plays.push_back(play(kDay, QStringLiteral("12:00:00"), item, 1.5f));
    const views::DaySummary day = views::summarizeDay(tableOf(plays), kDay);
    QCOMPARE(day.kinds, 7);
    for (int i = 0; i < 7; ++i) QCOMPARE(day.totalRows[size_t(i)][1], records::itemNames()[i]);
    QCOMPARE(day.totalRows[0][3], QStringLiteral("2"));  // 1.5 rounds to the even 2
  }

  void dayWithoutRecords_isEmpty_butKnowsTheFirstAndLastDay() {
    const RecordTable table = tableOf({play(QStringLiteral("2024/04/01"), "09:00:00", 0, 10),
                                       play(QStringLiteral("2024/06/01"), "09:00:00", 1, 10)});
    const views::DaySummary day = views::summarizeDay(table, kDay);
    QVERIFY(!day.noData);
    QVERIFY(day.listRows.empty());
    QCOMPARE(day.totalSeconds, 0);
    QCOMPARE(day.firstDay, QStringLiteral("2024/04/01"));
    QCOMPARE(day.lastDay, QStringLiteral("2024/06/01"));
  }

  void threePlaysOf10point5_make30_andDayTotalsGoBeyond16Bits() {
    const views::DaySummary halves = views::summarizeDay(
        tableOf({play(kDay, "07:00:00", 2, 10.5f), play(kDay, "07:10:00", 2, 10.5f), play(kDay, "07:20:00", 2, 10.5f)}),
        kDay);
    QCOMPARE(halves.totalRows[0][3], QStringLiteral("30"));
    QCOMPARE(halves.largestSeconds, 10.5f);

    const views::DaySummary longDay = views::summarizeDay(
        tableOf({play(kDay, "08:00:00", 0, 20000), play(kDay, "09:00:00", 1, 20000)}), kDay);
    QCOMPARE(longDay.totalSeconds, 40000);
  }

  void secondsNoPlayTakes_showNowhere_andNegativePlaysCount() {
    QByteArray bytes;
    for (const char* seconds : {"20", "nan", "1e30", "-3.5"}) {
      bytes += "\"2024/05/01\",\"10:00:00\",\"" + *platform::cp932::encode(records::itemNames()[0]) + "\"," + seconds +
               ",\"\",\r\n";
    }
    const views::DaySummary day = views::summarizeDay(RecordTable::parse(bytes), kDay);
    QCOMPARE(day.listRows.size(), size_t(2));
    QCOMPARE(day.listRows[1][3], QStringLiteral("-3.5"));
    QCOMPARE(day.totalRows[0][3], QStringLiteral("16"));  // 20 - 3.5 = 16.5, halves to even
  }

  void hourPlot_saturatesInsteadOfOverflowing() {
    const platform::ChartData hours = views::hourPlot(*listOf({{"1", "01:00:00", "表計算", "9e18"},
                                                              {"2", "01:10:00", "表計算", "9e18"},
                                                              {"3", "02:00:00", "表計算", "-inf"}}),
                                                      1, 3);
    QCOMPARE(hours.values[0][1], double(std::numeric_limits<qint64>::max()));
    QCOMPARE(hours.values[0][2], double(std::numeric_limits<qint64>::min()));
  }

  void listPlot_labelsShortenWithMoreThan16Plays() {
    std::vector<QStringList> rows;
    for (int i = 1; i <= 16; ++i) rows.push_back({QString::number(i), "10:00:00", "ブロック計算", "12.5"});
    platform::ChartData sixteen = views::listPlot(*listOf(rows), 2, 3);
    QCOMPARE(sixteen.rowCount(), 16);
    QCOMPARE(sixteen.labels[0], QStringLiteral("ブロ"));
    QCOMPARE(sixteen.values[0][15], 12.5);

    rows.push_back({"17", "10:00:00", "表計算", "3"});
    platform::ChartData seventeen = views::listPlot(*listOf(rows), 2, 3);
    QCOMPARE(seventeen.labels[16], QStringLiteral("表"));
    QCOMPARE(views::listPlot(*listOf(rows), 2, 3, views::Labels::None).labels[0], QString());
  }

  void hourPlot_putsPlaysInTheirHour_withHalvesToEven() {
    const platform::ChartData hours = views::hourPlot(
        *listOf({{"1", "07:59:59", "表計算", "10.5"},
                {"2", "07:10:00", "表計算", "10.5"},
                {"3", "07:20:00", "表計算", "10.5"},
                {"4", "23:30:00", "逆計算", "40000"},
                {"5", "bad", "逆計算", "5"}}),
        1, 3);
    QCOMPARE(hours.rowCount(), 24);
    QCOMPARE(hours.labels[0], QStringLiteral(" 0"));
    QCOMPARE(hours.labels[23], QStringLiteral(" 23"));
    QCOMPARE(hours.values[0][7], 30.0);
    QCOMPARE(hours.values[0][23], 40000.0);
    QCOMPARE(hours.values[0][0], 5.0);  // a time that is no number counts as hour 0
  }

  void playStreak_countsDaysInARowUpToToday_data() {
    QTest::addColumn<QStringList>("days");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("longest");
    const QDate may1(2024, 5, 1);
    QTest::newRow("no plays") << QStringList{} << may1 << 0 << 0;
    QTest::newRow("today only") << QStringList{"2024/05/01", "2024/05/01"} << may1 << 1 << 1;
    QTest::newRow("yesterday keeps the streak until today ends")
        << QStringList{"2024/04/29", "2024/04/30"} << may1 << 2 << 2;
    QTest::newRow("a day missed ends it") << QStringList{"2024/04/28", "2024/04/29"} << may1 << 0 << 2;
    QTest::newRow("a gap: the longest was before it")
        << QStringList{"2024/04/20", "2024/04/21", "2024/04/22", "2024/04/24", "2024/04/30", "2024/05/01"} << may1 << 2
        << 3;
    QTest::newRow("lines out of order count by their dates")
        << QStringList{"2024/05/01", "2024/04/29", "2024/04/30", "2024/05/01", "2024/04/29"} << may1 << 3 << 3;
    QTest::newRow("across the year's end")
        << QStringList{"2024/12/30", "2024/12/31", "2025/01/01", "2025/01/02"} << QDate(2025, 1, 2) << 4 << 4;
    QTest::newRow("a leap day") << QStringList{"2024/02/28", "2024/02/29", "2024/03/01"} << QDate(2024, 3, 1) << 3 << 3;
    QTest::newRow("no leap day in 2023") << QStringList{"2023/02/28", "2023/03/01"} << QDate(2023, 3, 1) << 2 << 2;
    QTest::newRow("unreadable lines and dates that are none do not count")
        << QStringList{"!2024/04/30", "2024/04/31", "yesterday", "2024/05/01"} << may1 << 1 << 1;
    QTest::newRow("short dates as some files have them") << QStringList{"2024/4/30", "2024/05/01"} << may1 << 2 << 2;
    QTest::newRow("days after today count for the longest only")
        << QStringList{"2024/05/01", "2024/05/02", "2024/05/03"} << may1 << 1 << 3;
  }
  void playStreak_countsDaysInARowUpToToday() {
    QFETCH(QStringList, days);
    QFETCH(QDate, today);
    QFETCH(int, current);
    QFETCH(int, longest);
    const views::PlayStreak streak = views::playStreak(views::playDays(fileOfDays(days)), today);
    QCOMPARE(streak.current, current);
    QCOMPARE(streak.longest, longest);
    QCOMPARE(views::streakText(streak), QStringLiteral("連続 %1 日（最長 %2 日）").arg(current).arg(longest));
  }

  void emptyList_givesNoPoints_orTwentyFourZeroHours() {
    QCOMPARE(views::listPlot(*listOf({}), 2, 3).rowCount(), 0);
    const platform::ChartData hours = views::hourPlot(*listOf({}), 1, 3);
    QCOMPARE(hours.rowCount(), 24);
    QCOMPARE(std::count(hours.values[0].begin(), hours.values[0].end(), 0.0), 24);
  }

  // What a spreadsheet reads back as the very text (RFC 4180).
  void csvField_quotesOnlyWhatNeedsIt_doublingQuotes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "答数 : 20" << "答数 : 20";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("a comma") << "速い, 雑" << "\"速い, 雑\"";
    QTest::newRow("an ASCII quote") << "say \"hi\"" << "\"say \"\"hi\"\"\"";
    QTest::newRow("a full-width quote") << "＂最高＂" << "＂最高＂";
    QTest::newRow("a line break") << "一\r\n二" << "\"一\r\n二\"";
    QTest::newRow("blanks around") << " 60 " << " 60 ";
  }
  void csvField_quotesOnlyWhatNeedsIt_doublingQuotes() {
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(views::csvField(text), field);
  }
};

QTEST_GUILESS_MAIN(ViewsTest)
#include "tst_views.moc"
