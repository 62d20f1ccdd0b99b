// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/PlaySaving.h"

#include "platform/core/TextFile.h"
#include "records/RecordFile.h"

namespace games {

PlayOutcome outcomeOf(const PlayEngine& engine, const QDateTime& savedAt, const QString& operation) {
  PlayOutcome play;
  play.savedAt = savedAt;
  play.ok = engine.intOk();
  play.ng = engine.intNg();
  play.keystrokes = engine.intMoji();
  play.answers = engine.answersGiven();
  play.speedNumerator = engine.speedNumerator();
  play.seconds = engine.playSeconds();
  play.operation = operation;
  return play;
}

// The play record first: it is what every view counts, so a kill between the two appends
// leaves the play counted.
SaveResult savePlay(const GameProfile& profile, const PlayOutcome& play, const QString& detailText) {
  const records::PlayRecord record{records::recordDate(play.savedAt.date()),
                                   records::recordTime(play.savedAt.time()), profile.itemName,
                                   play.seconds, detailText, {}};
  const QString recordError = records::appendRecord(record);
  const QString historyError = platform::appendTextLine(profile.historyFile(), historyLine(profile.history, play));

  SaveResult result{historyError.isEmpty(), recordError.isEmpty(), {}};
  if (result.historyKept && result.recordKept) return result;
  QStringList lines{QStringLiteral("%1 %2 のプレイ（%3）は、次のとおり保存できませんでした。")
                        .arg(record.date, record.time, detailText)};
  if (!result.historyKept) {
    lines << QStringLiteral("・ゲームの履歴「%1」に残っていません：%2").arg(profile.historyFile(), historyError);
  }
  if (!result.recordKept) {
    lines << QStringLiteral("・プレイの記録「%1」に残っていません：%2").arg(records::kRecordFileName, recordError);
  }
  if (result.historyKept) lines << QStringLiteral("（ゲームの履歴「%1」には保存しました。）").arg(profile.historyFile());
  if (result.recordKept) lines << QStringLiteral("（プレイの記録「%1」には保存しました。）").arg(records::kRecordFileName);
  result.error = lines.join(QStringLiteral("\r\n"));
  return result;
}

QString modeDetail(const QString& mode, const QString& settingText, const QString& operation) {
  QString detail = mode + QStringLiteral(" : ") + settingText;
  if (!operation.isEmpty()) detail += QStringLiteral("  (") + operation + QStringLiteral(") モード");
  return detail;
}

}  // namespace games
