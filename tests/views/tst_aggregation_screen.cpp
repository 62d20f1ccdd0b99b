// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewTestSupport.h"
#include "platform/core/Clock.h"
#include "platform/widgets/DataGrid.h"
#include "support/FreshRunTest.h"
#include "support/WidgetTestSupport.h"
#include "views/AggregationScreen.h"

#include <QRadioButton>
#include <QTest>

using testing::play;

namespace {
const QDate kToday(2024, 2, 1);

}  // namespace

// The screen as the main window shows it, driven through its option buttons.
class AggregationScreenTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  AggregationScreenTest() : FreshRunTest(kToday) {}

 protected:
  void prepare() override {
    m_firstDay.clear();
    m_lastDay.clear();
    m_widthSyoukei = QStringLiteral("1250");
  }
  void tearDown() override { m_screen.reset(); }

 private:
  std::unique_ptr<views::AggregationScreen> m_screen;
  QString m_firstDay, m_lastDay;
  QString m_widthSyoukei = QStringLiteral("1250");

  // What the screen button does.
  views::AggregationScreen& open() {
    if (!m_screen) {
      m_screen = std::make_unique<views::AggregationScreen>(views::AggregationScreen::Hooks{
          [this] { return m_firstDay; }, [this] { return m_lastDay; }, [] { return QStringLiteral("1180"); },
          [this] { return m_widthSyoukei; }});
      m_screen->resize(868, 672);
    }
    m_screen->prepareScreen();
    m_screen->show();
    return *m_screen;
  }
  void save(const std::vector<records::PlayRecord>& plays) {
    testing::savePlays(plays);
    m_firstDay = plays.front().date;
    m_lastDay = plays.back().date;
  }
  QRadioButton* option(int index) const {
    return testing::control<QRadioButton>(m_screen.get(), QStringLiteral("optList2(%1)").arg(index));
  }
  platform::DataGrid* months() const { return testing::control<platform::DataGrid>(m_screen.get(), "msgKakei1"); }
  platform::DataGrid* days() const { return testing::control<platform::DataGrid>(m_screen.get(), "msgKakei2"); }

 private Q_SLOTS:
  void opensOnTime_switchesDisplays_andKeepsTheChoiceBetweenVisits() {
    save({play("2024/01/31", "09:00:00", 0, 10.5f), play("2024/01/31", "09:05:00", 0, 10.5f),
          play("2024/02/01", "09:00:00", 1, 20)});
    m_widthSyoukei = QStringLiteral("1300");
    open();
    QCOMPARE(option(0)->text(), QStringLiteral("時間集計　表示"));
    QCOMPARE(option(2)->text(), QStringLiteral("時間 ＆ 回数　集計　表示"));
    QVERIFY(option(0)->isChecked());
    QCOMPARE(days()->rows(), 3);
    QCOMPARE(days()->textMatrix(0, 3), QStringLiteral("ブロック計"));
    QCOMPARE(days()->colWidth(2), 1300);
    QCOMPARE(days()->colWidth(4), 1180);
    QCOMPARE(days()->textMatrix(1, 1), QStringLiteral("24/01/31"));
    QCOMPARE(days()->textMatrix(1, 2), QStringLiteral("0:00:20"));  // 10.5 + 10.5, made whole each time
    QCOMPARE(months()->textMatrix(2, 1), QStringLiteral("24/02"));

    QTest::mouseClick(option(1), Qt::LeftButton);
    QCOMPARE(days()->textMatrix(1, 3), QStringLiteral("2"));
    QCOMPARE(months()->textMatrix(3, 2), QStringLiteral("3"));
    QCOMPARE(months()->textMatrix(3, 4), QStringLiteral("1"));

    // Another screen and back without the button: the display stays.
    m_screen->hide();
    m_screen->show();
    QVERIFY(option(1)->isChecked());
    QCOMPARE(days()->textMatrix(2, 2), QStringLiteral("1"));

    QTest::mouseClick(option(2), Qt::LeftButton);
    QCOMPARE(months()->textMatrix(1, 3), QStringLiteral("20 (2)"));
    QCOMPARE(months()->textMatrix(3, 2), QStringLiteral("0:00:40 (3)"));

    // The screen button always starts from the time tables.
    open();
    QVERIFY(option(0)->isChecked() && !option(2)->isChecked());
    QCOMPARE(months()->textMatrix(3, 2), QStringLiteral("0:00:40"));
    QCOMPARE(months()->textMatrix(3, 5), QStringLiteral("0"));
  }

  void totalRow_isRed_andTheLabelsWhite_afterEveryRedraw() {
    save({play("2024/01/31", "09:00:00", 0, 10), play("2024/02/01", "09:00:00", 1, 20)});
    open();
    QTest::mouseClick(option(1), Qt::LeftButton);
    const platform::GridModel& model = months()->gridModel();
    const platform::Rgb red{255, 0, 0};
    const platform::Rgb white{255, 255, 255};
    QCOMPARE(months()->textMatrix(3, 1), QStringLiteral("合計"));
    for (int col = 1; col < months()->cols(); ++col) QCOMPARE(model.cellForeColor(3, col), red);
    QCOMPARE(model.cellForeColor(3, 0), std::nullopt);
    QCOMPARE(model.cellForeColor(2, 1), std::nullopt);
    for (int row = 1; row <= 3; ++row) {
      QCOMPARE(model.cellBackColor(row, 1), white);
      QCOMPARE(model.cellBackColor(row, 2), white);
      QCOMPARE(model.cellBackColor(row, 3), std::nullopt);
    }
    QCOMPARE(days()->gridModel().cellBackColor(2, 2), white);
    QCOMPARE(days()->gridModel().cellForeColor(2, 2), std::nullopt);
  }

  void tenYears_openOnTheNewestDayAndTheTotalRow() {
    save({play("2015/01/01", "09:00:00", 0, 10), play("2024/12/31", "09:00:00", 6, 20)});
    open();
    QCOMPARE(days()->textMatrix(3653, 1), QStringLiteral("24/12/31"));
    QVERIFY(testing::showsLastRow(days()));
    QVERIFY(testing::showsLastRow(months()));
  }
};

QTEST_MAIN(AggregationScreenTest)
#include "tst_aggregation_screen.moc"
