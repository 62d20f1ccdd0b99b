#pragma once

#include "games/framework/GameProfile.h"

#include <QDateTime>

namespace games {

// The finished play as the engine left it, saved at the given moment.
PlayOutcome outcomeOf(const PlayEngine& engine, const QDateTime& savedAt, const QString& operation);

// Saving a play writes one line to the game's history and one record to the play record
// file. Each is tried on its own, so one failing file never costs the other its line.
struct [[nodiscard]] SaveResult {
  bool historyKept = false;
  bool recordKept = false;
  QString error;  // empty when both were kept; else one text naming every file that failed
};
SaveResult savePlay(const GameProfile& profile, const PlayOutcome& play, const QString& detailText);

}  // namespace games
