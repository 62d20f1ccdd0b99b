// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/GridModel.h"

#include <QTableView>

#include <initializer_list>
#include <optional>

class QColor;

namespace platform {

QColor toQColor(Rgb rgb);
Rgb toRgb(const QColor& color);

// A column as a screen lays it out: header text, width in twips, alignment of its cells.
struct GridColumn {
  const char* header;  // UTF-8
  int twips;
  Align align;
};

// A data grid with one fixed header row, driven by row/column numbers as the callers
// know them (row 0 = header). One model, no widget per cell.
class DataGrid : public QTableView {
  Q_OBJECT
 public:
  explicit DataGrid(QWidget* parent = nullptr);

  // Named apart from QAbstractItemView::model(), which the same name would hide.
  GridModel& gridModel() { return m_model; }
  const GridModel& gridModel() const { return m_model; }

  int rows() const { return m_model.rows(); }
  void setRows(int count) { m_model.setRows(count); }
  int cols() const { return m_model.cols(); }
  void setCols(int count);
  QString textMatrix(int row, int col) const { return m_model.textMatrix(row, col); }
  void setTextMatrix(int row, int col, const QString& text) { m_model.setTextMatrix(row, col, text); }
  void setDataRows(std::vector<QStringList> rows);
  void setDataColumns(std::vector<QStringList> columns) { m_model.setDataColumns(std::move(columns)); }
  void setDataSource(std::shared_ptr<const GridSource> source) { m_model.setDataSource(std::move(source)); }
  void setHeader(const QStringList& texts);
  // Header row only, with these columns; header cells centred.
  void setColumns(std::initializer_list<GridColumn> columns);

  // Widths in twips.
  void setColWidth(int col, int twips);
  int colWidth(int col) const;
  void setColAlignment(int col, Align align) { m_model.setColAlignment(col, align); }
  void setFixedAlignment(int col, Align align) { m_model.setFixedAlignment(col, align); }
  void setFontSize(int points);

  // The current cell; row counts from 1 for data rows.
  int row() const { return m_row; }
  int col() const { return m_col; }
  void setRow(int row);
  void setCol(int col);
  QString text() const { return textMatrix(m_row, m_col); }
  void setText(const QString& text) { setTextMatrix(m_row, m_col, text); }
  void setCellBackColor(const QColor& color);
  void setCellForeColor(const QColor& color);

  // First visible data row. The grid never scrolls past its end: asking for a row near the
  // end shows the last page, the last row at the bottom.
  void setTopRow(int row);
  int topRow() const;

  void clear() { m_model.clear(); }
  void removeItem(int row) { m_model.removeItem(row); }
  // Sorts the data rows by the current column.
  void sort(SortOrder order) { m_model.sort(m_col, order); }

 Q_SIGNALS:
  void cellClicked(int row, int col);
  void cellDoubleClicked(int row, int col);

 protected:
  void updateGeometries() override;
  void showEvent(QShowEvent* event) override;

 private:
  void keyPressEvent(QKeyEvent* event) override;
  // Whether a cell's text (row 0: the header) does not fit its column as the grid draws it.
  bool isCutOff(int row, int col, const QString& text) const;
  // Moves the view's current cell to m_row/m_col without scrolling.
  void syncCurrent();
  // Keeps m_row/m_col inside the grid after rows or columns went away.
  void clampCurrent();

  GridModel m_model;
  int m_row = 0;
  int m_col = 0;
  std::vector<int> m_colTwips;  // as set; -1: take the header's width
  // A top row asked for while hidden: the page size is known only once shown.
  std::optional<int> m_pendingTop;
  bool m_syncing = false;
  bool m_settingWidth = false;
};

}  // namespace platform
