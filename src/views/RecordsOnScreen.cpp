#include "views/RecordsOnScreen.h"

#include "platform/widgets/MessageBox.h"

namespace views {

std::shared_ptr<const records::RecordTable> recordsForScreen(QWidget* parent) {
  records::SharedRead read = records::sharedRecords();
  if (!read.error.isEmpty()) {
    platform::showMessage(parent, read.error, QStringLiteral("データ"), platform::MsgIcon::Exclamation);
  }
  return std::move(read.table);
}

}  // namespace views
