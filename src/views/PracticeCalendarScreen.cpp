// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/PracticeCalendarScreen.h"

#include "platform/core/Twips.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/DataGrid.h"
#include "views/PracticeCalendar.h"
#include "views/RangeFilter.h"
#include "views/RecordsOnScreen.h"

#include <QHeaderView>
#include <QLabel>
#include <QResizeEvent>
#include <QStyle>

namespace views {

namespace {
using platform::Align;

constexpr int kMargin = 10;
constexpr int kBottom = 650;  // a status line may cover what lies below
// Small enough for two-digit counts and the week's dates to fit the columns' widths.
constexpr int kGridFontSize = 8;

constexpr int kMonthLabelTwips = 1290;
constexpr int kDayTwips = 310;
constexpr int kWeekLabelTwips = 1310;
constexpr int kWeekdayTwips = 320;

void setGridColumns(platform::DataGrid& grid, const QStringList& headers, int firstTwips, int otherTwips) {
  grid.setRows(1);
  grid.setHeader(headers);
  for (int col = 0; col < grid.cols(); ++col) {
    grid.setColWidth(col, col == 0 ? firstTwips : otherTwips);
    grid.setColAlignment(col, Align::Center);
    grid.setFixedAlignment(col, Align::Center);
  }
}

void pour(platform::DataGrid& grid, const CalendarGrid& rows) {
  grid.setDataSource(rows.source);
  for (const CellColour& cell : rows.colours) grid.gridModel().setCellBackColor(cell.row, cell.col, cell.colour);
  if (rows.topRow > 0) grid.setTopRow(rows.topRow);
}

// The size that shows every column and the given number of rows (with the header) whole.
QSize gridSize(const platform::DataGrid& grid, int rows) {
  int width = 0;
  for (int col = 0; col < grid.cols(); ++col) width += platform::twipsToPx(grid.colWidth(col));
  const int frame = 2 * grid.frameWidth();
  const int scrollBar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
  const int height = grid.horizontalHeader()->sizeHint().height() + (rows - 1) * grid.verticalHeader()->defaultSectionSize();
  return {width + frame + scrollBar, height + frame};
}

void setLegendColour(QLabel& label, platform::Rgb colour) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::Window, platform::toQColor(colour));
  palette.setColor(QPalette::WindowText, Qt::black);
  label.setPalette(palette);
}
}  // namespace

PracticeCalendarScreen::PracticeCalendarScreen(Hooks hooks, QWidget* parent)
    : QFrame(parent), m_hooks(std::move(hooks)) {
  setObjectName(QStringLiteral("fraCale"));

  m_msgCale = new platform::DataGrid(this);
  m_msgCale->setObjectName(QStringLiteral("msgCale"));
  m_msgCale->setAccessibleName(QStringLiteral("月別の実施状況"));
  m_msgCale->setFontSize(kGridFontSize);
  m_msgCale_w = new platform::DataGrid(this);
  m_msgCale_w->setObjectName(QStringLiteral("msgCale_w"));
  m_msgCale_w->setAccessibleName(QStringLiteral("週別の実施状況"));
  m_msgCale_w->setFontSize(kGridFontSize);

  for (int k = 0; k < kCountClasses; ++k) {
    auto* label = new QLabel(legendCaption(k, 0), this);
    label->setObjectName(QStringLiteral("lblHan(%1)").arg(k));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    label->setAutoFillBackground(true);
    setLegendColour(*label, classColour(k));
    m_lblHan[size_t(k)] = label;
  }

  m_mcrKensu = new platform::ChartControl(platform::ChartControl::Kind::Bar, this);
  m_mcrKensu->setObjectName(QStringLiteral("mcrKensu"));
  m_mcrKensu->setValueTitle(QStringLiteral("回"));
  m_mcrKingaku = new platform::ChartControl(platform::ChartControl::Kind::Bar, this);
  m_mcrKingaku->setObjectName(QStringLiteral("mcrKingaku"));
  m_mcrKingaku->setValueTitle(QStringLiteral("秒"));
  m_kensuCaption = new QLabel(QStringLiteral("週別セット数"), this);
  m_kensuCaption->setObjectName(QStringLiteral("lblKensu"));
  m_kingakuCaption = new QLabel(QStringLiteral("週別回数"), this);
  m_kingakuCaption->setObjectName(QStringLiteral("lblKingaku"));
  m_mcrKensu->setAccessibleName(m_kensuCaption->text());
  m_mcrKingaku->setAccessibleName(m_kingakuCaption->text());
  for (QLabel* caption : {m_kensuCaption, m_kingakuCaption}) {
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; background: transparent; }"));
  }

  initMonthGrid();
  initWeekGrid();
  layOut();
}

void PracticeCalendarScreen::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  layOut();
}

void PracticeCalendarScreen::layOut() {
  const QSize month = gridSize(*m_msgCale, kMonthRowsWithoutScrolling);
  m_msgCale->setGeometry(QRect(QPoint(kMargin, kMargin), month));

  // The legend stands beside the month grid, one class under the other.
  const int legendX = kMargin + month.width() + 8;
  const int legendWidth = std::max(width() - kMargin - legendX, 80);
  for (int k = 0; k < kCountClasses; ++k) m_lblHan[size_t(k)]->setGeometry(legendX, kMargin + k * 30, legendWidth, 26);

  const int lowerY = kMargin + month.height() + kMargin;
  const QSize week = gridSize(*m_msgCale_w, kWeekRowsWithoutScrolling);
  m_msgCale_w->setGeometry(QRect(QPoint(kMargin, lowerY), week));

  // The weekday charts one above the other, wide enough for every weekday's label.
  const int chartsX = kMargin + week.width() + kMargin;
  const int chartWidth = std::max(width() - kMargin - chartsX, 200);
  const int chartHeight = std::max((kBottom - lowerY - kMargin) / 2, 100);
  const int kingakuY = lowerY + chartHeight + kMargin;
  m_mcrKensu->setGeometry(chartsX, lowerY, chartWidth, chartHeight);
  m_mcrKingaku->setGeometry(chartsX, kingakuY, chartWidth, chartHeight);
  // The captions sit over each chart's top right corner.
  m_kensuCaption->setGeometry(chartsX + chartWidth - 130, lowerY + 4, 122, 20);
  m_kingakuCaption->setGeometry(chartsX + chartWidth - 130, kingakuY + 4, 122, 20);
  m_kensuCaption->raise();
  m_kingakuCaption->raise();
}

void PracticeCalendarScreen::initMonthGrid() {
  QStringList headers{QStringLiteral("年月")};
  for (int day = 1; day <= 31; ++day) headers << QString::number(day);
  setGridColumns(*m_msgCale, headers, kMonthLabelTwips, kDayTwips);
}

void PracticeCalendarScreen::initWeekGrid() {
  setGridColumns(*m_msgCale_w, QStringList{QStringLiteral("年月日")} + weekdayNames(), kWeekLabelTwips, kWeekdayTwips);
}

void PracticeCalendarScreen::prepareScreen() {
  const std::shared_ptr<const records::RecordTable> table = recordsForScreen(this);
  const auto tableDay = [&table](qsizetype i) { return table->isEmpty() ? QString() : table->date(i).toString(); };
  const QString firstDay = m_hooks.firstDay ? m_hooks.firstDay() : tableDay(0);
  const QString lastDay = m_hooks.lastDay ? m_hooks.lastDay() : tableDay(table->size() - 1);
  const PracticeCalendar calendar = buildPracticeCalendar(*table, firstDay, lastDay);
  DISP_CALE(calendar);
  DISP_CALE_WEEK(calendar);
}

void PracticeCalendarScreen::DISP_CALE(const PracticeCalendar& calendar) {
  initMonthGrid();
  pour(*m_msgCale, calendar.month);
  // Without records the legend counts nothing, rather than what an earlier file held.
  for (int k = 0; k < kCountClasses; ++k) m_lblHan[size_t(k)]->setText(calendar.legend.value(k));
}

void PracticeCalendarScreen::DISP_CALE_WEEK(const PracticeCalendar& calendar) {
  initWeekGrid();
  pour(*m_msgCale_w, calendar.week);
  m_mcrKensu->setChartData(calendar.weekdayPlays);
  m_mcrKingaku->setChartData(calendar.weekdaySeconds);
}

}  // namespace views
