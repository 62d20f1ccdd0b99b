// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/block/BlockQuestion.h"

#include "games/framework/GameText.h"
#include "platform/core/Random.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TourText.h"

namespace games::block {

Board makeBoard(int columns) {
  Board board;
  board.columns = qBound(1, columns, kMaxColumns);
  for (int k = 0; k < board.columns; ++k) board.counts[size_t(k)] = int(kMaxBlocks * platform::Random::uniform()) + 1;
  return board;
}

int expectedSum(const Board& board, int columns) {
  int sum = 0;
  for (int k = 0; k < qBound(0, columns, kMaxColumns); ++k) sum += board.counts[size_t(k)];
  return sum;
}

Judgement judge(const QString& typed, int expected) {
  const QString answer = normalizedAnswer(typed);
  // A longer text (a paste) is judged too, so that the box never gets stuck.
  if (answer.isEmpty() || answer.size() < QString::number(expected).size()) return {};
  return {true, platform::leadingNumber(answer) == expected, int(typed.size())};
}

QString explanation() {
  return platform::tourText({
      "このゲームは『ブロック計算ドリル』です。",
      "",
      "画面には１～８列のブロックが出題されます。１列は５ブロックで構成されています。",
      "ブロックの数を足し、合計数を解答します。",
      "",
      "※数値ナビにチェックを入れるとブロック上部に数値が表示されます。",
  });
}

}  // namespace games::block
