// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace games::coins {

// The coin table: 1, 5, 10, 50, 100 and 500 yen. Questions draw only from the first five.
constexpr std::array<int, 6> kKouka = {1, 5, 10, 50, 100, 500};
constexpr int kDrawnKinds = 5;
constexpr int kSlots = 10;  // imgMondai(1..10), two rows of five
constexpr int kFewestCoins = 2;
// Ten coins of 100 yen make the largest total, 1000: four characters.
constexpr int kLongestAnswer = 4;

// intKouka(1..6).
std::array<int, 6> SET_KOUKA();
// "2" .. "10": the items of cboHide and cboHide2.
QStringList coinCountItems();

// One question: the coins shown from slot 1 on, and their sum (intGoukei).
struct Question {
  std::vector<int> coins;
  int intGoukei = 0;
};
// intHide coins, or 2..intHide of them when the count is random; all of one kind when
// the kind is fixed.
Question makeQuestion(int intHide, bool random, bool oneKind);

// An answer is judged once it has as many characters as the total; a text that is not a
// number then counts as wrong. Full-width digits count as the digits they show.
struct Judgement {
  bool complete = false;
  bool right = false;
  int keystrokes = 0;
};
Judgement judge(const QString& typed, int intGoukei);

// The picture file of a coin: "100.gif".
QString pictureFileName(int value);

QString explanation();

}  // namespace games::coins
