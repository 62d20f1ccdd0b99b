// SPDX-License-Identifier: GPL-3.0-or-later
// The day-by-day screens (aggregation tables, all graphs, practice calendar) on a record
// file of ten years of practice, against the floor of reading and decoding it once.
#include "ScreenBench.h"
#include "views/AggregationScreen.h"
#include "views/AllGraphsScreen.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

namespace {

void enterTenYears(int records) { bench::enterWorkingDir(records, bench::kTenYearsPerDay); }

std::unique_ptr<app::MainWindow> loadedWindow(int records) { return bench::loadedWindow(records, bench::kTenYearsPerDay); }

void openTenYears(benchmark::State& state, void (app::MainWindow::*button)(), bench::Change change = bench::Change::None) {
  bench::openScreen(state, button, change, bench::kTenYearsPerDay);
}
// Each screen right after a game saved a play, and right after another tool rewrote the file.
constexpr auto kAfterPlay = bench::Change::PlayAppended;
constexpr auto kAfterRewrite = bench::Change::RewrittenElsewhere;

void BM_ReadAndDecodeFloorTenYears(benchmark::State& state) {
  enterTenYears(int(state.range(0)));
  for (auto _ : state) bench::readAndDecodeOnce();
}

// One control of an open screen, pressed again and again.
template <typename Screen>
void pressOnScreen(benchmark::State& state, void (app::MainWindow::*button)(), Screen* (app::MainWindow::*screen)() const,
                   const std::function<void(Screen&)>& press) {
  auto window = loadedWindow(int(state.range(0)));
  ((*window).*button)();
  Screen& shown = *((*window).*screen)();
  for (auto _ : state) {
    press(shown);
    QApplication::processEvents();
  }
}

void BM_OpenAggregation(benchmark::State& state) { openTenYears(state, &app::MainWindow::cmdSyuukei_Click); }
void BM_OpenAggregationAfterPlay(benchmark::State& state) { openTenYears(state, &app::MainWindow::cmdSyuukei_Click, kAfterPlay); }
void BM_OpenAggregationAfterRewrite(benchmark::State& state) {
  openTenYears(state, &app::MainWindow::cmdSyuukei_Click, kAfterRewrite);
}
void BM_AggregationDisplay(benchmark::State& state) {
  const int display = int(state.range(1));
  pressOnScreen<views::AggregationScreen>(state, &app::MainWindow::cmdSyuukei_Click, &app::MainWindow::aggregation,
                                          [display](views::AggregationScreen& s) { s.optList2_Click(display); });
}

void BM_OpenAllGraphs(benchmark::State& state) { openTenYears(state, &app::MainWindow::cmdRentai_Click); }
void BM_OpenAllGraphsAfterPlay(benchmark::State& state) { openTenYears(state, &app::MainWindow::cmdRentai_Click, kAfterPlay); }
void BM_OpenAllGraphsAfterRewrite(benchmark::State& state) {
  openTenYears(state, &app::MainWindow::cmdRentai_Click, kAfterRewrite);
}
// Each of the six graph buttons, in the order of their captions.
void BM_AllGraphsButton(benchmark::State& state) {
  using Handler = void (views::AllGraphsScreen::*)();
  static constexpr Handler kButtons[] = {&views::AllGraphsScreen::cmdDay2_Click,    &views::AllGraphsScreen::cmdTotal2_Click,
                                         &views::AllGraphsScreen::cmdJikan2_Click,  &views::AllGraphsScreen::cmdHigoto_Click,
                                         &views::AllGraphsScreen::cmdHigoto2_Click, &views::AllGraphsScreen::cmdHigoto3_Click};
  const Handler button = kButtons[state.range(1)];
  pressOnScreen<views::AllGraphsScreen>(state, &app::MainWindow::cmdRentai_Click, &app::MainWindow::allGraphs,
                                        [button](views::AllGraphsScreen& s) { (s.*button)(); });
}

void BM_OpenPracticeCalendar(benchmark::State& state) { openTenYears(state, &app::MainWindow::cmdCale_Click); }
void BM_OpenPracticeCalendarAfterPlay(benchmark::State& state) { openTenYears(state, &app::MainWindow::cmdCale_Click, kAfterPlay); }
void BM_OpenPracticeCalendarAfterRewrite(benchmark::State& state) {
  openTenYears(state, &app::MainWindow::cmdCale_Click, kAfterRewrite);
}

}  // namespace

#define SCREEN_BENCHMARK(name) BENCHMARK(name)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)
SCREEN_BENCHMARK(BM_ReadAndDecodeFloorTenYears);
SCREEN_BENCHMARK(BM_OpenAggregation);
SCREEN_BENCHMARK(BM_OpenAggregationAfterPlay);
SCREEN_BENCHMARK(BM_OpenAggregationAfterRewrite);
BENCHMARK(BM_AggregationDisplay)->Args({100000, 0})->Args({100000, 1})->Args({100000, 2})->Unit(benchmark::kMillisecond);

SCREEN_BENCHMARK(BM_OpenAllGraphs);
SCREEN_BENCHMARK(BM_OpenAllGraphsAfterPlay);
SCREEN_BENCHMARK(BM_OpenAllGraphsAfterRewrite);
BENCHMARK(BM_AllGraphsButton)->ArgsProduct({{100000}, {0, 1, 2, 3, 4, 5}})->Unit(benchmark::kMillisecond);

SCREEN_BENCHMARK(BM_OpenPracticeCalendar);
SCREEN_BENCHMARK(BM_OpenPracticeCalendarAfterPlay);
SCREEN_BENCHMARK(BM_OpenPracticeCalendarAfterRewrite);

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
