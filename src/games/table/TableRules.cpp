// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/table/TableRules.h"

#include "games/framework/GameText.h"
#include "platform/core/Random.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TourText.h"

#include <algorithm>

namespace games::table {

namespace {
// Draws count digits without repetition through a scratch list, as the player's lists
// were once drawn.
void drawInto(std::array<int, kSize>& positions, int first, int count) {
  QStringList lstHide;
  for (int d = first; d < first + count; ++d) lstHide.append(QString::number(d));
  positions.fill(kNoDigit);
  for (int i = 0; i < count; ++i) {
    const int index = qMin(int(lstHide.size() * platform::Random::uniform()), int(lstHide.size()) - 1);
    positions[size_t(i)] = lstHide.takeAt(index).toInt();
  }
}

double valueOf(const QString& text) { return platform::leadingNumber(normalizedAnswer(text)); }

template <typename Counts>
TableJudgement judgeShown(const CellTexts& texts, const Answers& answers, int size, Counts counts) {
  TableJudgement result;
  const int n = qBound(0, size, kSize);
  for (int r = 1; r <= n; ++r) {
    for (int c = 1; c <= n; ++c) {
      const size_t at = size_t(cellIndex(r, c) - 1);
      if (!counts(texts[at])) continue;
      const bool right = valueOf(texts[at]) == answers[at];
      result.verdicts[at] = right ? Verdict::Right : Verdict::Wrong;
      ++(right ? result.ok : result.ng);
    }
  }
  return result;
}
}  // namespace

QStringList operationSigns() {
  return {QStringLiteral("＋"), QStringLiteral("－"), QStringLiteral("×"), QStringLiteral("÷")};
}

QString signOf(Operation op) { return operationSigns()[int(op)]; }

std::optional<Operation> operationOf(const QString& sign) {
  const qsizetype at = operationSigns().indexOf(sign);
  if (at < 0) return std::nullopt;
  return Operation(at);
}

int largestSize(Operation op) { return op == Operation::Divide ? kSize - 1 : kSize; }

QString digitText(int digit) { return digit == kNoDigit ? QString() : QString::number(digit); }

Digits DRAW_DIGITS(Operation op) {
  Digits digits;
  const bool divide = op == Operation::Divide;
  drawInto(digits.columns, divide ? 1 : 0, divide ? 9 : 10);
  drawInto(digits.rows, divide ? 1 : 0, divide ? 9 : 10);
  return digits;
}

int answerOf(Operation op, int v, int h) {
  switch (op) {
    case Operation::Plus: return v + h;
    case Operation::Minus: return v - h;
    case Operation::Times: return v * h;
    case Operation::Divide: {
      const int larger = qMax(v, h);
      const int smaller = qMin(v, h);
      // A 0 cannot be drawn for "÷"; should one come, it divides nothing: quotient 0, the
      // other digit left over.
      const int quotient = smaller == 0 ? 0 : larger / smaller;
      const int remainder = smaller == 0 ? larger : larger % smaller;
      return QString(QString::number(quotient) + QString::number(remainder)).toInt();
    }
  }
  return 0;
}

Answers CALC_ANSWERS(Operation op, const Digits& digits) {
  Answers answers{};
  for (int k = 1; k <= kCells; ++k) {
    const int v = digits.row(cellRow(k));
    const int h = digits.column(cellColumn(k));
    answers[size_t(k - 1)] = v == kNoDigit || h == kNoDigit ? 0 : answerOf(op, v, h);
  }
  return answers;
}

std::array<QString, kCells> SHOW_ANSWERS(Operation op, const Digits& digits) {
  std::array<QString, kCells> texts;
  for (int k = 1; k <= kCells; ++k) {
    const int v = digits.row(cellRow(k));
    const int h = digits.column(cellColumn(k));
    if (v != kNoDigit && h != kNoDigit) texts[size_t(k - 1)] = QString::number(answerOf(op, h, v));
  }
  return texts;
}

int answerLength(int answer) { return int(QString::number(answer).size()); }

int longestAnswer(Operation op) {
  int longest = 0;
  for (int v = 0; v <= 9; ++v) {
    for (int h = 0; h <= 9; ++h) longest = qMax(longest, answerLength(answerOf(op, v, h)));
  }
  return longest;
}

CellJudgement judgeCell(const QString& typed, int answer) {
  const QString text = normalizedAnswer(typed);
  if (text.isEmpty() || text.size() < answerLength(answer)) return {};
  return {true, valueOf(text) == answer, int(typed.size())};
}

TableJudgement JUDGE_TABLE(const CellTexts& texts, const Answers& answers, int size) {
  return judgeShown(texts, answers, size, [](const QString&) { return true; });
}

TableJudgement JUDGE_TYPED(const CellTexts& texts, const Answers& answers, int size) {
  return judgeShown(texts, answers, size, [](const QString& text) { return !text.isEmpty(); });
}

QString hintText(const Digits& digits, int k) {
  return digitText(digits.row(cellRow(k))) + digitText(digits.column(cellColumn(k)));
}

QString detailText(float seconds, int keystrokes, const QString& operation) {
  return QStringLiteral("秒数 : ") + platform::seq::floatText(seconds) + QStringLiteral("   答数 : ") +
         QString::number(keystrokes) + QStringLiteral("  (") + operation + QStringLiteral(") モード");
}

QString ruleLine(Operation operation) {
  switch (operation) {
    case Operation::Plus: return QStringLiteral("左の数と上の数を足して入力");
    case Operation::Minus: return QStringLiteral("左の数から上の数を引いて入力（答えが負の数なら - を付けて）");
    case Operation::Times: return QStringLiteral("左の数と上の数を掛けて入力");
    case Operation::Divide: return QStringLiteral("大きい数を小さい数で割り、商と余りを続けて入力（5÷2＝2余り1 → 21）");
  }
  return {};
}

QString explanation() {
  return platform::tourText({
      "このゲームは『表計算ドリル』です。",
      "",
      "縦１×横１＝１セル　～　縦１０×横１０＝１００セルの計算問題が出題されます。",
      "",
      "・足し算（＋）引き算（－）掛け算（×）ではそのまま計算結果を入力します。",
      "・割り算は必ず大きい数を小さい数で割り、その商と余りを並べて入力します。",
      "　（例　5÷2　→　2余り1なので21）",
      "",
      "※出題ナビ機能を使うと左上に縦横の数字が表示されます。",
      "※リアルタイムに良否を表示したり最後に表示させたりできます。",
      "",
  });
}

}  // namespace games::table
