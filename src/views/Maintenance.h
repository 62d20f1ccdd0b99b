// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Backups.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace views {

// Why the nickname cannot be stored (a line break, a character the code page cannot hold),
// or empty when it can. An empty nickname is allowed.
[[nodiscard]] QString nicknameProblem(const QString& nickname);

// The nickname as the file stores it: a double quote becomes a full-width one.
QString storedNickname(const QString& nickname);

// The nickname file, one line: "氏名","<nickname>". Returns an error text for the user.
[[nodiscard]] QString writeNickname(const QString& nickname);

// Marks a new start under way: a start that finds it finishes the new start.
inline const QString kNewStartMarker = QStringLiteral(".atama-keisan.new-start");

// A new start: the nickname written, every game's history emptied (a missing history is made
// empty) and the play record file emptied last; every game's settings, the main settings and
// the memo stay. Every file it changes is kept in the backup folder first. A copy that cannot
// be made, or a folder that takes no file, stops it before anything changed; after that it
// goes on and names every file it could not write. Returns those errors, empty when all went well.
[[nodiscard]] QString startAfresh(const QString& nickname);

// Finishes a new start that was cut short (killed, the power gone); what to tell the user,
// or empty when there was none.
[[nodiscard]] QString finishInterruptedStart();

// The question before one record is deleted, naming it by date, time and item.
QString deleteQuestion(const QString& date, const QString& time, const QString& item);

// A game's history file, by its item name, and the headers of its grid in file order.
struct HistoryColumns {
  QString item;
  QStringList headers;
};

// A copy in the backup folder as "元に戻す" lists it.
struct BackupRow {
  QString file;
  QString takenAt;  // yyyy/MM/dd HH:mm:ss
  QString count;    // the records of the play record, the plays of a history; empty for others
};
std::vector<BackupRow> backupRows(const std::vector<records::Backup>& backups,
                                  const std::vector<HistoryColumns>& histories);

// When the copy was taken, as the list and the messages show it: yyyy/MM/dd HH:mm:ss.
QString takenAtText(const records::Backup& backup);

// The question before a copy is put back, naming the file and the copy's time.
QString restoreQuestion(const records::Backup& backup);

}  // namespace views
