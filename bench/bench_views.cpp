// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the record list, the range filters, the diary and the edit screen, applying each
// filter and saving a diary, against the floor of reading and decoding the record file once.
#include "ScreenBench.h"
#include "platform/core/Clock.h"
#include "platform/core/TextFile.h"
#include "platform/widgets/DataGrid.h"
#include "records/RecordFile.h"
#include "views/DiaryScreen.h"
#include "views/FreeMemo.h"
#include "views/RangeFilterScreen.h"
#include "views/RecordListScreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>
#include <map>
#include <memory>

using bench::BM_ReadAndDecodeFloor;
using bench::loadedWindow;
using bench::openScreen;

namespace {

void BM_OpenRecordList(benchmark::State& state) { openScreen(state, &app::MainWindow::cmdBunseki_Click); }
void BM_OpenRangeFilters(benchmark::State& state) { openScreen(state, &app::MainWindow::cmdTaijyu_Click); }
void BM_OpenRecordListCold(benchmark::State& state) { openScreen(state, &app::MainWindow::cmdBunseki_Click, bench::Change::RewrittenElsewhere); }
void BM_OpenRangeFiltersCold(benchmark::State& state) { openScreen(state, &app::MainWindow::cmdTaijyu_Click, bench::Change::RewrittenElsewhere); }

// One filter control of the range-filter screen, applied after the screen was opened; the
// file stays as it was read, or (cold) counts as changed before each.
void applyFilter(benchmark::State& state, const std::function<void(views::RangeFilterScreen&)>& control,
                 bool cold = false) {
  auto window = loadedWindow(int(state.range(0)));
  window->cmdTaijyu_Click();
  views::RangeFilterScreen& screen = *window->rangeFilter();
  bench::RecordFileKept kept;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      bench::changeRecordFile(bench::Change::RewrittenElsewhere);
      state.ResumeTiming();
    }
    control(screen);
    QApplication::processEvents();
  }
}

void BM_FilterAllDays(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdAllDay_Click(); }); }
void BM_FilterAllDaysCold(benchmark::State& state) {
  applyFilter(state, [](auto& s) { s.cmdAllDay_Click(); }, true);
}
void BM_FilterOneYear(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdKikan_Click(7); }); }
void BM_FilterWeek(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdKikan_Click(2); }); }
void BM_FilterWeekday(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdWeek_Click(3); }); }
void BM_FilterAllWeekdays(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdAllWeek_Click(); }); }
void BM_FilterItem(benchmark::State& state) { applyFilter(state, [](auto& s) { s.lstAct2_Click(2); }); }
void BM_FilterAllItems(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdAllact_Click(); }); }
void BM_FilterKeyword(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdKensaku_Click(); }); }
void BM_FilterTypedDates(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdKikanF_Click(); }); }
void BM_GraphTotals(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdTotal3_Click(); }); }
void BM_GraphHours(benchmark::State& state) { applyFilter(state, [](auto& s) { s.cmdJikan3_Click(); }); }
void BM_GraphTimeSeries(benchmark::State& state) {
  applyFilter(state, [](views::RangeFilterScreen& s) {
    s.cmdTotal3_Click();
    s.cmdDay3_Click();
  });
}

void BM_SortBySeconds(benchmark::State& state) {
  auto window = loadedWindow(int(state.range(0)));
  window->cmdBunseki_Click();
  for (auto _ : state) {
    window->recordList()->cmdSort3_Click();
    QApplication::processEvents();
  }
}

// The screens that rewrite the file read it afresh each time they open.
void BM_OpenDiary(benchmark::State& state) { openScreen(state, &app::MainWindow::cmdMemo_Click); }
void BM_OpenEditScreen(benchmark::State& state) { openScreen(state, &app::MainWindow::cmdSettei_Click); }

// A diary changed and saved, the whole file checked and written again each time.
void BM_SaveDiary(benchmark::State& state) {
  auto window = loadedWindow(int(state.range(0)));
  window->cmdMemo_Click();
  views::DiaryScreen& diary = *window->diary();
  auto* box = diary.findChild<QLineEdit*>(QStringLiteral("txtMemo"));
  diary.msgMemoList_Click(std::max(diary.msgMemoList()->rows() - 1, 1));
  int n = 0;
  for (auto _ : state) {
    box->setText(QStringLiteral("一言 %1").arg(++n));
    diary.cmdMemoHozon_Click();
    QApplication::processEvents();
  }
}

// A memo of range(0) MB loaded into the diary screen and drawn: lines of 40 kana, or (with
// range(1)) one line, which the box cannot lay out in time and so is refused after reading.
void BM_LoadMemo(benchmark::State& state) {
  QTemporaryDir dir;
  QDir::setCurrent(dir.path());
  const QByteArray kana("\x82\xA0", 2);
  const qsizetype bytes = state.range(0) * 1024 * 1024;
  QByteArray line = kana.repeated(state.range(1) ? bytes / 2 : 40) + "\r\n";
  QFile file(records::kMemoFileName);
  if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the memo");
  file.write(line.repeated(std::max<qsizetype>(1, bytes / line.size())));
  file.close();
  views::DiaryScreen screen;
  screen.show();
  for (auto _ : state) {
    benchmark::DoNotOptimize(screen.READ_MEMO());
    QApplication::processEvents();
  }
}

}  // namespace

#define VIEWS_BENCHMARK(name) BENCHMARK(name)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)
VIEWS_BENCHMARK(BM_ReadAndDecodeFloor);
VIEWS_BENCHMARK(BM_OpenRecordList);
VIEWS_BENCHMARK(BM_OpenRangeFilters);
VIEWS_BENCHMARK(BM_OpenRecordListCold);
VIEWS_BENCHMARK(BM_OpenRangeFiltersCold);
VIEWS_BENCHMARK(BM_FilterAllDays);
VIEWS_BENCHMARK(BM_FilterAllDaysCold);
VIEWS_BENCHMARK(BM_FilterOneYear);
VIEWS_BENCHMARK(BM_FilterWeek);
VIEWS_BENCHMARK(BM_FilterWeekday);
VIEWS_BENCHMARK(BM_FilterAllWeekdays);
VIEWS_BENCHMARK(BM_FilterItem);
VIEWS_BENCHMARK(BM_FilterAllItems);
VIEWS_BENCHMARK(BM_FilterKeyword);
VIEWS_BENCHMARK(BM_FilterTypedDates);
VIEWS_BENCHMARK(BM_GraphTotals);
VIEWS_BENCHMARK(BM_GraphHours);
VIEWS_BENCHMARK(BM_GraphTimeSeries);
VIEWS_BENCHMARK(BM_SortBySeconds);
VIEWS_BENCHMARK(BM_OpenDiary);
VIEWS_BENCHMARK(BM_OpenEditScreen);
VIEWS_BENCHMARK(BM_SaveDiary);
BENCHMARK(BM_LoadMemo)->ArgsProduct({{8, 16, 32}, {0, 1}})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
