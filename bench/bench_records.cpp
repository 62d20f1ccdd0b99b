// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the main window and the reading of the play record file, with a floor: the
// time of reading the file and decoding it once, which no view can beat.
#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "app/Session.h"
#include "app/TodayPanel.h"
#include "platform/core/Clock.h"
#include "platform/core/TextFile.h"
#include "records/RecordFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using bench::BM_ReadAndDecodeFloor;

namespace {

void BM_ReadRecords(benchmark::State& state) {
  bench::enterWorkingDir(int(state.range(0)));
  for (auto _ : state) {
    const platform::FileBytes file = platform::readFileBytes(records::kRecordFileName);
    records::RecordTable table = records::RecordTable::parse(file.bytes);
    benchmark::DoNotOptimize(table);
  }
  state.counters["records"] = double(records::readRecords().table.size());
}

// The shared table brought up to date after a game appended a play: only the new line is read.
void BM_SharedRecordsAfterPlay(benchmark::State& state) {
  bench::enterWorkingDir(int(state.range(0)));
  bench::RecordFileKept kept;
  benchmark::DoNotOptimize(records::sharedRecords());
  for (auto _ : state) {
    state.PauseTiming();
    bench::changeRecordFile(bench::Change::PlayAppended);
    state.ResumeTiming();
    benchmark::DoNotOptimize(records::sharedRecords());
  }
}

void BM_MainWindowStartUp(benchmark::State& state) {
  bench::enterWorkingDir(int(state.range(0)));
  app::session().blnWelcomeShown = true;
  bench::RecordFileKept kept;
  for (auto _ : state) {
    state.PauseTiming();
    bench::changeRecordFile(bench::Change::RewrittenElsewhere);
    state.ResumeTiming();
    app::MainWindow window;
    window.Form_Load();
    benchmark::DoNotOptimize(window);
  }
}

// The today panel rebuilt on the shared table, as a click on a day of the calendar does.
void BM_TodayPanel(benchmark::State& state) {
  bench::enterWorkingDir(int(state.range(0)));
  app::session().blnWelcomeShown = true;
  app::MainWindow window;
  window.Form_Load();
  for (auto _ : state) {
    window.todayPanel()->DISP_TODAY();
    benchmark::DoNotOptimize(window);
  }
}

}  // namespace

BENCHMARK(BM_ReadAndDecodeFloor)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecords)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SharedRecordsAfterPlay)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindowStartUp)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TodayPanel)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
