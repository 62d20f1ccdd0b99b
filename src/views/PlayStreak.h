// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

#include <vector>

namespace records {
class RecordTable;
}

namespace views {

// Days in a row with at least one play.
struct PlayStreak {
  int current = 0;  // up to today; one that reached yesterday still counts until today ends
  int longest = 0;

  bool operator==(const PlayStreak&) const = default;
};

// The days of the table that have plays, each once, in date order. A date that does not
// read as one is no day; the order of the lines does not matter.
std::vector<QDate> playDays(const records::RecordTable& table);

// days in date order, each once, as playDays gives them.
PlayStreak playStreak(const std::vector<QDate>& days, const QDate& today);

// "連続 12 日（最長 30 日）"
QString streakText(const PlayStreak& streak);

}  // namespace views
