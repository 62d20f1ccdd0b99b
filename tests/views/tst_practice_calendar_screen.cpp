#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/DataGrid.h"
#include "support/WidgetTestSupport.h"
#include "views/PracticeCalendarScreen.h"

#include <QLabel>
#include <QTest>

using testing::play;

namespace {
const QDate kToday(2024, 5, 1);

// The last data row is shown whole.
bool showsLastRow(platform::DataGrid* grid) {
  QCoreApplication::processEvents();  // the grid's layout
  const QRect last = grid->visualRect(grid->QTableView::model()->index(grid->rows() - 2, 0));
  return last.isValid() && last.top() >= 0 && last.bottom() < grid->viewport()->height();
}

std::optional<QColor> backColour(const platform::DataGrid* grid, int row, int col) {
  const std::optional<platform::Rgb> rgb = grid->model().cellBackColor(row, col);
  if (!rgb) return std::nullopt;
  return platform::toQColor(*rgb);
}

// A cut-off cell offers its text as a tooltip.
bool showsWhole(platform::DataGrid* grid, int row, int col) {
  return !grid->QTableView::model()->index(row - 1, col).data(Qt::ToolTipRole).isValid();
}

QStringList headerOf(const platform::DataGrid* grid) {
  QStringList texts;
  for (int col = 0; col < grid->cols(); ++col) texts << grid->textMatrix(0, col);
  return texts;
}
}  // namespace

// The calendar screen as the screen button opens it.
class PracticeCalendarScreenTest : public QObject {
  Q_OBJECT
  std::unique_ptr<testing::WorkingDir> m_dir;
  std::unique_ptr<views::PracticeCalendarScreen> m_screen;
  QString m_firstDay;
  QString m_lastDay;

  views::PracticeCalendarScreen& open(views::PracticeCalendarScreen::Hooks hooks) {
    m_screen = std::make_unique<views::PracticeCalendarScreen>(std::move(hooks));
    m_screen->resize(870, 674);
    return reopen();
  }
  views::PracticeCalendarScreen& open() {
    return open({[this] { return m_firstDay; }, [this] { return m_lastDay; }});
  }
  views::PracticeCalendarScreen& reopen() {
    m_screen->hide();
    m_screen->prepareScreen();
    m_screen->show();
    return *m_screen;
  }
  QString legend(int k) const { return m_screen->lblHan(k)->text(); }
  QColor legendColour(int k) const { return m_screen->lblHan(k)->palette().color(QPalette::Window); }

 private Q_SLOTS:
  void init() {
    testing::resetRunState();
    m_dir = std::make_unique<testing::WorkingDir>();
    platform::Clock::setNow(QDateTime(kToday, QTime(12, 0)));
    m_firstDay.clear();
    m_lastDay.clear();
  }
  void cleanup() {
    m_screen.reset();
    m_dir.reset();
  }

  void twoMonthsOfPlays_showCountsColoursLegendAndWeekdays() {
    std::vector<records::PlayRecord> plays{play("2024/03/01", "08:00:00", 0, 20.5f)};
    for (int i = 0; i < 10; ++i) plays.push_back(play("2024/03/03", "09:00:00", 1, 10.5f));  // a Sunday
    for (int i = 0; i < 11; ++i) plays.push_back(play("2024/04/02", "09:00:00", 2, 1));     // a Tuesday
    testing::savePlays(plays);
    m_firstDay = QStringLiteral("2024/03/01");
    m_lastDay = QStringLiteral("2024/04/02");
    views::PracticeCalendarScreen& screen = open();
    QCOMPARE(screen.objectName(), QStringLiteral("fraCale"));

    platform::DataGrid* month = testing::control<platform::DataGrid>(&screen, QStringLiteral("msgCale"));
    QCOMPARE(month->rows(), 3);
    QCOMPARE(headerOf(month).first(), QStringLiteral("年月"));
    QCOMPARE(headerOf(month).last(), QStringLiteral("31"));
    QCOMPARE(month->colWidth(0), 1290);
    QCOMPARE(month->colWidth(31), 310);
    QCOMPARE(month->textMatrix(1, 0), QStringLiteral("2024年03月"));
    QCOMPARE(month->textMatrix(2, 0), QStringLiteral("2024年04月"));
    QCOMPARE(month->textMatrix(1, 1), QStringLiteral("1"));
    QCOMPARE(backColour(month, 1, 1), QColor(255, 192, 192));
    QCOMPARE(month->textMatrix(1, 2), QString());
    QCOMPARE(backColour(month, 1, 2), std::nullopt);  // a day without plays stays uncoloured
    QCOMPARE(month->textMatrix(1, 3), QStringLiteral("10"));
    QCOMPARE(backColour(month, 1, 3), QColor(192, 255, 255));
    QCOMPARE(month->textMatrix(2, 2), QStringLiteral("11"));
    QCOMPARE(backColour(month, 2, 2), QColor(192, 192, 255));

    platform::DataGrid* week = testing::control<platform::DataGrid>(&screen, QStringLiteral("msgCale_w"));
    QCOMPARE(headerOf(week), (QStringList{"年月日", "日", "月", "火", "水", "木", "金", "土"}));
    QCOMPARE(week->colWidth(0), 1310);
    QCOMPARE(week->colWidth(7), 320);
    QCOMPARE(week->rows(), 7);  // from Sunday 25 February to the week of 2 April
    QCOMPARE(week->textMatrix(1, 0), QStringLiteral("24年02月25日"));
    QCOMPARE(week->textMatrix(1, 6), QStringLiteral("1"));
    QCOMPARE(week->textMatrix(2, 1), QStringLiteral("10"));
    QCOMPARE(backColour(week, 2, 1), QColor(192, 255, 255));
    QCOMPARE(week->textMatrix(6, 3), QStringLiteral("11"));
    QCOMPARE(backColour(week, 6, 3), QColor(192, 192, 255));
    // The given widths hold two-digit counts and the week's dates.
    QVERIFY(showsWhole(month, 2, 2));
    QVERIFY(showsWhole(week, 6, 3));
    QVERIFY(showsWhole(week, 1, 0));

    // 33 days, three of them with plays.
    QCOMPARE(legend(0), QStringLiteral("0回：30日"));
    QCOMPARE(legend(1), QStringLiteral("1-2回：1日"));
    QCOMPARE(legend(3), QStringLiteral("5-6回：0日"));
    QCOMPARE(legend(5), QStringLiteral("9-10回：1日"));
    QCOMPARE(legend(6), QStringLiteral("10超：1日"));
    QCOMPARE(legendColour(0), QColor(255, 255, 255));
    QCOMPARE(legendColour(2), QColor(255, 224, 192));
    QCOMPARE(legendColour(6), QColor(192, 192, 255));

    platform::ChartControl* plays7 = testing::control<platform::ChartControl>(&screen, QStringLiteral("mcrKensu"));
    platform::ChartControl* seconds7 = testing::control<platform::ChartControl>(&screen, QStringLiteral("mcrKingaku"));
    QCOMPARE(plays7->rowCount(), 7);
    QCOMPARE(plays7->rowLabel(1), QStringLiteral("日"));
    QCOMPARE(plays7->rowLabel(7), QStringLiteral("土"));
    QCOMPARE(plays7->value(1), QStringLiteral("10"));
    QCOMPARE(plays7->value(3), QStringLiteral("11"));
    QCOMPARE(plays7->value(6), QStringLiteral("1"));
    QCOMPARE(seconds7->value(1), QStringLiteral("100"));  // ten plays of 10.5 s, halves to even
    QCOMPARE(seconds7->value(6), QStringLiteral("20"));
    QCOMPARE(plays7->valueTitle(), QStringLiteral("回"));
    QCOMPARE(seconds7->valueTitle(), QStringLiteral("秒"));
    QCOMPARE(testing::control<QLabel>(&screen, QStringLiteral("lblKensu"))->text(), QStringLiteral("週別セット数"));
    QCOMPARE(testing::control<QLabel>(&screen, QStringLiteral("lblKingaku"))->text(), QStringLiteral("週別回数"));
  }

  void longHistory_opensOnTheNewestRows_shortOneAtTheStart() {
    // Without hooks the screen takes the first and last day from the file.
    testing::savePlays({play("2023/01/10", "09:00:00", 0, 5), play("2024/05/01", "09:00:00", 0, 5)});
    views::PracticeCalendarScreen& screen = open({});
    QCOMPARE(screen.msgCale()->rows(), 18);
    QCOMPARE(screen.msgCale()->textMatrix(17, 1), QStringLiteral("1"));
    QVERIFY(showsLastRow(screen.msgCale()));
    QVERIFY(screen.msgCale()->topRow() > 1);
    QVERIFY(showsLastRow(screen.msgCale_w()));
    QVERIFY(screen.msgCale_w()->topRow() > 1);

    QVERIFY(records::emptyRecords().isEmpty());
    testing::savePlays({play("2024/04/01", "09:00:00", 0, 5), play("2024/04/20", "09:00:00", 0, 5),
                        play("2024/05/01", "09:00:00", 0, 5)});
    reopen();
    QCOMPARE(screen.msgCale()->rows(), 3);
    QCOMPARE(screen.msgCale()->topRow(), 1);
    QCOMPARE(screen.msgCale_w()->topRow(), 1);
  }

  // Every opening starts afresh: an emptied file leaves headers, zero counts and zero charts.
  void emptiedFile_leavesNothingOfTheLastOpening() {
    testing::savePlays({play("2024/04/30", "09:00:00", 0, 5), play("2024/05/01", "09:00:00", 0, 5)});
    m_firstDay = QStringLiteral("2024/04/30");
    m_lastDay = QStringLiteral("2024/05/01");
    views::PracticeCalendarScreen& screen = open();
    QCOMPARE(legend(1), QStringLiteral("1-2回：2日"));
    QVERIFY(screen.msgCale()->model().cellBackColor(1, 30).has_value());

    QVERIFY(records::emptyRecords().isEmpty());
    m_firstDay.clear();
    m_lastDay.clear();
    reopen();
    QCOMPARE(screen.msgCale()->rows(), 1);
    QCOMPARE(screen.msgCale_w()->rows(), 1);
    QCOMPARE(headerOf(screen.msgCale_w()).size(), 8);
    QCOMPARE(legend(0), QStringLiteral("0回：0日"));
    QCOMPARE(legend(1), QStringLiteral("1-2回：0日"));
    QCOMPARE(screen.mcrKensu()->rowCount(), 7);
    for (int row = 1; row <= 7; ++row) {
      QCOMPARE(screen.mcrKensu()->value(row), QStringLiteral("0"));
      QCOMPARE(screen.mcrKingaku()->value(row), QStringLiteral("0"));
    }
  }
};

QTEST_MAIN(PracticeCalendarScreenTest)
#include "tst_practice_calendar_screen.moc"
