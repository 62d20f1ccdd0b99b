#include "views/Maintenance.h"

#include "platform/core/Cp932.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"

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

QString writeNickname(const QString& nickname) {
  if (QString problem = nicknameProblem(nickname); !problem.isEmpty()) return problem;
  const QString line = platform::seq::LineBuilder().text(QStringLiteral("氏名")).text(nickname).line();
  return platform::writeTextLines(kPrivateFileName, {line});
}

QString startAfresh(const QString& nickname) {
  if (QString problem = nicknameProblem(nickname); !problem.isEmpty()) return problem;
  if (QString error = records::emptyRecords(); !error.isEmpty()) return error;
  QStringList errors;
  if (QString error = writeNickname(nickname); !error.isEmpty()) errors << error;
  for (const QString& item : records::itemNames()) {
    if (QString error = platform::writeFileAtomic(item + QStringLiteral("履歴.txt"), {}); !error.isEmpty()) {
      errors << error;
    }
  }
  return errors.join(QLatin1String("\r\n"));
}

QString deleteQuestion(const QString& date, const QString& time, const QString& item) {
  return date + QLatin1Char(' ') + time + QLatin1Char(' ') + item + QStringLiteral(" を削除します。よろしいですか？");
}

}  // namespace views
