// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/GameHistory.h"
#include "games/framework/GameProfile.h"
#include "games/framework/GameSettings.h"
#include "games/framework/GameText.h"
#include "games/framework/HistoryGraphs.h"
#include "games/framework/PersonalBest.h"
#include "games/framework/PlayEngine.h"
#include "games/framework/PlaySaving.h"
#include "platform/core/Clock.h"
#include "platform/core/SeqFormat.h"
#include "records/RecordFile.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace games;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const SettingsLayout kBlockSettings = {SettingField::Kaisu, SettingField::Jikan,    SettingField::ExtraNumber,
                                       SettingField::Mode,  SettingField::AutoSave, SettingField::Hint};
const SettingsChoices kBlockChoices = {1, 100, 10, 180, 5, {{"1", "2", "3", "4", "5", "6", "7", "8"}}};
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

// A saved play of a game with an operation, as its history line reads: right and wrong
// answers, the seconds it wrote and the operation.
QStringList operationRow(int ok, int ng, const QString& seconds, const QString& operation = QStringLiteral("＋")) {
  return {"2024/05/01",
          "10:00:00",
          QString::number(ok + ng),
          QString::number(ok),
          QString::number(ng),
          "90.0%",
          "1.00/秒",
          seconds + QStringLiteral("秒"),
          operation};
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
  void init() {
    testing::resetRunState();
    Clock::setMonotonicMs(10'000'000);
  }

  void countdown_takesThreeTicks_andThePlayBeginsOnTheThird() {
    PlayEngine engine({});
    QSignalSpy pictures(&engine, &PlayEngine::countdownPicture);
    QSignalSpy began(&engine, &PlayEngine::playBegan);
    engine.tmrStart_Timer();  // ticks before the start do nothing
    QCOMPARE(pictures.count(), 0);
    engine.cmdStart_Click();
    QVERIFY(engine.blnStart() && engine.acceptsAnswers());
    engine.tmrStart_Timer();
    engine.tmrStart_Timer();
    QCOMPARE(began.count(), 0);
    engine.tmrStart_Timer();
    QCOMPARE(began.count(), 1);
    QCOMPARE(pictures.count(), 3);
    QCOMPARE(pictures.last().first().toInt(), 3);
    QVERIFY(engine.blnPlay() && !engine.blnStart());
    engine.tmrStart_Timer();
    QCOMPARE(began.count(), 1);
  }

  void heldCountdown_waitsForTheGame_andItsClockStartsOnlyThen() {
    PlayEngine engine({.gameBeginsPlay = true});
    QSignalSpy ended(&engine, &PlayEngine::countdownEnded);
    QSignalSpy began(&engine, &PlayEngine::playBegan);
    engine.cmdStart_Click();
    engine.tmrStart_Timer();
    engine.beginHeldPlay();  // too early: the countdown is not over
    QVERIFY(engine.blnStart());
    engine.tmrStart_Timer();
    engine.tmrStart_Timer();
    QCOMPARE(ended.count(), 1);
    for (int i = 0; i < 5; ++i) engine.tmrStart_Timer();  // ticks while the game asks first
    QCOMPARE(engine.countdownStep(), 3);
    QVERIFY(engine.blnStart() && began.isEmpty());
    Clock::advance(4'000);
    engine.beginHeldPlay();
    QCOMPARE(began.count(), 1);
    Clock::advance(1'500);
    engine.tmrPlay_Timer();
    QCOMPARE(engine.clockText(), QStringLiteral("1.5"));
  }

  void phases_followTheLifeOfAPlay_andIgnoreMovesItDoesNotHave() {
    PlayEngine engine({});
    engine.setAnswersPerPlay(2);
    QSignalSpy phases(&engine, &PlayEngine::phaseChanged);
    QSignalSpy ended(&engine, &PlayEngine::playEnded);
    engine.finishPlay();  // no play to finish
    QVERIFY(!engine.answer(true, 1));
    QCOMPARE(engine.phase(), PlayEngine::Phase::Idle);
    countDown(engine);
    engine.cmdStart_Click();  // no second start during a play
    engine.answer(true, 1);
    engine.answer(false, 1);
    engine.finishPlay();  // already ended
    engine.tmrBp_Timer();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(engine.answersGiven(), 2);
    QList<PlayEngine::Phase> seen;
    for (const QList<QVariant>& change : phases) seen << change.first().value<PlayEngine::Phase>();
    QCOMPARE(seen, (QList{PlayEngine::Phase::Countdown, PlayEngine::Phase::Playing, PlayEngine::Phase::Ended}));
    QVERIFY(engine.blnEnd() && !engine.blnPlay() && !engine.blnStart());
    engine.cmdStart_Click();  // a new play after the end
    QCOMPARE(engine.phase(), PlayEngine::Phase::Countdown);
    QCOMPARE(engine.answersGiven(), 0);
  }

  void answersMode_withOneAnswer_endsOnTheFirstJudgedAnswer_andTakesNoMore() {
    PlayEngine engine({});
    engine.setAnswersPerPlay(1);
    countDown(engine);
    QSignalSpy ended(&engine, &PlayEngine::playEnded);
    Clock::advance(2500);
    QVERIFY(engine.answer(true, 2));
    QCOMPARE(ended.count(), 1);
    QVERIFY(engine.blnEnd() && !engine.blnPlay());
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
    QVERIFY(engine.blnEnd());
    engine.cmdStart_Click();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(engine.answersGiven(), 0);
    QCOMPARE(engine.clockText(), QStringLiteral("0.0"));
  }

  void resultTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("accuracy 90%") << percentText(0.9) << "90.0%";
    QTest::newRow("accuracy half to even, down") << percentText(0.0625) << "6.2%";
    QTest::newRow("accuracy half to even, up") << percentText(0.0675) << "6.8%";
    QTest::newRow("accuracy none") << percentText(0) << "0.0%";
    QTest::newRow("accuracy all") << percentText(1) << "100.0%";
    QTest::newRow("speed of 38 in 23.4 s") << speedText(38 / 23.4f) << "1.62/秒";
    QTest::newRow("speed half to even") << speedText(0.125) << "0.12/秒";
    QTest::newRow("speed zero") << speedText(0) << "0.00/秒";
    QTest::newRow("elapsed half to even, down") << elapsedText(0.25) << "0.2";
    QTest::newRow("elapsed half to even, up") << elapsedText(0.75) << "0.8";
    QTest::newRow("elapsed whole") << elapsedText(60) << "60.0";
  }
  void resultTexts() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
  }

  void typedAnswers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("full-width digits") << "１２" << "12";
    QTest::newRow("full-width minus") << "－５" << "-5";
    QTest::newRow("long vowel mark as minus") << "ー３" << "-3";
    QTest::newRow("minus sign") << "\u22127" << "-7";
    QTest::newRow("ascii stays") << "42" << "42";
  }
  void typedAnswers() {
    QFETCH(QString, typed);
    QFETCH(QString, normalized);
    QCOMPARE(normalizedAnswer(typed), normalized);
  }

  void settingsFile_isOneRecord_writtenAndReadBack() {
    testing::WorkingDir dir;
    GameSettings defaults;
    defaults.extras = {"3"};
    const SettingsRead missing = readSettings("ブロック計算設定.txt", kBlockSettings, defaults, kBlockChoices);
    QVERIFY(missing.error.isEmpty());
    QCOMPARE(settingsLine(kBlockSettings, missing.settings), QStringLiteral("20,60,3,\"答数\",1,0"));

    writeFile("ブロック計算設定.txt", sjis("15,90,8,\"秒数\",0,1\r\n"));
    const GameSettings read = readSettings("ブロック計算設定.txt", kBlockSettings, defaults, kBlockChoices).settings;
    QCOMPARE(read.kaisu, 15);
    QCOMPARE(read.jikan, 90.0);
    QCOMPARE(read.extras, QStringList{"8"});
    QCOMPARE(read.mode, QStringLiteral("秒数"));
    QCOMPARE(read.autoSave, 0);
    QCOMPARE(read.hint, 1);
    QCOMPARE(writeSettings("ブロック計算設定.txt", kBlockSettings, read), QString());
    QCOMPARE(fileBytes("ブロック計算設定.txt"), sjis("15,90,8,\"秒数\",0,1\r\n"));

    writeFile("ブロック計算設定.txt", "15,90,\x82");
    const SettingsRead broken = readSettings("ブロック計算設定.txt", kBlockSettings, defaults, kBlockChoices);
    QVERIFY(!broken.error.isEmpty());
    QCOMPARE(broken.settings.kaisu, 20);
  }

  void settingsOutOfTheChoices_makeTheFileUnreadable_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("usable");
    QTest::newRow("every value in range") << QByteArray("100,180,8,\"秒数\",0,1") << true;
    QTest::newRow("least values") << QByteArray("1,10,1,\"答数\",1,0") << true;
    QTest::newRow("fewer fields keep the defaults") << QByteArray("15,90") << true;
    QTest::newRow("answers beyond the list") << QByteArray("100000,60,3,\"答数\",1,0") << false;
    QTest::newRow("answers zero") << QByteArray("0,60,3,\"答数\",1,0") << false;
    QTest::newRow("negative seconds") << QByteArray("20,-5,3,\"答数\",1,0") << false;
    QTest::newRow("seconds off the step") << QByteArray("20,61,3,\"答数\",1,0") << false;
    QTest::newRow("seconds not a number") << QByteArray("20,nan,3,\"秒数\",1,0") << false;
    QTest::newRow("seconds infinite") << QByteArray("20,inf,3,\"秒数\",1,0") << false;
    QTest::newRow("columns beyond the list") << QByteArray("20,60,99,\"秒数\",1,0") << false;
    QTest::newRow("unknown mode") << QByteArray("20,60,3,\"時間\",1,0") << false;
    QTest::newRow("auto-save not 0 or 1") << QByteArray("20,60,3,\"秒数\",7,0") << false;
    QTest::newRow("hint not 0 or 1") << QByteArray("20,60,3,\"秒数\",1,9") << false;
    QTest::newRow("answers with a fraction") << QByteArray("2.5,60,3,\"秒数\",1,0") << false;
  }
  void settingsOutOfTheChoices_makeTheFileUnreadable() {
    QFETCH(QByteArray, line);
    QFETCH(bool, usable);
    testing::WorkingDir dir;
    GameSettings defaults;
    defaults.extras = {"3"};
    writeFile("s.txt", sjis(QString::fromUtf8(line + "\r\n")));
    const SettingsRead read = readSettings("s.txt", kBlockSettings, defaults, kBlockChoices);
    QCOMPARE(read.error.isEmpty(), usable);
    if (!usable) QCOMPARE(settingsLine(kBlockSettings, read.settings), settingsLine(kBlockSettings, defaults));
  }

  void savingAPlay_triesBothFiles_andNamesEveryOneThatFailed() {
    testing::WorkingDir dir;
    GameProfile profile;
    profile.itemName = "ブロック計算";
    profile.history = kBlockHistory;
    const PlayOutcome play = blockPlay(23.4f, 18, 2, 38);

    QVERIFY(QDir().mkdir(profile.historyFile()));  // a folder where the history should be
    SaveResult saved = savePlay(profile, play, "答数 : 20");
    QVERIFY(!saved.historyKept && saved.recordKept);
    QVERIFY(saved.error.contains(profile.historyFile()));
    QVERIFY(saved.error.contains("2024/05/01 21:03:07"));
    QVERIFY(!saved.error.contains("に残っていません：ファイル「データ.txt」"));
    QCOMPARE(records::readRecords().table.size(), 1);

    QVERIFY(QDir().rmdir(profile.historyFile()));
    QVERIFY(QFile::remove(records::kRecordFileName));
    QVERIFY(QDir().mkdir(records::kRecordFileName));
    saved = savePlay(profile, play, "答数 : 20");
    QVERIFY(saved.historyKept && !saved.recordKept);
    QVERIFY(saved.error.contains(records::kRecordFileName));
    QCOMPARE(readHistory(profile.historyFile(), kBlockHistory).records.size(), size_t(1));

    QVERIFY(QDir().rmdir(records::kRecordFileName));
    saved = savePlay(profile, play, "答数 : 20");
    QVERIFY(saved.historyKept && saved.recordKept);
    QCOMPARE(saved.error, QString());
    const QByteArray record = sjis("\"2024/05/01\",\"21:03:07\",\"ブロック計算\",23.4,\"答数 : 20\",\r\n");
    QCOMPARE(fileBytes(records::kRecordFileName), record);

    // A save killed between its two appends: held at the history's lock, the child is killed
    // there, and the play is counted all the same.
    const QByteArray history = fileBytes(profile.historyFile());
    const int held = ::open(QFile::encodeName(profile.historyFile()).constData(), O_RDONLY | O_CLOEXEC);
    QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0);
    const pid_t child = ::fork();
    if (child == 0) {
      (void)savePlay(profile, play, "答数 : 20");
      ::_exit(0);
    }
    for (int reads = 0; fileBytes(records::kRecordFileName) != record + record; ++reads) {
      QVERIFY(reads < 1000000 && ::waitpid(child, nullptr, WNOHANG) == 0);  // a save that waits first
    }
    ::kill(child, SIGKILL);
    QCOMPARE(::waitpid(child, nullptr, 0), child);
    ::close(held);
    QCOMPARE(fileBytes(profile.historyFile()), history);
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
    QCOMPARE(numberedRows(read.records)->text(1, 0), QStringLiteral("2"));
  }

  void personalBest_comparesWithEarlierPlaysOfTheSameModeAndSetting_data() {
    QTest::addColumn<std::vector<QStringList>>("history");
    QTest::addColumn<bool>("bySeconds");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<int>("ok");
    QTest::addColumn<int>("ng");
    QTest::addColumn<QString>("line");
    using Rows = std::vector<QStringList>;
    // "答数 : 20" with "＋": 18 right, 2 wrong in 23.4 s.
    QTest::newRow("first play") << Rows{} << false << 23.4f << 18 << 2 << "初めての記録です　正解率 90.0%";
    QTest::newRow("faster than every earlier play") << Rows{operationRow(20, 0, "24.6"), operationRow(19, 1, "23.5")}
                                                    << false << 23.4f << 18 << 2 << "自己ベスト！　正解率 90.0%";
    QTest::newRow("a tie with the best") << Rows{operationRow(20, 0, "23.4"), operationRow(19, 1, "30.5")} << false
                                         << 23.4f << 18 << 2 << "自己ベストタイ　正解率 90.0%";
    QTest::newRow("behind the best, faster than the last")
        << Rows{operationRow(20, 0, "22.2"), operationRow(19, 1, "24.2")} << false << 23.4f << 18 << 2
        << "ベストまで 1.2 秒　前回より 0.8 秒速い　正解率 90.0%";
    QTest::newRow("behind the best, slower than the last")
        << Rows{operationRow(20, 0, "22.2"), operationRow(19, 1, "23.0")} << false << 23.4f << 18 << 2
        << "ベストまで 1.2 秒　前回より 0.4 秒遅い　正解率 90.0%";
    QTest::newRow("behind the best, as the last")
        << Rows{operationRow(20, 0, "22.2"), operationRow(19, 1, "23.4")} << false << 23.4f << 17 << 3
        << "ベストまで 1.2 秒　前回と同じ　正解率 85.0%";
    QTest::newRow("unreadable lines are passed over")
        << Rows{operationRow(20, 0, "abc"),
                {"2024/05/01", "10:00:00", "20", "x", "2", "", "", "10.1秒", "＋"},
                operationRow(20, 0, "20.5")}
        << false << 23.4f << 18 << 2 << "ベストまで 2.9 秒　前回より 2.9 秒遅い　正解率 90.0%";
    QTest::newRow("other answers, operations and timed plays are other settings")
        << Rows{operationRow(15, 0, "10.0"), operationRow(20, 0, "10.1", "－"), operationRow(20, 0, "60")} << false
        << 23.4f << 18 << 2 << "初めての記録です　正解率 90.0%";
    QTest::newRow("an answers play of exactly sixty seconds keeps its decimal, so is no timed play")
        << Rows{operationRow(20, 0, "60.0")} << false << 23.4f << 18 << 2 << "自己ベスト！　正解率 90.0%";
    // "秒数 : 60" with "＋": right answers count.
    QTest::newRow("seconds: fewer right answers than the best, more than the last")
        << Rows{operationRow(33, 0, "60"), operationRow(20, 0, "23.4"), operationRow(40, 0, "45"),
                operationRow(28, 2, "60")}
        << true << 60.0f << 30 << 2 << "ベストまで 3 問　前回より 2 問多い　正解率 93.8%";
    QTest::newRow("seconds: fewer than the last")
        << Rows{operationRow(33, 0, "60"), operationRow(31, 0, "60")} << true << 60.0f << 30 << 2
        << "ベストまで 3 問　前回より 1 問少ない　正解率 93.8%";
    QTest::newRow("seconds: more than every earlier play")
        << Rows{operationRow(29, 0, "60"), operationRow(50, 0, "60", "×")} << true << 60.0f << 30 << 0
        << "自己ベスト！　正解率 100.0%";
    QTest::newRow("seconds: a tie") << Rows{operationRow(30, 5, "60")} << true << 60.0f << 30 << 0
                                    << "自己ベストタイ　正解率 100.0%";
  }
  void personalBest_comparesWithEarlierPlaysOfTheSameModeAndSetting() {
    QFETCH(std::vector<QStringList>, history);
    QFETCH(bool, bySeconds);
    QFETCH(float, seconds);
    QFETCH(int, ok);
    QFETCH(int, ng);
    QFETCH(QString, line);
    PlayOutcome play = blockPlay(seconds, ok, ng, 0);
    const PlaySetting setting{bySeconds, ok + ng, platform::seq::floatText(seconds), QStringLiteral("＋")};
    const QStringList secondsItems = SettingsChoices{}.jikanItems();
    QCOMPARE(personalBestLine(history, operationHistory(), secondsItems, setting, play), line);
  }

  void dailyHistoryChart_drawsEachDaysMean_roundedAsTheFigureShows_data() {
    QTest::addColumn<std::vector<QStringList>>("rows");  // date, figure
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<std::vector<double>>("means");
    using Rows = std::vector<QStringList>;
    QTest::newRow("no plays") << Rows{} << 2 << QStringList{} << std::vector<double>{};
    QTest::newRow("speed: a day of two plays, halves to even")
        << Rows{{"2024/05/01", "1.50/秒"}, {"2024/05/01", "1.75/秒"}, {"2024/05/03", "2.00/秒"}} << 2
        << QStringList{"24/05/01", "24/05/03"} << std::vector<double>{1.62, 2.0};
    QTest::newRow("days in date order, whatever the order of the lines; no date, no day")
        << Rows{{"2024/05/02", "95.0%"}, {"2023/12/31", "80.0%"}, {"bad", "10.0%"}, {"2024/05/02", "90.0%"}} << 1
        << QStringList{"23/12/31", "24/05/02"} << std::vector<double>{80.0, 92.5};
    QTest::newRow("counts whole, halves to even") << Rows{{"2024/05/01", "18"}, {"2024/05/01", "19"}} << 0
                                                  << QStringList{"24/05/01"} << std::vector<double>{18.0};
  }
  void dailyHistoryChart_drawsEachDaysMean_roundedAsTheFigureShows() {
    QFETCH(std::vector<QStringList>, rows);
    QFETCH(int, decimals);
    QFETCH(QStringList, labels);
    QFETCH(std::vector<double>, means);
    platform::GridModel grid;
    grid.setHeader({QStringLiteral("日付"), QStringLiteral("値")});
    grid.setDataRows(rows);
    const platform::ChartData chart = dailyHistoryChart(grid, 0, {1}, decimals);
    QCOMPARE(chart.labels, labels);
    QCOMPARE(chart.values.front(), means);
  }

  void graphByDay_isKeptInAFileOfOurOwn_andAnUnreadableOneDrawsPerPlay() {
    testing::WorkingDir dir;
    QCOMPARE(readGraphBy(), GraphBy::Play);
    writeFile("表示設定.txt", sjis("\"ほかの設定\",1\r\n"));
    QCOMPARE(writeGraphBy(GraphBy::Day), QString());
    QCOMPARE(fileBytes("表示設定.txt"), sjis("\"ほかの設定\",1\r\n\"履歴グラフ\",\"日ごと\"\r\n"));
    QCOMPARE(readGraphBy(), GraphBy::Day);
    QCOMPARE(writeGraphBy(GraphBy::Play), QString());
    QCOMPARE(fileBytes("表示設定.txt"), sjis("\"ほかの設定\",1\r\n\"履歴グラフ\",\"回ごと\"\r\n"));
    for (const QByteArray& unreadable : {QByteArray("\x82"), sjis("\"履歴グラフ\",\"毎日\"\r\n")}) {
      writeFile("表示設定.txt", unreadable);
      QCOMPARE(readGraphBy(), GraphBy::Play);
    }
  }
};

QTEST_GUILESS_MAIN(GameFrameworkTest)
#include "tst_game_framework.moc"
