// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/Maintenance.h"

#include "platform/core/Cp932.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/Backups.h"
#include "records/DataFiles.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace views {

QString nicknameProblem(const QString& nickname) {
  if (nickname.contains(QLatin1Char('\n')) || nickname.contains(QLatin1Char('\r'))) {
    return QStringLiteral("改行はファイルに保存できません。改行を除いてください。");
  }
  if (!platform::cp932::firstUnencodable(nickname).isEmpty()) return platform::cp932::unencodableMessage(nickname);
  return {};
}

QString storedNickname(const QString& nickname) { return platform::seq::storableText(nickname); }

namespace {
QString nicknameLine(const QString& nickname) {
  return platform::seq::LineBuilder().text(QStringLiteral("氏名")).text(nickname).line();
}

// The steps of a new start after its marker, the play record file last: cut short anywhere,
// the records are still all there, and the marker tells the next start to finish the rest.
QStringList finishNewStart(const QByteArray& nicknameFile) {
  QStringList errors;
  if (QString error = records::replaceKeptFile(records::kPrivateFileName, nicknameFile); !error.isEmpty()) {
    errors << error;
  }
  for (const QString& item : records::itemNames()) {
    if (QString error = records::replaceKeptFile(records::historyFileOf(item), {}); !error.isEmpty()) {
      errors << error;
    }
  }
  if (QString error = records::emptyRecords(); !error.isEmpty()) errors << error;
  // Left in place, it would empty the records again at the next start, plays and all.
  if (!QFile::remove(kNewStartMarker) && QFile::exists(kNewStartMarker)) {
    errors << QStringLiteral("ファイル「%1」を消せませんでした。次の起動の前に消してください。").arg(kNewStartMarker);
  }
  return errors;
}
}  // namespace

QString writeNickname(const QString& nickname) {
  if (QString problem = nicknameProblem(nickname); !problem.isEmpty()) return problem;
  return records::writeKeptTextLines(records::kPrivateFileName, {nicknameLine(nickname)});
}

QString startAfresh(const QString& nickname) {
  if (QString problem = nicknameProblem(nickname); !problem.isEmpty()) return problem;
  // Written before the first change, holding the nickname file to be; a folder that takes no
  // file stops the new start here, before anything changed.
  const QByteArray nicknameFile = *platform::cp932::encode(QString(nicknameLine(nickname) + QStringLiteral("\r\n")));
  // Every file kept before the first change: a copy that cannot be made stops it here too.
  QStringList kept{records::kRecordFileName, records::kPrivateFileName};
  for (const QString& item : records::itemNames()) kept << records::historyFileOf(item);
  if (QString error = records::keepCopies(kept); !error.isEmpty()) return error;
  if (QString error = platform::writeFileAtomic(kNewStartMarker, nicknameFile); !error.isEmpty()) return error;
  return finishNewStart(nicknameFile).join(QLatin1String("\r\n"));
}

QString finishInterruptedStart() {
  const platform::FileBytes marker = platform::readFileBytes(kNewStartMarker);
  if (!marker.exists) return {};
  const QString head = QStringLiteral("前回の新規スタートは途中で止まっていました。");
  if (!marker.error.isEmpty()) return head + QStringLiteral("\r\n\r\n") + marker.error;
  const QStringList errors = finishNewStart(marker.bytes);
  if (errors.isEmpty()) return head + QStringLiteral("残りを済ませ、新規スタートを完了しました。");
  return head + QStringLiteral("残りを済ませようとしましたが、できなかったことがあります。\r\n\r\n") +
         errors.join(QLatin1String("\r\n"));
}

QString deleteQuestion(const QString& date, const QString& time, const QString& item) {
  return date + QLatin1Char(' ') + time + QLatin1Char(' ') + item + QStringLiteral(" を削除します。よろしいですか？");
}

QString takenAtText(const records::Backup& backup) {
  return backup.takenAt.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

namespace {
// How many records or plays a copy holds; lines that cannot be read are not counted.
QString countOf(const records::Backup& backup, const std::vector<HistoryColumns>& histories) {
  if (backup.fileName.compare(records::kRecordFileName, Qt::CaseInsensitive) == 0) {
    platform::FileBytes file = platform::readFileBytes(backup.path);
    if (!file.error.isEmpty()) return {};
    return QString::number(records::RecordTable::parse(std::move(file.bytes)).size());
  }
  for (const HistoryColumns& history : histories) {
    if (backup.fileName.compare(records::historyFileOf(history.item), Qt::CaseInsensitive) != 0) continue;
    const platform::seq::FileRecords file =
        platform::seq::readFileRecords(backup.path, platform::seq::BadLines::Skip, history.headers.size());
    return file.error.isEmpty() ? QString::number(file.records.size()) : QString();
  }
  return {};
}
}  // namespace

std::vector<BackupRow> backupRows(const std::vector<records::Backup>& backups,
                                  const std::vector<HistoryColumns>& histories) {
  std::vector<BackupRow> rows;
  rows.reserve(backups.size());
  for (const records::Backup& backup : backups) {
    rows.push_back({backup.fileName, takenAtText(backup), countOf(backup, histories)});
  }
  return rows;
}

QString restoreQuestion(const records::Backup& backup) {
  QString question = QStringLiteral("「%1」を %2 のバックアップに戻します。よろしいですか？")
                         .arg(backup.fileName, takenAtText(backup));
  // An empty or missing file gets no copy, so only a file with content is promised one.
  if (QFileInfo(backup.fileName).size() > 0) {
    question +=
        QStringLiteral("\r\n（今の「%1」も「%2」フォルダに残ります。）").arg(backup.fileName, records::kBackupFolder);
  }
  return question;
}

}  // namespace views
