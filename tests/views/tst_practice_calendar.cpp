// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "support/FreshRunTest.h"
#include "support/TestSupport.h"
#include "views/PracticeCalendar.h"

#include <QTest>

using views::PracticeCalendar;

namespace {
// Plays at noon in file order; "2024/05/01*10" stands for ten plays on that day. The range
// runs from the first line's date to the last's, as the today panel gives it.
PracticeCalendar calendarOf(const QStringList& plays) {
  QByteArray bytes;
  for (const QString& entry : plays) {
    const QStringList parts = entry.split(QLatin1Char('*'));
    const records::PlayRecord play = testing::play(parts[0], "12:00:00", 0, 10);
    const QByteArray line = records::encodeRecord(play, records::LineShape::Game).bytes + "\r\n";
    bytes += line.repeated(parts.value(1, "1").toInt());
  }
  const records::RecordTable table = records::RecordTable::parse(bytes);
  return views::buildPracticeCalendar(table, plays.value(0).section('*', 0, 0), plays.value(plays.size() - 1).section('*', 0, 0));
}

// Each data row as its label and the cells with plays, "2024年03月 1:1 3:1"; a coloured cell
// is marked "!" when its colour is not its number's class.
QStringList rowsOf(const views::CalendarGrid& grid) {
  QHash<QPair<int, int>, platform::Rgb> colours;
  for (const views::CellColour& cell : grid.colours) colours.insert({cell.row, cell.col}, cell.colour);
  QStringList rows;
  for (int r = 0; grid.source && r < grid.source->rowCount(); ++r) {
    QString row = grid.source->text(r, 0);
    for (int c = 1; c <= 31; ++c) {
      const QString text = grid.source->text(r, c);
      if (text.isEmpty()) continue;
      const bool right = colours.take({r + 1, c}) == views::classColour(views::countClass(text.toLongLong()));
      row += QStringLiteral(" %1:%2").arg(c).arg(text) + (right ? QString() : QStringLiteral("!"));
    }
    rows << row;
  }
  return colours.isEmpty() ? rows : QStringList{"colours on empty cells"};
}

QString legendCounts(const PracticeCalendar& calendar) {
  QStringList counts;
  for (qint64 days : calendar.classDays) counts << QString::number(days);
  return counts.join(' ');
}
}  // namespace

// The calendar's grids, legend and weekday sums, without a window.
class PracticeCalendarTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  PracticeCalendarTest() : FreshRunTest(QDate(2024, 5, 1)) {}

 protected:

 private:
 private Q_SLOTS:
  void countClass_data() {
    QTest::addColumn<qint64>("plays");
    QTest::addColumn<quint32>("colour");  // 0xRRGGBB
    QTest::addColumn<QString>("caption");  // of the class, with three days
    QTest::newRow("none") << qint64(0) << 0xFFFFFFu << "0回：3日";
    QTest::newRow("two") << qint64(2) << 0xFFC0C0u << "1-2回：3日";
    QTest::newRow("three") << qint64(3) << 0xFFE0C0u << "3-4回：3日";
    QTest::newRow("six") << qint64(6) << 0xFFFFC0u << "5-6回：3日";
    QTest::newRow("seven") << qint64(7) << 0xC0FFC0u << "7-8回：3日";
    QTest::newRow("ten") << qint64(10) << 0xC0FFFFu << "9-10回：3日";
    QTest::newRow("eleven") << qint64(11) << 0xC0C0FFu << "10超：3日";
  }
  void countClass() {
    QFETCH(qint64, plays);
    const int cls = views::countClass(plays);
    QTEST(views::classColour(cls).value(), "colour");
    QTEST(views::legendCaption(cls, 3), "caption");
  }

  void calendar_data() {
    QTest::addColumn<QStringList>("plays");
    QTest::addColumn<QStringList>("months");
    QTest::addColumn<QStringList>("weeks");
    QTest::addColumn<QString>("legend");  // days per class, 0 to 6
    QTest::newRow("oneDayFile") << QStringList{"2024/05/01"} << QStringList{"2024年05月 1:1"}
                                << QStringList{"24年04月28日 4:1"} << "0 1 0 0 0 0 0";
    QTest::newRow("playsOn1And3March") << QStringList{"2024/03/01", "2024/03/03"} << QStringList{"2024年03月 1:1 3:1"}
                                       << QStringList{"24年02月25日 6:1", "24年03月03日 1:1"} << "1 2 0 0 0 0 0";
    QTest::newRow("firstPlayOnWednesday") << QStringList{"2006/01/04", "2006/01/14"} << QStringList{"2006年01月 4:1 14:1"}
                                          << QStringList{"06年01月01日 4:1", "06年01月08日 7:1"} << "9 2 0 0 0 0 0";
    QTest::newRow("firstPlayOnSunday_firstWeekEmpty")
        << QStringList{"2006/01/08", "2006/01/10"} << QStringList{"2006年01月 8:1 10:1"}
        << QStringList{"06年01月01日", "06年01月08日 1:1 3:1"} << "1 2 0 0 0 0 0";
    QTest::newRow("tenPlays") << QStringList{"2024/05/01*10"} << QStringList{"2024年05月 1:10"}
                              << QStringList{"24年04月28日 4:10"} << "0 0 0 0 0 1 0";
    QTest::newRow("elevenPlays") << QStringList{"2024/05/01*11"} << QStringList{"2024年05月 1:11"}
                                 << QStringList{"24年04月28日 4:11"} << "0 0 0 0 0 0 1";
    QTest::newRow("gapDaysUnderZeroPlays") << QStringList{"2024/01/30", "2024/02/02*3"}
                                           << QStringList{"2024年01月 30:1", "2024年02月 2:3"}
                                           << QStringList{"24年01月28日 3:1 6:3"} << "2 1 1 0 0 0 0";
    // Outside the range, or without a date, a line counts nowhere; inside, wherever it stands.
    QTest::newRow("recordsOutOfOrder")
        << QStringList{"2024/03/01", "2024/04/01", "abc", "2024/02/30", "2024/03/04", "2024/02/20", "2024/3/3", "2024/03/05"}
        << QStringList{"2024年03月 1:1 3:1 4:1 5:1"} << QStringList{"24年02月25日 6:1", "24年03月03日 1:1 2:1 3:1"}
        << "1 4 0 0 0 0 0";
  }
  void calendar() {
    QFETCH(QStringList, plays);
    const PracticeCalendar calendar = calendarOf(plays);
    QTEST(rowsOf(calendar.month), "months");
    QTEST(rowsOf(calendar.week), "weeks");
    QTEST(legendCounts(calendar), "legend");
    QCOMPARE(calendar.legend[0], views::legendCaption(0, calendar.classDays[0]));
  }

  void noRange_headersOnlyAndZeros_data() {
    QTest::addColumn<QStringList>("plays");
    QTest::newRow("noRecord") << QStringList{};
    QTest::newRow("firstDayIsNoDate") << QStringList{"abc", "2024/05/01"};
    QTest::newRow("lastDayBeforeFirst") << QStringList{"2024/05/02", "2024/05/01"};
  }
  void noRange_headersOnlyAndZeros() {
    QFETCH(QStringList, plays);
    const PracticeCalendar calendar = calendarOf(plays);
    QCOMPARE(calendar.month.rows + calendar.week.rows, 2);
    QCOMPARE(calendar.legend, (QStringList{"0回：0日", "1-2回：0日", "3-4回：0日", "5-6回：0日", "7-8回：0日",
                                           "9-10回：0日", "10超：0日"}));
    QCOMPARE(calendar.weekdayPlays.labels, (QStringList{"日", "月", "火", "水", "木", "金", "土"}));
    QCOMPARE(calendar.weekdaySeconds.values, (std::vector<std::vector<double>>{{0, 0, 0, 0, 0, 0, 0}}));
  }

  void scrollThresholds_data() {
    QTest::addColumn<QStringList>("plays");
    QTest::addColumn<QList<int>>("rowsAndTops");  // month grid, then week grid
    // 2023/12/31 is the Sunday before Monday 2024/01/01.
    QTest::newRow("fifteenWeeks") << QStringList{"2024/01/01", "2024/04/13"} << QList<int>{5, 0, 16, 0};
    QTest::newRow("sixteenWeeks") << QStringList{"2024/01/01", "2024/04/14"} << QList<int>{5, 0, 17, 16};
    QTest::newRow("twelveMonths") << QStringList{"2024/01/01", "2024/12/31"} << QList<int>{13, 0, 54, 53};
    QTest::newRow("thirteenMonths") << QStringList{"2024/01/31", "2025/01/01"} << QList<int>{14, 13, 50, 49};
  }
  void scrollThresholds() {
    QFETCH(QStringList, plays);
    const PracticeCalendar c = calendarOf(plays);
    QTEST((QList<int>{c.month.rows, c.month.topRow, c.week.rows, c.week.topRow}), "rowsAndTops");
  }

  // Seconds are made whole after every play (unrounded, the Mondays would make 80001).
  void weekdayCharts_sumThePlaysOfTheRange() {
    const records::RecordTable table = testing::tableOf(
        {testing::play("2024/05/05", "09:00:00", 0, 10.5f), testing::play("2024/05/05", "09:10:00", 0, 10.5f),
         testing::play("2024/05/05", "09:20:00", 0, 10.5f), testing::play("2024/04/01", "09:00:00", 1, 99),
         testing::play("2024/05/06", "09:00:00", 1, 40000.4f), testing::play("2024/05/13", "09:00:00", 1, 40000.4f)});
    const PracticeCalendar calendar = views::buildPracticeCalendar(table, "2024/05/05", "2024/05/13");
    QCOMPARE(calendar.weekdayPlays.values[0], (std::vector<double>{3, 2, 0, 0, 0, 0, 0}));
    QCOMPARE(calendar.weekdaySeconds.values[0], (std::vector<double>{30, 80000, 0, 0, 0, 0, 0}));

    const PracticeCalendar busy = calendarOf({"2024/05/05*32768"});
    QCOMPARE(busy.weekdayPlays.values[0][0], 32768.0);
    QCOMPARE(rowsOf(busy.month), QStringList{"2024年05月 5:32768"});
  }
};

QTEST_GUILESS_MAIN(PracticeCalendarTest)
#include "tst_practice_calendar.moc"
