// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/ChartData.h"

#include <QWidget>

#include <optional>
#include <vector>

QT_BEGIN_NAMESPACE
class QAbstractAxis;
class QCategoryAxis;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QValueAxis;
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

  // The title of the value axis, such as its unit.
  void setValueTitle(const QString& title);
  QString valueTitle() const { return m_valueTitle; }

  void setSeriesNames(const QStringList& names);

  // Draws now instead of when next shown (for screenshots and benchmarks).
  void redrawNow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void changed();
  void rebuild();
  // A chart anew, with the value axis from minimum to maximum (ChartBuild.cpp).
  void build(double minimum, double maximum);
  // Puts each series' points into its line, and smooths only lines that were not thinned.
  void fillLines(const QList<QLineSeries*>& lines);
  // Round ticks from minimum to maximum, the ends the caller fixed kept, only as many as
  // there is room for, each label clear of the next.
  void setValueTicks(QValueAxis* axis, double minimum, double maximum) const;
  int valueStepsThatFit() const;
  // The plot's width beside a value axis: as last laid out, else as expected.
  double plotWidth(const QValueAxis* valueAxis) const;
  // Show every how many-th row label so that each is shown in full.
  int labelStep(double plotWidth) const;
  // The bar chart's axis of row labels.
  QAbstractAxis* categoryAxis(QChart* chart, double plotWidth);
  // Every labelStep-th row label under its point, the first point at firstAt.
  QCategoryAxis* spacedLabelAxis(QChart* chart, double plotWidth, double firstAt);

  Kind m_kind;
  ChartData m_data;
  int m_row = 1;
  int m_column = 1;
  std::optional<double> m_axisMin;
  std::optional<double> m_axisMax;
  QStringList m_seriesNames;
  QString m_valueTitle;
  int m_labelStep = 0;  // of the labels drawn; 0 when there are none
  double m_laidOutWidth = 0;
  bool m_dirty = true;
  bool m_rebuildQueued = false;
  QChartView* m_view = nullptr;
  QLabel* m_noData = nullptr;
};

}  // namespace platform
