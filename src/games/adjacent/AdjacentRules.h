// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace games::adjacent {

constexpr int kDigits = 15;
constexpr int kBoxes = kDigits - 1;  // box i answers digits i and i + 1

// The four operations in the order of the "モード" list; the settings and the history
// keep them as their texts.
enum class Operation { Plus, Minus, Times, Divide };
QStringList operationTexts();  // "＋", "－", "×", "÷"
QString operationText(Operation operation);
// Any text that is not one of the four (it never comes from the list) reads as "＋".
Operation operationOf(const QString& text);

// Two neighbouring digits combined and brought back to one digit.
int reduce(Operation operation, int left, int right);

using Row = std::array<int, kDigits>;
// A new row of digits 0–9; in "÷" mode 1–9, so that no pair divides by 0.
Row makeRow(Operation operation);
// The digit box `box` (1..14) expects for the row.
int expectedDigit(const Row& row, int box, Operation operation);

// A box holds one character: nothing typed is no answer; a character that is not a digit
// counts as 0. Full-width digits count as the digits they show.
struct Judgement {
  bool judged = false;
  bool right = false;
};
Judgement judge(const QString& typed, int expected);

QString explanation();
// The rule of an operation in one line, shown under the boxes.
QString ruleLine(Operation operation);

}  // namespace games::adjacent
