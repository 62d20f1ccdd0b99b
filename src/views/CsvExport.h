// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/DataFiles.h"
#include "views/Maintenance.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace views {

// A text as one field of a CSV row: in double quotes, its quotes doubled, when it holds a
// comma, a double quote, a CR or an LF; as it is otherwise.
QString csvField(const QString& text);

// A CSV file as spreadsheet programs in Japan open it without asking for its encoding: UTF-8
// with a byte-order mark, a header row, CR LF after every row.
struct [[nodiscard]] CsvFile {
  QByteArray bytes;
  qsizetype leftOut = 0;  // lines of the data files that could not be read, not exported
  QString error;          // a data file that could not be read; no bytes then
};

// The play record: 日付, 時間, 項目, 秒数 and 一言日記, each as the file has it.
CsvFile recordsCsv(const QString& fileName = records::kRecordFileName);

// Every game's history in one table, so that a spreadsheet sorts and filters all of it at
// once: 項目 (the game) first, then every header of the games' history grids, each once, in
// the order the grids have them; a game leaves empty the columns its history has not.
CsvFile historiesCsv(const std::vector<HistoryColumns>& histories);

// The names the save dialog proposes, with the day.
QString recordsCsvName(QDate day);
QString historiesCsvName(QDate day);

}  // namespace views
