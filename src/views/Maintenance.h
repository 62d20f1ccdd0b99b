#pragma once

#include <QString>

namespace views {

inline const QString kPrivateFileName = QStringLiteral("プライベート.txt");

// Why the nickname cannot be stored (a line break, a character the code page cannot hold),
// or empty when it can. An empty nickname is allowed.
[[nodiscard]] QString nicknameProblem(const QString& nickname);

// The nickname as the file stores it: a double quote becomes a full-width one.
QString storedNickname(const QString& nickname);

// The nickname file, one line: "氏名","<nickname>". Returns an error text for the user.
[[nodiscard]] QString writeNickname(const QString& nickname);

// A new start: the play record file and every game's history emptied (a missing history is
// made empty), the nickname written; every game's settings, the main settings and the memo
// stay. A record file that cannot be emptied stops it before anything changed; after that it
// goes on and names every file it could not write. Returns those errors, empty when all went well.
[[nodiscard]] QString startAfresh(const QString& nickname);

// The question before one record is deleted, naming it by date, time and item.
QString deleteQuestion(const QString& date, const QString& time, const QString& item);

}  // namespace views
