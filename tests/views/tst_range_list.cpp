// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "views/RangeFilter.h"

#include <QTest>

using testing::day;
using testing::play;
using views::RangeBuilder;

namespace {
const QDate kToday(2024, 5, 1);  // a Wednesday

QStringList itemNames() { return {records::itemNames().begin(), records::itemNames().end()}; }

// A list built from the plays, with the rows its grid would show.
struct Built {
  views::RangeList list;
  std::vector<QStringList> rows;
};
Built build(const std::vector<records::PlayRecord>& plays, const views::RangeFilter& filter) {
  auto table = std::make_shared<const records::RecordTable>(testing::tableOf(plays));
  Built built{views::buildRangeList(*table, filter, itemNames()), {}};
  built.rows = testing::rowsOf(views::RangeListSource(table, built.list.records));
  return built;
}
QStringList column(const Built& built, int col) {
  QStringList texts;
  for (const QStringList& row : built.rows) texts << row[col];
  return texts;
}
}  // namespace

// The list builders without a window.
class RangeListTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void weekdays_fromSundayOn_andNoneForWhatIsNoDate() {
    QCOMPARE(views::weekdayIndex(u"2024/05/01"), 3);
    QCOMPARE(views::weekdayNames()[3], QStringLiteral("水"));
    QCOMPARE(views::weekdayIndex(u"2024/5/5"), 0);
    for (const char16_t* bad : {u"", u"2024/13/01", u"2024-05-01", u"abc", u"2024/05/01x"}) {
      QCOMPARE(views::weekdayIndex(bad), -1);
    }
  }

  void period_isInclusive_andComparesAsText() {
    const std::vector<records::PlayRecord> plays = {
        play("2024/04/29", "10:00:00", 0, 1), play("2024/04/30", "10:00:00", 0, 2),
        play("2024/05/01", "10:00:00", 0, 3), play("2024/05/02", "10:00:00", 0, 4)};
    // "前日" and "３日" reach back one and two days from today.
    QCOMPARE(views::periodStart(kToday, 1), QStringLiteral("2024/04/30"));
    QCOMPARE(column(build(plays, {RangeBuilder::Period, "2024/04/30", day(kToday), {}, 99}), 1),
             (QStringList{"2024/04/30", "2024/05/01"}));
    QCOMPARE(column(build(plays, {RangeBuilder::Period, views::periodStart(kToday, 2), day(kToday), {}, 99}), 5),
             (QStringList{"1", "2", "3"}));
    // A date typed as "2024/5/1" sorts after every "2024/05/.." text.
    QCOMPARE(column(build(plays, {RangeBuilder::Period, "2024/5/1", "2024/9/9", {}, 99}), 0), QStringList{});
    QCOMPARE(column(build(plays, {RangeBuilder::Period, "2024/04/30", "2024/5/1", {}, 99}), 5),
             (QStringList{"2", "3", "4"}));
    QCOMPARE(column(build(plays, {RangeBuilder::Period, "", "", {}, 99}), 0), QStringList{});
  }

  void keywordAndWeekday_combine_andNumberTheListedRows() {
    const std::vector<records::PlayRecord> plays = {
        play("2024/04/24", "10:00:00", 2, 5), play("2024/04/25", "10:00:00", 2, 6),
        play("2024/05/01", "10:00:00", 0, 7), play("2024/05/01", "11:00:00", 2, 8)};
    const Built key = build(plays, {RangeBuilder::Key, "2024/04/01", "2024/05/31", "表", 99});
    QCOMPARE(column(key, 5), (QStringList{"5", "6", "8"}));
    const Built week = build(plays, {RangeBuilder::Week, "2024/04/01", "2024/05/31", {}, 3});
    QCOMPARE(column(week, 3), (QStringList{"水", "水", "水"}));
    const Built both = build(plays, {RangeBuilder::KeyWeek, "2024/04/01", "2024/05/31", "表計算", 3});
    QCOMPARE(both.rows,
             (std::vector<QStringList>{{"1", "2024/04/24", "10:00:00", "水", "表計算", "5"},
                                       {"2", "2024/05/01", "11:00:00", "水", "表計算", "8"}}));
    QCOMPARE(both.list.totalRows[2], (QStringList{"表計算", "13", "0:00:13"}));
    // A keyword is case-sensitive and may be any part of a name.
    QCOMPARE(column(build(plays, {RangeBuilder::Key, "2024/04/01", "2024/05/31", "計算", 99}), 0).size(), 4);
  }

  void keywordMatchingNothing_givesNoRows_andEveryTotalZero() {
    const Built built =
        build({play("2024/05/01", "10:00:00", 0, 7)}, {RangeBuilder::Key, "2024/01/01", "2024/12/31", "将棋", 99});
    QCOMPARE(built.rows.size(), size_t(0));
    QCOMPARE(built.list.totalRows.size(), size_t(7));
    for (const QStringList& row : built.list.totalRows) QCOMPARE(row.mid(1), (QStringList{"0", "0:00:00"}));
    QCOMPARE(built.list.totalRows[6][0], QStringLiteral("時間計算"));
  }

  void totals_areWholeAfterEveryAddition_andShowAsHours() {
    const Built halves = build({play(kDay(), "07:00:00", 2, 10.5f), play(kDay(), "07:10:00", 2, 10.5f),
                                           play(kDay(), "07:20:00", 2, 10.5f), play(kDay(), "08:00:00", 0, 3909),
                                           play(kDay(), "09:00:00", 4, 97200)},
                                          {});
    QCOMPARE(halves.list.totalRows[2], (QStringList{"表計算", "30", "0:00:30"}));
    QCOMPARE(halves.list.totalRows[0], (QStringList{"ブロック計算", "3909", "1:05:09"}));
    QCOMPARE(halves.list.totalRows[4], (QStringList{"逆計算", "97200", "27:00:00"}));
  }

  void negativePlays_giveNegativeTotals_withTheSignInFront() {
    const Built over = build({play(kDay(), "00:00:10", 2, -3.5f), play(kDay(), "00:00:20", 0, -3700),
                              play(kDay(), "00:00:30", 0, 100)},
                             {});
    QCOMPARE(over.list.totalRows[2], (QStringList{"表計算", "-4", "-0:00:04"}));
    QCOMPARE(over.list.totalRows[0], (QStringList{"ブロック計算", "-3600", "-1:00:00"}));
    QCOMPARE(column(over, 5), (QStringList{"-3.5", "-3700", "100"}));
  }

  void allRecords_collectEachDayOnce_inFileOrder() {
    const Built all = build({play("2024/04/01", "10:00:00", 0, 1), play("2024/04/01", "11:00:00", 1, 1),
                                        play("2024/04/03", "10:00:00", 0, 1), play("2099/01/01", "10:00:00", 0, 1)},
                                       {});
    QCOMPARE(all.list.dates, (QStringList{"2024/04/01", "2024/04/03", "2099/01/01"}));
    QCOMPARE(all.rows.size(), size_t(4));
  }

 private:
  static QString kDay() { return day(kToday); }
};

QTEST_GUILESS_MAIN(RangeListTest)
#include "tst_range_list.moc"
