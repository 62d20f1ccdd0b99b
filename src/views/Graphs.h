// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/ChartData.h"
#include "platform/core/GridModel.h"

namespace views {

// The graphs draw what a list shows, never the record file.

// One point per data row: the row's value text unchanged, labelled with the first one or
// two characters of the label column (one when the list has more than 16 data rows).
enum class Labels { Short, None };
platform::ChartData listPlot(const platform::GridModel& list, int labelCol, int valueCol,
                             Labels labels = Labels::Short);

// Seconds per hour of the day: 24 points labelled " 0" .. " 23".
platform::ChartData hourPlot(const platform::GridModel& list, int timeCol, int secondsCol);

// One point per data row without labels, value column unchanged.
platform::ChartData dayPlot(const platform::GridModel& list, int valueCol);

// A chart prepared for new data: one series, one point valued "0" with an empty label.
platform::ChartData resetChart();

}  // namespace views
