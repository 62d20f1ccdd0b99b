// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

// What a chart shows: N points, each with an optional label and one value per series.
// A point without a value (an empty or non-numeric text given) holds NaN.
struct ChartData {
  // Above this many points a chart draws a line without row labels: bars would take too
  // long to lay out, and the labels could not be read.
  static constexpr int kMaxLabelledPoints = 1000;

  int seriesCount = 1;
  QStringList labels;                       // one per point, may be empty texts
  std::vector<std::vector<double>> values;  // values[series][point]

  int rowCount() const { return static_cast<int>(labels.size()); }
  // A value text as the chart takes it: NaN when it is no finite number.
  static double valueOf(const QString& text);
  // The shortest text of a value; empty for no value.
  static QString textOf(double value);
};

}  // namespace platform
