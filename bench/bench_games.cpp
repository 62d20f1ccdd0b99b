// SPDX-License-Identifier: GPL-3.0-or-later
// A game window opened on a history of 20,000 plays, and a typed answer up to the next
// question drawn, beside the floor of reading that history file once.
#include "BenchSupport.h"
#include "games/block/BlockGame.h"
#include "games/block/BlockQuestion.h"
#include "games/framework/GameHistory.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"
#include "platform/widgets/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

using games::block::BlockGame;

const QString kHistory = QStringLiteral("ブロック計算履歴.txt");

// Works in a folder whose block-game history holds that many plays, one every hour back
// from the benchmarks' day; made once per count.
void enterHistoryFolder(int plays) {
  static std::map<int, std::unique_ptr<QTemporaryDir>> dirs;
  std::unique_ptr<QTemporaryDir>& dir = dirs[plays];
  if (!dir) {
    dir = std::make_unique<QTemporaryDir>();
    QByteArray bytes;
    const QDateTime newest(bench::kToday, QTime(11, 0));
    const games::HistoryLayout layout = BlockGame::profile().history;
    for (int i = plays; i > 0; --i) {
      games::PlayOutcome play;
      play.savedAt = newest.addSecs(-3600LL * i);
      play.ok = 15 + i % 6;
      play.ng = 20 - play.ok;
      play.answers = 20;
      play.keystrokes = play.speedNumerator = 30 + i % 9;
      play.seconds = 20.0f + float(i % 97) / 10.0f;
      bytes += *platform::cp932::encode(games::historyLine(layout, play)) + "\r\n";
    }
    QFile file(dir->filePath(kHistory));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write the history");
  }
  QDir::setCurrent(dir->path());
  platform::Clock::setNow(QDateTime(bench::kToday, QTime(12, 0)));
  platform::setMessageHandler([](const platform::MessageRequest&) { return platform::MsgResult::Ok; });
}

void BM_ReadHistoryFloor(benchmark::State& state) {
  enterHistoryFolder(int(state.range(0)));
  for (auto _ : state) {
    const platform::FileBytes file = platform::readFileBytes(kHistory);
    benchmark::DoNotOptimize(platform::cp932::decode(file.bytes));
  }
}

// The history parsed into the records the panel shows.
void BM_ReadHistory(benchmark::State& state) {
  enterHistoryFolder(int(state.range(0)));
  const games::HistoryLayout layout = BlockGame::profile().history;
  for (auto _ : state) benchmark::DoNotOptimize(games::readHistory(kHistory, layout));
}

// From the menu's click to the window drawn with its history grid and chart.
void BM_OpenGameWindow(benchmark::State& state) {
  enterHistoryFolder(int(state.range(0)));
  for (auto _ : state) {
    auto game = std::make_unique<BlockGame>();
    game->Form_Load();
    QApplication::processEvents();
    state.PauseTiming();
    game.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

// A right answer typed key by key, judged, and the next question drawn. The play is one of
// seconds whose clock stands still, so it never ends.
void BM_AnswerToNextQuestion(benchmark::State& state) {
  enterHistoryFolder(int(state.range(0)));
  QFile settings(QStringLiteral("ブロック計算設定.txt"));
  if (!settings.open(QIODevice::WriteOnly)) qFatal("cannot write the settings");
  settings.write(*platform::cp932::encode(QStringLiteral("20,60,3,\"秒数\",0,0\r\n")));
  settings.close();
  platform::Clock::setMonotonicMs(1'000'000);
  BlockGame game;
  game.Form_Load();
  game.cmdStart_Click();
  for (int tick = 0; tick < 3; ++tick) game.tmrStart_Timer();
  auto* box = game.findChild<QLineEdit*>(QStringLiteral("txtKaitou"));
  QApplication::processEvents();
  for (auto _ : state) {
    const QString answer = QString::number(games::block::expectedSum(game.board(), game.intRetsu()));
    for (QChar c : answer) box->setText(box->text() + c);
    QApplication::processEvents();
  }
  if (game.engine().intNg() != 0) state.SkipWithError("an answer was judged wrong");
  QFile::remove(QStringLiteral("ブロック計算設定.txt"));
}

}  // namespace

BENCHMARK(BM_ReadHistoryFloor)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadHistory)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGameWindow)->Arg(0)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnswerToNextQuestion)->Arg(20000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
