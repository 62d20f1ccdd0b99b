#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "platform/core/SeqFormat.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "support/WidgetTestSupport.h"
#include "views/AllGraphsScreen.h"

#include <QTest>

using testing::play;

namespace {
const QColor kOrange(255, 224, 192);
const QColor kYellow(255, 255, 192);
const QStringList kButtons{"cmdDay2", "cmdTotal2", "cmdJikan2", "cmdHigoto", "cmdHigoto2", "cmdHigoto3"};

// 1 and 3 March, 2024.
std::vector<records::PlayRecord> threePlays() {
  return {play("2024/03/01", "10:00:00", 0, 40.4f), play("2024/03/03", "10:00:00", 0, 50.6f),
          play("2024/03/03", "11:00:00", 2, 10)};
}

// One play a day from 1 March on.
std::vector<records::PlayRecord> dailyPlays(int days) {
  std::vector<records::PlayRecord> plays;
  for (int d = 0; d < days; ++d) plays.push_back(play(testing::day(QDate(2024, 3, 1).addDays(d)), "09:00:00", 1, 5));
  return plays;
}

QStringList rowOf(const platform::DataGrid* grid, int row) {
  QStringList texts;
  for (int col = 0; col < grid->cols(); ++col) texts << grid->textMatrix(row, col);
  return texts;
}

// The grid's last row is in view.
bool showsLastRow(platform::DataGrid* grid) {
  QCoreApplication::processEvents();  // the grid's layout
  const QRect last = grid->visualRect(grid->QTableView::model()->index(grid->rows() - 2, 0));
  return last.isValid() && last.top() >= 0 && last.bottom() < grid->viewport()->height();
}
}  // namespace

// The screen, driven through its buttons.
class AllGraphsScreenTest : public QObject {
  Q_OBJECT
  std::unique_ptr<testing::WorkingDir> m_dir;
  std::unique_ptr<views::AllGraphsScreen> m_screen;

  views::AllGraphsScreen& open(views::AllGraphsScreen::Hooks hooks = {}) {
    if (!m_screen) {
      m_screen = std::make_unique<views::AllGraphsScreen>(std::move(hooks));
      m_screen->resize(870, 674);
    }
    m_screen->prepareScreen();
    m_screen->show();
    return *m_screen;
  }
  template <typename T = QWidget>
  T* child(const QString& name) const {
    return testing::control<T>(m_screen.get(), name);
  }
  platform::DataGrid* grid(const char* name) const { return child<platform::DataGrid>(QString::fromLatin1(name)); }
  platform::ChartControl* chart(const char* name) const {
    return child<platform::ChartControl>(QString::fromLatin1(name));
  }
  void click(const QString& button) { child<QPushButton>(button)->click(); }
  // The buttons not in the button face, each with the colour it has.
  QStringList lit() const {
    QStringList names;
    for (const QString& name : kButtons) {
      const auto* button = child<platform::ColorButton>(name);
      if (!button->isButtonFace()) names << name + (button->backColor() == kOrange ? " orange" : button->backColor() == kYellow ? " yellow" : " other");
    }
    return names;
  }
  QString shownChart() const {
    const bool lower = chart("mcrMain3")->isVisible();
    return lower == chart("mcrMain2")->isVisible() ? QStringLiteral("both or none") : lower ? "mcrMain3" : "mcrMain2";
  }
  QString shownList() const {
    const bool plays = grid("msgDayList2")->isVisible();
    return plays == grid("msgDayList3")->isVisible() ? QStringLiteral("both or none") : plays ? "msgDayList2" : "msgDayList3";
  }

 private Q_SLOTS:
  void init() {
    testing::resetRunState();
    m_dir = std::make_unique<testing::WorkingDir>();
    platform::Clock::setNow(QDateTime(QDate(2024, 3, 10), QTime(12, 0)));
  }
  void cleanup() {
    m_screen.reset();
    m_dir.reset();
  }

  void opening_listsEveryPlayAndDay_withTheTimeSeriesShown() {
    testing::savePlays(threePlays());
    open();
    QCOMPARE(rowOf(grid("msgDayList2"), 0), (QStringList{"", "日付", "時間", "項目", "秒"}));
    QCOMPARE(rowOf(grid("msgDayList2"), 1), (QStringList{"1", "2024/03/01", "10:00:00", "ブロック計算", "40.4"}));
    QCOMPARE(grid("msgDayList2")->colWidth(3), 1860);
    QCOMPARE(rowOf(grid("msgDayTotal2"), 0), (QStringList{"", "項目", "回数", "秒", "時間", "最大", "平均"}));
    QCOMPARE(rowOf(grid("msgDayTotal2"), 1), (QStringList{"1", "ブロック計算", "2", "91", "0:01:31", "51", "45.5"}));
    QCOMPARE(grid("msgDayTotal2")->rows(), 3);
    QCOMPARE(rowOf(grid("msgDayList3"), 0), (QStringList{"", "日付", "回数", "秒", "最大", "平均"}));
    QCOMPARE(rowOf(grid("msgDayList3"), 2), (QStringList{"2", "2024/03/02", "0", "0", "0", ""}));
    QCOMPARE(rowOf(grid("msgDayList3"), 3), (QStringList{"3", "2024/03/03", "2", "61", "51", "30.5"}));

    QCOMPARE(shownChart(), QStringLiteral("mcrMain3"));
    QCOMPARE(shownList(), QStringLiteral("msgDayList2"));
    QVERIFY(grid("msgDayTotal2")->isVisible());
    QCOMPARE(lit(), QStringList{"cmdDay2 orange"});
    QVERIFY(m_screen->selectedGraph() == views::AllGraph::Day2);
    QCOMPARE(chart("mcrMain3")->rowCount(), 3);
    QCOMPARE(chart("mcrMain3")->rowLabel(3), QStringLiteral("表計"));
  }

  void eachButton_showsItsChartAndList_andLightsOnlyItself() {
    testing::savePlays(threePlays());
    open();
    const struct {
      const char* button;
      const char* chart;
      const char* list;
      const char* colour;
      const char* title;
      QStringList values;
    } steps[] = {
        {"cmdHigoto2", "mcrMain3", "msgDayList3", "yellow", "秒", {"40", "0", "61"}},
        {"cmdDay2", "mcrMain3", "msgDayList2", "orange", "秒", {"40.4", "50.6", "10"}},
        {"cmdHigoto", "mcrMain3", "msgDayList3", "yellow", "回", {"1", "0", "2"}},
        {"cmdTotal2", "mcrMain2", "msgDayList3", "orange", "秒", {"91", "10"}},  // the list stays
        {"cmdHigoto3", "mcrMain3", "msgDayList3", "yellow", "秒", {"40", "", "30.5"}},
        {"cmdJikan2", "mcrMain2", "msgDayList3", "orange", "秒", {}},
    };
    for (const auto& step : steps) {
      const QString button = QString::fromLatin1(step.button);
      click(button);
      QCOMPARE(shownChart(), QString::fromLatin1(step.chart));
      QCOMPARE(shownList(), QString::fromLatin1(step.list));
      QCOMPARE(lit(), QStringList{button + ' ' + step.colour});
      const platform::ChartControl* shown = chart(step.chart);
      QCOMPARE(shown->valueTitle(), QString::fromUtf8(step.title));
      QStringList values;
      for (int row = 1; row <= shown->rowCount() && !step.values.isEmpty(); ++row) {
        // The float read from the file, as the shortest text that reads back as it.
        const QString text = shown->value(row);
        values << (text.isEmpty() ? text : platform::seq::floatText(text.toFloat()));
      }
      if (!step.values.isEmpty()) QCOMPARE(values, step.values);
    }
    QCOMPARE(chart("mcrMain2")->rowCount(), 24);
    QCOMPARE(chart("mcrMain2")->value(11), QStringLiteral("91"));  // " 10": 40.4 and 50.6
    QCOMPARE(chart("mcrMain2")->value(12), QStringLiteral("10"));
  }

  void reopening_redrawsTheSelectedGraph_fromTheNewLists() {
    testing::savePlays(threePlays());
    open();
    click("cmdTotal2");
    testing::savePlays({play("2024/03/04", "10:00:00", 6, 7)});
    open();
    QCOMPARE(chart("mcrMain2")->chartData().labels, (QStringList{"ブロ", "表計", "時間"}));
    QCOMPARE(lit(), QStringList{"cmdTotal2 orange"});

    click("cmdHigoto3");
    testing::savePlays({play("2024/03/06", "10:00:00", 6, 9)});
    open();
    QCOMPARE(chart("mcrMain3")->rowCount(), 6);  // 1 .. 6 March
    QCOMPARE(chart("mcrMain3")->value(6), QStringLiteral("9"));
    QCOMPARE(shownList(), QStringLiteral("msgDayList3"));

    // With the time series shown, the hidden chart starts over from one zero point.
    click("cmdDay2");
    open();
    QCOMPARE(chart("mcrMain2")->rowCount(), 1);
    QCOMPARE(chart("mcrMain2")->value(1), QStringLiteral("0"));
    QCOMPARE(chart("mcrMain3")->rowCount(), 5);  // the plays
  }

  void longLists_openOnTheirLastRow_shortOnesAtTheTop() {
    testing::savePlays(dailyPlays(8));
    open();
    QCOMPARE(grid("msgDayList2")->topRow(), 1);
    testing::savePlays(dailyPlays(60));
    open();
    QVERIFY(grid("msgDayList2")->topRow() > 1);
    QVERIFY(showsLastRow(grid("msgDayList2")));
    click("cmdHigoto");
    QVERIFY(grid("msgDayList3")->topRow() > 1);
    QVERIFY(showsLastRow(grid("msgDayList3")));
  }

  void itemTotals_followTheItemList() {
    testing::savePlays(threePlays());
    open({[] { return QStringList{"表計算", "将棋", "ブロック計算"}; }});
    QCOMPARE(grid("msgDayTotal2")->rows(), 3);
    QCOMPARE(grid("msgDayTotal2")->textMatrix(1, 1), QStringLiteral("表計算"));
    QCOMPARE(grid("msgDayTotal2")->textMatrix(2, 0), QStringLiteral("2"));
  }

  void unreadableLines_stayInvisible_andTheDaysStartAtTheFirstReadable() {
    testing::writeFile(records::kRecordFileName,
                       testing::sjis("\"2024/02/01\",\"10:00:00\",\"ブロック計算\",abc,\"\",\r\n"));
    testing::savePlays(threePlays());
    open();
    QCOMPARE(grid("msgDayList2")->rows(), 4);
    QCOMPARE(grid("msgDayList3")->textMatrix(1, 1), QStringLiteral("2024/03/01"));
    QCOMPARE(grid("msgDayList3")->rows(), 4);
  }

  void fileEmptied_leavesHeadersOnly_andNoChartOfOldPlays() {
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
