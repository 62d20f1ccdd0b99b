// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameRegistry.h"
#include "app/MainWindow.h"
#include "app/ProgramIcon.h"
#include "app/Session.h"
#include "app/TodayPanel.h"
#include "app/WindowSwitcher.h"
#include "games/block/BlockGame.h"
#include "help/HelpWindow.h"
#include "platform/core/Clock.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/HelpTour.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/MonthCalendar.h"
#include "platform/widgets/Shape.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"
#include "support/FreshRunTest.h"
#include "support/KeptFilesGuard.h"
#include "support/WidgetTestSupport.h"
#include "views/DiaryScreen.h"
#include "views/EditScreen.h"
#include "views/RangeFilterScreen.h"
#include "views/RecordList.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolButton>

using testing::sjis;
using testing::writeFile;

namespace {
const QDate kToday(2024, 5, 1);
const QString kTitle = QStringLiteral("アタマ日和プロジェクト４　～計算力");

void addPlay(const QString& date, const QString& time, int item, float seconds) {
  const QString error =
      records::appendRecord({date, time, records::itemNames()[item], seconds, QStringLiteral("答数 : 20"), {}});
  if (!error.isEmpty()) QTest::qFail(qPrintable(error), __FILE__, __LINE__);
}
void addPlayToday(int item, float seconds = 30, const QString& time = QStringLiteral("10:00:00")) {
  addPlay(records::recordDate(kToday), time, item, seconds);
}

// Whether a grid shows the text whole in a cell of the column, as a cell draws it.
bool fitsWhole(const platform::DataGrid* grid, int col, const QString& text) {
  const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
  return grid->fontMetrics().horizontalAdvance(text) + 2 * margin + 1 <= grid->columnWidth(col);
}

// The shown top-level window of a type (and name, when given).
template <typename T>
T* shownWindow(const QString& name = {}) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<T*>(w);
    if (window && window->isVisible() && (name.isEmpty() || w->objectName() == name)) return window;
  }
  return nullptr;
}

app::MainWindow* shownMainWindow() { return shownWindow<app::MainWindow>(); }

// A click, or the one action a screen reader offers on a checkable button.
void press(QAbstractButton* button, bool toggleAction) {
  if (!toggleAction) {
    QTest::mouseClick(button, Qt::LeftButton);
    return;
  }
  QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(button)->actionInterface();
  QVERIFY(actions && actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  actions->doAction(QAccessibleActionInterface::toggleAction());
}

QString spokenName(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); }

// A fresh main window opens the game of a menu button and unloads itself; the game shows.
template <typename Game = QWidget>
Game* openGameFromMenu(const QString& button, const QString& name = {}) {
  QPointer<app::MainWindow> main = app::showMainWindow();
  QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("cmdGame")), Qt::LeftButton);
  QTest::mouseClick(main->findChild<QPushButton*>(button), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  if (!main.isNull()) return nullptr;
  return shownWindow<Game>(name);
}
}  // namespace

class MainWindowTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  MainWindowTest() : FreshRunTest(kToday) {}

 protected:
  void prepare() override {
    m_messages.clear();
    platform::setMessageHandler([this](const platform::MessageRequest& r) {
      m_messages.append(r);
      return platform::MsgResult::Ok;
    });
  }
  void tearDown() override { m_window.reset(); }

 private:
  std::unique_ptr<app::MainWindow> m_window;
  QList<platform::MessageRequest> m_messages;

  app::MainWindow& load() {
    m_window = std::make_unique<app::MainWindow>();
    m_window->Form_Load();
    return *m_window;
  }
  template <typename T = QWidget>
  T* child(const QString& name) const {
    return testing::control<T>(m_window.get(), name);
  }
  bool shown(const QString& name) const { return child(name)->isVisibleTo(m_window.get()); }
  void click(const QString& name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
  QStringList visibleFrames() const {
    QStringList names;
    for (const char* frame : {"fraMain", "fraBunseki", "fraTaijyu", "fraSyuukei", "fraRenTai", "fraCale",
                              "fraMemo", "fraSettei", "fraGame"}) {
      if (shown(QString::fromLatin1(frame))) names << QString::fromLatin1(frame);
    }
    return names;
  }
  QStringList litLamps() const {
    QStringList lit;
    for (int i = 1; i <= 7; ++i) {
      const QColor c = child<platform::Shape>(QStringLiteral("shpLed(%1)").arg(i))->fillColor();
      if (c != Qt::white) lit << c.name();
    }
    return lit;
  }
  QString visibleFace() const {
    QString face;
    for (const char* name : {"imgNashi", "imgkana", "imgniko", "imgwara"}) {
      if (shown(QString::fromLatin1(name))) face += QString::fromLatin1(name);
    }
    return face;
  }

 private Q_SLOTS:
  void startUp_withoutAnyFile_showsTheMainScreenForToday() {
    load();
    QCOMPARE(m_window->windowTitle(), QStringLiteral(" ") + kTitle);
    QCOMPARE(visibleFrames(), QStringList{QStringLiteral("fraMain")});
    QCOMPARE(child<platform::MonthCalendar>(QStringLiteral("mtvmain"))->selectedDate(), kToday);
    auto* items = child<QListWidget>(QStringLiteral("lstAct2"));
    QCOMPARE(items->count(), 7);
    QCOMPARE(items->item(0)->text(), QStringLiteral("ブロック計算"));
    QCOMPARE(items->item(6)->text(), QStringLiteral("時間計算"));
    QVERIFY(!child<QPushButton>(QStringLiteral("chkHelp"))->isChecked());
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("設定.txt")));  // setting the tour switch writes nothing
    QVERIFY(child(QStringLiteral("cmdGame"))->hasFocus() || !QApplication::focusWindow());
  }

  // "終了", a game button or the title bar's close during the welcome box: the window stays
  // until the box has returned, then closes once.
  void closeRequestsDuringTheWelcome_waitForIt() {
    writeFile(QStringLiteral("設定.txt"), sjis("\"ヘルプツアー\",1\r\n"));
    QPointer<app::MainWindow> window;
    bool stayed = false;
    platform::setMessageHandler([&](const platform::MessageRequest&) {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<app::MainWindow*>(w)) window = main;
      }
      QTest::mouseClick(testing::control<QPushButton>(window, QStringLiteral("cmdOwari")), Qt::LeftButton);
      window->findChild<QPushButton*>(QStringLiteral("cmdG1"))->click();
      window->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      stayed = window && window->isVisible();
      return platform::MsgResult::Ok;
    });
    window = app::showMainWindow();
    QVERIFY(stayed);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QVERIFY(!shownWindow<games::GameWindow>());
  }

  void aFileThatStaysBad_isReportedOncePerRun() {
    writeFile(QStringLiteral("メモ.TXT"), "\x82");  // not code page 932
    load();
    load();  // back from a game
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, QStringLiteral("読み込みエラー"));
    // The status line goes on saying it while it lasts.
    QVERIFY(shown(QStringLiteral("lblStatus")));
    QCOMPARE(child<QLabel>(QStringLiteral("lblStatus"))->text(), m_messages[0].text);
    writeFile(QStringLiteral("メモ.TXT"), "\r\n");
    load();
    QVERIFY(!shown(QStringLiteral("lblStatus")));
  }

  void caption_framesTheNickname() {
    writeFile(QStringLiteral("プライベート.txt"), sjis("\"氏名\",\"はなこ\"\r\n"));
    load();
    QCOMPARE(m_window->windowTitle(), QStringLiteral(" はなこ の ") + kTitle);
    QCOMPARE(app::session().strNickname, QStringLiteral("はなこ"));
  }

  void welcome_isShownOncePerRun_andOnlyWithTheTourOn() {
    writeFile(QStringLiteral("設定.txt"), sjis("\"ヘルプツアー\",1\r\n"));
    load();
    QVERIFY(child<QPushButton>(QStringLiteral("chkHelp"))->isChecked());
    QCOMPARE(m_messages.size(), 1);  // no "ヘルプツアーＯＮ" from setting the switch
    QCOMPARE(m_messages[0].title, QStringLiteral("ヘルプツアー"));
    QVERIFY(m_messages[0].text.startsWith(QStringLiteral("アタマ日和プロジェクトに興味をもっていただき")));
    QVERIFY(m_messages[0].text.endsWith(QStringLiteral("その他、色の変化でも把握できます。\r\n")));
    load();  // back from a game
    QCOMPARE(m_messages.size(), 1);

    app::session() = {};
    writeFile(QStringLiteral("設定.txt"), sjis("\"ヘルプツアー\",0\r\n"));
    load();
    QCOMPARE(m_messages.size(), 1);
  }

  // A screen reader's toggle does what a click does, and the button shows what is in force.
  void clickOrToggleAction_data() {
    QTest::addColumn<bool>("toggleAction");
    QTest::newRow("click") << false;
    QTest::newRow("toggle action") << true;
  }

  void tourSwitch_confirmsAndStoresTheFlag_data() { clickOrToggleAction_data(); }
  void tourSwitch_confirmsAndStoresTheFlag() {
    QFETCH(bool, toggleAction);
    load();
    press(child<QPushButton>(QStringLiteral("chkHelp")), toggleAction);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.last().title, QStringLiteral("ヘルプツアーＯＮ"));
    QCOMPARE(testing::fileBytes(QStringLiteral("設定.txt")), sjis("\"ヘルプツアー\",1\r\n"));
    press(child<QPushButton>(QStringLiteral("chkHelp")), toggleAction);
    QCOMPARE(m_messages.last().text, QStringLiteral("ヘルプツアー機能をオフにします。"));
    QCOMPARE(testing::fileBytes(QStringLiteral("設定.txt")), sjis("\"ヘルプツアー\",0\r\n"));
    QCOMPARE(m_messages.size(), 2);
  }

  void screenButtons_showOneScreen_andAVisibleScreenStaysAsItIs_data() { clickOrToggleAction_data(); }
  void screenButtons_showOneScreen_andAVisibleScreenStaysAsItIs() {
    QFETCH(bool, toggleAction);
    writeFile(QStringLiteral("設定.txt"), sjis("\"ヘルプツアー\",1\r\n"));
    addPlayToday(0);
    app::session().blnWelcomeShown = true;
    load();
    const QList<QPair<QString, QString>> buttons = {
        {"cmdBunseki", "fraBunseki"}, {"cmdTaijyu", "fraTaijyu"}, {"cmdSyuukei", "fraSyuukei"},
        {"cmdRentai", "fraRenTai"},   {"cmdCale", "fraCale"},     {"cmdMemo", "fraMemo"},
        {"cmdSettei", "fraSettei"},   {"cmdMain", "fraMain"}};
    const auto onlyItsButtonLit = [&](const QString& lit) {
      for (const auto& [button, frame] : buttons) {
        if (child<QPushButton>(button)->isChecked() != (button == lit)) return false;
      }
      return true;
    };
    for (const auto& [button, frame] : buttons) {
      const qsizetype before = m_messages.size();
      press(child<QPushButton>(button), toggleAction);
      QCOMPARE(visibleFrames(), QStringList{frame});
      QVERIFY(onlyItsButtonLit(button));
      QCOMPARE(m_messages.size(), before + (button == QLatin1String("cmdMain") ? 0 : 1));
      press(child<QPushButton>(button), toggleAction);
      QCOMPARE(visibleFrames(), QStringList{frame});
      QVERIFY(onlyItsButtonLit(button));
      QCOMPARE(m_messages.size(), before + (button == QLatin1String("cmdMain") ? 0 : 1));
    }
    QCOMPARE(child<QPushButton>(QStringLiteral("cmdCale"))->toolTip(), QStringLiteral("実施状況把握カレンダーを表示します"));
    // Switching the option of the tables the same way redraws them.
    press(child<QPushButton>(QStringLiteral("cmdSyuukei")), toggleAction);
    press(child<QAbstractButton>(QStringLiteral("optList2(1)")), toggleAction);
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgKakei2"))->textMatrix(1, 2), QStringLiteral("1"));
  }

  void screenButton_ofTheScreenOnShow_staysPressed() {
    load();
    QVERIFY(child<QPushButton>(QStringLiteral("cmdMain"))->isChecked());
    click(QStringLiteral("cmdBunseki"));
    click(QStringLiteral("cmdBunseki"));  // already shown
    QVERIFY(child<QPushButton>(QStringLiteral("cmdBunseki"))->isChecked());
    QVERIFY(!child<QPushButton>(QStringLiteral("cmdMain"))->isChecked());
  }

  void gameMenu_opensOverTheScreen_andBackLeavesItUnchanged() {
    load();
    click(QStringLiteral("cmdBunseki"));
    click(QStringLiteral("cmdGame"));
    QCOMPARE(visibleFrames(), (QStringList{QStringLiteral("fraBunseki"), QStringLiteral("fraGame")}));
    QCOMPARE(child<QPushButton>(QStringLiteral("cmdG2"))->text(), QStringLiteral("±ネオ"));
    QVERIFY(!child<QPushButton>(QStringLiteral("cmdG1"))->isEnabled());  // no game built yet
    click(QStringLiteral("cmdModori"));
    QCOMPARE(visibleFrames(), QStringList{QStringLiteral("fraBunseki")});
  }

  void gameButton_opensTheGameAndClosesTheMainWindow() {
    int opened = 0;
    m_window = std::make_unique<app::MainWindow>(
        app::MainWindow::GameLauncher{[](int button) { return button == 1; }, [&](int button) { opened = button; }});
    m_window->Form_Load();
    click(QStringLiteral("cmdGame"));
    QVERIFY(child<QPushButton>(QStringLiteral("cmdG1"))->isEnabled());
    QVERIFY(!child<QPushButton>(QStringLiteral("cmdG3"))->isEnabled());
    click(QStringLiteral("cmdG1"));
    QCOMPARE(opened, 1);
    QVERIFY(!m_window->isVisible());
  }

  void emptyRecordFile_showsNoPlay() {
    writeFile(records::kRecordFileName, {});
    load();
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgDayList"))->rows(), 1);
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgDayTotal"))->rows(), 1);
    QVERIFY(litLamps().isEmpty());
    QCOMPARE(visibleFace(), QStringLiteral("imgNashi"));
    QCOMPARE(child<QLabel>(QStringLiteral("lblMHyouka"))->text(), QStringLiteral("今日の脳も健康元気"));
    QVERIFY(m_window->todayPanel()->blnNoData());
    QVERIFY(m_window->todayPanel()->strFirstDay().isEmpty());
    QCOMPARE(child<platform::ChartControl>(QStringLiteral("mcrMain"))->rowCount(), 0);  // "データがありません"
    QCOMPARE(child<QLabel>(QStringLiteral("lblStreak"))->text(), QStringLiteral("連続 0 日（最長 0 日）"));
  }

  void fivePlaysOfOneGame_lightOneLamp_andSulk() {
    for (int i = 0; i < 5; ++i) addPlayToday(3, 12.5f, QStringLiteral("09:1%1:00").arg(i));
    load();
    auto* totals = child<platform::DataGrid>(QStringLiteral("msgDayTotal"));
    QCOMPARE(totals->rows(), 2);
    QCOMPARE(totals->textMatrix(1, 1), QStringLiteral("スピード計算"));
    QCOMPARE(totals->textMatrix(1, 2), QStringLiteral("5"));
    QCOMPARE(totals->textMatrix(1, 3), QStringLiteral("60"));  // each 12.5 sum ends in .5 and goes to the even neighbour
    QCOMPARE(litLamps(), QStringList{QStringLiteral("#ffc0c0")});
    QCOMPARE(visibleFace(), QStringLiteral("imgkana"));
    QCOMPARE(child<QLabel>(QStringLiteral("lblMHyouka"))->text(), QStringLiteral("1 種類の脳刺激"));
    QCOMPARE(child<QLabel>(QStringLiteral("lblDayTotal"))->text(), QStringLiteral("0:01:00"));
  }

  void allSevenGames_lightTheRainbow_andLaugh() {
    for (int item = 0; item < 7; ++item) addPlayToday(item, 600);
    addPlay(QStringLiteral("2024/04/30"), QStringLiteral("10:00:00"), 0, 5);
    load();
    QCOMPARE(litLamps(), (QStringList{"#ffc0c0", "#ffe0c0", "#ffffc0", "#c0ffc0", "#c0ffff", "#c0c0ff", "#ffc0ff"}));
    QCOMPARE(visibleFace(), QStringLiteral("imgwara"));
    auto* label = child<QLabel>(QStringLiteral("lblMHyouka"));
    QCOMPARE(label->text(), QStringLiteral("7 種類の脳刺激"));
    QVERIFY(label->styleSheet().contains(QStringLiteral("#ffc0ff")));
    QCOMPARE(child<QLabel>(QStringLiteral("lblDayTotal"))->text(), QStringLiteral("1:10:00"));
    QCOMPARE(m_window->todayPanel()->strFirstDay(), QStringLiteral("2024/05/01"));
    QCOMPARE(m_window->todayPanel()->strLastDay(), QStringLiteral("2024/04/30"));
  }

  void twoGames_smile() {
    addPlayToday(0);
    addPlayToday(1);
    load();
    QCOMPARE(visibleFace(), QStringLiteral("imgniko"));
    QCOMPARE(litLamps().size(), 2);
  }

  // The streak follows the file and today, not the day picked; reading it writes nothing.
  void calendarDayWithoutRecords_showsNoPlay_andTheGameMenuReturnsToToday() {
    addPlay(QStringLiteral("2024/04/28"), QStringLiteral("10:00:00"), 1, 5);
    addPlay(QStringLiteral("2024/04/29"), QStringLiteral("10:00:00"), 1, 5);
    addPlay(QStringLiteral("2024/04/26"), QStringLiteral("10:00:00"), 1, 5);
    addPlayToday(0);
    addPlayToday(2);
    addPlay(QStringLiteral("2024/04/30"), QStringLiteral("10:00:00"), 1, 5);
    const QByteArray file = testing::fileBytes(records::kRecordFileName);
    load();
    auto* streak = child<QLabel>(QStringLiteral("lblStreak"));
    QCOMPARE(streak->text(), QStringLiteral("連続 4 日（最長 4 日）"));
    QVERIFY(spokenName(streak).contains(streak->text()));
    auto* calendar = child<platform::MonthCalendar>(QStringLiteral("mtvmain"));
    calendar->setSelectedDate(kToday.addDays(-4));  // between the plays of the 26th and the 28th
    m_window->mtvmain_DateClick();
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgDayList"))->rows(), 1);
    QCOMPARE(child<QLabel>(QStringLiteral("lblDayTotal"))->text(), QStringLiteral("0:00:00"));
    QCOMPARE(visibleFace(), QStringLiteral("imgNashi"));
    QVERIFY(child(QStringLiteral("cmdMain"))->hasFocus() || !QApplication::focusWindow());
    QCOMPARE(streak->text(), QStringLiteral("連続 4 日（最長 4 日）"));

    click(QStringLiteral("cmdGame"));
    QCOMPARE(calendar->selectedDate(), kToday);
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgDayList"))->rows(), 3);

    platform::Clock::setNow(QDateTime(kToday.addDays(1), QTime(9, 0)));  // no play yet on the next day
    click(QStringLiteral("cmdGame"));
    QCOMPARE(calendar->selectedDate(), kToday.addDays(1));
    QCOMPARE(streak->text(), QStringLiteral("連続 4 日（最長 4 日）"));
    platform::Clock::setNow(QDateTime(kToday.addDays(2), QTime(9, 0)));
    click(QStringLiteral("cmdGame"));
    QCOMPARE(streak->text(), QStringLiteral("連続 0 日（最長 4 日）"));
    QCOMPARE(testing::fileBytes(records::kRecordFileName), file);
  }

  void elevenPlays_showTheNewestOnTheLastPage() {
    for (int i = 0; i < 11; ++i) addPlayToday(0, 10, QStringLiteral("10:%1:00").arg(i, 2, 10, QLatin1Char('0')));
    load();
    auto* list = child<platform::DataGrid>(QStringLiteral("msgDayList"));
    QCOMPARE(list->rows(), 12);
    QCOMPARE(list->textMatrix(11, 1), QStringLiteral("10:10:00"));
    QVERIFY(testing::showsLastRow(list));
  }

  void chart_followsTheSelectedGraphButton() {
    addPlayToday(0, 20, QStringLiteral("07:59:59"));
    addPlayToday(4, 45.5f, QStringLiteral("23:30:00"));
    load();
    auto* chart = child<platform::ChartControl>(QStringLiteral("mcrMain"));
    auto* day = child<platform::ColorButton>(QStringLiteral("cmdDay"));
    auto* hours = child<platform::ColorButton>(QStringLiteral("cmdJikan"));
    QCOMPARE(day->backColor(), QColor(255, 192, 192));
    QCOMPARE(chart->rowCount(), 2);
    QCOMPARE(chart->rowLabel(2), QStringLiteral("逆計"));
    QCOMPARE(chart->value(2), QStringLiteral("45.5"));
    QCOMPARE(chart->axisMaximum(), std::optional<double>(45.5));
    QCOMPARE(chart->axisMinimum(), std::optional<double>(0));

    click(QStringLiteral("cmdJikan"));
    QVERIFY(day->isButtonFace());
    QCOMPARE(hours->backColor(), QColor(255, 192, 192));
    QCOMPARE(chart->rowCount(), 24);
    QCOMPARE(chart->value(8), QStringLiteral("20"));   // " 7"
    QCOMPARE(chart->value(24), QStringLiteral("46"));  // " 23", 45.5 to the even 46

    m_window->mtvmain_DateClick();  // a rebuild keeps the hour graph
    QCOMPARE(chart->rowCount(), 24);

    click(QStringLiteral("cmdTotal"));
    QCOMPARE(chart->rowCount(), 2);
    QCOMPARE(chart->rowLabel(1), QStringLiteral("ブロ"));
    QCOMPARE(chart->value(1), QStringLiteral("20"));
  }

  void recordList_opensWithEveryRecord_andKeepsItsSortWhileShown() {
    addPlayToday(0, 30, QStringLiteral("09:00:00"));
    addPlayToday(1, 12, QStringLiteral("09:10:00"));
    load();
    click(QStringLiteral("cmdBunseki"));
    auto* grid = child<platform::DataGrid>(QStringLiteral("msgIchiran"));
    QCOMPARE(grid->rows(), 3);
    click(QStringLiteral("cmdSort3"));
    QCOMPARE(grid->textMatrix(1, 4), QStringLiteral("12"));
    addPlayToday(2, 5);
    click(QStringLiteral("cmdBunseki"));  // already shown: no re-read, the sort stays
    QCOMPARE(grid->rows(), 3);
    QCOMPARE(grid->textMatrix(1, 4), QStringLiteral("12"));

    load();  // back from a game: the next "秒数" click goes on descending
    click(QStringLiteral("cmdBunseki"));
    click(QStringLiteral("cmdSort3"));
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgIchiran"))->textMatrix(1, 4), QStringLiteral("30"));
  }

  void rangeFilters_startUnfiltered_andKeepTheirChoicesAcrossScreens() {
    addPlay(QStringLiteral("2024/04/29"), QStringLiteral("08:00:00"), 2, 10);
    addPlayToday(0, 20, QStringLiteral("09:00:00"));
    load();
    click(QStringLiteral("cmdTaijyu"));
    QCOMPARE(visibleFrames(), QStringList{QStringLiteral("fraTaijyu")});
    auto* list = child<platform::DataGrid>(QStringLiteral("msgBunseki"));
    QCOMPARE(list->rows(), 3);
    click(QStringLiteral("cmdKikan1"));  // "前日"
    QCOMPARE(list->rows(), 2);
    QCOMPARE(visibleFrames(), QStringList{QStringLiteral("fraTaijyu")});
    m_window->rangeFilter()->lstAct2_Click(2);
    click(QStringLiteral("cmdJikan3"));

    click(QStringLiteral("cmdMain"));
    click(QStringLiteral("cmdTaijyu"));
    QCOMPARE(list->rows(), 3);  // unfiltered again
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtKey"))->text(), QStringLiteral("表計算"));
    QCOMPARE(child<platform::ColorButton>(QStringLiteral("cmdJikan3"))->backColor(), QColor(192, 255, 255));
    QCOMPARE(child<platform::ChartControl>(QStringLiteral("mcrBunseki2"))->rowCount(), 24);
    QCOMPARE(child<platform::ColorButton>(QStringLiteral("cmdAllDay"))->backColor(), QColor(255, 255, 192));
  }

  void playingTheBlockGame_andGoingBack_showsThePlayOnTheTodayPanel() {
    writeFile(QStringLiteral("ブロック計算設定.txt"), sjis("1,60,2,\"答数\",1,0\r\n"));
    platform::Clock::setMonotonicMs(1'000'000);
    QPointer<games::block::BlockGame> game = openGameFromMenu<games::block::BlockGame>(QStringLiteral("cmdG1"));
    QVERIFY(game);
    game->cmdStart_Click();
    for (int i = 0; i < 3; ++i) game->tmrStart_Timer();
    platform::Clock::advance(4200);
    game->findChild<QLineEdit*>(QStringLiteral("txtKaitou"))
        ->setText(QString::number(games::block::expectedSum(game->board(), 2)));
    QVERIFY(game->engine().blnEnd());

    QTest::mouseClick(game->findChild<QPushButton*>(QStringLiteral("cmdEnd")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(game.isNull());
    app::MainWindow* back = shownMainWindow();
    QVERIFY(back);
    auto* list = back->findChild<platform::DataGrid*>(QStringLiteral("msgDayList"));
    QCOMPARE(list->rows(), 2);
    QCOMPARE(list->textMatrix(1, 2), QStringLiteral("ブロック計算"));
    QCOMPARE(list->textMatrix(1, 3), QStringLiteral("4.2"));
    QVERIFY(back->findChild<QLabel*>(QStringLiteral("imgkana"))->isVisibleTo(back));
    QVERIFY(back->findChild<QWidget*>(QStringLiteral("fraMain"))->isVisibleTo(back));
    delete back;
  }

  void gameMenu_opensEachBuiltGame_andItsWayBackRebuildsTheMainWindow_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("ruleLine");  // how to answer, on screen
    QTest::newRow("ブロック計算") << "cmdG1" << "frmG2" << "ブロック計算ドリル" << false;
    QTest::newRow("±ネオ") << "cmdG2" << "frmG1" << "隣接加減ドリル　ネオ" << true;
    QTest::newRow("表計算") << "cmdG3" << "frmG3" << "表計算ドリル" << true;
    QTest::newRow("小銭計算") << "cmdG5" << "frmG6" << "小銭計算ドリル" << false;
    QTest::newRow("時間計算") << "cmdG7" << "frmG7" << "時間計算ドリル" << false;
    QTest::newRow("スピード") << "cmdG4" << "frmG4" << "スピード計算ドリル" << false;
    QTest::newRow("逆計算") << "cmdG6" << "frmG5" << "逆計算ドリル" << true;
  }
  void gameMenu_opensEachBuiltGame_andItsWayBackRebuildsTheMainWindow() {
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(bool, ruleLine);
    QPointer<QWidget> game = openGameFromMenu(button, window);
    QVERIFY(game);
    QCOMPARE(game->windowTitle(), caption);
    // Answers are typed as keys, whatever input method is on; a composition would wait for
    // an extra Enter and could land twice.
    const QList<QLineEdit*> answerBoxes = game->findChildren<QLineEdit*>();
    QVERIFY(!answerBoxes.isEmpty());
    for (QLineEdit* box : answerBoxes) QVERIFY2(!testing::takesInputMethod(box), qPrintable(box->objectName()));
    const auto* rule = game->findChild<QLabel*>(QStringLiteral("lblRule"));
    QCOMPARE(rule && rule->isVisibleTo(game) && !rule->text().isEmpty(), ruleLine);
    // Every setting and filter says what it is and what it sets, to a screen reader too.
    QList<QWidget*> settings;
    for (QComboBox* box : game->findChildren<QComboBox*>()) settings.append(box);
    for (QAbstractButton* b : game->findChildren<QAbstractButton*>()) {
      if (b->isCheckable() && !qobject_cast<platform::ColorButton*>(b)) settings.append(b);
    }
    for (QWidget* setting : settings) {
      QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(setting);
      QVERIFY2(!spoken->text(QAccessible::Name).isEmpty(), qPrintable(setting->objectName()));
      QVERIFY2(!spoken->text(QAccessible::Description).isEmpty(), qPrintable(setting->objectName()));
    }
    QTest::mouseClick(game->findChild<QPushButton*>(QStringLiteral("cmdEnd")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(game.isNull());
    app::MainWindow* back = shownMainWindow();
    QVERIFY(back);
    delete back;
  }

  // One row per game makes its menu button, its window and its help page.
  void gameTable_followsTheItems_andMakesTheMenuTheWindowsAndTheHelpPages() {
    const std::vector<app::GameEntry>& games = app::gameRegistry();
    QStringList items;
    for (const app::GameEntry& game : games) items << game.itemName;
    QCOMPARE(items, QStringList(records::itemNames().begin(), records::itemNames().end()));

    m_window = std::make_unique<app::MainWindow>(app::gameLauncher());
    QMap<QString, QString> onMenu;
    for (const QPushButton* button : child(QStringLiteral("fraGame"))->findChildren<QPushButton*>()) {
      if (button->objectName().startsWith(QLatin1String("cmdG"))) onMenu.insert(button->objectName(), button->text());
    }
    QMap<QString, QString> fromRows;
    for (const app::GameEntry& game : games) {
      fromRows.insert(QStringLiteral("cmdG%1").arg(game.button), game.caption);
      QVERIFY2(child(QStringLiteral("cmdG%1").arg(game.button))->isEnabled(), qPrintable(game.itemName));
      const std::unique_ptr<games::GameWindow> window(game.make());
      QCOMPARE(window->objectName(), game.windowName);
      const auto& pages = help::helpPages();
      const auto isItsPage = [&game](const help::HelpPage& p) {
        return p.id == game.windowName && p.title == game.helpTitle;
      };
      QVERIFY2(std::any_of(pages.begin(), pages.end(), isItsPage), qPrintable(game.windowName));
      QVERIFY2(QFile::exists(QStringLiteral(":/help/%1.html").arg(game.windowName)), qPrintable(game.windowName));
    }
    QCOMPARE(fromRows.size(), qsizetype(games.size()));  // a button number for each row
    QCOMPARE(onMenu, fromRows);
  }

  void japaneseTextBoxes_keepTheInputMethod_andTabLeavesTheMemo() {
    load();
    for (const char* name : {"txtMemo", "txtKizuki", "txtPriData", "txtKey"})
      QVERIFY2(testing::takesInputMethod(child(QString::fromLatin1(name))), name);
    click(QStringLiteral("cmdMemo"));
    auto* memo = child<QPlainTextEdit>(QStringLiteral("txtKizuki"));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Tab);
    QCOMPARE(memo->toPlainText(), QString());
    QCOMPARE(m_window->focusWidget(), child(QStringLiteral("cmdKizukiHozon")));
  }

  // What a screen reader meets: every control named, pictures saying what they show, charts
  // their values.
  void everyControl_hasASpokenName_andPicturesAndChartsSayWhatTheyShow() {
    addPlayToday(0, 20, QStringLiteral("09:00:00"));
    addPlayToday(4, 45.5f, QStringLiteral("10:00:00"));
    load();
    QStringList nameless;
    for (QWidget* w : m_window->findChildren<QWidget*>()) {
      // Popups are windows of their own, a focus proxy is what is met in its place, and a
      // view's headers are read as its cells.
      if (w->window() != m_window.get() || w->focusProxy()) continue;
      const auto inView = [w] {
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
          if (qobject_cast<QAbstractItemView*>(p)) return true;
        }
        return false;
      };
      if (inView()) continue;
      const bool control = w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(w) ||
                           qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
                           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QPlainTextEdit*>(w);
      if (control && spokenName(w).trimmed().isEmpty()) nameless << w->objectName() + w->metaObject()->className();
    }
    QCOMPARE(nameless, QStringList());

    QVERIFY(spokenName(child(QStringLiteral("imgniko"))).contains(QStringLiteral("2 種類の脳刺激")));
    QVERIFY(spokenName(child(QStringLiteral("shpLed(2)"))).contains(QStringLiteral("点灯")));
    QVERIFY(spokenName(child(QStringLiteral("shpLed(3)"))).contains(QStringLiteral("消灯")));
    click(QStringLiteral("cmdTotal"));
    QCOMPARE(spokenName(child(QStringLiteral("mcrMain"))), QStringLiteral("項目別グラフ"));
    // A tool tip that would mislead read aloud stays a tool tip only.
    QCOMPARE(QAccessible::queryAccessibleInterface(child(QStringLiteral("cmdGame")))->text(QAccessible::Description),
             QStringLiteral("ゲームの一覧を開きます（Alt+G）"));
  }

  void altAndANumber_opensTheScreensInButtonOrder() {
    load();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_4, Qt::AltModifier);
    QCOMPARE(visibleFrames(), QStringList{QStringLiteral("fraTaijyu")});
    QVERIFY(child<QPushButton>(QStringLiteral("cmdTaijyu"))->isChecked());
    QTest::keyClick(m_window.get(), Qt::Key_G, Qt::AltModifier);
    QVERIFY(shown(QStringLiteral("fraGame")));
  }

  void unreadableLines_areNotShown_butSaidSo() {
    addPlayToday(0);
    QFile file(records::kRecordFileName);
    file.open(QIODevice::Append);
    file.write("garbage\r\n");
    file.close();
    addPlayToday(1);
    load();
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgDayList"))->rows(), 3);
    QVERIFY(shown(QStringLiteral("lblStatus")));
    QVERIFY(child<QLabel>(QStringLiteral("lblStatus"))->text().contains(QStringLiteral("1 行")));
  }

  void chartAxis_fitsTheGraphOnShow_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<double>("maximum");
    QTest::newRow("時系列: the longest play") << "cmdDay" << 45.5;
    QTest::newRow("項目別: the largest game total") << "cmdTotal" << 50.0;
    QTest::newRow("時間別: the largest hour") << "cmdJikan" << 46.0;
  }
  void chartAxis_fitsTheGraphOnShow() {
    QFETCH(QString, button);
    QFETCH(double, maximum);
    addPlayToday(0, 20, QStringLiteral("07:59:59"));
    addPlayToday(0, 30, QStringLiteral("08:10:00"));
    addPlayToday(4, 45.5f, QStringLiteral("23:30:00"));
    load();
    click(QStringLiteral("cmdTotal"));  // one graph's scale does not stay for the next
    click(QStringLiteral("cmdJikan"));
    click(button);
    QCOMPARE(child<platform::ChartControl>(QStringLiteral("mcrMain"))->axisMaximum(), std::optional<double>(maximum));
  }

  void calendar_keysAndMonthButtons_rebuildThePanel_andEnterPicksTheDay() {
    addPlayToday(0);
    addPlay(QStringLiteral("2024/05/02"), QStringLiteral("10:00:00"), 1, 30);
    addPlay(QStringLiteral("2024/05/02"), QStringLiteral("11:00:00"), 2, 30);
    addPlay(QStringLiteral("2024/06/02"), QStringLiteral("10:00:00"), 3, 30);
    load();
    auto* calendar = child<platform::MonthCalendar>(QStringLiteral("mtvmain"));
    auto* list = child<platform::DataGrid>(QStringLiteral("msgDayList"));
    QTest::keyClick(calendar->focusProxy(), Qt::Key_Right);
    QCOMPARE(calendar->selectedDate(), QDate(2024, 5, 2));
    QCOMPARE(list->rows(), 3);
    QCOMPARE(litLamps().size(), 2);

    QTest::mouseClick(calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")), Qt::LeftButton);
    QCOMPARE(calendar->selectedDate(), QDate(2024, 6, 2));
    QCOMPARE(list->rows(), 2);
    QCOMPARE(list->textMatrix(1, 2), QStringLiteral("スピード計算"));

    calendar->focusProxy()->setFocus();
    QTest::keyClick(calendar->focusProxy(), Qt::Key_Return);
    QCOMPARE(m_window->focusWidget(), child(QStringLiteral("cmdMain")));
    QVERIFY(calendar->markedDays().contains(QDate(2024, 6, 2)));
    QCOMPARE(calendar->markedDays().size(), 3);
  }

  void buttons_keepTheFocusAfterTheKeyboardPressedThem_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("button");
    QTest::newRow("main graph") << "cmdMain" << "cmdTotal";
    QTest::newRow("sort key") << "cmdBunseki" << "cmdSort3";
    QTest::newRow("period filter") << "cmdTaijyu" << "cmdKikan1";
    QTest::newRow("weekday filter") << "cmdTaijyu" << "cmdWeek(2)";
    QTest::newRow("range graph") << "cmdTaijyu" << "cmdTotal3";
  }
  void buttons_keepTheFocusAfterTheKeyboardPressedThem() {
    QFETCH(QString, screen);
    QFETCH(QString, button);
    addPlayToday(0);
    load();
    click(screen);
    m_window->activateWindow();
    QCoreApplication::processEvents();
    auto* pressed = child<QPushButton>(button);
    pressed->setFocus();
    QTest::keyClick(pressed, Qt::Key_Space);
    QCoreApplication::processEvents();  // charts draw when the handler is done
    QCOMPARE(QApplication::focusWidget(), pressed);
  }

  void keyword_enterKeepsTheFocusAndTheTypedText() {
    load();
    click(QStringLiteral("cmdTaijyu"));
    m_window->activateWindow();
    QCoreApplication::processEvents();
    auto* keyword = child<QLineEdit>(QStringLiteral("txtKey"));
    keyword->setFocus();
    keyword->setText(QStringLiteral("計算"));
    QTest::keyClick(keyword, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), keyword);
    QCOMPARE(keyword->text(), QStringLiteral("計算"));
  }

  void gameMenu_takesTheFocus_keepsTabInside_andClosesOnEsc() {
    m_window = std::make_unique<app::MainWindow>(
        app::MainWindow::GameLauncher{[](int button) { return button == 2 || button == 4; }, [](int) {}});
    m_window->Form_Load();
    click(QStringLiteral("cmdGame"));
    QCOMPARE(m_window->focusWidget(), child(QStringLiteral("cmdG2")));
    QStringList tabs;
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(m_window->focusWidget(), Qt::Key_Tab);
      tabs << m_window->focusWidget()->objectName();
    }
    QCOMPARE(tabs, (QStringList{"cmdG4", "cmdModori", "cmdG2"}));
    QTest::keyClick(m_window->focusWidget(), Qt::Key_Backtab);
    QCOMPARE(m_window->focusWidget()->objectName(), QStringLiteral("cmdModori"));
    QTest::keyClick(m_window->focusWidget(), Qt::Key_Escape);
    QVERIFY(!shown(QStringLiteral("fraGame")));
    QCOMPARE(m_window->focusWidget(), child(QStringLiteral("cmdGame")));
  }

  void gameMenu_arrowsMoveAsTheButtonsStand_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("missing");  // a menu button without its game, 0 for none
    QTest::newRow("right") << "cmdG1" << int(Qt::Key_Right) << "cmdG2" << 0;
    QTest::newRow("right at the edge stays") << "cmdG4" << int(Qt::Key_Right) << "cmdG4" << 0;
    QTest::newRow("right over a game not there") << "cmdG1" << int(Qt::Key_Right) << "cmdG3" << 2;
    QTest::newRow("left") << "cmdModori" << int(Qt::Key_Left) << "cmdG7" << 0;
    QTest::newRow("left at the edge stays") << "cmdG5" << int(Qt::Key_Left) << "cmdG5" << 0;
    QTest::newRow("down") << "cmdG2" << int(Qt::Key_Down) << "cmdG6" << 0;
    QTest::newRow("down to 戻る") << "cmdG4" << int(Qt::Key_Down) << "cmdModori" << 0;
    QTest::newRow("up") << "cmdG7" << int(Qt::Key_Up) << "cmdG3" << 0;
    QTest::newRow("up at the edge stays") << "cmdG1" << int(Qt::Key_Up) << "cmdG1" << 0;
  }
  void gameMenu_arrowsMoveAsTheButtonsStand() {
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    QFETCH(int, missing);
    m_window = std::make_unique<app::MainWindow>(
        app::MainWindow::GameLauncher{[missing](int button) { return button != missing; }, [](int) {}});
    m_window->Form_Load();
    click(QStringLiteral("cmdGame"));
    child(from)->setFocus();
    QTest::keyClick(child(from), Qt::Key(key));
    QCOMPARE(m_window->focusWidget()->objectName(), to);
    QVERIFY(shown(QStringLiteral("fraGame")));
  }

  void calendar_isReachedByTab() {
    load();
    auto* calendar = child<platform::MonthCalendar>(QStringLiteral("mtvmain"));
    child(QStringLiteral("cmdGame"))->setFocus();
    bool reached = false;
    for (int i = 0; i < 40 && !reached; ++i) {
      QTest::keyClick(m_window->focusWidget(), Qt::Key_Tab);
      reached = calendar->isAncestorOf(m_window->focusWidget());
    }
    QVERIFY(reached);
  }

  void gameTrip_opensTheGameWhereTheMainWindowStood_andBringsItBackThere() {
    QPointer<app::MainWindow> main = app::showMainWindow();
    main->move(140, 60);
    QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("cmdGame")), Qt::LeftButton);
    QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("cmdG1")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(main.isNull());
    QPointer<games::block::BlockGame> game = shownWindow<games::block::BlockGame>();
    QVERIFY(game);
    QCOMPARE(game->pos(), QPoint(140, 60));

    game->move(300, 200);
    game->cmdEnd_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::unique_ptr<app::MainWindow> back(shownMainWindow());
    QVERIFY(back);
    QCOMPARE(back->pos(), QPoint(140, 60));
  }

  void memoAndNickname_areReadBackAfterARestart() {
    load();
    click(QStringLiteral("cmdMemo"));
    child<QPlainTextEdit>(QStringLiteral("txtKizuki"))->setPlainText(QStringLiteral("九九を毎日\n\n"));
    click(QStringLiteral("cmdKizukiHozon"));
    // Told on the window, without a box, until the memo changes again.
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(child<QLabel>(QStringLiteral("lblKizukiHozon"))->text(), QStringLiteral("メモを保存しました"));
    child<QPlainTextEdit>(QStringLiteral("txtKizuki"))->insertPlainText(QStringLiteral("！"));
    QCOMPARE(child<QLabel>(QStringLiteral("lblKizukiHozon"))->text(), QString());
    child<QPlainTextEdit>(QStringLiteral("txtKizuki"))->undo();
    click(QStringLiteral("cmdSettei"));
    child<QLineEdit>(QStringLiteral("txtPriData"))->setText(QStringLiteral("はなこ"));
    click(QStringLiteral("cmdPHozon1"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral(" はなこ の ") + kTitle);
    QCOMPARE(m_messages.last().title, QStringLiteral("保存終了"));

    app::session() = {};  // a new run
    load();
    QCOMPARE(child<QPlainTextEdit>(QStringLiteral("txtKizuki"))->toPlainText(), QStringLiteral("九九を毎日\n\n"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral(" はなこ の ") + kTitle);
    click(QStringLiteral("cmdSettei"));
    child<QLineEdit>(QStringLiteral("txtPriData"))->clear();
    click(QStringLiteral("cmdPHozon1"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral(" ") + kTitle);
  }

  // A copy put back shows at once where its file shows: in the caption and the memo box.
  void undo_showsTheNicknameAndTheMemoPutBack() {
    writeFile(QStringLiteral("プライベート.txt"), sjis("\"氏名\",\"はなこ\"\r\n"));
    writeFile(QStringLiteral("メモ.TXT"), sjis("前のメモ\r\n"));
    load();
    click(QStringLiteral("cmdMemo"));
    child<QPlainTextEdit>(QStringLiteral("txtKizuki"))->setPlainText(QStringLiteral("新しいメモ"));
    click(QStringLiteral("cmdKizukiHozon"));
    click(QStringLiteral("cmdSettei"));
    child<QLineEdit>(QStringLiteral("txtPriData"))->setText(QStringLiteral("じろう"));
    click(QStringLiteral("cmdPHozon1"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral(" じろう の ") + kTitle);
    for (const QString& file : {QStringLiteral("プライベート.txt"), QStringLiteral("メモ.TXT")}) {
      testing::chooseInNextDialog(this, file);
      click(QStringLiteral("cmdUndo"));
      QCOMPARE(m_messages.last().icon, platform::MsgIcon::Information);
    }
    QCOMPARE(m_window->windowTitle(), QStringLiteral(" はなこ の ") + kTitle);
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtPriData"))->text(), QStringLiteral("はなこ"));
    QCOMPARE(child<QPlainTextEdit>(QStringLiteral("txtKizuki"))->toPlainText(), QStringLiteral("前のメモ"));
  }

  // Text typed and not saved is asked about before it would be lost; the first row of each
  // kind of text answers Cancel and stays where it was, with every file as it was.
  void typedAndUnsaved_isAskedAbout_beforeItIsLost_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("leave");
    QTest::addColumn<platform::MsgResult>("answer");
    QTest::addColumn<QString>("question");
    using R = platform::MsgResult;
    const QString memo = QStringLiteral("メモが保存されていません。保存しますか？");
    const QString diary = QStringLiteral("一言日記が保存されていません。保存しますか？");
    const QString nickname = QStringLiteral("ニックネームが保存されていません。保存しますか？");
    QTest::newRow("memo, end, stays") << "txtKizuki" << "cmdOwari" << R::Cancel << memo;
    QTest::newRow("memo, end, saved") << "txtKizuki" << "cmdOwari" << R::Yes << memo;
    QTest::newRow("memo, end, let go") << "txtKizuki" << "cmdOwari" << R::No << memo;
    QTest::newRow("memo, new start, stays") << "txtKizuki" << "cmdNew1" << R::Cancel << memo;
    QTest::newRow("memo, new start, saved") << "txtKizuki" << "cmdNew1" << R::Yes << memo;
    QTest::newRow("diary, other screen, stays") << "txtMemo" << "cmdMain" << R::Cancel << diary;
    QTest::newRow("diary, end, saved") << "txtMemo" << "cmdOwari" << R::Yes << diary;
    QTest::newRow("nickname, other screen, stays") << "txtPriData" << "cmdMain" << R::Cancel << nickname;
    QTest::newRow("nickname, other screen, let go") << "txtPriData" << "cmdMain" << R::No << nickname;
    QTest::newRow("nickname, end, saved") << "txtPriData" << "cmdOwari" << R::Yes << nickname;
  }
  void typedAndUnsaved_isAskedAbout_beforeItIsLost() {
    QFETCH(QString, box);
    QFETCH(QString, leave);
    QFETCH(platform::MsgResult, answer);
    QFETCH(QString, question);
    addPlayToday(0);
    const QByteArray records = testing::fileBytes(records::kRecordFileName);
    platform::setMessageHandler([&](const platform::MessageRequest& r) {
      m_messages.append(r);
      return r.buttons == platform::MsgButtons::YesNoCancel ? answer : platform::MsgResult::Ok;
    });
    load();
    const QString typed = QStringLiteral("九九");
    click(box == QLatin1String("txtPriData") ? QStringLiteral("cmdSettei") : QStringLiteral("cmdMemo"));
    if (box == QLatin1String("txtMemo")) m_window->diary()->msgMemoList_Click(1);
    testing::sendInputMethod(child(box), {}, typed);
    const QString screen = child(box)->parentWidget()->objectName();
    if (leave == QLatin1String("cmdNew1")) click(QStringLiteral("cmdSettei"));
    click(leave);

    const QStringList questions = [this] {
      QStringList texts;
      for (const platform::MessageRequest& r : m_messages)
        if (r.buttons == platform::MsgButtons::YesNoCancel) texts << r.text;
      return texts;
    }();
    QCOMPARE(questions, QStringList{question});
    const bool stays = answer == platform::MsgResult::Cancel;
    QCOMPARE(m_window->isVisible(), stays || leave == QLatin1String("cmdMain"));
    if (leave == QLatin1String("cmdMain")) QCOMPARE(shown(screen), stays);
    if (stays) QCOMPARE(testing::fileBytes(records::kRecordFileName), records);
    const QString file = box == QLatin1String("txtKizuki")  ? QStringLiteral("メモ.TXT")
                         : box == QLatin1String("txtMemo") ? records::kRecordFileName
                                                           : QStringLiteral("プライベート.txt");
    QCOMPARE(testing::fileBytes(file).contains(sjis(typed)), answer == platform::MsgResult::Yes);
  }

  void deletingRecords_rebuildsTheTodayPanel() {
    addPlayToday(0, 30, QStringLiteral("09:00:00"));
    addPlayToday(1, 30, QStringLiteral("09:10:00"));
    load();
    click(QStringLiteral("cmdSettei"));
    auto* list = child<platform::DataGrid>(QStringLiteral("msgHenList"));
    for (int left = 2; left > 0; --left) {
      list->setRow(1);
      m_window->editScreen()->msgHenList_Click();
      click(QStringLiteral("cmdRowDel"));
      QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgDayList"))->rows(), left);
    }
    QCOMPARE(testing::fileBytes(records::kRecordFileName), QByteArray());
    click(QStringLiteral("cmdMain"));
    QCOMPARE(visibleFace(), QStringLiteral("imgNashi"));
  }

  void newStart_endsTheProgramAsTheEndButtonDoes_andTheNextStartIsFresh() {
    writeFile(QStringLiteral("プライベート.txt"), sjis("\"氏名\",\"はなこ\"\r\n"));
    addPlayToday(0);
    load();
    click(QStringLiteral("cmdSettei"));
    child<QLineEdit>(QStringLiteral("txtPriData"))->clear();
    click(QStringLiteral("cmdNew1"));
    QCOMPARE(m_messages.last().title, QStringLiteral("新規スタート準備完了"));
    QVERIFY(!m_window->isVisible());

    app::session() = {};
    load();
    QCOMPARE(m_window->windowTitle(), QStringLiteral(" ") + kTitle);
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgDayList"))->rows(), 1);
  }

  void mainWindow_fitsASmallScreen_andShowsCountsAndGameTotalsWhole() {
    for (int item = 0; item < 7; ++item) addPlayToday(item);
    load();
    for (const auto& [grid, col] : {std::pair{"msgDayList", 0}, std::pair{"msgDayTotal", 2}}) {
      QVERIFY2(fitsWhole(child<platform::DataGrid>(QString::fromLatin1(grid)), col, QStringLiteral("123456")), grid);
    }
    auto* totals = child<platform::DataGrid>(QStringLiteral("msgDayTotal"));
    QCOMPARE(totals->rows(), 8);
    QCOMPARE(totals->topRow(), 1);
    QVERIFY(testing::showsLastRow(totals));
    // Room on a 1366 x 768 screen under a title bar and above a panel, with or without a status line.
    QVERIFY(m_window->height() <= 698 && m_window->width() <= 1366);
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
  }

  void programIcon_isDrawnForEveryCaptionAndMenuSize() {
    const QIcon icon = app::programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
      QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
      QCOMPARE(icon.pixmap(size).size(), QSize(size, size));
    }
    QCOMPARE(sizes.size(), 8);
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_app.moc"
