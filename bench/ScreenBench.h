// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "app/Session.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <memory>

namespace bench {

// A loaded main window on the record file of the given size and plays a day.
inline std::unique_ptr<app::MainWindow> loadedWindow(int records, int perDay = 5) {
  enterWorkingDir(records, perDay);
  app::session().blnWelcomeShown = true;
  auto window = std::make_unique<app::MainWindow>();
  window->Form_Load();
  QApplication::processEvents();
  return window;
}

// A screen button pressed from the main screen, up to the screen being drawn. As a user
// meets it the file was read at start-up and is still the same, or it changed just before
// each press.
inline void openScreen(benchmark::State& state, void (app::MainWindow::*button)(), Change change = Change::None,
                       int perDay = 5) {
  auto window = loadedWindow(int(state.range(0)), perDay);
  RecordFileKept kept;
  for (auto _ : state) {
    state.PauseTiming();
    window->cmdMain_Click();
    changeRecordFile(change);
    state.ResumeTiming();
    ((*window).*button)();
    QApplication::processEvents();
  }
}

}  // namespace bench
