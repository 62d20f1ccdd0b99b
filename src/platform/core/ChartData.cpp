// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/ChartData.h"

#include "platform/core/SeqFormat.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace platform {

double ChartData::valueOf(const QString& text) {
  const std::optional<double> value = textToDouble(text);
  return value && std::isfinite(*value) ? *value : std::numeric_limits<double>::quiet_NaN();
}

QString ChartData::textOf(double value) {
  if (!std::isfinite(value)) return {};
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace platform
