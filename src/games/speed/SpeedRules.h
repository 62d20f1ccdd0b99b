// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace games::speed {

// What the player does with the flashed numbers: add them, take them from 100 one after
// another, or multiply them.
enum class Operation { Plus, Minus, Times };

QStringList operationSigns();  // "＋", "－", "×"
QString signOf(Operation op);
std::optional<Operation> operationOf(const QString& sign);

QStringList countItems();    // numbers per question: "1".."10"
QStringList displayItems();  // seconds per number: "0.1".."1.0", "1.5", "2.0", "2.5", "3.0"
QStringList digitItems();    // "1", "2"
int displayMs(const QString& seconds);

// A question's settings, kept so that the running total stays small: "×" takes one-digit
// numbers and at most five of them.
struct QuestionSettings {
  Operation operation = Operation::Plus;
  int count = 5;   // intSyutudai
  int digits = 1;  // intKeta
};
constexpr int kMaxTimesCount = 5;
QuestionSettings constrained(QuestionSettings s);

int startTotal(Operation op);           // 0, 100 or 1
int upperBound(const QuestionSettings& s);  // the largest number flashed
int lowestNumber(Operation op);         // 1, or 2 for "×"
// One flashed number, never the one just shown (none for the first of a question).
int drawNumber(Operation op, int bound, std::optional<int> previous);
int applyNumber(Operation op, int total, int number);

// An answer is judged once it has as many characters as the total's decimal text (its
// minus sign included); a text of that length that is not a whole number is wrong.
// Full-width digits and signs count as the ASCII they show.
struct Judgement {
  bool complete = false;
  bool right = false;
  int keystrokes = 0;
};
Judgement judge(const QString& typed, int total);
int answerLength(int total);

QString explanation();

}  // namespace games::speed
