// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/RecordFile.h"

#include <QString>

#include <array>
#include <memory>

class QWidget;

namespace platform {
class DataGrid;
}

namespace views {

// The play record table as the screens share it; a file that cannot be read is reported
// to the user in a message box over parent, and an empty table stands in for it.
std::shared_ptr<const records::RecordTable> recordsForScreen(QWidget* parent);

// The width in twips of a grid column that counts records: the layout's own width, or
// more where the grid's font needs it to show a six-digit number whole.
int countColumnTwips(const platform::DataGrid& grid, int twips);

// The same for any column: wide enough for sample in the grid's font.
int fitColumnTwips(const platform::DataGrid& grid, int twips, const QString& sample);

// The header row of a list of whole records: "回数", "日付", "時間", "項目", "秒数", "一言日記" at
// the layout's widths, the first four widened where the grid's font needs it to show their
// texts whole. The diary gives up what they take, so the grid keeps its width.
void setRecordColumns(platform::DataGrid& grid, const std::array<int, 6>& twips);

}  // namespace views
