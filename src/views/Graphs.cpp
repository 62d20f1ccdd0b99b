// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/Graphs.h"

#include "platform/core/SeqFormat.h"
#include "records/TimeTotals.h"

#include <array>
#include <cmath>
#include <limits>

namespace views {

namespace {
platform::ChartData emptyData(int points) {
  platform::ChartData data;
  data.labels = QStringList(points, QString());
  data.values = {std::vector<double>(size_t(points), std::numeric_limits<double>::quiet_NaN())};
  return data;
}
}  // namespace

platform::ChartData listPlot(const platform::GridModel& list, int labelCol, int valueCol,
                             Labels labels) {
  const int points = list.rows() - 1;
  platform::ChartData data = emptyData(points);
  const int labelLength = list.rows() > 17 ? 1 : 2;
  // Labels no chart shows are not worth making for a hundred thousand plays.
  const bool labelled = labels == Labels::Short && points <= platform::ChartData::kMaxLabelledPoints;
  for (int i = 1; i <= points; ++i) {
    if (labelled) data.labels[i - 1] = list.textMatrix(i, labelCol).left(labelLength);
    data.values[0][size_t(i - 1)] = list.number(i, valueCol);
  }
  return data;
}

platform::ChartData hourPlot(const platform::GridModel& list, int timeCol, int secondsCol) {
  // Wider than the 16 bits once used, so an hour may sum beyond 32767 seconds.
  std::array<qint64, 25> totals{};
  for (int i = 1; i < list.rows(); ++i) {
    const QString time = list.textMatrix(i, timeCol);
    const double hourValue = std::nearbyint(platform::leadingNumber(QStringView(time).left(2)));
    if (!(hourValue >= 0 && hourValue <= 24)) continue;  // NaN included
    const int hour = static_cast<int>(hourValue);
    totals[hour] = records::addSeconds(totals[hour], list.number(i, secondsCol));
  }
  platform::ChartData data = emptyData(24);
  for (int h = 0; h < 24; ++h) {
    data.labels[h] = QStringLiteral(" %1").arg(h);
    data.values[0][size_t(h)] = double(totals[size_t(h)]);
  }
  return data;
}

platform::ChartData dayPlot(const platform::GridModel& list, int valueCol) {
  const int points = list.rows() - 1;
  platform::ChartData data = emptyData(points);
  for (int i = 1; i <= points; ++i) data.values[0][size_t(i - 1)] = platform::ChartData::valueOf(list.textMatrix(i, valueCol));
  return data;
}

platform::ChartData resetChart() {
  platform::ChartData data = emptyData(1);
  data.values[0][0] = 0;
  return data;
}

}  // namespace views
