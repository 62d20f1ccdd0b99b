// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/PersonalBest.h"

#include "games/framework/GameText.h"
#include "platform/core/SeqFormat.h"

#include <cmath>
#include <optional>

namespace games {

namespace {
const QString kSecondsUnit = QStringLiteral("秒");
const QString kGap = QStringLiteral("　");

// The seconds of a history line without their unit; nullopt when they are no number.
std::optional<double> secondsOf(const QString& text) {
  if (!text.endsWith(kSecondsUnit)) return std::nullopt;
  const std::optional<double> value = platform::textToDouble(QStringView(text).chopped(kSecondsUnit.size()));
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<int> countOf(const QString& text) {
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok ? std::optional<int>(value) : std::nullopt;
}

// The figure a play of the setting is measured by, for one history line; nullopt for a
// line of another mode or setting, or one that cannot be read.
std::optional<double> figureOf(const QStringList& record, const HistoryLayout& layout, const QStringList& secondsItems,
                               const PlaySetting& setting) {
  const auto field = [&](HistoryField f) { return record.value(historyColumn(layout, f) - 1); };
  if (historyColumn(layout, HistoryField::Operation) > 0 && field(HistoryField::Operation) != setting.operation) {
    return std::nullopt;
  }
  const QString secondsText = field(HistoryField::Seconds);
  const std::optional<double> seconds = secondsOf(secondsText);
  const std::optional<int> ok = countOf(field(HistoryField::Ok));
  const std::optional<int> ng = countOf(field(HistoryField::Ng));
  if (!seconds || !ok || !ng) return std::nullopt;
  const QString setSeconds = secondsText.chopped(kSecondsUnit.size());
  const bool timed = secondsItems.contains(setSeconds);
  if (setting.bySeconds) {
    if (!timed || setSeconds != setting.seconds) return std::nullopt;
    return double(*ok);
  }
  if (timed || *ok + *ng != setting.answers) return std::nullopt;
  return *seconds;
}

QString secondsGap(double seconds) { return elapsedText(seconds) + QStringLiteral(" 秒"); }
QString answersGap(double answers) { return QString::number(std::llround(answers)) + QStringLiteral(" 問"); }
}  // namespace

QString personalBestLine(const std::vector<QStringList>& history, const HistoryLayout& layout,
                         const QStringList& secondsItems, const PlaySetting& setting, const PlayOutcome& play) {
  const QString accuracy =
      kGap + QStringLiteral("正解率 ") + percentText(play.answers > 0 ? double(play.ok) / play.answers : 0.0);
  // The play as its own history line will read, so that equal texts compare equal.
  const double figure =
      setting.bySeconds ? double(play.ok) : platform::textToDouble(platform::seq::floatText(play.seconds)).value_or(0);
  // "Better" always reads as a larger number.
  const double sign = setting.bySeconds ? 1.0 : -1.0;

  std::optional<double> best;
  std::optional<double> last;
  for (const QStringList& record : history) {
    const std::optional<double> earlier = figureOf(record, layout, secondsItems, setting);
    if (!earlier) continue;
    if (!best || sign * *earlier > sign * *best) best = earlier;
    last = earlier;
  }
  if (!best) return QStringLiteral("初めての記録です") + accuracy;
  if (sign * figure > sign * *best) return QStringLiteral("自己ベスト！") + accuracy;
  if (figure == *best) return QStringLiteral("自己ベストタイ") + accuracy;

  const auto gap = [&](double amount) { return setting.bySeconds ? answersGap(amount) : secondsGap(amount); };
  const double gained = sign * (figure - *last);
  QString sinceLast;
  if (gap(std::abs(gained)) == gap(0)) {
    sinceLast = QStringLiteral("前回と同じ");
  } else {
    const bool better = gained > 0;
    const QString word = setting.bySeconds ? (better ? QStringLiteral("多い") : QStringLiteral("少ない"))
                                           : (better ? QStringLiteral("速い") : QStringLiteral("遅い"));
    sinceLast = QStringLiteral("前回より ") + gap(std::abs(gained)) + word;
  }
  return QStringLiteral("ベストまで ") + gap(std::abs(*best - figure)) + kGap + sinceLast + accuracy;
}

}  // namespace games
