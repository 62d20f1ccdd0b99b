// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "platform/widgets/DataGrid.h"
#include "support/FreshRunTest.h"
#include "support/TestSupport.h"
#include "views/RecordList.h"
#include "views/RecordListScreen.h"

#include <QPushButton>
#include <QStyle>
#include <QTest>

using testing::play;

namespace {
const QString kDay = QStringLiteral("2024/05/01");

QStringList column(const platform::DataGrid& grid, int col) {
  QStringList texts;
  for (int row = 1; row < grid.rows(); ++row) texts << grid.textMatrix(row, col);
  return texts;
}
std::vector<QStringList> rows(const platform::DataGrid& grid) {
  std::vector<QStringList> out;
  for (int row = 1; row < grid.rows(); ++row) {
    QStringList cells;
    for (int col = 0; col < grid.cols(); ++col) cells << grid.textMatrix(row, col);
    out.push_back(cells);
  }
  return out;
}
}  // namespace

class RecordListTest : public testing::FreshRunTest {
  Q_OBJECT
 protected:
  void tearDown() override { m_screen.reset(); }

 private:
  std::unique_ptr<views::RecordListScreen> m_screen;

  // The screen as the "並び替え" button opens it.
  platform::DataGrid& open() {
    if (!m_screen) m_screen = std::make_unique<views::RecordListScreen>();
    m_screen->INIT_ICHIRAN();
    m_screen->READ_ICHIRAN();
    return *m_screen->msgIchiran();
  }
  void click(const char* button) { m_screen->findChild<QPushButton*>(QString::fromLatin1(button))->click(); }
  QStringList captions() const {
    QStringList texts;
    for (const char* button : {"cmdSort1", "cmdSort2", "cmdSort3", "cmdSort4"}) {
      texts << m_screen->findChild<QPushButton*>(QString::fromLatin1(button))->text();
    }
    return texts;
  }

 private Q_SLOTS:
  void rows_followTheFile_withShortestSecondsAndTheDiary() {
    const views::RecordListSource list(std::make_shared<const records::RecordTable>(testing::tableOf(
        {play(kDay, "09:00:00", 2, 23.4f, "答数 : 20"), play(kDay, "09:05:00", 0, 60, "眠い、でも頑張った")})));
    const std::vector<QStringList> rows = testing::rowsOf(list);
    QCOMPARE(rows.size(), size_t(2));
    QCOMPARE(rows[0], (QStringList{"1", kDay, "09:00:00", "表計算", "23.4", "答数 : 20"}));
    QCOMPARE(rows[1], (QStringList{"2", kDay, "09:05:00", "ブロック計算", "60", "眠い、でも頑張った"}));
  }

  void emptyFile_givesTheHeaderOnly_andTheKeysChangeNothing() {
    testing::writeFile(records::kRecordFileName, {});
    platform::DataGrid& grid = open();
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.textMatrix(0, 0), QStringLiteral("回"));
    QCOMPARE(grid.textMatrix(0, 5), QStringLiteral("一言日記"));
    QCOMPARE(grid.colWidth(0) + grid.colWidth(5), 680 + 4880);  // the diary makes room for the number
    for (const char* button : {"cmdSort1", "cmdSort2", "cmdSort3", "cmdSort4"}) click(button);
    QCOMPARE(grid.rows(), 1);
  }

  void seconds_shortestFirstThenLongest_numericSoNineBeforeTen() {
    testing::savePlays({play(kDay, "09:00:00", 0, 10), play(kDay, "09:01:00", 1, 9), play(kDay, "09:02:00", 2, 100),
                        play(kDay, "09:03:00", 3, 9.5f)});
    platform::DataGrid& grid = open();
    click("cmdSort3");
    QCOMPARE(column(grid, 4), (QStringList{"9", "9.5", "10", "100"}));
    click("cmdSort3");
    QCOMPARE(column(grid, 4), (QStringList{"100", "10", "9.5", "9"}));
  }

  void sortByItem_thenByNumber_givesBackTheFileOrder_withRowsWhole() {
    testing::savePlays({play(kDay, "09:00:00", 6, 30, "c"), play(kDay, "09:01:00", 0, 40, "a"),
                        play("2024/05/02", "10:00:00", 4, 12.5f, "b"), play(kDay, "09:02:00", 0, 5, "")});
    platform::DataGrid& grid = open();
    const std::vector<QStringList> fileOrder = rows(grid);
    click("cmdSort2");
    QCOMPARE(column(grid, 3).first(), QStringLiteral("ブロック計算"));
    for (const QStringList& row : rows(grid)) QVERIFY(std::find(fileOrder.begin(), fileOrder.end(), row) != fileOrder.end());
    click("cmdSort1");
    QCOMPARE(rows(grid), fileOrder);
    click("cmdSort1");  // descending: the newest first
    QCOMPARE(column(grid, 0), (QStringList{"4", "3", "2", "1"}));
    click("cmdSort4");  // diaries sort as texts
    QCOMPARE(column(grid, 5), (QStringList{"", "a", "b", "c"}));
  }

  void directions_carryOverReopeningAndNewScreens() {
    testing::savePlays({play(kDay, "09:00:00", 0, 20), play(kDay, "09:01:00", 1, 10)});
    open();
    click("cmdSort3");  // ascending
    m_screen.reset();   // the main window reloads, e.g. after a game
    platform::DataGrid& grid = open();
    QCOMPARE(column(grid, 0), (QStringList{"1", "2"}));  // rebuilt in file order
    click("cmdSort3");
    QCOMPARE(column(grid, 4), (QStringList{"20", "10"}));  // goes on with descending
    click("cmdSort2");  // each key keeps its own direction
    QCOMPARE(column(grid, 3), (QStringList{"ブロック計算", "隣接加減ネオ"}));
  }

  void reopening_readsTheFileAgain_numberingFromOne() {
    testing::savePlays({play(kDay, "09:00:00", 0, 20)});
    open();
    testing::savePlays({play(kDay, "09:30:00", 5, 33)});
    platform::DataGrid& grid = open();
    QCOMPARE(column(grid, 0), (QStringList{"1", "2"}));
    QCOMPARE(grid.textMatrix(2, 3), QStringLiteral("小銭計算"));
  }

  void sortButtons_showTheKeyAndDirectionInForce() {
    testing::savePlays({play(kDay, "09:00:00", 0, 20)});
    open();
    QCOMPARE(captions(), (QStringList{"回 （日付） ▲", "項目", "秒数", "一言日記"}));
    click("cmdSort3");
    click("cmdSort3");
    QCOMPARE(captions(), (QStringList{"回 （日付）", "項目", "秒数 ▼", "一言日記"}));
  }

  void recordNumbersOfSixDigits_showWhole() {
    platform::DataGrid& grid = open();
    const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    QVERIFY(grid.fontMetrics().horizontalAdvance(QStringLiteral("123456")) + 2 * margin + 1 <= grid.columnWidth(0));
  }
};

QTEST_MAIN(RecordListTest)
#include "tst_record_list.moc"
