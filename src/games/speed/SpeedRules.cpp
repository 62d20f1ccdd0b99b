// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/speed/SpeedRules.h"

#include "games/framework/GameText.h"
#include "platform/core/Random.h"
#include "platform/core/TourText.h"

#include <cmath>

namespace games::speed {

QStringList operationSigns() { return {QStringLiteral("＋"), QStringLiteral("－"), QStringLiteral("×")}; }

QString signOf(Operation op) { return operationSigns().at(int(op)); }

std::optional<Operation> operationOf(const QString& sign) {
  const qsizetype at = operationSigns().indexOf(sign);
  if (at < 0) return std::nullopt;
  return Operation(at);
}

QStringList countItems() {
  QStringList items;
  for (int n = 1; n <= 10; ++n) items.append(QString::number(n));
  return items;
}

QStringList displayItems() {
  QStringList items;
  for (int i = 1; i <= 10; ++i) items.append(QString::number(i / 10.0, 'f', 1));
  items << QStringLiteral("1.5") << QStringLiteral("2.0") << QStringLiteral("2.5") << QStringLiteral("3.0");
  return items;
}

QStringList digitItems() { return {QStringLiteral("1"), QStringLiteral("2")}; }

int displayMs(const QString& seconds) { return int(std::lround(seconds.toDouble() * 1000.0)); }

QuestionSettings constrained(QuestionSettings s) {
  if (s.operation == Operation::Times) {
    s.digits = 1;
    s.count = qMin(s.count, kMaxTimesCount);
  }
  return s;
}

int startTotal(Operation op) {
  switch (op) {
    case Operation::Plus: return 0;
    case Operation::Minus: return 100;
    case Operation::Times: return 1;
  }
  return 0;
}

int upperBound(const QuestionSettings& s) {
  if (s.digits >= 2) return 99;
  return s.operation == Operation::Times ? 5 : 9;
}

int lowestNumber(Operation op) { return op == Operation::Times ? 2 : 1; }

int drawNumber(Operation op, int bound, std::optional<int> previous) {
  const int lowest = lowestNumber(op);
  if (bound <= lowest) return lowest;  // one value only: nothing else to draw
  int n = 0;
  do {
    n = lowest + int((bound - lowest + 1) * platform::Random::uniform());
  } while (previous && n == *previous);
  return n;
}

int applyNumber(Operation op, int total, int number) {
  switch (op) {
    case Operation::Plus: return total + number;
    case Operation::Minus: return total - number;
    case Operation::Times: return total * number;
  }
  return total;
}

int answerLength(int total) { return int(QString::number(total).size()); }

namespace {
// A whole number as typed: an optional minus and digits, nothing else.
std::optional<int> wholeNumber(const QString& text) {
  const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
  if (text.size() == start) return std::nullopt;
  for (qsizetype i = start; i < text.size(); ++i) {
    if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) return std::nullopt;
  }
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}
}  // namespace

Judgement judge(const QString& typed, int total) {
  const QString answer = normalizedAnswer(typed);
  if (answer.isEmpty() || answer.size() < answerLength(total)) return {};
  return {true, wholeNumber(answer) == total, int(typed.size())};
}

QString explanation() {
  return platform::tourText({
      "このゲームは『スピード計算ドリル』です。",
      "",
      "指定秒、数値が順次表示されるのでその数値を暗算します。",
      "出題数や表示している秒数を設定する事ができます。",
      "",
      "※引き算の場合は、スタートを１００として１００から引いていきます。",
      "",
  });
}

}  // namespace games::speed
