// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/TextFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace records {

// Before the program replaces or empties a file that holds what the user did, it keeps the
// old file in this folder of the data folder, as "<name>_<yyyyMMdd-HHmmss-zzz><extension>"
// ("-2", "-3" … after the time for a second copy in the same millisecond).
inline const QString kBackupFolder = QStringLiteral("バックアップ");
// The newest copies of each file stay, and the oldest of any go while all of them together
// are larger than the limit; the copy just made always stays.
inline constexpr int kCopiesPerFile = 20;
inline constexpr qint64 kBackupBytes = qint64(50) * 1024 * 1024;

// The play record, the games' histories, the memo and the nickname; not the settings files,
// which every change of a setting rewrites.
bool isKeptFile(const QString& name);

// The step every replacement of such a file takes under the file's lock: its old bytes are
// copied into the backup folder, whole on the disk, before the file changes. A copy that
// cannot be made stops the replacement with a message that says why. An empty or missing
// file holds nothing to keep, and bytes the newest copy of the file holds already are not
// copied again.
platform::KeepOld keepOldCopy(const QString& name);

// A whole-file replacement with that step; an error text for the user, the file unchanged then.
[[nodiscard]] QString replaceKeptFile(const QString& name, const QByteArray& bytes);
[[nodiscard]] QString writeKeptTextLines(const QString& name, const QStringList& lines);

// Copies of several files before one change to all of them (a new start), so that a copy that
// cannot be made stops the change before anything changed; an error text then.
[[nodiscard]] QString keepCopies(const QStringList& names);

// A copy in the backup folder.
struct Backup {
  QString fileName;  // the file it keeps, named as it was named then
  QString path;      // relative to the working directory
  QDateTime takenAt;
  int sequence = 0;  // 1 for the second copy in one millisecond, and so on
  qint64 size = 0;
};
// Every copy of a kept file, newest first. Other files in the folder are not the program's.
std::vector<Backup> listBackups();

// Clears what a copy killed before its rename left in the backup folder, once it is stale.
void removeStaleCopies();

// Puts the copy's bytes back in place of its file, atomically; the file as it is now is
// kept first, so that a restore can be undone too. An error text for the user.
[[nodiscard]] QString restoreBackup(const Backup& backup);

}  // namespace records
