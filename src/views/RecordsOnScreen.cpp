#include "views/RecordsOnScreen.h"

#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"

#include <QStyle>

namespace views {

std::shared_ptr<const records::RecordTable> recordsForScreen(QWidget* parent) {
  records::SharedRead read = records::sharedRecords();
  if (!read.error.isEmpty()) {
    platform::showMessage(parent, read.error, QStringLiteral("データ"), platform::MsgIcon::Exclamation);
  }
  return std::move(read.table);
}

int countColumnTwips(const platform::DataGrid& grid, int twips) {
  // A cell draws its text inside the style's focus margins plus one pixel on each side,
  // left of a one-pixel grid line.
  const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
  const int px = grid.fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 2 * margin + 1;
  return std::max(twips, px * 15);
}

}  // namespace views
