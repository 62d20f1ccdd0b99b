// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

namespace games::block {

constexpr int kMaxColumns = 8;
constexpr int kMaxBlocks = 5;

// One question: up to eight columns of one to five stacked blocks.
struct Board {
  std::array<int, kMaxColumns> counts{};
  int columns = 0;
};

// The most characters an answer can need: eight columns of five blocks make 40.
constexpr int kLongestAnswer = 2;
static_assert(kMaxColumns * kMaxBlocks < 100);

Board makeBoard(int columns);
// The blocks of the first `columns` columns.
int expectedSum(const Board& board, int columns);

// An answer is judged once it has as many characters as the expected sum; until then it
// is not complete. Full-width digits count as the digits they show.
struct Judgement {
  bool complete = false;
  bool right = false;
  int keystrokes = 0;
};
Judgement judge(const QString& typed, int expected);

QString explanation();

}  // namespace games::block
