#pragma once

#include "platform/core/ChartData.h"

#include <QWidget>
#include <optional>
#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace platform {

// A chart of one or two data series, driven like the chart control the screens were
// designed for: set a row count, select row and column, set a label or a value.
// Drawing is deferred until the chart is visible, so filling it stays cheap.
class ChartControl : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { Bar, Line };

  explicit ChartControl(Kind kind = Kind::Bar, QWidget* parent = nullptr);
  ~ChartControl() override;

  void setRowCount(int count);
  int rowCount() const { return m_data.rowCount(); }
  void setColumnCount(int count);
  int columnCount() const { return m_data.seriesCount; }
  // Select the point (1-based) and series (1-based) that the next label or value goes to.
  void setRow(int row);
  void setColumn(int column);
  void setRowLabel(const QString& label);
  void setValue(const QString& text);

  QString rowLabel(int row) const;
  QString value(int row, int column = 1) const;

  // Replaces everything in one pass.
  void setChartData(ChartData data);
  const ChartData& chartData() const { return m_data; }

  // Fixes the value axis; without it the axis follows the data.
  void setAxisRange(double minimum, double maximum);
  void setAxisMinimum(double minimum);
  void setAxisMaximum(double maximum);
  std::optional<double> axisMinimum() const { return m_axisMin; }
  std::optional<double> axisMaximum() const { return m_axisMax; }

  void setSeriesNames(const QStringList& names);

  // Draws now instead of when next shown (for screenshots and benchmarks).
  void redrawNow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void changed();
  void rebuild();

  Kind m_kind;
  ChartData m_data;
  int m_row = 1;
  int m_column = 1;
  std::optional<double> m_axisMin;
  std::optional<double> m_axisMax;
  QStringList m_seriesNames;
  bool m_dirty = true;
  bool m_rebuildQueued = false;
  QChartView* m_view = nullptr;
};

}  // namespace platform
