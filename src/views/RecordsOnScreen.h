#pragma once

#include "records/RecordFile.h"

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

}  // namespace views
