// SPDX-License-Identifier: GPL-3.0-or-later
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

// The detail most games save with a play: their mode and its setting, as "秒数 : 60", and
// for a game of one operation that operation, as "秒数 : 60  (＋) モード".
QString modeDetail(const QString& mode, const QString& settingText, const QString& operation = {});

}  // namespace games
