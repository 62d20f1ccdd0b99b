// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace games {

// The one record of a game's settings file. Which fields a game stores, and in which
// order, is its own; the common ones are held here, the game's own ones as extras.
enum class SettingField {
  Kaisu,        // answers per play (or the table size)
  Jikan,        // seconds per play
  Mode,         // "答数" or "秒数"
  AutoSave,     // 0 / 1
  Hint,         // 0 / 1
  ExtraNumber,  // the game's next own setting, stored bare
  ExtraText,    // the game's next own setting, stored quoted
};
using SettingsLayout = std::vector<SettingField>;

struct GameSettings {
  int kaisu = 20;
  double jikan = 60;
  QString mode = QStringLiteral("答数");
  int autoSave = 1;
  int hint = 0;
  QStringList extras;  // the extra fields in layout order
};

// What the settings controls offer: a value outside them cannot be shown, so a file that
// holds one is not used.
struct SettingsChoices {
  int kaisuFrom = 1, kaisuTo = 100;
  int jikanFrom = 10, jikanTo = 180, jikanStep = 5;
  std::vector<QStringList> extras;  // the items of each extra setting; empty: any value

  QStringList jikanItems() const;
  QStringList kaisuItems() const;
};

struct SettingsRead {
  GameSettings settings;
  QString error;  // the file exists but could not be read or holds a value out of range;
                  // the defaults are used then
};

// Missing file or missing fields: the given defaults stand.
[[nodiscard]] SettingsRead readSettings(const QString& fileName, const SettingsLayout& layout,
                                        const GameSettings& defaults, const SettingsChoices& choices);
[[nodiscard]] QString writeSettings(const QString& fileName, const SettingsLayout& layout,
                                    const GameSettings& settings);
QString settingsLine(const SettingsLayout& layout, const GameSettings& settings);

}  // namespace games
