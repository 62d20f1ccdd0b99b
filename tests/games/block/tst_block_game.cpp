// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/block/BlockGame.h"
#include "platform/core/Clock.h"
#include "platform/core/Random.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/HelpTour.h"
#include "platform/widgets/MessageBox.h"
#include "records/Backups.h"
#include "records/RecordFile.h"
#include "support/GameTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using games::block::BlockGame;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QDateTime kNow(QDate(2024, 5, 1), QTime(21, 3, 7));
const QString kSettings = QStringLiteral("ブロック計算設定.txt");
const QString kHistory = QStringLiteral("ブロック計算履歴.txt");
}  // namespace

class BlockGameTest : public QObject, testing::GameBench<BlockGame> {
  Q_OBJECT

  void type(const QString& answer) {
    auto* box = child<QLineEdit>(QStringLiteral("txtKaitou"));
    for (QChar c : answer) box->setText(box->text() + c);
  }
  int sum() const { return games::block::expectedSum(m_game->board(), m_game->intRetsu()); }
  void answerRight() { type(QString::number(sum())); }
  QString wrongAnswer() const {
    return QString::number(sum() % 10 == 9 ? sum() - 1 : sum() + 1).right(QString::number(sum()).size());
  }
  // A wrong answer flashes the play area; the next question comes when the flash is over.
  void answerWrong() {
    type(wrongAnswer());
    m_game->finishWaits();
  }
  void chooseMode(int index) { QTest::mouseClick(child<QRadioButton>(QStringLiteral("optMode(%1)").arg(index)), Qt::LeftButton); }

 private Q_SLOTS:
  void init() { setUpBench(kNow); }
  void cleanup() { tearDownBench(); }

  void everyControl_isNamed_andEveryCheckableRunsItsHandlerWhenToggledByItsAction() {
    load();
    toggleEachByItsAction(kSettings);
    startPlay();
    QCOMPARE(unnamedControls(), QStringList());
  }

  void typedAnswer_isJudgedOnceAndRight_withNoKeystrokeLostOrDoubled_data() { typedInputRows(); }
  void typedAnswer_isJudgedOnceAndRight_withNoKeystrokeLostOrDoubled() {
    QFETCH(QString, how);
    writeFile(kSettings, sjis("20,60,4,\"答数\",1,0\r\n"));  // four columns: sums of two digits too
    load();
    startPlay();
    const QString answer = QString::number(sum());
    typeAs(how, answer);
    judgedOnceAndRight(1);
    QCOMPARE(m_game->engine().intMoji(), answer.size());
  }

  void load_withoutFiles_usesTheDefaults_andWritesThem() {
    load();
    QCOMPARE(fileBytes(kSettings), sjis("20,60,3,\"答数\",1,0\r\n"));
    QVERIFY(child<QRadioButton>(QStringLiteral("optMode(0)"))->isChecked());
    QVERIFY(!child<QComboBox>(QStringLiteral("cboJikan"))->isEnabled());
    QVERIFY(!child<QPushButton>(QStringLiteral("cmdHozon"))->isEnabled());  // auto-save on
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgRireki"))->rows(), 1);
    QCOMPARE(m_game->board().columns, 3);
    QVERIFY(child<platform::ColorButton>(QStringLiteral("cmdAllDsp"))->backColor() == QColor(255, 255, 192));
    QVERIFY(m_messages.isEmpty());
  }

  void handWrittenSettings_areRead_andSurviveAReopen() {
    writeFile(kSettings, sjis("5,120,8,\"秒数\",0,1\r\n"));
    load();
    QCOMPARE(m_game->intRetsu(), 8);
    QVERIFY(child<QRadioButton>(QStringLiteral("optMode(1)"))->isChecked());
    QCOMPARE(child<QComboBox>(QStringLiteral("cboJikan"))->currentText(), QStringLiteral("120"));
    QVERIFY(child<QCheckBox>(QStringLiteral("chkHint"))->isChecked());
    QCOMPARE(child<QPushButton>(QStringLiteral("chkAs"))->text(), QStringLiteral("手動保存モード"));
    QVERIFY(child<QPushButton>(QStringLiteral("cmdHozon"))->isEnabled());
    choose(QStringLiteral("cboMode"), QStringLiteral("2"));
    chooseMode(0);
    delete m_game;
    QCOMPARE(fileBytes(kSettings), sjis("5,120,2,\"答数\",0,1\r\n"));
    load();
    QCOMPARE(m_game->intRetsu(), 2);
  }

  void unreadableSettings_areKeptUntilASettingChanges() {
    writeFile(kSettings, "20,60,\x82\r\n");
    load();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(fileBytes(kSettings), QByteArray("20,60,\x82\r\n"));
    chooseMode(1);
    QCOMPARE(fileBytes(kSettings), sjis("20,60,3,\"秒数\",1,0\r\n"));
  }

  void answersModePlay_savesOnceAtTheEnd_toHistoryAndRecords() {
    writeFile(kSettings, sjis("3,60,8,\"答数\",1,0\r\n"));
    load();
    startPlay();
    QVERIFY(child<QLineEdit>(QStringLiteral("txtKaitou"))->hasFocus() || !QApplication::focusWindow());
    answerRight();
    answerWrong();
    QCOMPARE(text(QStringLiteral("lblNg")), QStringLiteral("1"));
    Clock::advance(23'400);
    answerRight();
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("23.4"));
    QCOMPARE(text(QStringLiteral("lblRitu")), QStringLiteral("66.7%"));
    QCOMPARE(text(QStringLiteral("lblMoji_T")), QStringLiteral("3"));
    QVERIFY(child<QPushButton>(QStringLiteral("cmdStart"))->isEnabled());

    const records::RecordTable table = records::readRecords().table;
    QCOMPARE(table.size(), 1);
    QCOMPARE(table[0].item, QStringLiteral("ブロック計算"));
    QCOMPARE(table[0].seconds, 23.4f);
    QCOMPARE(table[0].diary, QStringLiteral("答数 : 3"));
    QCOMPARE(fileBytes(records::kRecordFileName),
             sjis("\"2024/05/01\",\"21:03:30\",\"ブロック計算\",23.4,\"答数 : 3\",\r\n"));  // saved 23.4 s on
    const QByteArray history = fileBytes(kHistory);
    QVERIFY(history.startsWith(sjis("\"2024/05/01\",\"21:03:30\",3,2,1,")));
    QVERIFY(history.endsWith(sjis("\"23.4秒\"\r\n")));
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgRireki"))->rows(), 2);

    type(QString::number(sum()));  // after the end: the box takes nothing
    QCOMPARE(m_game->engine().answersGiven(), 3);
    m_game->cmdHozon_Click();  // disabled with auto-save; a manual press adds one more
    QCOMPARE(records::readRecords().table.size(), 2);
  }

  void secondsModePlay_savesTheSetSeconds_andItsDetailText() {
    writeFile(kSettings, sjis("20,60,1,\"秒数\",1,0\r\n"));
    load();
    startPlay();
    answerRight();
    for (int s = 0; s < 60; ++s) {
      Clock::advance(1000);
      m_game->tmrBp_Timer();
    }
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(records::readRecords().table[0].diary, QStringLiteral("秒数 : 60"));
    QVERIFY(fileBytes(kHistory).endsWith(sjis("\"60秒\"\r\n")));
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("0"));
  }

  void manualSave_refusesEmptyPlays_countdownsAndRunningPlays() {
    writeFile(kSettings, sjis("2,60,3,\"答数\",0,0\r\n"));
    load();
    m_game->cmdHozon_Click();
    m_game->cmdStart_Click();
    m_game->cmdHozon_Click();
    for (int i = 0; i < 3; ++i) m_game->tmrStart_Timer();
    answerRight();
    m_game->cmdHozon_Click();
    QVERIFY(!QFile::exists(records::kRecordFileName));
    answerRight();
    QVERIFY(!QFile::exists(records::kRecordFileName));  // manual mode: nothing saved by itself
    m_game->cmdHozon_Click();
    QCOMPARE(records::readRecords().table.size(), 1);
  }

  void savingThePlayAgain_asksFirst_andEverySaveIsConfirmedInTheWindow() {
    writeFile(kSettings, sjis("1,60,3,\"答数\",0,0\r\n"));
    load();
    startPlay();
    answerRight();
    m_game->cmdHozon_Click();
    QCOMPARE(text(QStringLiteral("lblHozon")), QStringLiteral("保存しました"));
    QVERIFY(m_messages.isEmpty());

    m_answer = platform::MsgResult::Cancel;
    m_game->cmdHozon_Click();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("このプレイはすでに保存しました。もう一度保存しますか？"));
    QCOMPARE(m_messages[0].buttons, platform::MsgButtons::OkCancel);
    QCOMPARE(m_messages[0].defaultButton, platform::MsgResult::Cancel);  // a stray Enter counts nothing twice
    QCOMPARE(records::readRecords().table.size(), 1);
    m_answer = platform::MsgResult::Ok;
    m_game->cmdHozon_Click();
    QCOMPARE(records::readRecords().table.size(), 2);

    startPlay();  // a new play is a new question
    QCOMPARE(text(QStringLiteral("lblHozon")), QString());
    answerRight();
    m_game->cmdHozon_Click();
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(records::readRecords().table.size(), 3);
  }

  void aPaste_givesOneAnswerAtMost() {
    load();
    startPlay();
    QGuiApplication::clipboard()->setText(QString(7500, QChar(0xFF17)));  // full-width 7s
    QTest::keyClick(child(QStringLiteral("txtKaitou")), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_game->engine().answersGiven(), 1);
    QVERIFY(m_game->engine().intMoji() <= 2);
  }

  void countdownLightAndClock_showOnlyWhatIsTrue() {
    writeFile(kSettings, sjis("1,60,3,\"答数\",1,0\r\n"));
    load();
    QCOMPARE(text(QStringLiteral("lblJikan")), QString());
    QVERIFY(!child(QStringLiteral("lblJikanTani"))->isVisibleTo(m_game));  // no lone "秒"
    QVERIFY(!m_game->isMaximized() && !(m_game->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_game->height() <= 690);  // with a title bar and a panel on a 768-pixel screen
    startPlay();
    QVERIFY(child(QStringLiteral("imgStart(3)"))->isVisibleTo(m_game));
    QVERIFY(child(QStringLiteral("lblJikanTani"))->isVisibleTo(m_game));
    answerRight();  // the one answer ends the play
    for (int i = 1; i <= 3; ++i) QVERIFY(!child(QStringLiteral("imgStart(%1)").arg(i))->isVisibleTo(m_game));
  }

  void typingBeforeTheStartOrDuringTheCountdown_isDiscarded() {
    load();
    type(QStringLiteral("7"));
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtKaitou"))->text(), QString());
    m_game->cmdStart_Click();
    type(wrongAnswer());  // no flash either
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtKaitou"))->text(), QString());
    QVERIFY(!m_game->isWaiting());
    QCOMPARE(m_game->engine().answersGiven(), 0);
  }

  void twoDigitSums_areJudgedOnlyWithTheSecondDigit_fullWidthToo() {
    writeFile(kSettings, sjis("20,60,8,\"答数\",1,0\r\n"));
    load();
    startPlay();
    QVERIFY(sum() >= 10 && sum() <= 40);
    const QString full = QString::number(sum()).replace(QLatin1Char('0'), QChar(0xFF10)).replace(QLatin1Char('1'), QChar(0xFF11))
                             .replace(QLatin1Char('2'), QChar(0xFF12)).replace(QLatin1Char('3'), QChar(0xFF13))
                             .replace(QLatin1Char('4'), QChar(0xFF14));
    type(full.left(1));
    QCOMPARE(m_game->engine().answersGiven(), 0);
    type(full.mid(1));
    QCOMPARE(m_game->engine().intOk(), 1);
    QCOMPARE(m_game->engine().intMoji(), 2);
  }

  void oneColumn_needsOneDigit_fromOneToFive() {
    writeFile(kSettings, sjis("20,60,1,\"答数\",1,0\r\n"));
    load();
    for (int i = 0; i < 50; ++i) {
      m_game->MAKE_MONDAI();
      QVERIFY(sum() >= 1 && sum() <= 5);
    }
  }

  void hint_showsTheCountsAboveTheColumns_evenDuringAPlay() {
    writeFile(kSettings, sjis("20,60,4,\"答数\",1,0\r\n"));
    load();
    startPlay();
    QVERIFY(!child(QStringLiteral("lblKei(1)"))->isVisibleTo(m_game));
    child<QCheckBox>(QStringLiteral("chkHint"))->click();
    for (int k = 1; k <= 4; ++k) {
      auto* count = child<QLabel>(QStringLiteral("lblKei(%1)").arg(k));
      QVERIFY(count->isVisibleTo(m_game));
      QCOMPARE(count->text().toInt(), m_game->board().counts[size_t(k - 1)]);
      const int n = count->text().toInt();
      QCOMPARE(count->y(), child(QStringLiteral("shp%1(%2)").arg(k).arg(n))->y() - 19);
    }
    QVERIFY(!child(QStringLiteral("lblKei(5)"))->isVisibleTo(m_game));
    QVERIFY(fileBytes(kSettings).endsWith(",1\r\n"));
  }

  void wrongAnswer_flashesThePlayAreaRed_whileTheClocksRun_andTakesNoAnswerMeanwhile() {
    load();
    startPlay();
    auto* area = child<QFrame>(QStringLiteral("frmG2(0)"));
    Clock::advance(700);
    type(wrongAnswer());
    QCOMPARE(area->palette().color(QPalette::Window), QColor(255, 0, 0));
    QVERIFY(m_game->isWaiting());
    m_game->tmrPlay_Timer();
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("0.7"));  // the clock runs on
    child<QLineEdit>(QStringLiteral("txtKaitou"))->clear();
    answerRight();  // typed during the flash: not judged
    QCOMPARE(m_game->engine().answersGiven(), 1);

    m_game->finishWaits();
    QCOMPARE(area->palette().color(QPalette::Window), platform::ColorButton::buttonFace());
    QCOMPARE(child<QLineEdit>(QStringLiteral("txtKaitou"))->text(), QString());
    QVERIFY(!m_game->isWaiting());
    answerRight();
    QCOMPARE(m_game->engine().intOk(), 1);
  }

  void timeUpDuringTheFlash_endsThePlayOnce_andTheFlashStillEnds() {
    writeFile(kSettings, sjis("20,10,3,\"秒数\",1,0\r\n"));
    load();
    startPlay();
    type(wrongAnswer());
    Clock::advance(10'000);
    m_game->tmrBp_Timer();  // time is up while the play area is red
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(records::readRecords().table.size(), 1);
    m_game->finishWaits();
    QCOMPARE(child<QFrame>(QStringLiteral("frmG2(0)"))->palette().color(QPalette::Window),
             platform::ColorButton::buttonFace());
    answerRight();  // after the end: nothing more is judged or saved
    QCOMPARE(m_game->engine().answersGiven(), 1);
    QCOMPARE(records::readRecords().table.size(), 1);
    QVERIFY(child<QPushButton>(QStringLiteral("cmdStart"))->isEnabled());
  }

  void leavingDuringTheFlash_returnsWithoutACrash_andSavesOnce() {
    writeFile(kSettings, sjis("1,60,3,\"答数\",1,0\r\n"));
    load();
    startPlay();
    type(wrongAnswer());  // ends the one-answer play and saves it, then flashes
    QVERIFY(m_game->isWaiting());
    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdEnd")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_game.isNull());
    QCOMPARE(m_returns, 1);
    QCOMPARE(records::readRecords().table.size(), 1);
  }

  void leavingDuringTheCountdownOrAPlay_savesNothing() {
    load();
    m_game->cmdStart_Click();
    m_game->tmrStart_Timer();
    m_game->cmdEnd_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_game.isNull());
    QCOMPARE(m_returns, 1);
    QVERIFY(!QFile::exists(records::kRecordFileName));
  }

  void historyFilters_graphs_andClear() {
    writeFile(kHistory, sjis("\"2024/04/30\",\"08:00:00\",20,18,2,38,\"90.0%\",\"1.62/秒\",\"23.4秒\"\r\n"
                             "\"2024/04/30\",\"09:00:00\",31,30,1,50,\"96.8%\",\"0.83/秒\",\"60秒\"\r\n"));
    writeFile(records::kRecordFileName, sjis("\"2024/04/30\",\"09:00:00\",\"ブロック計算\",60,\"秒数 : 60\",\r\n"));
    load();
    auto* grid = child<platform::DataGrid>(QStringLiteral("msgRireki"));
    auto* all = child<platform::ColorButton>(QStringLiteral("cmdAllDsp"));
    QCOMPARE(grid->rows(), 3);
    QCOMPARE(grid->textMatrix(2, 9), QStringLiteral("60秒"));

    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdKaitou")), Qt::LeftButton);
    auto* twoSeries = child<platform::ChartControl>(QStringLiteral("mcrRireki2"));
    QVERIFY(twoSeries->isVisibleTo(m_game) && !child(QStringLiteral("mcrRireki"))->isVisibleTo(m_game));
    QCOMPARE(twoSeries->value(2, 1), QStringLiteral("30"));
    QCOMPARE(twoSeries->value(2, 2), QStringLiteral("1"));

    choose(QStringLiteral("cboJikan2"), QStringLiteral("60"));
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(grid->textMatrix(1, 0), QStringLiteral("1"));
    QVERIFY(all->isButtonFace());
    QCOMPARE(twoSeries->rowCount(), 1);  // the shown graph follows the grid

    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdRitu")), Qt::LeftButton);
    QCOMPARE(child<platform::ChartControl>(QStringLiteral("mcrRireki"))->value(1), QStringLiteral("96.8"));
    QVERIFY(child<platform::ColorButton>(QStringLiteral("cmdKaitou"))->isButtonFace());

    choose(QStringLiteral("cboKaisu2"), QStringLiteral("7"));
    QCOMPARE(grid->rows(), 1);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboJikan2"))->currentText(), QString());

    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(grid->rows(), 3);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboKaisu2"))->currentText(), QString());
    QCOMPARE(all->backColor(), QColor(255, 255, 192));

    m_answer = platform::MsgResult::Cancel;
    m_game->cmdClear_Click();
    QCOMPARE(m_messages.last().defaultButton, platform::MsgResult::Cancel);
    QCOMPARE(grid->rows(), 3);
    QVERIFY(!fileBytes(kHistory).isEmpty());
    m_answer = platform::MsgResult::Ok;
    const QByteArray cleared = fileBytes(kHistory);
    m_game->cmdClear_Click();
    QCOMPARE(m_messages.last().title, QStringLiteral("クリア終了"));
    QCOMPARE(grid->rows(), 1);
    QVERIFY(fileBytes(kHistory).isEmpty());
    const std::vector<records::Backup> copies = records::listBackups();  // kept first
    QCOMPARE(copies.size(), size_t(1));
    QCOMPARE(copies[0].fileName, kHistory);
    QCOMPARE(fileBytes(copies[0].path), cleared);
    QCOMPARE(records::readRecords().table.size(), 1);  // the record file is not touched
  }

  void helpTour_explainsTheGameAtLoad() {
    platform::tourState().intHelpTour = 1;
    load();
    QVERIFY(m_messages.isEmpty());  // not while the main window may still stand behind
    QCoreApplication::sendPostedEvents();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(m_messages[0].text, games::GameWindow::gstrSetumei());
    QVERIFY(m_messages[0].text.startsWith(QStringLiteral("このゲームは『ブロック計算ドリル』です。\r\n\r\n画面には")));
  }
};

QTEST_MAIN(BlockGameTest)
#include "tst_block_game.moc"
