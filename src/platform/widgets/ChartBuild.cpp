// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ChartControl.h"

#include <QFontMetrics>
#include <QSet>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

namespace {

// The height a bar shows for a value; a missing value (NaN) has none.
double barHeight(double value) { return std::isfinite(value) ? value : 0.0; }

// Above this many points bars take too long to lay out, so the data is drawn as a line.
constexpr int kMaxBars = ChartData::kMaxLabelledPoints;

const QColor kSeriesColors[2] = {QColor(0x2f, 0x6e, 0xc8), QColor(0xd0, 0x3c, 0x3c)};

// The category axis merges equal names, so repeated labels get a suffix of invisible
// characters that keeps them apart while they look the same.
QStringList uniqueCategories(const QStringList& labels) {
  static const QChar kInvisible[] = {QChar(0x200B), QChar(0x200C), QChar(0x200D), QChar(0x2060)};
  QSet<QString> used;
  used.reserve(labels.size());
  QStringList out;
  out.reserve(labels.size());
  // An empty category would show its number instead, so the first one is invisible too.
  used.insert(QString());
  for (const QString& label : labels) {
    QString name = label;
    for (int n = 1; used.contains(name); ++n) {
      name = label;
      // Bijective base 4, so every n gives a different suffix.
      for (int k = n; k > 0; k = (k - 1) / 4) name.append(kInvisible[(k - 1) % 4]);
    }
    used.insert(name);
    out.append(name);
  }
  return out;
}

// Digits after the point needed to print multiples of step exactly.
int decimalsFor(double step) {
  int decimals = 0;
  for (double scaled = step; decimals < 6 && std::abs(scaled - std::round(scaled)) > 1e-9 * std::max(1.0, scaled);
       scaled *= 10.0)
    ++decimals;
  return decimals;
}

// A round step (1, 2, 2.5 or 5 times a power of ten) that cuts span into about `steps` steps.
double roundStep(double span, int steps) {
  const double raw = span / steps;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (factor * magnitude >= raw * (1.0 - 1e-9)) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

// A range with ticks every step from anchor. A wider step goes in before the range and a
// narrower one after it: the old step over the new range could ask the axis for millions
// of ticks.
void setTicks(QValueAxis* axis, double minimum, double maximum, double anchor, double step) {
  const bool dynamic = axis->tickType() == QValueAxis::TicksDynamic;
  const bool wider = !dynamic || step >= axis->tickInterval();
  if (wider) axis->setTickInterval(step);
  axis->setRange(minimum, maximum);
  axis->setTickAnchor(anchor);
  if (!wider) axis->setTickInterval(step);
  axis->setTickType(QValueAxis::TicksDynamic);  // a new axis counts its ticks only from here
}

// Ticks at multiples of a round step, about five, and never more than `room` for their
// labels. An end the caller fixed stays where it is, with the ticks that fit under it; a
// free end widens to the next multiple.
void setRoundTicks(QValueAxis* axis, double minimum, double maximum, bool fixedMin, bool fixedMax, int room) {
  double step = roundStep(maximum - minimum, std::min(5, room));
  const auto low = [&] { return fixedMin ? minimum : std::floor(minimum / step + 1e-9) * step; };
  const auto high = [&] { return fixedMax ? maximum : std::ceil(maximum / step - 1e-9) * step; };
  while ((high() - low()) / step > room + 1e-9) step = roundStep(step * 1.001, 1);
  minimum = low();
  maximum = high();
  setTicks(axis, minimum, maximum, std::ceil(minimum / step - 1e-9) * step, step);
  axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimalsFor(step)));
}

// The points of one series, numbered from 1; a missing value (NaN) has none. With far more
// points than pixel columns, each column keeps its lowest and highest point: the line drawn
// covers the same pixels, at a fraction of the cost.
struct Line {
  QList<QPointF> points;
  bool thinned = false;
};
Line linePoints(const std::vector<double>& values, int columns) {
  qsizetype count = 0;
  size_t first = 0;
  size_t last = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!std::isfinite(values[i])) continue;
    if (count++ == 0) first = i;
    last = i;
  }
  QList<QPointF> out;
  if (count <= 2 * columns) {
    out.reserve(count);
    for (size_t i = first; count > 0 && i <= last; ++i) {
      if (std::isfinite(values[i])) out.append(QPointF(double(i + 1), values[i]));
    }
    return {out, false};
  }
  const double span = std::max(double(last - first), 1.0);
  const auto columnOf = [&](size_t i) { return int(double(i - first) / span * (columns - 1)); };
  out.reserve(2 * columns + 2);
  for (size_t i = first; i <= last;) {
    const int column = columnOf(i);
    size_t low = i;
    size_t high = i;
    size_t next = i + 1;
    for (; next <= last; ++next) {
      if (!std::isfinite(values[next])) continue;
      if (columnOf(next) != column) break;
      if (values[next] < values[low]) low = next;
      if (values[next] > values[high]) high = next;
    }
    const size_t before = std::min(low, high);
    const size_t after = std::max(low, high);
    out.append(QPointF(double(before + 1), values[before]));
    if (after != before) out.append(QPointF(double(after + 1), values[after]));
    i = next;
  }
  return {out, true};
}

// Padding Qt Charts keeps on each side of an axis label.
constexpr int kLabelPadding = 5;

// The width of the value axis's labels and title, beside the plot.
int valueAxisWidth(const QValueAxis* axis, const QFont& font) {
  const QFontMetrics metrics(font);
  const QByteArray format = axis->labelFormat().toLatin1();
  int widest = 0;
  for (double value : {axis->min(), axis->max()})
    widest = std::max(widest, metrics.horizontalAdvance(QString::asprintf(format.constData(), value)));
  const int title = axis->titleText().isEmpty() ? 0 : metrics.height() + 2 * kLabelPadding;
  return widest + 2 * kLabelPadding + title;
}

// The axis of point numbers under a line: whole numbers from 1, about six ticks, none
// without points.
void setPointTicks(QValueAxis* axis, int points) {
  double step = 1;
  while ((points - 1) / step > 6) step *= (QString::number(step).startsWith(QLatin1Char('2')) ? 2.5 : 2);
  setTicks(axis, points > 1 ? 1 : 0, points > 1 ? points : 2, 1, step);
  axis->setLabelsVisible(points > 0);
}

}  // namespace

void ChartControl::build(double minimum, double maximum) {
  QChart* chart = m_view->chart();
  const int points = rowCount();
  const int seriesCount = columnCount();
  const bool named =
      std::any_of(m_seriesNames.cbegin(), m_seriesNames.cend(), [](const QString& name) { return !name.isEmpty(); });
  const auto seriesName = [&](int k) { return k < m_seriesNames.size() ? m_seriesNames[k] : QString(); };

  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  auto* valueAxis = new QValueAxis(chart);
  setValueTicks(valueAxis, minimum, maximum);
  valueAxis->setLabelsFont(font());
  valueAxis->setTitleFont(font());
  valueAxis->setTitleText(m_valueTitle);
  chart->addAxis(valueAxis, Qt::AlignLeft);
  m_labelStep = 0;

  if (m_kind == Kind::Bar && points <= kMaxBars) {
    auto* series = new QBarSeries(chart);
    for (int k = 0; k < seriesCount; ++k) {
      auto* set = new QBarSet(seriesName(k), series);
      QList<qreal> heights;
      heights.reserve(points);
      for (double value : m_data.values[size_t(k)]) heights.append(barHeight(value));
      set->append(heights);
      series->append(set);
    }
    chart->addSeries(series);
    QAbstractAxis* categories = categoryAxis(chart, plotWidth(valueAxis));
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    series->attachAxis(valueAxis);
    // The theme recolours sets when the series is added.
    for (int k = 0; k < seriesCount; ++k) {
      series->barSets().at(k)->setColor(kSeriesColors[k]);
      series->barSets().at(k)->setBorderColor(kSeriesColors[k]);
    }
    m_view->setRenderHint(QPainter::Antialiasing);
  } else {
    // A line whose points are named (a point per day) shows their names, not their numbers.
    const bool labelled =
        points <= ChartData::kMaxLabelledPoints && std::any_of(m_data.labels.cbegin(), m_data.labels.cend(),
                                                               [](const QString& label) { return !label.isEmpty(); });
    QAbstractAxis* pointAxis = nullptr;
    if (labelled) {
      const double width = plotWidth(valueAxis);  // as laid out last, before that is forgotten
      m_labelStep = labelStep(width);
      m_laidOutWidth = 0;
      pointAxis = spacedLabelAxis(chart, width, 1);
    } else {
      auto* numbers = new QValueAxis(chart);
      numbers->setLabelFormat(QStringLiteral("%d"));
      setPointTicks(numbers, points);
      pointAxis = numbers;
    }
    chart->addAxis(pointAxis, Qt::AlignBottom);
    QList<QLineSeries*> lines;
    for (int k = 0; k < seriesCount; ++k) {
      auto* series = new QLineSeries(chart);
      series->setName(seriesName(k));
      series->setUseOpenGL(false);
      // Points go in last: adding the series and each axis lays out every point again.
      chart->addSeries(series);
      series->attachAxis(pointAxis);
      series->attachAxis(valueAxis);
      lines << series;
    }
    fillLines(lines);
  }
  chart->legend()->setVisible(named);
}

void ChartControl::fillLines(const QList<QLineSeries*>& lines) {
  bool anyDense = false;
  for (qsizetype k = 0; k < lines.size(); ++k) {
    const Line drawn = linePoints(m_data.values[size_t(k)], std::max(width(), 100));
    const bool dense = drawn.thinned;
    anyDense = anyDense || dense;
    QPen pen(kSeriesColors[k]);
    // A thin cosmetic pen keeps a dense line readable and skips the stroker's joins.
    pen.setWidthF(dense ? 1.0 : 1.5);
    pen.setCosmetic(dense);
    // The pen before the points: a new pen lays out the points it finds again.
    lines[k]->setPen(pen);
    lines[k]->replace(drawn.points);
  }
  // A line with a point in every pixel column gains nothing from smoothing but its cost.
  m_view->setRenderHint(QPainter::Antialiasing, !anyDense);
}

void ChartControl::setValueTicks(QValueAxis* axis, double minimum, double maximum) const {
  setRoundTicks(axis, minimum, maximum, m_axisMin.has_value(), m_axisMax.has_value(), valueStepsThatFit());
}

int ChartControl::valueStepsThatFit() const {
  // A label takes its line height and padding; with ticks any closer, the axis shortens
  // every label to "…".
  const QFontMetrics metrics(font());
  const QMargins margins = m_view->chart()->margins();
  const int label = metrics.height() + 2 * kLabelPadding;
  const int plot = height() - margins.top() - margins.bottom() - label - 2 * kLabelPadding;
  return std::max(1, plot / label);
}

double ChartControl::plotWidth(const QValueAxis* valueAxis) const {
  if (m_laidOutWidth > 0) return m_laidOutWidth;
  const QMargins margins = m_view->chart()->margins();
  return std::max(width() - valueAxisWidth(valueAxis, font()) - margins.left() - margins.right() - 8, 1);
}

int ChartControl::labelStep(double plotWidth) const {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (const QString& label : m_data.labels) widest = std::max(widest, metrics.horizontalAdvance(label));
  const int points = rowCount();
  // The axis gives each label an equal share of its width, one share more than it has
  // labels, less the padding on both sides; a wider label would be cut.
  for (int step = 1; step < points; ++step) {
    const int shown = (points + step - 1) / step;
    if (widest + 2 * kLabelPadding + 2 <= plotWidth / (shown + 1)) return step;
  }
  return std::max(points, 1);
}

QAbstractAxis* ChartControl::categoryAxis(QChart* chart, double plotWidth) {
  m_labelStep = labelStep(plotWidth);
  m_laidOutWidth = 0;
  if (m_labelStep == 1) {
    auto* categories = new QBarCategoryAxis(chart);
    categories->append(uniqueCategories(m_data.labels));
    categories->setLabelsFont(font());
    categories->setGridLineVisible(false);
    return categories;
  }
  // Too many labels to show them all in full: every step-th, each under its bar.
  return spacedLabelAxis(chart, plotWidth, 0);
}

QCategoryAxis* ChartControl::spacedLabelAxis(QChart* chart, double plotWidth, double firstAt) {
  // Labels near the ends would overhang the plot and be dropped, so they start a little way in.
  const int points = rowCount();
  const QFontMetrics metrics(font());
  const double slot = plotWidth / points;
  QList<int> shown;
  for (int i = 0; i < points; ++i) {
    if (m_data.labels[i].isEmpty()) continue;
    const double half = metrics.horizontalAdvance(m_data.labels[i]) / 2.0;
    const bool inside = (i + 0.5) * slot >= half && (points - i - 0.5) * slot >= half;
    if (inside && (shown.isEmpty() || i - shown.back() >= m_labelStep)) shown << i;
  }
  QStringList names;
  for (int i : shown) names << m_data.labels[i];
  names = uniqueCategories(names);
  auto* categories = new QCategoryAxis(chart);
  categories->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  categories->setRange(firstAt - 0.5, firstAt + points - 0.5);
  categories->setStartValue(firstAt - 0.5);
  for (qsizetype k = 0; k < shown.size(); ++k) categories->append(names[k], firstAt + shown[k]);
  categories->setGridLineVisible(false);
  categories->setLabelsFont(font());
  return categories;
}

}  // namespace platform
