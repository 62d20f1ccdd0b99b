// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace games::reverse {

// The operator a question shows, and the sign the player types for it.
enum class Operator { Plus, Minus, Times, Divide };

QStringList operatorSigns();  // "＋", "－", "×", "÷"
QString signOf(Operator op);
std::optional<Operator> operatorOf(const QString& sign);
QChar typedSign(Operator op);  // '+', '-', '*', '/'

// ? op ? = intMokuhyo, with a result from 1 to 100.
struct Question {
  int intMokuhyo = 1;
  Operator strEnzan = Operator::Plus;
};
Question makeQuestion();

// An answer as typed, with what a Japanese input method gives turned into ASCII: full-width
// digits and signs, "×" and "÷", the long vowel mark as a minus, the middle dot as a slash.
QString normalizedExpression(const QString& typed);

// The leading number of an operand, blanks ignored, 0 when there is none, in single
// precision; and its text as a question label shows it.
float operandValue(QStringView part);
QString operandText(float value);

// The expression's result made whole (halves to the even neighbour); none for a division
// by zero or a result outside -32768..32767.
std::optional<int> wholeResult(const QString& left, const QString& right, Operator op);

// The first of the operator's typed signs splits the answer into two numbers; an answer
// without it is wrong.
struct Judgement {
  bool signFound = false;
  float a = 0;
  float b = 0;
  bool right = false;
  int keystrokes = 0;
  // How long the feedback lasts: a red flash when wrong, a plain pause when right.
  int feedbackMs() const { return signFound ? 250 : 200; }
};
Judgement judge(const QString& typed, Operator op, double target);

QString explanation();

}  // namespace games::reverse
