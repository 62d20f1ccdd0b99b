// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/GameSettings.h"

#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"

#include <cmath>

namespace games {

namespace {
std::optional<int> intIn(const QString& text, int from, int to) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value < from || value > to) return std::nullopt;
  return value;
}

// One field of the file into the settings; false when it is not one of the choices.
bool take(SettingField field, const QString& text, const SettingsChoices& choices, int& extra, GameSettings& s) {
  switch (field) {
    case SettingField::Kaisu: {
      const std::optional<int> value = intIn(text, choices.kaisuFrom, choices.kaisuTo);
      if (value) s.kaisu = *value;
      return value.has_value();
    }
    case SettingField::Jikan: {
      bool ok = false;
      const double value = text.trimmed().toDouble(&ok);
      if (!ok || !std::isfinite(value) || !choices.jikanItems().contains(QString::number(value))) return false;
      s.jikan = value;
      return true;
    }
    case SettingField::Mode:
      s.mode = text;
      return text == QStringLiteral("答数") || text == QStringLiteral("秒数");
    case SettingField::AutoSave: {
      const std::optional<int> value = intIn(text, 0, 1);
      if (value) s.autoSave = *value;
      return value.has_value();
    }
    case SettingField::Hint: {
      const std::optional<int> value = intIn(text, 0, 1);
      if (value) s.hint = *value;
      return value.has_value();
    }
    case SettingField::ExtraNumber:
    case SettingField::ExtraText: {
      const QString value = field == SettingField::ExtraNumber ? text.trimmed() : text;
      const size_t at = size_t(extra++);
      if (at < choices.extras.size() && !choices.extras[at].isEmpty() && !choices.extras[at].contains(value)) {
        return false;
      }
      while (s.extras.size() <= qsizetype(at)) s.extras.append(QString());
      s.extras[qsizetype(at)] = value;
      return true;
    }
  }
  return false;
}
}  // namespace

QStringList SettingsChoices::jikanItems() const {
  QStringList items;
  for (int s = jikanFrom; s <= jikanTo; s += jikanStep) items.append(QString::number(s));
  return items;
}

QStringList SettingsChoices::kaisuItems() const {
  QStringList items;
  for (int n = kaisuFrom; n <= kaisuTo; ++n) items.append(QString::number(n));
  return items;
}

SettingsRead readSettings(const QString& fileName, const SettingsLayout& layout, const GameSettings& defaults,
                          const SettingsChoices& choices) {
  SettingsRead read{defaults, {}};
  const platform::seq::FileRecords file = platform::seq::readFileRecords(fileName);
  read.error = file.error;
  if (file.records.empty()) return read;
  const QStringList& fields = file.records.front();
  GameSettings taken = defaults;
  int extra = 0;
  for (size_t i = 0; i < layout.size() && qsizetype(i) < fields.size(); ++i) {
    if (!take(layout[i], fields[qsizetype(i)], choices, extra, taken)) {
      read.error = platform::seq::unreadableContent(fileName);
      return read;
    }
  }
  read.settings = taken;
  return read;
}

QString settingsLine(const SettingsLayout& layout, const GameSettings& s) {
  platform::seq::LineBuilder line;
  int extra = 0;
  for (SettingField field : layout) {
    switch (field) {
      case SettingField::Kaisu: line.number(s.kaisu); break;
      case SettingField::Jikan: line.numberText(QString::number(s.jikan)); break;
      case SettingField::Mode: line.text(s.mode); break;
      case SettingField::AutoSave: line.number(s.autoSave); break;
      case SettingField::Hint: line.number(s.hint); break;
      case SettingField::ExtraNumber: line.numberText(s.extras.value(extra++)); break;
      case SettingField::ExtraText: line.text(s.extras.value(extra++)); break;
    }
  }
  return line.line();
}

QString writeSettings(const QString& fileName, const SettingsLayout& layout, const GameSettings& settings) {
  return platform::writeTextLines(fileName, {settingsLine(layout, settings)});
}

}  // namespace games
