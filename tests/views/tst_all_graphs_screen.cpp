// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "support/FreshRunTest.h"
#include "support/WidgetTestSupport.h"
#include "views/AllGraphsScreen.h"
#include "views/RecordsOnScreen.h"

#include <QFontMetricsF>
#include <QTest>

using testing::play;

namespace {
const QStringList kButtons{"cmdDay2", "cmdTotal2", "cmdJikan2", "cmdHigoto", "cmdHigoto2", "cmdHigoto3"};

// On 1 and 3 March, 2024.
std::vector<records::PlayRecord> threePlays() {
  return {play("2024/03/01", "10:00:00", 0, 40.5f), play("2024/03/03", "10:00:00", 0, 50.6f),
          play("2024/03/03", "11:00:00", 2, 10)};
}

QStringList rowOf(const platform::DataGrid* grid, int row) {
  QStringList texts;
  for (int col = 0; col < grid->cols(); ++col) texts << grid->textMatrix(row, col);
  return texts;
}
}  // namespace

// The screen, driven through its buttons.
class AllGraphsScreenTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  AllGraphsScreenTest() : FreshRunTest(QDate(2024, 3, 10)) {}

 protected:
  void tearDown() override { m_screen.reset(); }

 private:
  std::unique_ptr<views::AllGraphsScreen> m_screen;

  void open() {
    if (!m_screen) {
      m_screen = std::make_unique<views::AllGraphsScreen>();
      m_screen->resize(870, 674);
    }
    m_screen->prepareScreen();
    m_screen->show();
  }
  platform::DataGrid* grid(const char* name) const {
    return testing::control<platform::DataGrid>(m_screen.get(), QString::fromLatin1(name));
  }
  platform::ChartControl* chart(const char* name) const {
    return testing::control<platform::ChartControl>(m_screen.get(), QString::fromLatin1(name));
  }
  void click(const QString& button) { testing::control<QPushButton>(m_screen.get(), button)->click(); }
  // The buttons out of the button face, with their colours.
  QStringList lit() const {
    QStringList names;
    for (const QString& name : kButtons) {
      const auto* button = testing::control<platform::ColorButton>(m_screen.get(), name);
      if (!button->isButtonFace()) names << name + ' ' + button->backColor().name();
    }
    return names;
  }
  // The chart and the list of the two in each place that show.
  QString shown() const {
    QStringList names;
    for (const char* name : {"mcrMain2", "mcrMain3"}) {
      if (chart(name)->isVisible()) names << name;
    }
    for (const char* name : {"msgDayList2", "msgDayList3"}) {
      if (grid(name)->isVisible()) names << name;
    }
    return names.join(' ');
  }

 private Q_SLOTS:
  void opening_listsEveryPlayAndDay_withTheTimeSeriesShown() {
    testing::savePlays(threePlays());
    open();
    QCOMPARE(rowOf(grid("msgDayList2"), 0), (QStringList{"", "日付", "時間", "項目", "秒"}));
    QCOMPARE(rowOf(grid("msgDayList2"), 1), (QStringList{"1", "2024/03/01", "10:00:00", "ブロック計算", "40.5"}));
    QCOMPARE(grid("msgDayList2")->colWidth(3), 1860);
    QCOMPARE(rowOf(grid("msgDayTotal2"), 0), (QStringList{"", "項目", "回数", "秒", "時間", "最大", "平均"}));
    QCOMPARE(rowOf(grid("msgDayTotal2"), 1), (QStringList{"1", "ブロック計算", "2", "91", "0:01:31", "51", "45.5"}));
    QCOMPARE(rowOf(grid("msgDayList3"), 0), (QStringList{"", "日付", "回数", "秒", "最大", "平均"}));
    QCOMPARE(rowOf(grid("msgDayList3"), 2), (QStringList{"2", "2024/03/02", "0", "0", "0", ""}));
    QCOMPARE(shown(), QStringLiteral("mcrMain3 msgDayList2"));
    QCOMPARE(lit(), QStringList{"cmdDay2 #ffe0c0"});
    QCOMPARE(chart("mcrMain3")->rowLabel(3), QStringLiteral("表計"));
  }

  void eachButton_showsItsChartAndList_andLightsOnlyItself() {
    testing::savePlays(threePlays());
    open();
    const struct {
      const char* button;
      const char* shown;
      const char* colour;
      const char* title;
      int points;
      int point;  // one whose value tells the source column apart
      QString value;
    } steps[] = {
        {"cmdHigoto2", "mcrMain3 msgDayList3", "#ffffc0", "秒", 3, 3, "61"},
        {"cmdDay2", "mcrMain3 msgDayList2", "#ffe0c0", "秒", 3, 1, "40.5"},
        {"cmdHigoto", "mcrMain3 msgDayList3", "#ffffc0", "回", 3, 3, "2"},
        {"cmdTotal2", "mcrMain2 msgDayList3", "#ffe0c0", "秒", 2, 1, "91"},  // the list stays
        {"cmdHigoto3", "mcrMain3 msgDayList3", "#ffffc0", "秒", 3, 3, "30.5"},
        {"cmdJikan2", "mcrMain2 msgDayList3", "#ffe0c0", "秒", 24, 11, "91"},  // " 10": 40.5 and 50.6
    };
    for (const auto& step : steps) {
      click(step.button);
      QCOMPARE(shown(), QString::fromLatin1(step.shown));
      QCOMPARE(lit(), QStringList{QString::fromLatin1(step.button) + ' ' + step.colour});
      const auto* drawn = chart(QByteArray(step.shown).startsWith("mcrMain2") ? "mcrMain2" : "mcrMain3");
      QCOMPARE(drawn->valueTitle(), QString::fromUtf8(step.title));
      QCOMPARE(drawn->rowCount(), step.points);
      QCOMPARE(drawn->value(step.point), step.value);
    }
    QCOMPARE(chart("mcrMain3")->value(2), QString());  // no average on 2 March
    QCOMPARE(chart("mcrMain2")->rowLabel(11), QStringLiteral(" 10"));
  }

  void reopening_redrawsTheSelectedGraph_fromTheNewLists() {
    testing::savePlays(threePlays());
    open();
    click("cmdTotal2");
    testing::savePlays({play("2024/03/04", "10:00:00", 6, 7)});
    open();
    QCOMPARE(chart("mcrMain2")->chartData().labels, (QStringList{"ブロ", "表計", "時間"}));

    click("cmdHigoto3");
    testing::savePlays({play("2024/03/06", "10:00:00", 6, 9)});
    open();
    QCOMPARE(chart("mcrMain3")->rowCount(), 6);  // 1 .. 6 March
    QCOMPARE(chart("mcrMain3")->value(6), QStringLiteral("9"));

    // With the time series shown, the hidden chart starts over from one zero point.
    click("cmdDay2");
    open();
    QCOMPARE(chart("mcrMain2")->chartData().labels, QStringList{QString()});
    QCOMPARE(chart("mcrMain2")->value(1), QStringLiteral("0"));
    QCOMPARE(chart("mcrMain3")->rowCount(), 5);  // the plays
  }

  void fittedColumns_showSixDigitCountsAndLifetimeTotalsWhole() {
    platform::DataGrid grid;
    // The program's font, whose digits are a fraction of a pixel wide.
    grid.setFont(QFont(QStringLiteral("Noto Sans CJK JP")));
    grid.setFontSize(10);
    QVERIFY(QFontMetricsF(grid.font()).horizontalAdvance(QStringLiteral("102228")) != grid.fontMetrics().horizontalAdvance(QStringLiteral("102228")));
    const auto fit = [&](const char* sample) { return views::fitColumnTwips(grid, 300, QString::fromLatin1(sample)); };
    grid.setColumns({{"", fit("000000"), platform::Align::Right},
                     {"", fit("0000000"), platform::Align::Right},
                     {"", fit("0000:00:00"), platform::Align::Right}});
    grid.setDataRows({{"102228", "3561766", "9999:59:59"}});
    grid.show();
    const QAbstractItemModel* shown = grid.QTableView::model();
    for (int col = 0; col < 3; ++col) QVERIFY(!shown->data(shown->index(0, col), Qt::ToolTipRole).isValid());
    // A pixel less and the text no longer fits.
    grid.setColWidth(0, grid.colWidth(0) - 45);
    QVERIFY(shown->data(shown->index(0, 0), Qt::ToolTipRole).isValid());
  }

  void emptiedFile_leavesHeadersOnly_andNoChartOfOldPlays() {
    testing::savePlays(threePlays());
    open();
    QVERIFY(records::emptyRecords().isEmpty());
    open();
    for (const char* name : {"msgDayList2", "msgDayTotal2", "msgDayList3"}) QCOMPARE(grid(name)->rows(), 1);
    QCOMPARE(grid("msgDayList2")->textMatrix(0, 1), QStringLiteral("日付"));
    QCOMPARE(chart("mcrMain3")->rowCount(), 0);
  }
};

QTEST_MAIN(AllGraphsScreenTest)
#include "tst_all_graphs_screen.moc"
