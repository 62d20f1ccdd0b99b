// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/Rgb.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace platform {

enum class Align { Left, Center, Right };
enum class SortOrder { NumericAscending, NumericDescending, TextAscending, TextDescending };

// Supplies the texts of a grid's data rows on demand.
class GridSource {
 public:
  virtual ~GridSource() = default;
  virtual int rowCount() const = 0;
  virtual QString text(int row, int col) const = 0;  // row from 0
  // For sorting: a number for the cell, by default the text read as a number (0 when it is none).
  virtual double number(int row, int col) const;
};

// The cells of a data grid. Row 0 is the fixed header row and is offered to views as the
// horizontal header; rows 1.. are the data rows. All cells are texts.
class GridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridModel(QObject* parent = nullptr);

  // Row count including the header row; never below 1.
  int rows() const { return m_dataRows + 1; }
  void setRows(int count);
  int cols() const { return m_cols; }
  void setCols(int count);

  QString textMatrix(int row, int col) const;
  void setTextMatrix(int row, int col, const QString& text);
  // A data cell read as a number, as the numeric sort reads it (0 when it is none); rows of
  // a source give it without making their texts.
  double number(int row, int col) const;

  // Replaces every data row in one pass; the header row stays. Short rows are padded.
  void setDataRows(std::vector<QStringList> rows);
  // The same, given column by column: columns[c][r] is the text of data row r + 1. Short
  // columns are padded; columns beyond the column count are dropped.
  void setDataColumns(std::vector<QStringList> columns);
  // Replaces every data row in one pass by the rows of a source, whose texts are read only
  // when asked for; its row count is read once, here. The header row stays. Editing a data
  // cell, adding rows or changing the column count first copies the source's texts in.
  void setDataSource(std::shared_ptr<const GridSource> source);
  // Sets the header texts (row 0) and the column count to their number.
  void setHeader(const QStringList& texts);

  void setColAlignment(int col, Align align);
  void setFixedAlignment(int col, Align align);
  Align colAlignment(int col) const;

  // Cell colours; nullopt (or none set) is the grid's normal colour. Views read them
  // through the two roles below as 0xRRGGBB values.
  enum ColorRole { BackColorRole = Qt::UserRole + 1, ForeColorRole };
  void setCellBackColor(int row, int col, std::optional<Rgb> color);
  void setCellForeColor(int row, int col, std::optional<Rgb> color);
  std::optional<Rgb> cellBackColor(int row, int col) const;
  std::optional<Rgb> cellForeColor(int row, int col) const;

  // Whether the first cell of a row tells a screen reader the whole row, each text after its
  // header ("回 5、日付 2024/05/01、…").
  void setRowsSpoken(bool spoken) { m_rowsSpoken = spoken; }
  QString spokenRow(int row) const;

  // Empties every cell text and colour; the row and column counts stay.
  void clear();
  // Removes one data row; the rows below move up.
  void removeItem(int row);
  // Reorders the data rows by one column, whole rows moving together.
  void sort(int col, SortOrder order);

  // QAbstractTableModel: the view sees the data rows only.
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  static quint64 key(int row, int col) { return (quint64(quint32(row)) << 32) | quint32(col); }
  static int keyRow(quint64 k) { return int(quint32(k >> 32)); }
  static int keyCol(quint64 k) { return int(quint32(k)); }
  bool inRange(int row, int col) const { return row >= 0 && row < rows() && col >= 0 && col < m_cols; }
  void cellChanged(int row, int col, int role);
  // Rebuilds the colour tables with every cell moved (or dropped when mapped to -1).
  template <typename MapRow, typename KeepCol>
  void remapColors(MapRow mapRow, KeepCol keepCol);

  // Stored cells only: callers of the mutable one materialize data rows first.
  QString& cell(int row, int col) { return row == 0 ? m_header[col] : m_columns[size_t(col)][row - 1]; }
  QString cellText(int row, int col) const;
  // The source row shown at data row index (0-based).
  int sourceRow(int index) const { return m_order.empty() ? index : m_order[size_t(index)]; }
  // Turns the first `keep` shown rows of the source into stored texts and drops the source.
  void materialize(int keep);
  void materialize() { materialize(m_dataRows); }
  void replaceData(std::vector<QStringList> columns, int dataRows, std::shared_ptr<const GridSource> source = {});

  QStringList m_header;
  // Cells are kept by column: a long list then costs a few large blocks, not one per row.
  std::vector<QStringList> m_columns;
  // While set, the data rows come from here and m_columns is unused; m_order maps shown rows
  // to source rows once sorted or thinned (empty: as the source has them).
  std::shared_ptr<const GridSource> m_source;
  std::vector<int> m_order;
  int m_dataRows = 0;
  int m_cols = 0;
  std::vector<Align> m_colAlign;
  std::vector<Align> m_fixedAlign;
  QHash<quint64, Rgb> m_back;
  QHash<quint64, Rgb> m_fore;
  QVariant colorData(int row, int col, int role) const;
  bool m_rowsSpoken = false;
};

}  // namespace platform
