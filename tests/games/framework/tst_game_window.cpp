// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/GameWindow.h"
#include "platform/core/Clock.h"
#include "platform/widgets/ButtonKeys.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/HelpTour.h"
#include "platform/widgets/MessageBox.h"
#include "records/RecordFile.h"
#include "support/WidgetTestSupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace games;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
// A game with an operation, the smallest that a window needs.
class OperationGame : public GameWindow {
 public:
  OperationGame() : GameWindow(profile()) {}
  static GameProfile profile() {
    GameProfile p;
    p.windowName = "frmTest";
    p.caption = "test";
    p.itemName = "試験";
    p.settingsLayout = {SettingField::Kaisu, SettingField::Jikan, SettingField::ExtraText, SettingField::Mode,
                        SettingField::AutoSave};
    p.defaults.extras = {"＋"};
    p.history = {{HistoryField::Date, "日付", 1400},    {HistoryField::Time, "時間", 1000},
                 {HistoryField::Answers, "答数", 600},  {HistoryField::Ok, "ＯＫ", 600},
                 {HistoryField::Ng, "ＮＧ", 600},       {HistoryField::Accuracy, "正解率", 900},
                 {HistoryField::Speed, "秒当たり", 1000}, {HistoryField::Seconds, "秒数", 1025},
                 {HistoryField::Operation, "モード", 700}};
    p.operationFilterName = "cboMode2";
    p.operations = {"＋", "－", "×", "÷"};
    p.graphButtons = fourGraphButtons();
    return p;
  }
  int timeUps = 0;
  void answerForTest(bool right) { recordAnswer(right, 1); }
  void finishForTest() { playEngine().finishPlay(); }

 protected:
  void showFirstBoard() override {}
  void clearAnswers() override {}
  void onPlayBegins() override {}
  void onTimeUp() override { ++timeUps; }
  QString operationText() const override { return settings().extras.value(0); }
  QString detailText(const QString& setting, const PlayOutcome&) const override { return setting; }
  QString explanation() const override { return {}; }
};
}  // namespace

// The common window, driven through a stand-in game.
class GameWindowTest : public QObject {
  Q_OBJECT
  QList<platform::MessageRequest> messages;
  platform::MsgResult answer = platform::MsgResult::Ok;

  // A play with one right answer, from the start button to its end.
  static void playOneAnswer(OperationGame& game, int mode) {
    game.optMode_Click(mode);
    game.cmdStart_Click();
    for (int i = 0; i < 3; ++i) game.tmrStart_Timer();
    game.answerForTest(true);
    game.finishForTest();
  }
  static platform::DataGrid* grid(const OperationGame& game) { return game.findChild<platform::DataGrid*>("msgRireki"); }

 private Q_SLOTS:
  void init() {
    testing::resetRunState();
    Clock::setMonotonicMs(10'000'000);
    messages.clear();
    answer = platform::MsgResult::Ok;
    platform::setMessageHandler([this](const platform::MessageRequest& r) {
      messages.append(r);
      return answer;
    });
  }
  void cleanup() { testing::resetRunState(); }

  void operationFilter_comesFirst_thenNarrowsTheOtherFilters() {
    testing::WorkingDir dir;
    writeFile("試験履歴.txt", sjis("\"2024/05/01\",\"08:00:00\",14,14,0,\"100.0%\",\"0.23/秒\",\"60秒\",\"＋\"\r\n"
                                  "\"2024/05/01\",\"09:00:00\",14,12,2,\"85.7%\",\"0.23/秒\",\"60秒\",\"×\"\r\n"));
    OperationGame game;
    game.Form_Load();
    auto* grid = game.findChild<platform::DataGrid*>("msgRireki");
    auto* seconds = game.findChild<QComboBox*>("cboJikan2");
    auto* operation = game.findChild<QComboBox*>("cboMode2");
    QCOMPARE(fileBytes("試験設定.txt"), sjis("20,60,\"＋\",\"答数\",1\r\n"));

    seconds->setCurrentText("60");
    game.history()->cboJikan2_Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("先にモードを選んでください"));
    QCOMPARE(messages[0].title, QStringLiteral("モード選択"));
    QCOMPARE(grid->rows(), 3);
    QCOMPARE(seconds->currentText(), QString());

    operation->setCurrentText("×");
    game.history()->operationFilter_Click();
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(grid->textMatrix(1, 2), QStringLiteral("09:00:00"));
    seconds->setCurrentText("60");
    game.history()->cboJikan2_Click();
    QCOMPARE(grid->rows(), 2);
    game.history()->cmdAllDsp_Click();
    QCOMPARE(operation->currentText(), QString());
    QCOMPARE(grid->rows(), 3);
  }

  void settingsOutOfRange_areReported_andTheDefaultsPlay() {
    testing::WorkingDir dir;
    writeFile("試験設定.txt", sjis("100000,-5,\"＋\",\"秒数\",7\r\n"));
    OperationGame game;
    game.Form_Load();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.endsWith("初期設定で始めます。"));
    QCOMPARE(game.findChild<QComboBox*>("cboKaisu")->currentText(), QStringLiteral("20"));
    QCOMPARE(game.findChild<QComboBox*>("cboJikan")->currentText(), QStringLiteral("60"));
    QCOMPARE(game.engine().seconds(), 60.0);
    QCOMPARE(game.engine().mode(), PlayEngine::Mode::Answers);
    QCOMPARE(fileBytes("試験設定.txt"), sjis("100000,-5,\"＋\",\"秒数\",7\r\n"));  // kept until a change
  }

  void failedSave_showsOneMessage_andTheGridShowsOnlyWhatTheHistoryKept() {
    testing::WorkingDir dir;
    OperationGame game;
    game.Form_Load();
    QVERIFY(QDir().mkdir("試験履歴.txt"));
    game.optMode_Click(0);
    game.cmdStart_Click();
    for (int i = 0; i < 3; ++i) game.tmrStart_Timer();
    game.answerForTest(true);
    game.finishForTest();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.contains("試験履歴.txt"));
    QCOMPARE(game.findChild<platform::DataGrid*>("msgRireki")->rows(), 1);
    QCOMPARE(records::readRecords().table.size(), 1);
  }

  // "戻り" pressed by an accessibility action, or the title bar's close, while a box of the
  // window runs: the window stays until the box has returned, then goes once.
  void closeRequestsDuringABox_waitForIt_data() {
    QTest::addColumn<QString>("boxTitle");
    QTest::newRow("the tour at load") << "ヘルプツアー";
    QTest::newRow("a failed save") << "保存エラー";
  }
  void closeRequestsDuringABox_waitForIt() {
    QFETCH(QString, boxTitle);
    testing::WorkingDir dir;
    platform::tourState().intHelpTour = 1;
    QVERIFY(QDir().mkdir("試験履歴.txt"));
    int returns = 0;
    GameWindow::setReturnToMain([&returns] { ++returns; });
    QPointer<OperationGame> game = new OperationGame;
    bool stayed = false;
    platform::setMessageHandler([&](const platform::MessageRequest& r) {
      if (r.title == boxTitle) {
        game->cmdEnd_Click();
        game->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        stayed = !game.isNull() && game->isVisible() && returns == 0;
      }
      return platform::MsgResult::Ok;
    });
    game->Form_Load();
    QCoreApplication::sendPostedEvents();  // the tour comes once the window is loaded
    if (boxTitle == QStringLiteral("保存エラー")) playOneAnswer(*game, 0);
    QVERIFY(stayed);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(game.isNull());
    QCOMPARE(returns, 1);
  }

  void closingTheWindow_goesBackToTheMainWindow_andLetsTheWindowGo() {
    testing::WorkingDir dir;
    int returns = 0;
    GameWindow::setReturnToMain([&returns] { ++returns; });
    QPointer<OperationGame> game = new OperationGame;
    game->Form_Load();
    QVERIFY(game->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(game.isNull());
    QCOMPARE(returns, 1);
  }

  // An Enter pressed out of habit as a play ends lands on the history, where it starts
  // nothing, whichever way the play was saved.
  void endOfAPlay_focusesTheNewestHistoryRow_whereEnterStartsNothing_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("newestRow");
    QTest::addColumn<QString>("heard");  // as the history takes the focus
    QTest::newRow("saved by itself") << "20,60,\"＋\",\"答数\",1\r\n" << 2
                                     << "履歴　今回の結果：正解 1、不正解 0、正解率 100.0%、タイプ数／秒 ";
    QTest::newRow("manual saving") << "20,60,\"＋\",\"答数\",0\r\n" << 1 << "、保存していません";
  }
  void endOfAPlay_focusesTheNewestHistoryRow_whereEnterStartsNothing() {
    QFETCH(QString, settings);
    QFETCH(int, newestRow);
    QFETCH(QString, heard);
    testing::WorkingDir dir;
    writeFile("試験設定.txt", sjis(settings));
    writeFile("試験履歴.txt", sjis("\"2024/05/01\",\"08:00:00\",14,14,0,\"100.0%\",\"0.23/秒\",\"60秒\",\"＋\"\r\n"));
    platform::installEnterPressesButtons();
    OperationGame game;
    game.Form_Load();
    playOneAnswer(game, 0);
    QCOMPARE(game.focusWidget(), grid(game));
    QCOMPARE(grid(game)->row(), newestRow);
    QTest::keyClick(game.focusWidget(), Qt::Key_Return);
    QCOMPARE(game.engine().phase(), PlayEngine::Phase::Ended);
    QCOMPARE(game.engine().intOk(), 1);
    QVERIFY2(game.focusWidget()->accessibleName().contains(heard), qPrintable(game.focusWidget()->accessibleName()));
    QVERIFY(grid(game)->gridModel().data(grid(game)->gridModel().index(newestRow - 1, 0), Qt::AccessibleTextRole).toString().startsWith("回 "));
  }

  // Settings, start, the answers, the history and its filters and graphs, then save, clear,
  // back and the help; the chart is no stop.
  void tab_followsTheWork() {
    testing::WorkingDir dir;
    OperationGame game;
    game.Form_Load();
    QCoreApplication::processEvents();  // the window is shown and active before a key comes
    QStringList visited;
    game.findChild<QWidget*>("optMode(0)")->setFocus();
    for (int i = 0; i < 18; ++i) {
      visited << game.focusWidget()->objectName();
      QTest::keyClick(game.focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, (QStringList{"optMode(0)", "cboKaisu", "chkAs", "cmdStart", "msgRireki", "cboMode2", "cboJikan2",
                                   "cboKaisu2", "cmdAllDsp", "cmdByou", "cmdRitu", "cmdKaitou", "cmdPByou",
                                   "optPerPlay", "cmdClear", "cmdEnd", "cmdHelp", "optMode(0)"}));
  }

  void unsavedPlay_isNotDroppedWithoutAQuestion_whoseDefaultIsCancel() {
    testing::WorkingDir dir;
    writeFile("試験設定.txt", sjis("20,60,\"＋\",\"答数\",0\r\n"));
    int returns = 0;
    GameWindow::setReturnToMain([&returns] { ++returns; });
    QPointer<OperationGame> game = new OperationGame;
    game->Form_Load();
    playOneAnswer(*game, 0);
    QVERIFY(game->hasUnsavedPlay());
    answer = platform::MsgResult::Cancel;
    game->cmdStart_Click();
    QVERIFY(!game->close());
    QCOMPARE(messages.size(), 2);
    for (const platform::MessageRequest& question : messages) {
      QCOMPARE(question.text, QStringLiteral("保存していないプレイがあります。保存せずに続けますか？"));
      QCOMPARE(question.defaultButton, platform::MsgResult::Cancel);
    }
    QCOMPARE(game->engine().phase(), PlayEngine::Phase::Ended);
    QCOMPARE(returns, 0);

    answer = platform::MsgResult::Ok;
    game->cmdStart_Click();  // the player lets it go
    QCOMPARE(game->engine().phase(), PlayEngine::Phase::Countdown);
    for (int i = 0; i < 3; ++i) game->tmrStart_Timer();
    game->answerForTest(true);
    game->finishForTest();
    game->cmdHozon_Click();  // a saved play goes without a word
    messages.clear();
    QVERIFY(game->close());
    QVERIFY(messages.isEmpty());
    QCOMPARE(returns, 1);
    delete game;
  }

  void chart_showsTheFirstGraph_untilThePlayerChoosesOne_andForgetsAClearedHistory() {
    testing::WorkingDir dir;
    writeFile("試験履歴.txt", sjis("\"2024/05/01\",\"08:00:00\",14,14,0,\"100.0%\",\"0.23/秒\",\"60秒\",\"＋\"\r\n"));
    OperationGame game;
    game.Form_Load();
    auto* first = game.findChild<platform::ColorButton*>("cmdByou");
    auto* chart = game.findChild<platform::ChartControl*>("mcrRireki");
    QCOMPARE(first->backColor(), platform::kSelectedGraph);
    QCOMPARE(chart->rowCount(), 1);
    playOneAnswer(game, 0);
    QCOMPARE(chart->rowCount(), 2);
    game.history()->graphButton_Click(1);
    game.history()->cmdAllDsp_Click();
    QCOMPARE(game.findChild<platform::ColorButton*>("cmdRitu")->backColor(), platform::kSelectedGraph);
    QCOMPARE(first->backColor(), platform::ColorButton::buttonFace());
    game.cmdClear_Click();
    QCOMPARE(chart->rowCount(), 0);
    QCOMPARE(game.findChild<platform::ColorButton*>("cmdRitu")->backColor(), platform::kSelectedGraph);
  }

  void secondsPlayWithoutAnswers_letsTheGameJudgeAgain_andSaysWhyNothingIsSaved() {
    testing::WorkingDir dir;
    OperationGame game;
    game.Form_Load();
    game.optMode_Click(1);
    game.cmdStart_Click();
    for (int i = 0; i < 3; ++i) game.tmrStart_Timer();
    Clock::advance(61'000);
    game.tmrBp_Timer();
    QCOMPARE(game.timeUps, 1);
    QVERIFY(game.engine().blnEnd());
    const auto* saved = game.findChild<QLabel*>("lblHozon");
    QCOMPARE(saved->text(), QStringLiteral("解答がないため保存しません"));
    const QRect needed = saved->fontMetrics().boundingRect(QRect(0, 0, saved->width(), 1000),
                                                           saved->wordWrap() ? Qt::TextWordWrap : 0, saved->text());
    QVERIFY2(needed.width() <= saved->width() && needed.height() <= saved->height(), "the text is cut off");
    QVERIFY(game.findChild<QLabel*>("lblBest")->text().isEmpty());  // a play without a result has no best
    QVERIFY(messages.isEmpty());
    QVERIFY(!game.hasUnsavedPlay());
    QVERIFY(!QFile::exists("試験履歴.txt"));
  }

  // The line under the results compares the play with the earlier ones, not with itself
  // once saved, whether it is saved or not, and goes when the next play starts.
  void bestLine_comparesThePlayWithTheEarlierOnes_andGoesAtTheNextStart_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("elapsedMs");
    QTest::addColumn<QString>("line");
    QTest::newRow("beaten, saved by itself") << "20,60,\"＋\",\"答数\",1\r\n" << 1200 << "自己ベスト！　正解率 100.0%";
    QTest::newRow("missed, saved by hand") << "20,60,\"＋\",\"答数\",0\r\n"
                                           << 3000 << "ベストまで 0.5 秒　前回より 0.5 秒遅い　正解率 100.0%";
  }
  void bestLine_comparesThePlayWithTheEarlierOnes_andGoesAtTheNextStart() {
    QFETCH(QString, settings);
    QFETCH(int, elapsedMs);
    QFETCH(QString, line);
    testing::WorkingDir dir;
    writeFile("試験設定.txt", sjis(settings));
    writeFile("試験履歴.txt", sjis("\"2024/05/01\",\"08:00:00\",1,1,0,\"100.0%\",\"0.40/秒\",\"2.5秒\",\"＋\"\r\n"
                                   "broken\r\n"
                                   "\"2024/05/01\",\"08:10:00\",1,1,0,\"100.0%\",\"0.40/秒\",\"60秒\",\"＋\"\r\n"
                                   "\"2024/05/01\",\"08:20:00\",1,1,0,\"100.0%\",\"0.40/秒\",\"2.0秒\",\"－\"\r\n"));
    const QByteArray history = fileBytes("試験履歴.txt");
    OperationGame game;
    game.Form_Load();
    messages.clear();  // the unreadable line was reported
    auto* best = game.findChild<QLabel*>("lblBest");
    QVERIFY(best->text().isEmpty());
    game.cmdStart_Click();
    for (int i = 0; i < 3; ++i) game.tmrStart_Timer();
    Clock::advance(elapsedMs);
    game.tmrPlay_Timer();
    game.answerForTest(true);
    game.finishForTest();
    QCOMPARE(best->text(), line);
    QVERIFY(best->accessibleName().contains(line));
    QVERIFY2(grid(game)->accessibleName().contains(line), qPrintable(grid(game)->accessibleName()));
    if (!game.hasUnsavedPlay()) QVERIFY(fileBytes("試験履歴.txt").startsWith(history));
    if (game.hasUnsavedPlay()) QCOMPARE(fileBytes("試験履歴.txt"), history);  // nothing written for the line
    game.cmdStart_Click();
    QVERIFY(best->text().isEmpty());
    QVERIFY(messages.size() <= 1);  // at most the question about the unsaved play
  }

  // "日ごと" draws the day's mean of the shown rows; the choice is kept in a file of our own
  // for every game, and the game's settings file stays as it was.
  void graphSwitch_drawsPerDay_andIsKeptApartFromTheGameSettings() {
    testing::WorkingDir dir;
    writeFile("試験設定.txt", sjis("20,60,\"－\",\"答数\",1\r\n"));
    writeFile("試験履歴.txt", sjis("\"2024/05/01\",\"08:00:00\",10,10,0,\"100.0%\",\"1.00/秒\",\"10.5秒\",\"＋\"\r\n"
                                   "\"2024/05/01\",\"09:00:00\",10,9,1,\"90.0%\",\"1.25/秒\",\"8.5秒\",\"－\"\r\n"
                                   "\"2024/05/02\",\"08:00:00\",10,10,0,\"100.0%\",\"2.00/秒\",\"5.0秒\",\"－\"\r\n"));
    auto game = std::make_unique<OperationGame>();
    game->Form_Load();
    const QByteArray settings = fileBytes("試験設定.txt");
    auto* perPlay = game->findChild<QRadioButton*>("optPerPlay");
    auto* perDay = game->findChild<QRadioButton*>("optPerDay");
    auto* chart = game->findChild<platform::ChartControl*>("mcrRireki");
    QVERIFY(perPlay->isChecked() && !perDay->accessibleName().isEmpty());
    QCOMPARE(chart->rowCount(), 3);
    QAccessible::queryAccessibleInterface(perDay)->actionInterface()->doAction(
        QAccessibleActionInterface::toggleAction());
    QVERIFY(perDay->isChecked());
    QCOMPARE(chart->chartData().labels, (QStringList{"24/05/01", "24/05/02"}));
    QCOMPARE(chart->chartData().values[0], (std::vector<double>{1.12, 2.0}));
    game->history()->graphButton_Click(3);  // seconds
    QCOMPARE(chart->chartData().values[0], (std::vector<double>{9.5, 5.0}));
    game->findChild<QComboBox*>("cboMode2")->setCurrentText("－");
    game->history()->operationFilter_Click();  // the filter first, then the means
    QCOMPARE(chart->chartData().values[0], (std::vector<double>{8.5, 5.0}));
    QCOMPARE(fileBytes("表示設定.txt"), sjis("\"履歴グラフ\",\"日ごと\"\r\n"));
    QCOMPARE(fileBytes("試験設定.txt"), settings);

    game = std::make_unique<OperationGame>();
    game->Form_Load();
    QVERIFY(game->findChild<QRadioButton*>("optPerDay")->isChecked());
    QCOMPARE(game->findChild<platform::ChartControl*>("mcrRireki")->rowCount(), 2);
    game->findChild<QRadioButton*>("optPerPlay")->setChecked(true);
    QCOMPARE(game->findChild<platform::ChartControl*>("mcrRireki")->rowCount(), 3);
    QCOMPARE(fileBytes("表示設定.txt"), sjis("\"履歴グラフ\",\"回ごと\"\r\n"));
    QCOMPARE(fileBytes("試験設定.txt"), settings);
  }
};

QTEST_MAIN(GameWindowTest)
#include "tst_game_window.moc"
