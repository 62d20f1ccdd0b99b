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

struct SettingsRead {
  GameSettings settings;
  QString error;  // the file exists but could not be read; defaults are used then
};

// Missing file or missing fields: the given defaults stand.
SettingsRead readSettings(const QString& fileName, const SettingsLayout& layout, const GameSettings& defaults);
QString writeSettings(const QString& fileName, const SettingsLayout& layout, const GameSettings& settings);
QString settingsLine(const SettingsLayout& layout, const GameSettings& settings);

}  // namespace games
