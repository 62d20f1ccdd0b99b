// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/DataGrid.h"

#include "platform/core/Twips.h"
#include "platform/widgets/GridCellDelegate.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <functional>

namespace platform {

QColor toQColor(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }
Rgb toRgb(const QColor& color) { return {quint8(color.red()), quint8(color.green()), quint8(color.blue())}; }

namespace {
// Shows the model's colour values as the brushes a view paints with, and the full text of a
// cell cut off by its column as its tooltip.
class ViewProxy : public QIdentityProxyModel {
 public:
  using CutOff = std::function<bool(int row, int col, const QString& text)>;
  ViewProxy(CutOff cutOff, QObject* parent) : QIdentityProxyModel(parent), m_cutOff(std::move(cutOff)) {}

  QVariant data(const QModelIndex& index, int role) const override {
    if (const std::optional<int> from = colorRole(role)) return brush(QIdentityProxyModel::data(index, *from));
    if (role == Qt::ToolTipRole) return toolTip(index.row() + 1, index.column(), data(index, Qt::DisplayRole));
    return QIdentityProxyModel::data(index, role);
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (const std::optional<int> from = colorRole(role)) {
      return brush(QIdentityProxyModel::headerData(section, orientation, *from));
    }
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal) {
      return toolTip(0, section, headerData(section, orientation, Qt::DisplayRole));
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
  }

 private:
  static std::optional<int> colorRole(int role) {
    if (role == Qt::BackgroundRole) return GridModel::BackColorRole;
    if (role == Qt::ForegroundRole) return GridModel::ForeColorRole;
    return std::nullopt;
  }
  static QVariant brush(const QVariant& value) {
    if (!value.isValid()) return {};
    return QBrush(toQColor(Rgb::fromValue(value.toUInt())));
  }
  QVariant toolTip(int row, int col, const QVariant& display) const {
    const QString text = display.toString();
    if (text.isEmpty() || !m_cutOff(row, col, text)) return {};
    return text;
  }

  CutOff m_cutOff;
};
}  // namespace


DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
  auto* shown = new ViewProxy([this](int row, int col, const QString& text) { return isCutOff(row, col, text); }, this);
  shown->setSourceModel(&m_model);
  setModel(shown);
  setItemDelegate(new GridCellDelegate(this));
  verticalHeader()->hide();
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  setVerticalScrollMode(ScrollPerItem);
  setHorizontalScrollMode(ScrollPerPixel);
  setSelectionMode(SingleSelection);
  setSelectionBehavior(SelectItems);
  setEditTriggers(NoEditTriggers);
  setAlternatingRowColors(false);
  setShowGrid(true);
  setWordWrap(false);
  setTabKeyNavigation(false);
  // Moving the current cell from code or on focus must not move the top row; keyboard
  // navigation scrolls on its own in keyPressEvent.
  setAutoScroll(false);

  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    m_row = index.row() + 1;
    m_col = index.column();
    Q_EMIT cellClicked(m_row, m_col);
  });
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { Q_EMIT cellDoubleClicked(index.row() + 1, index.column()); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
    if (m_syncing || !current.isValid()) return;
    m_row = current.row() + 1;
    m_col = current.column();
  });
  connect(&m_model, &QAbstractItemModel::modelReset, this, [this] { clampCurrent(); });
  connect(&m_model, &QAbstractItemModel::columnsRemoved, this, [this] {
    if (int(m_colTwips.size()) > cols()) m_colTwips.resize(size_t(cols()));
    clampCurrent();
  });
  // Once the user drags a column, its width is whatever the header now says.
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col) {
    if (!m_settingWidth && col < int(m_colTwips.size())) m_colTwips[size_t(col)] = -1;
  });
  connect(&m_model, &QAbstractItemModel::rowsRemoved, this, [this] {
    // A grid emptied for a refill starts again at its first row.
    if (rows() <= 1) {
      m_pendingTop.reset();
      verticalScrollBar()->setValue(0);
    }
    clampCurrent();
  });
  connect(&m_model, &QAbstractItemModel::layoutChanged, this, [this] { syncCurrent(); });
}

bool DataGrid::isCutOff(int row, int col, const QString& text) const {
  if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) return true;
  const QStyle* style = this->style();
  if (row == 0) {
    // The header clips its text at the section's edges, inside the header margin.
    const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
    const int room = horizontalHeader()->sectionSize(col) - 2 * margin;
    return QFontMetricsF(horizontalHeader()->font()).horizontalAdvance(text) > room;
  }
  // A cell draws its text inside the focus frame margin, within the grid line. Widths are
  // fractional: a text a fraction of a pixel too wide is cut off too.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const int room = columnWidth(col) - (showGrid() ? 1 : 0) - 2 * margin;
  return QFontMetricsF(font()).horizontalAdvance(text) > room;
}

void DataGrid::setCellBackColor(const QColor& color) { m_model.setCellBackColor(m_row, m_col, toRgb(color)); }

void DataGrid::setCellForeColor(const QColor& color) { m_model.setCellForeColor(m_row, m_col, toRgb(color)); }

void DataGrid::setCols(int count) { m_model.setCols(count); }

void DataGrid::setDataRows(std::vector<QStringList> rows) { m_model.setDataRows(std::move(rows)); }

void DataGrid::setHeader(const QStringList& texts) { m_model.setHeader(texts); }

void DataGrid::setColumns(std::initializer_list<GridColumn> columns) {
  setRows(1);
  QStringList headers;
  for (const GridColumn& column : columns) headers << QString::fromUtf8(column.header);
  setHeader(headers);
  int c = 0;
  for (const GridColumn& column : columns) {
    setColWidth(c, column.twips);
    setColAlignment(c, column.align);
    setFixedAlignment(c, Align::Center);
    ++c;
  }
}

void DataGrid::setColWidth(int col, int twips) {
  if (col < 0 || col >= cols()) return;
  if (int(m_colTwips.size()) <= col) m_colTwips.resize(size_t(col) + 1, -1);
  QScopedValueRollback guard(m_settingWidth, true);
  if (twips < 0) {
    m_colTwips[size_t(col)] = -1;
    setColumnHidden(col, false);
    setColumnWidth(col, horizontalHeader()->defaultSectionSize());
    return;
  }
  m_colTwips[size_t(col)] = twips;
  const int px = twipsToPx(twips);
  // The header would otherwise widen narrow columns to the style's minimum.
  if (px > 0 && px < horizontalHeader()->minimumSectionSize()) horizontalHeader()->setMinimumSectionSize(px);
  // A zero-width column is hidden, so neither the grid line nor the keyboard stops there.
  setColumnHidden(col, px == 0);
  if (px > 0) setColumnWidth(col, px);
}

int DataGrid::colWidth(int col) const {
  if (col < 0 || col >= cols()) return 0;
  if (col < int(m_colTwips.size()) && m_colTwips[size_t(col)] >= 0) return m_colTwips[size_t(col)];
  return columnWidth(col) * 15;
}

void DataGrid::setFontSize(int points) {
  if (points <= 0) return;
  QFont f = font();
  f.setPointSize(points);
  setFont(f);
  horizontalHeader()->setFont(f);
  const int rowHeight = QFontMetrics(f).height() + 6;
  verticalHeader()->setMinimumSectionSize(std::min(verticalHeader()->minimumSectionSize(), rowHeight));
  verticalHeader()->setDefaultSectionSize(rowHeight);
}

void DataGrid::setRow(int row) {
  if (row < 0 || row >= rows()) return;
  m_row = row;
  syncCurrent();
}

void DataGrid::setCol(int col) {
  if (col < 0 || col >= cols()) return;
  m_col = col;
  syncCurrent();
}

void DataGrid::syncCurrent() {
  if (m_row < 1 || m_row >= rows() || m_col < 0 || m_col >= cols()) return;
  const QModelIndex index = QTableView::model()->index(m_row - 1, m_col);
  QScopedValueRollback guard(m_syncing, true);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void DataGrid::clampCurrent() {
  m_row = std::clamp(m_row, 0, rows() - 1);
  m_col = std::clamp(m_col, 0, std::max(cols() - 1, 0));
  syncCurrent();
}

void DataGrid::setTopRow(int row) {
  if (row < 1 || row >= rows()) return;
  if (!isVisible()) m_pendingTop = row;
  // Before the first layout the scroll bar has no range yet; the bar clamps to the last page.
  updateGeometries();
  verticalScrollBar()->setValue(row - 1);
}

int DataGrid::topRow() const {
  if (rows() <= 1) return 0;
  return std::min(verticalScrollBar()->value() + 1, rows() - 1);
}

void DataGrid::updateGeometries() {
  QTableView::updateGeometries();
  if (m_pendingTop) verticalScrollBar()->setValue(*m_pendingTop - 1);
}

void DataGrid::showEvent(QShowEvent* event) {
  QTableView::showEvent(event);
  if (!m_pendingTop) return;
  updateGeometries();
  m_pendingTop.reset();
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
  const QModelIndex before = currentIndex();
  QTableView::keyPressEvent(event);
  const QModelIndex after = currentIndex();
  if (after.isValid() && after != before) scrollTo(after);
}

}  // namespace platform
