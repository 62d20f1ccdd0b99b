// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace games::table {

// A table of up to 10 x 10 cells; cell k (1..100) sits in row (k - 1) / 10 + 1 and
// column (k - 1) % 10 + 1.
constexpr int kSize = 10;
constexpr int kCells = kSize * kSize;
constexpr int kNoDigit = -1;  // a position "÷" leaves empty

enum class Operation { Plus, Minus, Times, Divide };

// "＋", "－", "×", "÷" as the lists show them.
QStringList operationSigns();
QString signOf(Operation op);
std::optional<Operation> operationOf(const QString& sign);

// "÷" has digits 1-9 only, so its table has nine rows and columns.
int largestSize(Operation op);

inline int cellIndex(int row, int column) { return (row - 1) * kSize + column; }
inline int cellRow(int k) { return (k - 1) / kSize + 1; }
inline int cellColumn(int k) { return (k - 1) % kSize + 1; }

// Row digits (lblV 1..10, top to bottom) and column digits (lblH 1..10, left to right).
struct Digits {
  std::array<int, kSize> rows{};
  std::array<int, kSize> columns{};
  int row(int r) const { return rows[size_t(r - 1)]; }
  int column(int c) const { return columns[size_t(c - 1)]; }
};
QString digitText(int digit);  // empty for kNoDigit

// Each a random permutation: 0-9, or 1-9 in positions 1-9 for "÷".
Digits DRAW_DIGITS(Operation op);

// V ○ H; for "÷" the larger digit by the smaller, quotient digits then remainder digits.
int answerOf(Operation op, int v, int h);

// Answers of cells 1..100 at index k - 1; 0 where a digit is missing.
using Answers = std::array<int, kCells>;
Answers CALC_ANSWERS(Operation op, const Digits& digits);
// The worked table shown at load: column digit ○ row digit in every cell.
std::array<QString, kCells> SHOW_ANSWERS(Operation op, const Digits& digits);

// Characters of an answer as typed, a minus sign included.
int answerLength(int answer);
// The most characters any answer of the operation needs.
int longestAnswer(Operation op);

// A cell is judged once its text is as long as its answer; full-width digits and a
// Japanese input method's minus count as what they show.
struct CellJudgement {
  bool complete = false;
  bool right = false;
  int keystrokes = 0;
};
CellJudgement judgeCell(const QString& typed, int answer);

// The final judgement of the shown size x size table.
enum class Verdict { None, Right, Wrong };
struct TableJudgement {
  int ok = 0;
  int ng = 0;
  std::array<Verdict, kCells> verdicts{};
};
using CellTexts = std::array<QString, kCells>;
// Every shown cell; an empty one counts as 0.
TableJudgement JUDGE_TABLE(const CellTexts& texts, const Answers& answers, int size);
// Typed cells only: an untyped cell is neither right nor wrong.
TableJudgement JUDGE_TYPED(const CellTexts& texts, const Answers& answers, int size);

// The row digit of cell k immediately followed by its column digit.
QString hintText(const Digits& digits, int k);

QString detailText(float seconds, int keystrokes, const QString& operation);
QString explanation();
// The rule of an operation in one line, shown under the table.
QString ruleLine(Operation operation);

}  // namespace games::table
