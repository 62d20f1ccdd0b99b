// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "support/FreshRunTest.h"
#include "support/WidgetTestSupport.h"
#include "views/Graphs.h"
#include "views/RangeFilter.h"
#include "views/RangeFilterScreen.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QTest>

using testing::day;
using testing::play;

namespace {
const QDate kToday(2024, 5, 1);  // a Wednesday
const QColor kYellow(255, 255, 192);
const QColor kCyan(192, 255, 255);

}  // namespace

// The screen, driven through its controls.
class RangeFilterScreenTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  RangeFilterScreenTest() : FreshRunTest(kToday) {}

 protected:
  void prepare() override {
    m_firstDay.clear();
    m_hidden = 0;
  }
  void tearDown() override { m_screen.reset(); }

 private:
  std::unique_ptr<views::RangeFilterScreen> m_screen;
  QString m_firstDay;
  int m_hidden = 0;

  views::RangeFilterScreen& open() {
    if (!m_screen) {
      m_screen = std::make_unique<views::RangeFilterScreen>(views::RangeFilterScreen::Hooks{
          [this] {
            ++m_hidden;
            m_screen->hide();
          },
          [this] { return m_firstDay; }});
      m_screen->resize(870, 674);
      for (const QString& name : records::itemNames()) m_screen->lstAct2()->addItem(name);
    }
    m_screen->prepareScreen();
    m_screen->show();
    return *m_screen;
  }
  template <typename T = QWidget>
  T* child(const QString& name) const {
    return testing::control<T>(m_screen.get(), name);
  }
  platform::DataGrid* list() const { return child<platform::DataGrid>(QStringLiteral("msgBunseki")); }
  platform::DataGrid* totals() const { return child<platform::DataGrid>(QStringLiteral("msgBunseki2")); }
  QStringList listed(int col = 1) const {
    QStringList texts;
    for (int row = 1; row < list()->rows(); ++row) texts << list()->textMatrix(row, col);
    return texts;
  }
  QColor colour(const QString& button) const { return child<platform::ColorButton>(button)->backColor(); }
  // The buttons of a group that are lit.
  QStringList lit(const QStringList& group) const {
    QStringList names;
    for (const QString& button : group) {
      if (colour(button) == kYellow) names << button;
    }
    return names;
  }
  QStringList selectedItems() const {
    QStringList names;
    for (const QListWidgetItem* item : m_screen->lstAct2()->selectedItems()) names << item->text();
    return names;
  }
  bool face(const QString& button) const { return child<platform::ColorButton>(button)->isButtonFace(); }
  void click(const QString& button) { child<QPushButton>(button)->click(); }
  // Plays on the three days up to today and the day after, one per day.
  void saveFourDays() {
    testing::savePlays({play(day(kToday.addDays(-2)), "10:00:00", 0, 10), play(day(kToday.addDays(-1)), "10:00:00", 1, 20),
                        play(day(kToday), "10:00:00", 2, 30), play(day(kToday.addDays(1)), "10:00:00", 3, 40)});
    m_firstDay = day(kToday.addDays(-2));
  }

 private Q_SLOTS:
  void emptyFile_showsSevenZeroTotals_andTheAllButtonsMarked() {
    testing::writeFile(records::kRecordFileName, {});
    open();
    QCOMPARE(list()->rows(), 1);
    QCOMPARE(list()->textMatrix(0, 3), QStringLiteral("曜"));
    QCOMPARE(totals()->rows(), 8);
    for (int row = 1; row <= 7; ++row) {
      QCOMPARE(totals()->textMatrix(row, 1), QStringLiteral("0"));
      QCOMPARE(totals()->textMatrix(row, 2), QStringLiteral("0:00:00"));
    }
    QCOMPARE(child<QComboBox>(QStringLiteral("cboStdate"))->currentText(), QString());
    QCOMPARE(child<QComboBox>(QStringLiteral("cboEddate"))->currentText(), QString());
    for (const char* button : {"cmdAllDay", "cmdAllact", "cmdAllWeek"}) QCOMPARE(colour(QString::fromLatin1(button)), kYellow);
    QCOMPARE(m_screen->intWeekSel(), 99);
    QCOMPARE(child<platform::ChartControl>(QStringLiteral("mcrBunseki"))->rowCount(), 0);
    click(QStringLiteral("cmdAllDay"));  // no first day: nothing, and no trouble
    QCOMPARE(list()->rows(), 1);
  }

  void recordAfterToday_isListedOnOpening_butNotByPeriodButtons() {
    saveFourDays();
    open();
    QCOMPARE(listed().size(), 4);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboStdate"))->currentText(), QStringLiteral("2024/04/29"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboEddate"))->currentText(), QStringLiteral("2024/05/02"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboEddate"))->count(), 4);

    click(QStringLiteral("cmdAllDay"));
    QCOMPARE(listed(), (QStringList{"2024/04/29", "2024/04/30", "2024/05/01"}));
    click(QStringLiteral("cmdKikan1"));  // "前日": yesterday and today
    QCOMPARE(listed(), (QStringList{"2024/04/30", "2024/05/01"}));
    QCOMPARE(colour(QStringLiteral("cmdKikan1")), kYellow);
    QVERIFY(face(QStringLiteral("cmdAllDay")));
    click(QStringLiteral("cmdKikan8"));  // "３日": three calendar days with today
    QCOMPARE(listed(), (QStringList{"2024/04/29", "2024/04/30", "2024/05/01"}));
    QVERIFY(face(QStringLiteral("cmdKikan1")));
    QVERIFY(m_screen->isVisible());
    QCOMPARE(m_hidden, 3);  // each filter hides the screens while it rebuilds
  }

  void weekday_thenAllWeekdays_listsEveryDayAgain() {
    saveFourDays();
    open();
    click(QStringLiteral("cmdAllDay"));
    click(QStringLiteral("cmdWeek(2)"));  // 火 = 2024/04/30
    QCOMPARE(listed(), QStringList{"2024/04/30"});
    QCOMPARE(colour(QStringLiteral("cmdWeek(2)")), kYellow);
    QVERIFY(face(QStringLiteral("cmdAllWeek")));
    click(QStringLiteral("cmdWeek(6)"));  // 土: none in these days
    QCOMPARE(listed(), QStringList{});
    QVERIFY(face(QStringLiteral("cmdWeek(2)")));
    click(QStringLiteral("cmdAllWeek"));
    QCOMPARE(listed().size(), 3);
    QCOMPARE(m_screen->intWeekSel(), 99);
    QVERIFY(face(QStringLiteral("cmdWeek(6)")));
  }

  void itemList_putsTheNameAsKeyword_andAllItemsEmptiesIt() {
    saveFourDays();
    open();
    auto* keyword = child<QLineEdit>(QStringLiteral("txtKey"));
    m_screen->lstAct2_Click(2);
    QCOMPARE(keyword->text(), QStringLiteral("表計算"));
    QCOMPARE(listed(4), QStringList{"表計算"});
    QVERIFY(face(QStringLiteral("cmdAllact")));
    QCOMPARE(totals()->textMatrix(3, 1), QStringLiteral("30"));
    QCOMPARE(totals()->textMatrix(1, 1), QStringLiteral("0"));
    click(QStringLiteral("cmdAllact"));
    QCOMPARE(keyword->text(), QString());
    QCOMPARE(listed().size(), 4);  // the period is still the file's, with the day after today
    QCOMPARE(colour(QStringLiteral("cmdAllact")), kYellow);
  }

  void typedKeyword_enterApplies_searchIgnoresTheWeekday_andFocusEmptiesTheBox() {
    saveFourDays();
    open();
    click(QStringLiteral("cmdWeek(3)"));  // 水: only today's 表計算
    auto* keyword = child<QLineEdit>(QStringLiteral("txtKey"));
    keyword->setText(QStringLiteral("将棋"));
    m_screen->txtKey_Enter();
    QCOMPARE(listed(), QStringList{});
    QVERIFY(face(QStringLiteral("cmdAllact")));

    keyword->setText(QStringLiteral("計算"));
    const int hiddenBefore = m_hidden;
    click(QStringLiteral("cmdKensaku"));
    QCOMPARE(listed(4), (QStringList{"ブロック計算", "表計算", "スピード計算"}));  // every weekday again
    QCOMPARE(m_hidden, hiddenBefore);
    QCOMPARE(colour(QStringLiteral("cmdWeek(3)")), kYellow);

    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(keyword, &focus);
    QCOMPARE(keyword->text(), QString());
    keyword->setText(QStringLiteral("表"));
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);  // the window comes back to front
    QApplication::sendEvent(keyword, &back);
    QCOMPARE(keyword->text(), QStringLiteral("表"));
  }

  void typedDatesInAnotherShape_compareAsText_withAHint() {
    saveFourDays();
    open();
    auto* hint = child<QLabel>(QStringLiteral("lblDateHint"));
    QVERIFY(!hint->isVisibleTo(m_screen.get()));
    child<QComboBox>(QStringLiteral("cboStdate"))->setEditText(QStringLiteral("2024/4/30"));
    child<QComboBox>(QStringLiteral("cboEddate"))->setEditText(QStringLiteral("2024/05/01"));
    click(QStringLiteral("cmdKikanF"));
    QCOMPARE(listed(), QStringList{});  // "2024/4/30" sorts after "2024/05/.."
    QVERIFY(hint->isVisibleTo(m_screen.get()));
    QCOMPARE(colour(QStringLiteral("cmdKikanF")), kYellow);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboStdate"))->count(), 4);  // a typed date joins no list

    child<QComboBox>(QStringLiteral("cboStdate"))->setEditText(QStringLiteral("2024/04/30"));
    click(QStringLiteral("cmdKikanF"));
    QCOMPARE(listed(), (QStringList{"2024/04/30", "2024/05/01"}));
    QVERIFY(!hint->isVisibleTo(m_screen.get()));
  }

  void moreThanTenRows_scrollTheLastToTheTop_andFewerStartAtTheFirst() {
    std::vector<records::PlayRecord> plays;
    for (int i = 0; i < 11; ++i) plays.push_back(play(day(kToday), QStringLiteral("10:%1:00").arg(i, 2, 10, QLatin1Char('0')), 0, 5));
    testing::savePlays(plays);
    m_firstDay = day(kToday);
    open();
    QCOMPARE(list()->rows(), 12);
    QVERIFY(testing::showsLastRow(list()));
    click(QStringLiteral("cmdWeek(1)"));
    QCOMPARE(list()->rows(), 1);
    click(QStringLiteral("cmdAllWeek"));
    m_screen->lstAct2_Click(1);  // no plays of that game
    m_screen->lstAct2_Click(0);
    QCOMPARE(list()->rows(), 12);
    QVERIFY(testing::showsLastRow(list()));
  }

  void graphs_drawWhatTheListsShow_andTheChosenOneSurvivesARebuild() {
    testing::savePlays({play(day(kToday), "07:59:59", 0, 10.5f), play(day(kToday), "07:10:00", 0, 10.5f),
                        play(day(kToday), "07:20:00", 2, 10.5f), play(day(kToday), "23:30:00", 4, 40000)});
    m_firstDay = day(kToday);
    open();
    auto* series = child<platform::ChartControl>(QStringLiteral("mcrBunseki"));
    auto* summary = child<platform::ChartControl>(QStringLiteral("mcrBunseki2"));
    QCOMPARE(colour(QStringLiteral("cmdDay3")), kCyan);
    QVERIFY(series->isVisibleTo(m_screen.get()) && !summary->isVisibleTo(m_screen.get()));
    QCOMPARE(series->rowCount(), 4);
    QCOMPARE(series->rowLabel(1), QString());
    QCOMPARE(series->value(4), QStringLiteral("40000"));

    click(QStringLiteral("cmdTotal3"));
    QVERIFY(!series->isVisibleTo(m_screen.get()) && summary->isVisibleTo(m_screen.get()));
    QCOMPARE(summary->rowCount(), 7);
    QCOMPARE(summary->rowLabel(1), QStringLiteral("ブロ"));
    QCOMPARE(summary->value(1), QStringLiteral("20"));  // 10.5 goes to 10, then 20.5 to 20
    QVERIFY(face(QStringLiteral("cmdDay3")));

    click(QStringLiteral("cmdJikan3"));
    QCOMPARE(summary->rowCount(), 24);
    QCOMPARE(summary->rowLabel(8), QStringLiteral(" 7"));
    QCOMPARE(summary->value(8), QStringLiteral("30"));  // 10, 20 (20.5 to even), 30 (30.5 to even)
    QCOMPARE(summary->value(24), QStringLiteral("40000"));  // beyond 16 bits

    m_screen->lstAct2_Click(0);  // a rebuild redraws the hour graph, not the time series
    QCOMPARE(colour(QStringLiteral("cmdJikan3")), kCyan);
    QCOMPARE(summary->rowCount(), 24);
    QCOMPARE(summary->value(8), QStringLiteral("20"));
    QVERIFY(!series->isVisibleTo(m_screen.get()));
  }

  void sixteenPlaysKeepTwoCharacterLabels_seventeenGetOne() {
    std::vector<records::PlayRecord> plays;
    for (int i = 0; i < 16; ++i) plays.push_back(play(day(kToday), QStringLiteral("09:%1:00").arg(i, 2, 10, QLatin1Char('0')), 5, 8));
    testing::savePlays(plays);
    open();
    QCOMPARE(views::listPlot(list()->gridModel(), 4, 5).labels.front(), QStringLiteral("小銭"));
    testing::savePlays({play(day(kToday), "10:00:00", 5, 8)});
    open();
    QCOMPARE(views::listPlot(list()->gridModel(), 4, 5).labels.front(), QStringLiteral("小"));
  }

  void reopening_lightsOneButtonPerGroup() {
    saveFourDays();
    open();
    click(QStringLiteral("cmdKikan3"));  // "２週間"
    click(QStringLiteral("cmdWeek(2)"));
    m_screen->lstAct2_Click(2);
    open();  // the screen button again
    QCOMPARE(lit({"cmdAllDay", "cmdKikan1", "cmdKikan2", "cmdKikan3", "cmdKikan4", "cmdKikan5", "cmdKikan6", "cmdKikan7",
                  "cmdKikan8", "cmdKikanF"}),
             QStringList{"cmdAllDay"});
    QCOMPARE(lit({"cmdWeek(0)", "cmdWeek(1)", "cmdWeek(2)", "cmdWeek(3)", "cmdWeek(4)", "cmdWeek(5)", "cmdWeek(6)",
                  "cmdAllWeek"}),
             QStringList{"cmdAllWeek"});
    QCOMPARE(selectedItems(), QStringList{});
  }

  void itemList_selectionFollowsTheKeyword() {
    saveFourDays();
    open();
    QListWidget* items = m_screen->lstAct2();
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, items->visualItemRect(items->item(2)).center());
    QCOMPARE(selectedItems(), QStringList{"表計算"});
    click(QStringLiteral("cmdAllact"));
    QCOMPARE(selectedItems(), QStringList{});

    auto* keyword = child<QLineEdit>(QStringLiteral("txtKey"));
    keyword->setText(QStringLiteral("逆計算"));
    QTest::keyClick(keyword, Qt::Key_Return);
    QCOMPARE(selectedItems(), QStringList{"逆計算"});
    keyword->setText(QStringLiteral("計算"));
    QTest::keyClick(keyword, Qt::Key_Return);
    QCOMPARE(selectedItems(), QStringList{});
    QVERIFY(face(QStringLiteral("cmdAllact")));
  }

  void recordNumbersOfSixDigits_showWhole() {
    open();
    const int margin = list()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list()) + 1;
    QVERIFY(list()->fontMetrics().horizontalAdvance(QStringLiteral("123456")) + 2 * margin + 1 <= list()->columnWidth(0));
  }
};

QTEST_MAIN(RangeFilterScreenTest)
#include "tst_range_filter.moc"
