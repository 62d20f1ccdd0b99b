// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/GridModel.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"

#include <QDate>
#include <QTest>

#include <vector>

namespace testing {

inline QString day(const QDate& date) { return records::recordDate(date); }

inline records::PlayRecord play(const QString& date, const QString& time, int item, float seconds,
                                const QString& diary = {}) {
  return {date, time, records::itemNames()[size_t(item)], seconds, diary, {}};
}

// Plays appended to the record file of the working directory as a game writes them.
inline void savePlays(const std::vector<records::PlayRecord>& plays) {
  for (const records::PlayRecord& p : plays) {
    const QString error = records::appendRecord(p);
    QVERIFY2(error.isEmpty(), qPrintable(error));
  }
}

// A table read back from the bytes the plays would leave in the file.
inline records::RecordTable tableOf(const std::vector<records::PlayRecord>& plays) {
  QByteArray bytes;
  for (const records::PlayRecord& p : plays) bytes += records::encodeRecord(p, records::LineShape::Game).bytes + "\r\n";
  return records::RecordTable::parse(bytes);
}

// Every row a grid source gives, with the given number of columns.
inline std::vector<QStringList> rowsOf(const platform::GridSource& source, int cols = 6) {
  std::vector<QStringList> rows;
  for (int r = 0; r < source.rowCount(); ++r) {
    QStringList row;
    for (int c = 0; c < cols; ++c) row << source.text(r, c);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace testing
