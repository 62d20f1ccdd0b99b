// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/adjacent/AdjacentRules.h"

#include "games/framework/GameText.h"
#include "platform/core/Random.h"
#include "platform/core/TourText.h"

#include <cstdlib>

namespace games::adjacent {

QStringList operationTexts() {
  return {QStringLiteral("＋"), QStringLiteral("－"), QStringLiteral("×"), QStringLiteral("÷")};
}

QString operationText(Operation operation) { return operationTexts().value(int(operation)); }

Operation operationOf(const QString& text) {
  const qsizetype at = operationTexts().indexOf(text);
  return at < 0 ? Operation::Plus : Operation(at);
}

int reduce(Operation operation, int left, int right) {
  switch (operation) {
    case Operation::Plus: return (left + right) % 10;
    case Operation::Minus: return std::abs(left - right);
    case Operation::Times: {
      int p = left * right;
      if (p >= 10) p = p / 10 + p % 10;
      return p >= 10 ? p - 10 : p;
    }
    case Operation::Divide:
      // A 0 on the right is left from a row drawn before "÷" was chosen: quotient 0,
      // remainder the left digit.
      if (right == 0) return left;
      return left / right + left % right;
  }
  return 0;
}

Row makeRow(Operation operation) {
  Row row{};
  for (int& digit : row) {
    const double r = platform::Random::uniform();
    digit = operation == Operation::Divide ? int(9 * r) + 1 : int(10 * r);
  }
  return row;
}

int expectedDigit(const Row& row, int box, Operation operation) {
  if (box < 1 || box > kBoxes) return 0;
  return reduce(operation, row[size_t(box - 1)], row[size_t(box)]);
}

Judgement judge(const QString& typed, int expected) {
  const QString answer = normalizedAnswer(typed);
  if (answer.isEmpty()) return {};
  const QChar first = answer.front();
  const int digit = first >= QLatin1Char('0') && first <= QLatin1Char('9') ? first.unicode() - u'0' : 0;
  return {true, digit == expected};
}

QString ruleLine(Operation operation) {
  switch (operation) {
    case Operation::Plus: return QStringLiteral("隣り合う二つの数を足し、一の位を入力（8＋4＝12 → 2）");
    case Operation::Minus: return QStringLiteral("隣り合う二つの数の差を、－を付けずに入力（4－8＝－4 → 4）");
    case Operation::Times: return QStringLiteral("掛けて二桁なら十の位と一の位を足し、それも二桁なら一の位（5×7＝35 → 8、7×8＝56 → 11 → 1）");
    case Operation::Divide: return QStringLiteral("左の数を右の数で割り、商と余りを足して入力（9÷4＝2余り1 → 3）");
  }
  return {};
}

QString explanation() {
  return platform::tourText({
      "このゲームは『隣接加減ドリル ネオ』です。",
      "",
      "隣り合う二つの数字を足したり引いたりした結果を入力してください。",
      "",
      "　・足し算（＋）モードで結果が二桁になった場合は一桁目を入力します。（8 + 4 = 12 → 2）",
      "　・引き算（－）モードで結果がマイナスになった場合は－を除いて入力します。（4 - 8 = -4 → 4）",
      "",
      "単純計算の繰り返しで集中力を高めましょう！",
      "",
      "",
      "※難易度を高めたい場合は　掛け算（×）と割り算（÷）にもチャレンジ！",
      "",
      "　・掛け算（×）モードで結果が二桁になった場合は一桁目と二桁目を足します。（5 × 7 = 35 → 3 + 5 = 8）",
      "　・割り算（÷）モードでは商と余りを足します。（9 ÷ 4 = 2余り1 → 2 + 1 = 3）",
  });
}

}  // namespace games::adjacent
