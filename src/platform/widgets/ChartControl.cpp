// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ChartControl.h"

#include <QGraphicsLayout>
#include <QLabel>
#include <QMetaObject>
#include <QStackedLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

void normalise(ChartData& data) {
  data.seriesCount = std::clamp(data.seriesCount, 1, 2);
  data.values.resize(size_t(data.seriesCount));
  for (std::vector<double>& series : data.values) series.resize(size_t(data.labels.size()), kNoValue);
}

// Equal values, a missing value (NaN) matching a missing one.
bool sameData(const ChartData& a, const ChartData& b) {
  if (a.seriesCount != b.seriesCount || a.labels != b.labels || a.values.size() != b.values.size()) return false;
  for (size_t s = 0; s < a.values.size(); ++s) {
    const std::vector<double>& x = a.values[s];
    const std::vector<double>& y = b.values[s];
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i) {
      if (x[i] != y[i] && !(std::isnan(x[i]) && std::isnan(y[i]))) return false;
    }
  }
  return true;
}

// What the chart shows, for a screen reader: its newest points as label and value, the
// series named where the chart has more than one.
QString spokenValues(const ChartData& data, const QStringList& seriesNames, const QString& unit) {
  constexpr int kMostSpoken = 50;
  const int points = data.rowCount();
  if (points == 0) return QStringLiteral("データがありません");
  QStringList parts;
  const int first = std::max(0, points - kMostSpoken);
  for (int i = first; i < points; ++i) {
    QStringList values;
    for (size_t k = 0; k < data.values.size(); ++k) {
      const QString text = ChartData::textOf(data.values[k][size_t(i)]);
      const QString name = qsizetype(k) < seriesNames.size() && data.values.size() > 1
                               ? seriesNames[qsizetype(k)] + QLatin1Char(' ')
                               : QString();
      values.append(name + (text.isEmpty() ? QStringLiteral("なし") : text + unit));
    }
    const QString label = data.labels[i].isEmpty() ? QString::number(i + 1) : data.labels[i];
    parts.append(label + QStringLiteral("：") + values.join(QStringLiteral("、")));
  }
  const QString head =
      first > 0 ? QStringLiteral("全 %1 件のうち最新の %2 件。").arg(points).arg(points - first) : QString();
  return head + parts.join(QStringLiteral("。"));
}

}  // namespace

ChartControl::ChartControl(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
  normalise(m_data);
  auto* layout = new QStackedLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_view = new QChartView(this);
  m_view->setRenderHint(QPainter::Antialiasing);
  m_view->setFocusPolicy(Qt::NoFocus);  // nothing to do there with the keyboard
  setAccessibleDescription(spokenValues(m_data, {}, {}));
  layout->addWidget(m_view);
  m_noData = new QLabel(QStringLiteral("データがありません"), this);
  m_noData->setObjectName(QStringLiteral("noDataLabel"));
  m_noData->setAlignment(Qt::AlignCenter);
  m_noData->setAutoFillBackground(true);
  QPalette white = m_noData->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::darkGray);
  m_noData->setPalette(white);
  layout->addWidget(m_noData);

  QChart* chart = m_view->chart();
  chart->setTitle(QString());
  chart->setBackgroundBrush(Qt::white);
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->legend()->hide();
  // The labels that fit depend on the plot's real width, known once the chart is laid out.
  connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
    if (m_labelStep == 0 || labelStep(area.width()) == m_labelStep) return;
    m_laidOutWidth = area.width();
    changed();
  });
}

ChartControl::~ChartControl() = default;

void ChartControl::setRowCount(int count) {
  m_data.labels.resize(std::max(count, 0));
  normalise(m_data);
  changed();
}

void ChartControl::setColumnCount(int count) {
  m_data.seriesCount = count;
  normalise(m_data);
  changed();
}

void ChartControl::setRow(int row) { m_row = row; }

void ChartControl::setColumn(int column) { m_column = column; }

void ChartControl::setRowLabel(const QString& label) {
  if (m_row < 1 || m_row > rowCount()) return;
  m_data.labels[m_row - 1] = label;
  changed();
}

void ChartControl::setValue(const QString& text) {
  if (m_row < 1 || m_row > rowCount() || m_column < 1 || m_column > columnCount()) return;
  m_data.values[size_t(m_column - 1)][size_t(m_row - 1)] = ChartData::valueOf(text);
  changed();
}

QString ChartControl::rowLabel(int row) const {
  return row >= 1 && row <= rowCount() ? m_data.labels[row - 1] : QString();
}

QString ChartControl::value(int row, int column) const {
  if (row < 1 || row > rowCount() || column < 1 || column > columnCount()) return {};
  return ChartData::textOf(m_data.values[size_t(column - 1)][size_t(row - 1)]);
}

void ChartControl::setChartData(ChartData data) {
  normalise(data);
  // Screens pour their data in at every opening; drawing the same again costs a chart.
  if (sameData(data, m_data) && !m_dirty) return;
  m_data = std::move(data);
  changed();
}

void ChartControl::setAxisRange(double minimum, double maximum) {
  if (minimum > maximum) std::swap(minimum, maximum);
  m_axisMin = minimum;
  m_axisMax = maximum;
  changed();
}

void ChartControl::setAxisMinimum(double minimum) {
  m_axisMin = minimum;
  changed();
}

void ChartControl::setAxisMaximum(double maximum) {
  m_axisMax = maximum;
  changed();
}

void ChartControl::setValueTitle(const QString& title) {
  m_valueTitle = title;
  changed();
}

void ChartControl::setSeriesNames(const QStringList& names) {
  m_seriesNames = names;
  changed();
}

void ChartControl::redrawNow() { rebuild(); }

void ChartControl::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (m_dirty) rebuild();
}

void ChartControl::changed() {
  m_dirty = true;
  // Hidden charts are drawn by showEvent; a visible one redraws once after the caller is done.
  if (!isVisible() || m_rebuildQueued) return;
  m_rebuildQueued = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_rebuildQueued = false;
        if (m_dirty && isVisible()) rebuild();
      },
      Qt::QueuedConnection);
}

// Builds the chart anew for the data.
void ChartControl::rebuild() {
  m_dirty = false;
  setAccessibleDescription(spokenValues(m_data, m_seriesNames, m_valueTitle));

  double lo = 0.0;
  double hi = 0.0;
  bool anyPoint = false;
  for (const std::vector<double>& series : m_data.values) {
    for (double value : series) {
      if (!std::isfinite(value)) continue;
      anyPoint = true;
      lo = std::min(lo, value);
      hi = std::max(hi, value);
    }
  }

  // Unless fixed, the axis runs from 0 (or the lowest negative value) to a little above the data.
  const bool flat = hi <= lo;
  if (flat) hi = lo + 1.0;
  const double room = flat ? 0.0 : (hi - lo) * 0.05;
  const double minimum = m_axisMin.value_or(lo < 0.0 ? lo - room : 0.0);
  double maximum = m_axisMax.value_or(hi + room);
  if (maximum <= minimum) maximum = minimum + 1.0;

  build(minimum, maximum);
  auto* pages = static_cast<QStackedLayout*>(layout());
  pages->setCurrentWidget(anyPoint ? static_cast<QWidget*>(m_view) : m_noData);
}

}  // namespace platform
