// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/DataGrid.h"
#include "support/FreshRunTest.h"
#include "support/WidgetTestSupport.h"
#include "views/PracticeCalendarScreen.h"

#include <QLabel>
#include <QTest>

using testing::play;

namespace {
// A grid row's texts from column 0, "|" between cells.
QString rowText(const platform::DataGrid* grid, int row) {
  QStringList texts;
  for (int col = 0; col < grid->cols(); ++col) texts << grid->textMatrix(row, col);
  return texts.join('|');
}

QColor backColour(const platform::DataGrid* grid, int row, int col) {
  const std::optional<platform::Rgb> rgb = grid->gridModel().cellBackColor(row, col);
  return rgb ? platform::toQColor(*rgb) : QColor();
}

// Shown whole: a cut-off cell would offer its text as a tooltip.
bool showsWhole(platform::DataGrid* grid, int row, int col) {
  return !grid->QTableView::model()->index(row - 1, col).data(Qt::ToolTipRole).isValid();
}
}  // namespace

// The calendar screen as the screen button opens it.
class PracticeCalendarScreenTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  PracticeCalendarScreenTest() : FreshRunTest(QDate(2024, 5, 1)) {}

 protected:
  void tearDown() override { m_screen.reset(); }

 private:
  std::unique_ptr<views::PracticeCalendarScreen> m_screen;

  views::PracticeCalendarScreen& open(views::PracticeCalendarScreen::Hooks hooks = {}) {
    if (!m_screen) m_screen = std::make_unique<views::PracticeCalendarScreen>(std::move(hooks));
    m_screen->resize(870, 674);
    m_screen->hide();
    m_screen->prepareScreen();
    m_screen->show();
    return *m_screen;
  }
  QString legend(int k) const { return m_screen->lblHan(k)->text(); }

 private Q_SLOTS:
  void twoMonthsOfPlays_showCountsColoursLegendAndWeekdays() {
    std::vector<records::PlayRecord> plays{play("2024/03/01", "08:00:00", 0, 20.5f)};
    for (int i = 0; i < 10; ++i) plays.push_back(play("2024/03/03", "09:00:00", 1, 10.5f));  // a Sunday
    for (int i = 0; i < 11; ++i) plays.push_back(play("2024/04/02", "09:00:00", 2, 1));     // a Tuesday
    testing::savePlays(plays);
    views::PracticeCalendarScreen& screen = open({[] { return QStringLiteral("2024/03/01"); },
                                                  [] { return QStringLiteral("2024/04/02"); }});
    QCOMPARE(screen.objectName(), QStringLiteral("fraCale"));

    platform::DataGrid* month = testing::control<platform::DataGrid>(&screen, QStringLiteral("msgCale"));
    QCOMPARE(month->rows(), 3);
    QVERIFY(rowText(month, 0).startsWith(QStringLiteral("年月|1|2|3|")));
    QCOMPARE(month->cols(), 32);
    QCOMPARE(month->colWidth(0) + month->colWidth(31), 1290 + 310);
    QVERIFY(rowText(month, 1).startsWith(QStringLiteral("2024年03月|1||10|")));
    QVERIFY(rowText(month, 2).startsWith(QStringLiteral("2024年04月||11|")));
    QCOMPARE(backColour(month, 1, 1), QColor(255, 192, 192));
    QCOMPARE(backColour(month, 1, 2), QColor());  // no plays, no colour
    QCOMPARE(backColour(month, 1, 3), QColor(192, 255, 255));
    QCOMPARE(backColour(month, 2, 2), QColor(192, 192, 255));

    platform::DataGrid* week = testing::control<platform::DataGrid>(&screen, QStringLiteral("msgCale_w"));
    QCOMPARE(rowText(week, 0), QStringLiteral("年月日|日|月|火|水|木|金|土"));
    QCOMPARE(week->colWidth(0) + week->colWidth(7), 1310 + 320);
    QCOMPARE(week->rows(), 7);  // from Sunday 25 February
    QCOMPARE(rowText(week, 1), QStringLiteral("24年02月25日||||||1|"));
    QCOMPARE(rowText(week, 6), QStringLiteral("24年03月31日|||11||||"));
    QCOMPARE(backColour(week, 2, 1), QColor(192, 255, 255));
    QVERIFY(showsWhole(month, 2, 2) && showsWhole(week, 6, 3) && showsWhole(week, 1, 0));

    // 33 days, three of them with plays.
    QCOMPARE(legend(0), QStringLiteral("0回：30日"));
    QCOMPARE(legend(1) + legend(5) + legend(6), QStringLiteral("1-2回：1日9-10回：1日10超：1日"));
    QCOMPARE(screen.lblHan(0)->palette().color(QPalette::Window), QColor(255, 255, 255));
    QCOMPARE(screen.lblHan(6)->palette().color(QPalette::Window), QColor(192, 192, 255));

    platform::ChartControl* kensu = testing::control<platform::ChartControl>(&screen, QStringLiteral("mcrKensu"));
    platform::ChartControl* kingaku = testing::control<platform::ChartControl>(&screen, QStringLiteral("mcrKingaku"));
    QCOMPARE(kensu->chartData().labels, (QStringList{"日", "月", "火", "水", "木", "金", "土"}));
    QCOMPARE(kensu->chartData().values[0], (std::vector<double>{10, 0, 11, 0, 0, 1, 0}));
    QCOMPARE(kingaku->chartData().values[0], (std::vector<double>{100, 0, 11, 0, 0, 20, 0}));
    QCOMPARE(kensu->valueTitle() + kingaku->valueTitle(), QStringLiteral("回秒"));
    QCOMPARE(testing::control<QLabel>(&screen, QStringLiteral("lblKensu"))->text(), QStringLiteral("週別セット数"));
    QCOMPARE(testing::control<QLabel>(&screen, QStringLiteral("lblKingaku"))->text(), QStringLiteral("週別回数"));
  }

  // Without hooks the range is the file's; every opening starts afresh.
  void longHistory_opensOnTheNewest_andAnEmptiedFileLeavesNothing() {
    testing::savePlays({play("2023/01/10", "09:00:00", 0, 5), play("2024/05/01", "09:00:00", 0, 5)});
    views::PracticeCalendarScreen& screen = open();
    QCOMPARE(screen.msgCale()->rows(), 18);
    QVERIFY(screen.msgCale()->topRow() > 1 && testing::showsLastRow(screen.msgCale()));
    QVERIFY(screen.msgCale_w()->topRow() > 1 && testing::showsLastRow(screen.msgCale_w()));
    QCOMPARE(legend(1), QStringLiteral("1-2回：2日"));

    QVERIFY(records::emptyRecords().isEmpty());
    open();
    QCOMPARE(screen.msgCale()->rows() + screen.msgCale_w()->rows(), 2);
    QCOMPARE(screen.msgCale_w()->cols(), 8);
    QCOMPARE(legend(0) + legend(1), QStringLiteral("0回：0日1-2回：0日"));
    QCOMPARE(screen.mcrKensu()->chartData().values[0], std::vector<double>(7, 0));
    QCOMPARE(screen.mcrKingaku()->chartData().values[0], std::vector<double>(7, 0));
  }
};

QTEST_MAIN(PracticeCalendarScreenTest)
#include "tst_practice_calendar_screen.moc"
