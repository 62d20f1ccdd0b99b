// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/RecordsOnScreen.h"

#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"

#include <QFontMetricsF>
#include <QStyle>

#include <cmath>

namespace views {

std::shared_ptr<const records::RecordTable> recordsForScreen(QWidget* parent) {
  records::SharedRead read = records::sharedRecords();
  if (!read.error.isEmpty()) {
    platform::showMessage(parent, read.error, QStringLiteral("データ"), platform::MsgIcon::Exclamation);
  }
  return std::move(read.table);
}

int countColumnTwips(const platform::DataGrid& grid, int twips) {
  return fitColumnTwips(grid, twips, QStringLiteral("000000"));
}

int fitColumnTwips(const platform::DataGrid& grid, int twips, const QString& sample) {
  // A cell draws its text inside the style's focus margins plus one pixel on each side,
  // left of a one-pixel grid line; the text's width is fractional, and a text a fraction of
  // a pixel too wide is cut off.
  const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
  const int text = int(std::ceil(QFontMetricsF(grid.font()).horizontalAdvance(sample)));
  const int px = text + 2 * margin + 2;
  return std::max(twips, px * 15);
}

void setRecordColumns(platform::DataGrid& grid, const std::array<int, 6>& twips) {
  using platform::Align;
  const QString widestItem = QStringLiteral("隣接加減ネオ");
  const std::array<int, 4> fit{countColumnTwips(grid, twips[0]),
                               fitColumnTwips(grid, twips[1], QStringLiteral("0000/00/00")),
                               fitColumnTwips(grid, twips[2], QStringLiteral("00:00:00")),
                               fitColumnTwips(grid, twips[3], widestItem)};
  int extra = 0;
  for (size_t c = 0; c < fit.size(); ++c) extra += fit[c] - twips[c];
  grid.setColumns({{"回数", fit[0], Align::Right},
                   {"日付", fit[1], Align::Center},
                   {"時間", fit[2], Align::Center},
                   {"項目", fit[3], Align::Left},
                   {"秒数", twips[4], Align::Right},
                   {"一言日記", std::max(twips[5] - extra, twips[5] / 2), Align::Left}});
}

}  // namespace views
