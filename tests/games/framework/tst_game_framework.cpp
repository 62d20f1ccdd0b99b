#include "games/framework/GameHistory.h"
#include "games/framework/GameSettings.h"
#include "games/framework/GameText.h"
#include "games/framework/PlayEngine.h"
#include "platform/core/Clock.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace games;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const SettingsLayout kBlockSettings = {SettingField::Kaisu, SettingField::Jikan,    SettingField::ExtraNumber,
                                       SettingField::Mode,  SettingField::AutoSave, SettingField::Hint};
const HistoryLayout kBlockHistory = {
    {HistoryField::Date, "日付", 1400},      {HistoryField::Time, "時間", 1000},
    {HistoryField::Answers, "答数", 600},    {HistoryField::Ok, "ＯＫ", 600},
    {HistoryField::Ng, "ＮＧ", 600},         {HistoryField::Keystrokes, "文字数", 755},
    {HistoryField::Accuracy, "正解率", 880}, {HistoryField::Speed, "秒当たり", 980},
    {HistoryField::Seconds, "秒数", 1025},
};

// Runs the countdown to the start of the play.
void countDown(PlayEngine& engine) {
  engine.cmdStart_Click();
  for (int i = 0; i < 3; ++i) engine.tmrStart_Timer();
}

PlayOutcome blockPlay(float seconds, int ok, int ng, int keystrokes) {
  PlayOutcome play;
  play.savedAt = QDateTime(QDate(2024, 5, 1), QTime(21, 3, 7));
  play.ok = ok;
  play.ng = ng;
  play.answers = ok + ng;
  play.keystrokes = keystrokes;
  play.speedNumerator = keystrokes;
  play.seconds = seconds;
  return play;
}
}  // namespace

class GameFrameworkTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { Clock::setMonotonicMs(10'000'000); }
  void cleanup() { Clock::useRealClocks(); }

  void countdown_takesThreeTicks_andThePlayBeginsOnTheThird() {
    PlayEngine engine({});
    QSignalSpy pictures(&engine, &PlayEngine::countdownPicture);
    QSignalSpy began(&engine, &PlayEngine::playBegan);
    engine.tmrStart_Timer();  // ticks before the start do nothing
    QCOMPARE(pictures.count(), 0);
    engine.cmdStart_Click();
    QVERIFY(engine.countdownRunning() && engine.acceptsAnswers());
    engine.tmrStart_Timer();
    engine.tmrStart_Timer();
    QCOMPARE(began.count(), 0);
    engine.tmrStart_Timer();
    QCOMPARE(began.count(), 1);
    QCOMPARE(pictures.count(), 3);
    QCOMPARE(pictures.last().first().toInt(), 3);
    QVERIFY(engine.playing() && !engine.countdownRunning());
    engine.tmrStart_Timer();
    QCOMPARE(began.count(), 1);
  }

  void answersMode_withOneAnswer_endsOnTheFirstJudgedAnswer_andTakesNoMore() {
    PlayEngine engine({});
    engine.setAnswersPerPlay(1);
    countDown(engine);
    QSignalSpy ended(&engine, &PlayEngine::playEnded);
    Clock::advance(2500);
    QVERIFY(engine.answer(true, 2));
    QCOMPARE(ended.count(), 1);
    QVERIFY(engine.ended() && !engine.playing());
    QCOMPARE(engine.clockText(), QStringLiteral("2.5"));  // measured, though no clock tick came
    QCOMPARE(engine.speedText(), QStringLiteral("0.80/秒"));
    QCOMPARE(engine.accuracyText(), QStringLiteral("100.0%"));

    QVERIFY(!engine.answer(false, 2));
    QCOMPARE(engine.intNg(), 0);
    QCOMPARE(ended.count(), 1);
  }

  void answersMode_clockCountsUp_acrossMidnight() {
    Clock::setNow(QDateTime(QDate(2024, 5, 1), QTime(23, 59, 59)));
    PlayEngine engine({});
    countDown(engine);
    Clock::advance(3250);
    engine.tmrPlay_Timer();
    QCOMPARE(engine.clockText(), QStringLiteral("3.2"));  // 3.25 goes to the even 3.2
    QCOMPARE(engine.shownSeconds(), 3.2);
  }

  void secondsMode_endsOnTheFirstTickAtTheEnd_andTheBarNeverGoesBelowZero() {
    PlayEngine engine({});
    engine.setMode(PlayEngine::Mode::Seconds);
    engine.setSeconds(10);
    engine.cmdStart_Click();
    QCOMPARE(engine.clockText(), QStringLiteral("10"));
    engine.tmrStart_Timer();
    engine.tmrStart_Timer();
    Clock::advance(400);
    engine.tmrStart_Timer();
    QSignalSpy ended(&engine, &PlayEngine::playEnded);
    engine.answer(true, 1);
    engine.answer(false, 1);
    Clock::advance(4000);
    engine.tmrBp_Timer();
    QCOMPARE(engine.clockText(), QStringLiteral("6"));
    QCOMPARE(engine.barWidth(300), 180);
    Clock::advance(5000);
    engine.tmrBp_Timer();
    QCOMPARE(ended.count(), 0);
    Clock::advance(3000);  // a late tick, past the end
    engine.tmrBp_Timer();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(engine.barWidth(300), 0);
    QCOMPARE(engine.clockText(), QStringLiteral("0"));
    QCOMPARE(engine.speedText(), QStringLiteral("0.20/秒"));
    QCOMPARE(engine.accuracyText(), QStringLiteral("50.0%"));
  }

  void secondStart_isImpossibleDuringAPlay_andANewStartResetsTheFigures() {
    PlayEngine engine({});
    countDown(engine);
    engine.answer(true, 1);
    QSignalSpy reset(&engine, &PlayEngine::figuresReset);
    engine.cmdStart_Click();
    QCOMPARE(reset.count(), 0);
    QCOMPARE(engine.intOk(), 1);
    engine.setAnswersPerPlay(2);
    engine.answer(false, 1);
    QVERIFY(engine.ended());
    engine.cmdStart_Click();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(engine.answersGiven(), 0);
    QCOMPARE(engine.clockText(), QStringLiteral("0.0"));
  }

  void resultTexts_roundHalvesToEven() {
    QCOMPARE(percentText(0.9), QStringLiteral("90.0%"));
    QCOMPARE(percentText(0.0625), QStringLiteral("6.2%"));
    QCOMPARE(speedText(38 / 23.4f), QStringLiteral("1.62/秒"));
    QCOMPARE(elapsedText(0.25), QStringLiteral("0.2"));
    QCOMPARE(normalizedAnswer(QStringLiteral("１２")), QStringLiteral("12"));
    QCOMPARE(normalizedAnswer(QStringLiteral("－５")), QStringLiteral("-5"));
    QCOMPARE(normalizedAnswer(QStringLiteral("ー３")), QStringLiteral("-3"));
  }

  void settingsFile_isOneRecord_writtenAndReadBack() {
    testing::WorkingDir dir;
    GameSettings defaults;
    defaults.extras = {"3"};
    const SettingsRead missing = readSettings("ブロック計算設定.txt", kBlockSettings, defaults);
    QVERIFY(missing.error.isEmpty());
    QCOMPARE(settingsLine(kBlockSettings, missing.settings), QStringLiteral("20,60,3,\"答数\",1,0"));

    writeFile("ブロック計算設定.txt", sjis("15,90,8,\"秒数\",0,1\r\n"));
    const GameSettings read = readSettings("ブロック計算設定.txt", kBlockSettings, defaults).settings;
    QCOMPARE(read.kaisu, 15);
    QCOMPARE(read.jikan, 90.0);
    QCOMPARE(read.extras, QStringList{"8"});
    QCOMPARE(read.mode, QStringLiteral("秒数"));
    QCOMPARE(read.autoSave, 0);
    QCOMPARE(read.hint, 1);
    QCOMPARE(writeSettings("ブロック計算設定.txt", kBlockSettings, read), QString());
    QCOMPARE(fileBytes("ブロック計算設定.txt"), sjis("15,90,8,\"秒数\",0,1\r\n"));

    writeFile("ブロック計算設定.txt", "15,90,\x82");
    const SettingsRead broken = readSettings("ブロック計算設定.txt", kBlockSettings, defaults);
    QVERIFY(!broken.error.isEmpty());
    QCOMPARE(broken.settings.kaisu, 20);
  }

  void historyLine_holdsTheFieldsOfAPlay() {
    QCOMPARE(historyLine(kBlockHistory, blockPlay(23.4f, 18, 2, 38)),
             QStringLiteral("\"2024/05/01\",\"21:03:07\",20,18,2,38,\"90.0%\",\"1.62/秒\",\"23.4秒\""));
    QCOMPARE(historyFields(kBlockHistory, blockPlay(60, 30, 0, 45)).last(), QStringLiteral("60秒"));
  }

  void historyFile_skipsLinesItCannotRead_andFiltersBySecondsOrAnswers() {
    testing::WorkingDir dir;
    writeFile("h.txt", sjis("\"2024/05/01\",\"21:03:07\",20,18,2,38,\"90.0%\",\"1.62/秒\",\"23.4秒\"\r\n"
                            "broken\r\n"
                            "\"2024/05/02\",\"08:00:00\",31,30,1,50,\"96.8%\",\"0.83/秒\",\"60秒\"\r\n"));
    const HistoryRead read = readHistory("h.txt", kBlockHistory);
    QCOMPARE(read.records.size(), size_t(2));
    QCOMPARE(read.unreadable, 1);
    QCOMPARE(filterHistory(read.records, kBlockHistory, {QStringLiteral("60"), {}, {}}).size(), size_t(1));
    QCOMPARE(filterHistory(read.records, kBlockHistory, {{}, 20, {}}).front()[1], QStringLiteral("21:03:07"));
    QVERIFY(filterHistory(read.records, kBlockHistory, {{}, 7, {}}).empty());
    QCOMPARE(numberedRows(read.records)[1].first(), QStringLiteral("2"));
  }
};

QTEST_GUILESS_MAIN(GameFrameworkTest)
#include "tst_game_framework.moc"
