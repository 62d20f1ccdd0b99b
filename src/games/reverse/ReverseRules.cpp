// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/reverse/ReverseRules.h"

#include "games/framework/GameText.h"
#include "platform/core/Random.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TourText.h"

#include <cmath>

namespace games::reverse {

QStringList operatorSigns() {
  return {QStringLiteral("＋"), QStringLiteral("－"), QStringLiteral("×"), QStringLiteral("÷")};
}

QString signOf(Operator op) { return operatorSigns().at(int(op)); }

std::optional<Operator> operatorOf(const QString& sign) {
  const qsizetype at = operatorSigns().indexOf(sign);
  if (at < 0) return std::nullopt;
  return Operator(at);
}

QChar typedSign(Operator op) {
  static constexpr char kSigns[] = {'+', '-', '*', '/'};
  return QLatin1Char(kSigns[int(op)]);
}

Question makeQuestion() {
  Question q;
  q.intMokuhyo = int(platform::Random::uniform() * 100 + 1);
  q.strEnzan = Operator(int(platform::Random::uniform() * 4));
  return q;
}

QString normalizedExpression(const QString& typed) {
  QString text = normalizedAnswer(typed);
  for (QChar& c : text) {
    switch (c.unicode()) {
      case 0xFF0A:  // ＊
      case 0x00D7:  // ×
        c = QLatin1Char('*');
        break;
      case 0xFF0F:  // ／
      case 0x00F7:  // ÷
      case 0x30FB:  // ・, what the "/" key gives in kana input
      case 0xFF65:  // ･
        c = QLatin1Char('/');
        break;
      default: break;
    }
  }
  return text;
}

float operandValue(QStringView part) {
  QString digits;
  for (QChar c : part) {
    if (c != QLatin1Char(' ') && c != QLatin1Char('\t')) digits += c;
  }
  return static_cast<float>(platform::leadingNumber(digits));
}

QString operandText(float value) { return platform::seq::floatText(value); }

namespace {
// The number a label shows, read back the way the judging reads it.
double labelValue(const QString& text) { return platform::textToDouble(text).value_or(0); }
}  // namespace

std::optional<int> wholeResult(const QString& left, const QString& right, Operator op) {
  const double x = labelValue(left);
  const double y = labelValue(right);
  double result = 0;
  switch (op) {
    case Operator::Plus: result = x + y; break;
    case Operator::Minus: result = x - y; break;
    case Operator::Times: result = x * y; break;
    case Operator::Divide:
      if (y == 0) return std::nullopt;
      result = x / y;
      break;
  }
  if (!std::isfinite(result)) return std::nullopt;
  const double whole = std::nearbyint(result);
  if (whole < -32768 || whole > 32767) return std::nullopt;
  return int(whole);
}

Judgement judge(const QString& typed, Operator op, double target) {
  Judgement j;
  j.keystrokes = int(typed.size());
  const QString text = normalizedExpression(typed);
  const qsizetype at = text.indexOf(typedSign(op));
  if (at < 0) return j;
  j.signFound = true;
  j.a = operandValue(QStringView(text).left(at));
  j.b = operandValue(QStringView(text).mid(at + 1));
  const std::optional<int> r = wholeResult(operandText(j.a), operandText(j.b), op);
  j.right = r && *r == target;
  return j;
}

// The blanks between the Japanese words are ideographic spaces.
QString explanation() {
  return platform::tourText({
      "このゲームは『逆計算ドリル』です。",
      "",
      "出題されるのは算術記号と答え。\u3000例）？×？ = 16\u3000など ",
      "",
      "その記号と答えを満たす２つの数値を解答するのがルールです。",
      "解答欄には\u30002*8\u3000のように記号も含めて入力し最後にEnterキーを押します。",
      "※掛け算は\u3000*\u3000割り算は\u3000/\u3000です。",
      "",
      "なお、1*16\u30004*4\u300032*0.5…\u3000などなど正解はひとつではありません。",
      "自由な発想で式を作ることが目的です。",
      "",
  });
}

}  // namespace games::reverse
