#pragma once

#include "records/GameItems.h"
#include "records/RecordFile.h"
#include "views/CellTexts.h"

#include <QDate>
#include <vector>

namespace testing {

inline QString day(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

inline records::PlayRecord play(const QString& date, const QString& time, int item, float seconds,
                                const QString& diary = {}) {
  return {date, time, records::itemNames()[size_t(item)], seconds, diary, {}};
}

// Plays appended to the record file of the working directory as a game writes them.
inline void savePlays(const std::vector<records::PlayRecord>& plays) {
  for (const records::PlayRecord& p : plays) records::appendRecord(p);
}

// A table read back from the bytes the plays would leave in the file.
inline records::RecordTable tableOf(const std::vector<records::PlayRecord>& plays) {
  QByteArray bytes;
  for (const records::PlayRecord& p : plays) bytes += records::encodeRecord(p, records::LineShape::Game).bytes + "\r\n";
  return records::RecordTable::parse(bytes);
}

inline std::vector<QStringList> rowsOf(const views::Columns& columns) {
  std::vector<QStringList> rows;
  for (qsizetype i = 0; i < views::rowCount(columns); ++i) rows.push_back(views::rowAt(columns, i));
  return rows;
}

}  // namespace testing
