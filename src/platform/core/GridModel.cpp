// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/GridModel.h"

#include "platform/core/SeqFormat.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace platform {

namespace {

int toQtAlignment(Align align) {
  switch (align) {
    case Align::Center:
      return int(Qt::AlignHCenter | Qt::AlignVCenter);
    case Align::Right:
      return int(Qt::AlignRight | Qt::AlignVCenter);
    case Align::Left:
      break;
  }
  return int(Qt::AlignLeft | Qt::AlignVCenter);
}

Align alignAt(const std::vector<Align>& aligns, int col) {
  return col >= 0 && col < int(aligns.size()) ? aligns[size_t(col)] : Align::Left;
}

// Text that is not a number sorts as 0. NaN would break the ordering, so it counts as 0 too.
double sortNumber(const QString& text) {
  const std::optional<double> value = textToDouble(text);
  return value && !std::isnan(*value) ? *value : 0.0;
}

}  // namespace

double GridSource::number(int row, int col) const { return sortNumber(text(row, col)); }

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

template <typename MapRow, typename KeepCol>
void GridModel::remapColors(MapRow mapRow, KeepCol keepCol) {
  for (QHash<quint64, Rgb>* table : {&m_back, &m_fore}) {
    if (table->isEmpty()) continue;
    QHash<quint64, Rgb> moved;
    moved.reserve(table->size());
    for (auto it = table->cbegin(); it != table->cend(); ++it) {
      const int row = mapRow(keyRow(it.key()));
      const int col = keyCol(it.key());
      if (row >= 0 && keepCol(col)) moved.insert(key(row, col), it.value());
    }
    table->swap(moved);
  }
}

void GridModel::setRows(int count) {
  count = std::max(count, 1);
  const int old = rows();
  if (count == old) return;
  if (count < old) {
    beginRemoveRows({}, count - 1, old - 2);
    // The rows kept stay on demand; a grid emptied for a refill lets its source go.
    if (m_source && count == 1) materialize(0);
    if (m_order.size() > size_t(count - 1)) m_order.resize(size_t(count - 1));
    m_dataRows = count - 1;
    for (QStringList& column : m_columns) column.resize(m_dataRows);
    remapColors([count](int row) { return row < count ? row : -1; }, [](int) { return true; });
    endRemoveRows();
  } else {
    materialize();
    beginInsertRows({}, old - 1, count - 2);
    m_dataRows = count - 1;
    for (QStringList& column : m_columns) column.resize(m_dataRows);
    endInsertRows();
  }
}

void GridModel::setCols(int count) {
  count = std::max(count, 0);
  const int old = m_cols;
  if (count == old) return;
  materialize();
  if (count < old)
    beginRemoveColumns({}, count, old - 1);
  else
    beginInsertColumns({}, old, count - 1);
  m_cols = count;
  m_header.resize(count);
  m_columns.resize(size_t(count));
  for (QStringList& column : m_columns) column.resize(m_dataRows);
  if (count < old) {
    remapColors([](int row) { return row; }, [count](int col) { return col < count; });
    endRemoveColumns();
  } else {
    endInsertColumns();
  }
}

QString GridModel::cellText(int row, int col) const {
  if (row == 0) return m_header[col];
  if (m_source) return m_source->text(sourceRow(row - 1), col);
  return m_columns[size_t(col)][row - 1];
}

QString GridModel::textMatrix(int row, int col) const {
  return inRange(row, col) ? cellText(row, col) : QString();
}

void GridModel::materialize(int keep) {
  if (!m_source) return;
  std::vector<QStringList> columns(static_cast<size_t>(m_cols));
  for (QStringList& column : columns) column.reserve(keep);
  // Row by row: a source most likely makes a row's texts from one record.
  for (int r = 0; r < keep; ++r) {
    const int from = sourceRow(r);
    for (int c = 0; c < m_cols; ++c) columns[size_t(c)].append(m_source->text(from, c));
  }
  m_columns.swap(columns);
  m_source.reset();
  m_order = {};
}

void GridModel::cellChanged(int row, int col, int role) {
  if (row == 0) {
    Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
  } else {
    const QModelIndex at = index(row - 1, col);
    Q_EMIT dataChanged(at, at, {role});
  }
}

double GridModel::number(int row, int col) const {
  if (row < 1 || !inRange(row, col)) return 0;
  if (!m_source) return sortNumber(cellText(row, col));
  const double value = m_source->number(sourceRow(row - 1), col);
  return std::isnan(value) ? 0 : value;  // as the numeric sort counts it
}

void GridModel::setTextMatrix(int row, int col, const QString& text) {
  if (!inRange(row, col)) return;
  if (row > 0) materialize();
  cell(row, col) = text;
  cellChanged(row, col, Qt::DisplayRole);
}

void GridModel::setDataRows(std::vector<QStringList> rows) {
  std::vector<QStringList> columns(static_cast<size_t>(m_cols));
  for (QStringList& column : columns) column.reserve(qsizetype(rows.size()));
  for (const QStringList& row : rows) {
    for (int c = 0; c < m_cols; ++c) columns[size_t(c)].append(c < row.size() ? row[c] : QString());
  }
  const int count = int(rows.size());
  rows = {};
  replaceData(std::move(columns), count);
}

void GridModel::setDataColumns(std::vector<QStringList> columns) {
  columns.resize(size_t(m_cols));
  qsizetype count = 0;
  for (const QStringList& column : columns) count = std::max(count, column.size());
  for (QStringList& column : columns) column.resize(count);
  replaceData(std::move(columns), int(count));
}

void GridModel::setDataSource(std::shared_ptr<const GridSource> source) {
  const int count = source ? std::max(source->rowCount(), 0) : 0;
  replaceData(std::vector<QStringList>(size_t(m_cols)), count, std::move(source));
}

void GridModel::replaceData(std::vector<QStringList> columns, int dataRows,
                            std::shared_ptr<const GridSource> source) {
  beginResetModel();
  m_columns.swap(columns);
  m_source = std::move(source);
  m_order = {};
  m_dataRows = dataRows;
  // Colours belong to cell positions, as with setTextMatrix; positions that are gone lose theirs.
  const int count = rows();
  remapColors([count](int row) { return row < count ? row : -1; }, [](int) { return true; });
  endResetModel();
}

void GridModel::setHeader(const QStringList& texts) {
  setCols(int(texts.size()));
  m_header = texts;
  if (m_cols > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
}

void GridModel::setColAlignment(int col, Align align) {
  if (col < 0 || col >= m_cols) return;
  if (int(m_colAlign.size()) <= col) m_colAlign.resize(size_t(col) + 1, Align::Left);
  m_colAlign[size_t(col)] = align;
  if (rowCount() > 0)
    Q_EMIT dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::TextAlignmentRole});
}

void GridModel::setFixedAlignment(int col, Align align) {
  if (col < 0 || col >= m_cols) return;
  if (int(m_fixedAlign.size()) <= col) m_fixedAlign.resize(size_t(col) + 1, Align::Left);
  m_fixedAlign[size_t(col)] = align;
  Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
}

Align GridModel::colAlignment(int col) const { return alignAt(m_colAlign, col); }

void GridModel::setCellBackColor(int row, int col, std::optional<Rgb> color) {
  if (!inRange(row, col)) return;
  if (color)
    m_back.insert(key(row, col), *color);
  else
    m_back.remove(key(row, col));
  cellChanged(row, col, BackColorRole);
}

void GridModel::setCellForeColor(int row, int col, std::optional<Rgb> color) {
  if (!inRange(row, col)) return;
  if (color)
    m_fore.insert(key(row, col), *color);
  else
    m_fore.remove(key(row, col));
  cellChanged(row, col, ForeColorRole);
}

std::optional<Rgb> GridModel::cellBackColor(int row, int col) const {
  const auto it = m_back.constFind(key(row, col));
  return it == m_back.cend() ? std::nullopt : std::optional<Rgb>(*it);
}

std::optional<Rgb> GridModel::cellForeColor(int row, int col) const {
  const auto it = m_fore.constFind(key(row, col));
  return it == m_fore.cend() ? std::nullopt : std::optional<Rgb>(*it);
}

QVariant GridModel::colorData(int row, int col, int role) const {
  const std::optional<Rgb> color = role == BackColorRole ? cellBackColor(row, col) : cellForeColor(row, col);
  return color ? QVariant(color->value()) : QVariant();
}

void GridModel::clear() {
  std::fill(m_header.begin(), m_header.end(), QString());
  if (m_source) {
    // Every text goes, so there is nothing to copy from the source.
    m_source.reset();
    m_order = {};
    for (QStringList& column : m_columns) column = QStringList(m_dataRows);
  }
  for (QStringList& column : m_columns) std::fill(column.begin(), column.end(), QString());
  m_back.clear();
  m_fore.clear();
  if (m_cols == 0) return;
  Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
  if (rowCount() > 0) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, m_cols - 1));
}

void GridModel::removeItem(int row) {
  if (row < 1 || row >= rows()) return;
  beginRemoveRows({}, row - 1, row - 1);
  if (m_source) {
    if (m_order.empty()) {
      m_order.resize(size_t(m_dataRows));
      std::iota(m_order.begin(), m_order.end(), 0);
    }
    m_order.erase(m_order.begin() + (row - 1));
  } else {
    for (QStringList& column : m_columns) column.removeAt(row - 1);
  }
  --m_dataRows;
  remapColors([row](int r) { return r < row ? r : r == row ? -1 : r - 1; }, [](int) { return true; });
  endRemoveRows();
}

void GridModel::sort(int col, SortOrder order) {
  const int count = rowCount();
  if (col < 0 || col >= m_cols || count < 2) return;

  // moved[i] is the data row (0-based) that ends up at position i.
  std::vector<int> moved(static_cast<size_t>(count));
  std::iota(moved.begin(), moved.end(), 0);
  const bool numeric = order == SortOrder::NumericAscending || order == SortOrder::NumericDescending;
  const bool descending = order == SortOrder::NumericDescending || order == SortOrder::TextDescending;
  if (numeric) {
    std::vector<double> keys(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      // A source's own numbers may be NaN, which would break the ordering.
      const double value = m_source ? m_source->number(sourceRow(i), col) : sortNumber(m_columns[size_t(col)][i]);
      keys[size_t(i)] = std::isnan(value) ? 0.0 : value;
    }
    if (descending)
      std::stable_sort(moved.begin(), moved.end(), [&](int a, int b) { return keys[size_t(b)] < keys[size_t(a)]; });
    else
      std::stable_sort(moved.begin(), moved.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
  } else {
    // Each text read once: a source may make it anew on every call.
    std::vector<QString> keys(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) keys[size_t(i)] = cellText(i + 1, col);
    const auto less = [&](int a, int b) {
      return QString::compare(keys[size_t(a)], keys[size_t(b)], Qt::CaseSensitive) < 0;
    };
    if (descending)
      std::stable_sort(moved.begin(), moved.end(), [&](int a, int b) { return less(b, a); });
    else
      std::stable_sort(moved.begin(), moved.end(), less);
  }

  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newPosition(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) newPosition[size_t(moved[size_t(i)])] = i;

  if (m_source) {
    std::vector<int> sorted(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) sorted[size_t(i)] = sourceRow(moved[size_t(i)]);
    m_order.swap(sorted);
  } else {
    for (QStringList& column : m_columns) {
      QStringList sorted;
      sorted.reserve(count);
      for (int from : moved) sorted.append(std::move(column[from]));
      column.swap(sorted);
    }
  }

  // Colours travel with their rows.
  remapColors([&](int row) { return row == 0 ? 0 : newPosition[size_t(row) - 1] + 1; }, [](int) { return true; });

  const QModelIndexList from = persistentIndexList();
  QModelIndexList to;
  to.reserve(from.size());
  for (const QModelIndex& idx : from) to.append(index(newPosition[size_t(idx.row())], idx.column()));
  changePersistentIndexList(from, to);
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows() - 1; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_cols; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= m_cols) return {};
  const int row = index.row() + 1;
  const int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return cellText(row, col);
    case Qt::TextAlignmentRole:
      return toQtAlignment(alignAt(m_colAlign, col));
    case BackColorRole:
    case ForeColorRole:
      return colorData(row, col, role);
    case Qt::AccessibleTextRole:
      return m_rowsSpoken && col == 0 ? QVariant(spokenRow(row)) : QVariant();
    default:
      return {};
  }
}

QString GridModel::spokenRow(int row) const {
  QStringList parts;
  for (int col = 0; col < m_cols; ++col) {
    const QString text = cellText(row, col);
    if (!text.isEmpty()) parts.append(m_header.value(col) + QLatin1Char(' ') + text);
  }
  return parts.join(QStringLiteral("、"));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return QAbstractTableModel::headerData(section, orientation, role);
  if (section < 0 || section >= m_cols) return {};
  switch (role) {
    case Qt::DisplayRole:
      return m_header[section];
    case Qt::TextAlignmentRole:
      return toQtAlignment(alignAt(m_fixedAlign, section));
    case BackColorRole:
    case ForeColorRole:
      return colorData(0, section, role);
    default:
      return {};
  }
}

}  // namespace platform
