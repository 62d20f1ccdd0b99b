// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <benchmark/benchmark.h>

namespace bench {

// A play record file as years of practice would leave it: `perDay` plays a day across the
// seven games, detail texts from the games and now and then a diary comment of the player.
// The last day of the file is `lastDay`, so the today panel has something to show.
QByteArray generateRecordFile(int records, const QDate& lastDay, quint32 seed = 1, int perDay = 5);

// Plays a day for 100,000 records over about ten years, as the day-by-day views meet them.
inline constexpr int kTenYearsPerDay = 28;

// A working directory holding a generated record file of that many records, made once per
// count and plays a day for the run. Its last day is `today`.
QString workingDirFor(int records, const QDate& today, int perDay = 5);

// The day the benchmarks play on: the last day of every generated file.
inline const QDate kToday(2026, 12, 8);

// Works in the directory of a generated file of that many records, with the clock at noon
// of kToday.
void enterWorkingDir(int records, int perDay = 5);

// The floor every view is measured against: the file read and decoded once.
void readAndDecodeOnce();
// The floor as a benchmark, for state.range(0) records.
void BM_ReadAndDecodeFloor(benchmark::State& state);

// How the play record file changes before each measured step.
enum class Change {
  None,
  PlayAppended,        // a game saved a play: one line more
  RewrittenElsewhere,  // another tool rewrote it with its first line edited: read whole again
};
void changeRecordFile(Change change);

// Puts the working directory's record file back as it was, at the end of a benchmark that
// changed it, so that the next benchmark finds the file it expects.
class RecordFileKept {
 public:
  RecordFileKept();
  ~RecordFileKept();
  RecordFileKept(const RecordFileKept&) = delete;
  RecordFileKept& operator=(const RecordFileKept&) = delete;

 private:
  QByteArray m_bytes;
};

// Runs the registered benchmarks inside an application for widgets, drawn offscreen.
int runWithWidgets(int argc, char** argv);

}  // namespace bench
