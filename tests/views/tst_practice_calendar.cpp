#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "support/TestSupport.h"
#include "views/PracticeCalendar.h"

#include <QTest>
#include <memory>

using views::PracticeCalendar;

namespace {

// A file of plays at noon; "2024/05/01*10" stands for ten plays on that day.
records::RecordTable tableOf(const QStringList& plays) {
  std::vector<records::PlayRecord> records;
  for (const QString& spec : plays) {
    const QStringList parts = spec.split(QLatin1Char('*'));
    const int times = parts.size() > 1 ? parts[1].toInt() : 1;
    for (int i = 0; i < times; ++i) records.push_back(testing::play(parts[0], "12:00:00", 0, 10));
  }
  return testing::tableOf(records);
}

// As the today panel gives them: the dates of the first and of the last line.
PracticeCalendar calendarOf(const records::RecordTable& table) {
  const QString first = table.isEmpty() ? QString() : table.date(0).toString();
  const QString last = table.isEmpty() ? QString() : table.date(table.size() - 1).toString();
  return views::buildPracticeCalendar(table, first, last);
}

// Each data row as its label and the cells with plays, "2024年03月 1:1 3:1".
QStringList rowsOf(const views::CalendarGrid& grid) {
  QStringList rows;
  if (!grid.source) return rows;
  for (int r = 0; r < grid.source->rowCount(); ++r) {
    QString row = grid.source->text(r, 0);
    for (int c = 1; c <= 31; ++c) {
      const QString text = grid.source->text(r, c);
      if (!text.isEmpty()) row += QStringLiteral(" %1:%2").arg(c).arg(text);
    }
    rows << row;
  }
  return rows;
}

// Every cell with plays, and only those, has the colour of its number's class.
bool coloursMatchCounts(const views::CalendarGrid& grid, int cols) {
  int filled = 0;
  for (int r = 0; grid.source && r < grid.source->rowCount(); ++r) {
    for (int c = 1; c <= cols; ++c) filled += grid.source->text(r, c).isEmpty() ? 0 : 1;
  }
  if (filled != int(grid.colours.size())) return false;
  for (const views::CellColour& cell : grid.colours) {
    const QString text = grid.source->text(cell.row - 1, cell.col);
    if (text.isEmpty() || cell.colour != views::classColour(views::countClass(text.toLongLong()))) return false;
  }
  return true;
}

QString legendCounts(const PracticeCalendar& calendar) {
  QStringList counts;
  for (qint64 days : calendar.classDays) counts << QString::number(days);
  return counts.join(QLatin1Char(' '));
}

}  // namespace

// The calendar's grids, legend and weekday sums, without a window.
class PracticeCalendarTest : public QObject {
  Q_OBJECT
  std::unique_ptr<testing::WorkingDir> m_dir;

 private Q_SLOTS:
  void init() {
    testing::resetRunState();
    m_dir = std::make_unique<testing::WorkingDir>();
    platform::Clock::setNow(QDateTime(QDate(2024, 5, 1), QTime(12, 0)));
  }
  void cleanup() { m_dir.reset(); }

  void countClass_data() {
    QTest::addColumn<qint64>("plays");
    QTest::addColumn<int>("cls");
    QTest::addColumn<quint32>("colour");  // 0xRRGGBB
    QTest::addColumn<QString>("caption");  // of three days of the class
    QTest::newRow("none") << qint64(0) << 0 << 0xFFFFFFu << "0回：3日";
    QTest::newRow("one") << qint64(1) << 1 << 0xFFC0C0u << "1-2回：3日";
    QTest::newRow("two") << qint64(2) << 1 << 0xFFC0C0u << "1-2回：3日";
    QTest::newRow("three") << qint64(3) << 2 << 0xFFE0C0u << "3-4回：3日";
    QTest::newRow("six") << qint64(6) << 3 << 0xFFFFC0u << "5-6回：3日";
    QTest::newRow("seven") << qint64(7) << 4 << 0xC0FFC0u << "7-8回：3日";
    QTest::newRow("ten") << qint64(10) << 5 << 0xC0FFFFu << "9-10回：3日";
    QTest::newRow("eleven") << qint64(11) << 6 << 0xC0C0FFu << "10超：3日";
    QTest::newRow("beyond16Bits") << qint64(40000) << 6 << 0xC0C0FFu << "10超：3日";
  }
  void countClass() {
    QFETCH(qint64, plays);
    QFETCH(int, cls);
    QFETCH(quint32, colour);
    QFETCH(QString, caption);
    QCOMPARE(views::countClass(plays), cls);
    QCOMPARE(views::classColour(cls).value(), colour);
    QCOMPARE(views::legendCaption(cls, 3), caption);
  }

  void calendar_data() {
    QTest::addColumn<QStringList>("plays");   // in file order
    QTest::addColumn<QStringList>("months");  // month grid rows
    QTest::addColumn<QStringList>("weeks");   // week grid rows
    QTest::addColumn<QString>("legend");      // days per class, 0 to 6

    QTest::newRow("oneDayFile") << QStringList{"2024/05/01"} << QStringList{"2024年05月 1:1"}
                                << QStringList{"24年04月28日 4:1"} << "0 1 0 0 0 0 0";
    QTest::newRow("playsOn1And3March")
        << QStringList{"2024/03/01", "2024/03/03"} << QStringList{"2024年03月 1:1 3:1"}
        << QStringList{"24年02月25日 6:1", "24年03月03日 1:1"} << "1 2 0 0 0 0 0";
    QTest::newRow("firstPlayOnWednesday_weekStartsTheSundayBefore")
        << QStringList{"2006/01/04", "2006/01/14"} << QStringList{"2006年01月 4:1 14:1"}
        << QStringList{"06年01月01日 4:1", "06年01月08日 7:1"} << "9 2 0 0 0 0 0";
    QTest::newRow("firstPlayOnSunday_firstWeekStaysEmpty")
        << QStringList{"2006/01/08", "2006/01/10"} << QStringList{"2006年01月 8:1 10:1"}
        << QStringList{"06年01月01日", "06年01月08日 1:1 3:1"} << "1 2 0 0 0 0 0";
    QTest::newRow("tenPlaysOnADay") << QStringList{"2024/05/01*10"} << QStringList{"2024年05月 1:10"}
                                    << QStringList{"24年04月28日 4:10"} << "0 0 0 0 0 1 0";
    QTest::newRow("elevenPlaysOnADay") << QStringList{"2024/05/01*11"} << QStringList{"2024年05月 1:11"}
                                       << QStringList{"24年04月28日 4:11"} << "0 0 0 0 0 0 1";
    QTest::newRow("gapDaysCountUnderZeroPlays")
        << QStringList{"2024/01/30", "2024/02/02*3"} << QStringList{"2024年01月 30:1", "2024年02月 2:3"}
        << QStringList{"24年01月28日 3:1 6:3"} << "2 1 1 0 0 0 0";
    QTest::newRow("monthsAcrossTheYearEnd")
        << QStringList{"2023/12/31", "2024/01/01"} << QStringList{"2023年12月 31:1", "2024年01月 1:1"}
        << QStringList{"23年12月24日", "23年12月31日 1:1 2:1"} << "0 2 0 0 0 0 0";
    QTest::newRow("recordOutOfOrder_outsideTheRangeIsSkipped")
        << QStringList{"2024/03/01", "2024/04/01", "2024/03/04", "2024/02/20", "2024/03/03", "2024/03/05"}
        << QStringList{"2024年03月 1:1 3:1 4:1 5:1"}
        << QStringList{"24年02月25日 6:1", "24年03月03日 1:1 2:1 3:1"} << "1 4 0 0 0 0 0";
    QTest::newRow("linesWithoutADate_countNowhere")
        << QStringList{"2024/03/01", "abc", "2024/02/30", "2024/3/2", "2024/03/03"}
        << QStringList{"2024年03月 1:1 2:1 3:1"} << QStringList{"24年02月25日 6:1 7:1", "24年03月03日 1:1"}
        << "0 3 0 0 0 0 0";
  }
  void calendar() {
    QFETCH(QStringList, plays);
    QFETCH(QStringList, months);
    QFETCH(QStringList, weeks);
    QFETCH(QString, legend);
    const records::RecordTable table = tableOf(plays);
    const PracticeCalendar calendar = calendarOf(table);
    QCOMPARE(rowsOf(calendar.month), months);
    QCOMPARE(calendar.month.rows, int(months.size()) + 1);
    QCOMPARE(rowsOf(calendar.week), weeks);
    QCOMPARE(calendar.week.rows, int(weeks.size()) + 1);
    QVERIFY(coloursMatchCounts(calendar.month, 31));
    QVERIFY(coloursMatchCounts(calendar.week, 7));
    QCOMPARE(legendCounts(calendar), legend);
    for (int k = 0; k < views::kCountClasses; ++k) {
      QCOMPARE(calendar.legend[k], views::legendCaption(k, calendar.classDays[size_t(k)]));
    }
  }

  void noRange_showsHeadersOnlyAndZeros_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("noRecord") << QString() << QString();
    QTest::newRow("firstDayIsNoDate") << "abc" << "2024/05/01";
    QTest::newRow("lastDayBeforeFirst") << "2024/05/02" << "2024/05/01";
  }
  void noRange_showsHeadersOnlyAndZeros() {
    QFETCH(QString, first);
    QFETCH(QString, last);
    const PracticeCalendar calendar =
        views::buildPracticeCalendar(tableOf({"2024/05/01", "2024/05/02"}), first, last);
    QCOMPARE(calendar.month.rows, 1);
    QCOMPARE(calendar.week.rows, 1);
    QCOMPARE(calendar.month.topRow, 0);
    QCOMPARE(calendar.legend, (QStringList{"0回：0日", "1-2回：0日", "3-4回：0日", "5-6回：0日", "7-8回：0日",
                                           "9-10回：0日", "10超：0日"}));
    QCOMPARE(calendar.weekdayPlays.labels, (QStringList{"日", "月", "火", "水", "木", "金", "土"}));
    QCOMPARE(calendar.weekdayPlays.values, (std::vector<std::vector<double>>{{0, 0, 0, 0, 0, 0, 0}}));
    QCOMPARE(calendar.weekdaySeconds.values, (std::vector<std::vector<double>>{{0, 0, 0, 0, 0, 0, 0}}));
  }

  void scrollThresholds_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("monthRows");
    QTest::addColumn<int>("monthTop");
    QTest::addColumn<int>("weekRows");
    QTest::addColumn<int>("weekTop");
    // 2023/12/31 is the Sunday before Monday 2024/01/01.
    QTest::newRow("fifteenWeeksStayAtTheStart") << "2024/01/01" << "2024/04/13" << 5 << 0 << 16 << 0;
    QTest::newRow("sixteenWeeksShowTheLast") << "2024/01/01" << "2024/04/14" << 5 << 0 << 17 << 16;
    QTest::newRow("twelveMonthsStayAtTheStart") << "2024/01/01" << "2024/12/31" << 13 << 0 << 54 << 53;
    QTest::newRow("thirteenMonthsShowTheLast") << "2024/01/31" << "2025/01/01" << 14 << 13 << 50 << 49;
  }
  void scrollThresholds() {
    QFETCH(QString, first);
    QFETCH(QString, last);
    const PracticeCalendar calendar = calendarOf(tableOf({first, last}));
    QTEST(calendar.month.rows, "monthRows");
    QTEST(calendar.month.topRow, "monthTop");
    QTEST(calendar.week.rows, "weekRows");
    QTEST(calendar.week.topRow, "weekTop");
  }

  // Sums over every play of the range, rounded after each addition (unrounded: 80001).
  void weekdayCharts_sumThePlaysOfTheRange() {
    std::vector<records::PlayRecord> plays;
    for (int i = 0; i < 3; ++i) plays.push_back(testing::play("2024/05/05", "09:00:00", 0, 10.5f));  // Sunday
    plays.push_back(testing::play("2024/04/01", "09:00:00", 1, 99));  // before the first day
    plays.push_back(testing::play("2024/05/06", "09:00:00", 1, 40000.4f));
    plays.push_back(testing::play("2024/05/13", "09:00:00", 1, 40000.4f));  // Mondays
    const records::RecordTable table = testing::tableOf(plays);
    const PracticeCalendar calendar = calendarOf(table);
    QCOMPARE(calendar.weekdayPlays.values[0], (std::vector<double>{3, 2, 0, 0, 0, 0, 0}));
    QCOMPARE(calendar.weekdaySeconds.values[0], (std::vector<double>{30, 80000, 0, 0, 0, 0, 0}));
  }

  void playsOnOneWeekday_goBeyond16Bits() {
    const QByteArray line =
        records::encodeRecord(testing::play("2024/05/05", "09:00:00", 0, 1), records::LineShape::Game).bytes + "\r\n";
    const records::RecordTable table = records::RecordTable::parse(line.repeated(32768));
    const PracticeCalendar calendar = calendarOf(table);
    QCOMPARE(calendar.weekdayPlays.values[0][0], 32768.0);
    QCOMPARE(calendar.weekdaySeconds.values[0][0], 32768.0);
    QCOMPARE(rowsOf(calendar.month), QStringList{"2024年05月 5:32768"});
    QCOMPARE(legendCounts(calendar), QStringLiteral("0 0 0 0 0 0 1"));
  }
};

QTEST_GUILESS_MAIN(PracticeCalendarTest)
#include "tst_practice_calendar.moc"
