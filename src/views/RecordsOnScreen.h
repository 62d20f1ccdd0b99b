#pragma once

#include "records/RecordFile.h"

#include <memory>

class QWidget;

namespace views {

// The play record table as the screens share it; a file that cannot be read is reported
// to the user in a message box over parent, and an empty table stands in for it.
std::shared_ptr<const records::RecordTable> recordsForScreen(QWidget* parent);

}  // namespace views
