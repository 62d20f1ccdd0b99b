// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchSupport.h"

#include "platform/core/Clock.h"
#include "platform/core/TextFile.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <random>

namespace bench {

QByteArray generateRecordFile(int records, const QDate& lastDay, quint32 seed, int perDay) {
  std::mt19937 random(seed);
  auto below = [&](int n) { return int(random() % quint32(n)); };
  const QStringList details = {QStringLiteral("答数 : 20"), QStringLiteral("秒数 : 60"),
                               QStringLiteral("秒数 : 60  (＋) モード"), QStringLiteral("答数 : 30  (×) モード")};
  const QStringList comments = {QStringLiteral("眠かったけど頑張った"), QStringLiteral("今日は調子がいい！"),
                                QStringLiteral("計算ミスが多い、集中"), QStringLiteral("朝の一回目")};
  const int plays = qMax(1, perDay);
  QDate day = lastDay.addDays(-(records / plays));
  // Plays 40 minutes apart from eight o'clock, closer on busy days so that a day ends by midnight.
  const int spacing = qMin(2400, (24 * 3600 - 8 * 3600 - 2000) / plays);
  QByteArray bytes;
  bytes.reserve(qsizetype(records) * 64);
  for (int i = 0; i < records; ++i) {
    if (i > 0 && i % plays == 0) day = day.addDays(1);
    const int second = 8 * 3600 + (i % plays) * spacing + below(qMin(2000, spacing - 1));
    QString diary = details[below(details.size())];
    if (below(5) == 0) diary = comments[below(comments.size())] + QString::number(i);
    const records::PlayRecord play{records::recordDate(day), records::recordTime(QTime(0, 0).addSecs(second)),
                                   records::itemNames()[size_t(below(records::kItemCount))],
                                   float(below(1200)) / 10.0f + 10.0f,
                                   diary,
                                   {}};
    bytes += records::encodeRecord(play, records::LineShape::Game).bytes;
    bytes += "\r\n";
  }
  return bytes;
}

QString workingDirFor(int records, const QDate& today, int perDay) {
  static std::map<std::pair<int, int>, std::unique_ptr<QTemporaryDir>> dirs;
  auto& dir = dirs[{records, perDay}];
  if (!dir) {
    dir = std::make_unique<QTemporaryDir>();
    QFile file(dir->filePath(records::kRecordFileName));
    file.open(QIODevice::WriteOnly);
    file.write(generateRecordFile(records, today, 1, perDay));
  }
  return dir->path();
}

void enterWorkingDir(int records, int perDay) {
  QDir::setCurrent(workingDirFor(records, kToday, perDay));
  platform::Clock::setNow(QDateTime(kToday, QTime(12, 0)));
}

void BM_ReadAndDecodeFloor(benchmark::State& state) {
  enterWorkingDir(int(state.range(0)));
  for (auto _ : state) readAndDecodeOnce();
}

void readAndDecodeOnce() {
  const platform::FileBytes file = platform::readFileBytes(records::kRecordFileName);
  QStringDecoder decoder("windows-31j");
  const QString text = decoder.decode(file.bytes);
  benchmark::DoNotOptimize(text);
}

namespace {
void writeRecordFile(const QByteArray& bytes) {
  QFile file(records::kRecordFileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    qFatal("cannot write the benchmark's record file");
  }
}
}  // namespace

void changeRecordFile(Change change) {
  switch (change) {
    case Change::None: return;
    case Change::PlayAppended: {
      const records::PlayRecord play{records::recordDate(kToday), QStringLiteral("12:00:00"), records::itemNames()[0],
                                     42.5f, QStringLiteral("答数 : 20"), {}};
      if (!records::appendRecord(play).isEmpty()) qFatal("cannot append to the benchmark's record file");
      return;
    }
    case Change::RewrittenElsewhere: {
      // The last digit of the first line's time, "hh:mm:ss": one second later or earlier.
      QByteArray bytes = platform::readFileBytes(records::kRecordFileName).bytes;
      constexpr qsizetype kSecondsDigit = 21;
      // A file too short to edit is read whole anyway.
      if (bytes.size() > kSecondsDigit) bytes[kSecondsDigit] = char(bytes[kSecondsDigit] ^ 1);
      writeRecordFile(bytes);
      return;
    }
  }
}

RecordFileKept::RecordFileKept() : m_bytes(platform::readFileBytes(records::kRecordFileName).bytes) {}
RecordFileKept::~RecordFileKept() { writeRecordFile(m_bytes); }

int runWithWidgets(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
