// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/coins/CoinRules.h"

#include "games/framework/GameText.h"
#include "platform/core/Random.h"
#include "platform/core/TourText.h"

#include <QtGlobal>

namespace games::coins {

namespace {
int drawKind() { return kKouka[size_t(int(platform::Random::uniform() * kDrawnKinds))]; }
}  // namespace

std::array<int, 6> SET_KOUKA() { return kKouka; }

QStringList coinCountItems() {
  QStringList items;
  for (int n = kFewestCoins; n <= kSlots; ++n) items.append(QString::number(n));
  return items;
}

Question makeQuestion(int intHide, bool random, bool oneKind) {
  const int most = qBound(kFewestCoins, intHide, kSlots);
  const int n = random ? int((most - 1) * platform::Random::uniform()) + kFewestCoins : most;
  Question q;
  const int kind = oneKind ? drawKind() : 0;
  for (int i = 0; i < n; ++i) {
    const int value = oneKind ? kind : drawKind();
    q.coins.push_back(value);
    q.intGoukei += value;
  }
  return q;
}

Judgement judge(const QString& typed, int intGoukei) {
  const QString answer = normalizedAnswer(typed);
  // A paste longer than the total is judged too, so that the box never gets stuck.
  if (answer.isEmpty() || answer.size() < QString::number(intGoukei).size()) return {};
  bool number = true;
  for (QChar c : answer) number = number && c >= QLatin1Char('0') && c <= QLatin1Char('9');
  return {true, number && answer.toInt() == intGoukei, int(typed.size())};
}

QString pictureFileName(int value) { return QString::number(value) + QStringLiteral(".gif"); }

QString explanation() {
  return platform::tourText({
      "このゲームは『小銭計算ドリル』です。",
      "",
      "１円～１００円までの小銭（実物イメージではありません）が表示されますので合計します。",
      "",
      "表示する小銭数を指定する事ができるほか、",
      "その指定数内でランダムな出題にしたり、表示小銭種を１種類に固定することができます。",
  });
}

}  // namespace games::coins
