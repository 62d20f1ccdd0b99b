// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/Maintenance.h"

#include "platform/core/Cp932.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/DataFiles.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"

#include <QFile>
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
  if (QString error = platform::writeFileAtomic(records::kPrivateFileName, nicknameFile); !error.isEmpty()) {
    errors << error;
  }
  for (const QString& item : records::itemNames()) {
    if (QString error = platform::writeFileAtomic(records::historyFileOf(item), {}); !error.isEmpty()) {
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
  return platform::writeTextLines(records::kPrivateFileName, {nicknameLine(nickname)});
}

QString startAfresh(const QString& nickname) {
  if (QString problem = nicknameProblem(nickname); !problem.isEmpty()) return problem;
  // Written before the first change, holding the nickname file to be; a folder that takes no
  // file stops the new start here, before anything changed.
  const QByteArray nicknameFile = *platform::cp932::encode(QString(nicknameLine(nickname) + QStringLiteral("\r\n")));
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

}  // namespace views
