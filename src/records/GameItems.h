// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

namespace records {

// The games by item name, in the order every list and table uses; the program's table of
// games (its menu, windows and help) follows the same order.
inline constexpr int kItemCount = 7;

inline const std::array<QString, kItemCount>& itemNames() {
  static const std::array<QString, kItemCount> names{
      QStringLiteral("ブロック計算"), QStringLiteral("隣接加減ネオ"), QStringLiteral("表計算"),
      QStringLiteral("スピード計算"), QStringLiteral("逆計算"),       QStringLiteral("小銭計算"),
      QStringLiteral("時間計算")};
  return names;
}

}  // namespace records
