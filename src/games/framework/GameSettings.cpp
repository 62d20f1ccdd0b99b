#include "games/framework/GameSettings.h"

#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"

namespace games {

namespace {
void readInt(const QString& text, int& into) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (ok) into = value;
}
}  // namespace

SettingsRead readSettings(const QString& fileName, const SettingsLayout& layout, const GameSettings& defaults) {
  SettingsRead read{defaults, {}};
  const platform::seq::FileRecords file = platform::seq::readFileRecords(fileName);
  read.error = file.error;
  if (file.records.empty()) return read;
  const QStringList& fields = file.records.front();
  GameSettings& s = read.settings;
  int extra = 0;
  for (size_t i = 0; i < layout.size(); ++i) {
    const bool present = qsizetype(i) < fields.size();
    const QString text = present ? fields[qsizetype(i)] : QString();
    switch (layout[i]) {
      case SettingField::Kaisu: if (present) readInt(text, s.kaisu); break;
      case SettingField::Jikan:
        if (present) {
          bool ok = false;
          const double value = text.trimmed().toDouble(&ok);
          if (ok) s.jikan = value;
        }
        break;
      case SettingField::Mode: if (present) s.mode = text; break;
      case SettingField::AutoSave: if (present) readInt(text, s.autoSave); break;
      case SettingField::Hint: if (present) readInt(text, s.hint); break;
      case SettingField::ExtraNumber:
      case SettingField::ExtraText:
        if (present) {
          while (s.extras.size() <= extra) s.extras.append(QString());
          s.extras[extra] = text;
        }
        ++extra;
        break;
    }
  }
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
