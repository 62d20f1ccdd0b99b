// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/Backups.h"

#include "platform/core/Clock.h"
#include "platform/core/Log.h"
#include "records/DataFiles.h"
#include "records/GameItems.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <optional>
#include <tuple>

namespace records {

namespace {
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

// "<stem>_<stamp>[-<n>]<extension>"; the stem and the extension make the file's name.
const QRegularExpression& copyName() {
  static const QRegularExpression pattern(QStringLiteral("^(.+)_(\\d{8}-\\d{6}-\\d{3})(?:-(\\d+))?(\\.[^._]*)?$"));
  return pattern;
}

std::optional<Backup> parseCopy(const QString& entry, qint64 size) {
  const QRegularExpressionMatch match = copyName().match(entry);
  if (!match.hasMatch()) return std::nullopt;
  const QString fileName = match.captured(1) + match.captured(4);
  if (!isKeptFile(fileName)) return std::nullopt;
  const QDateTime at = QDateTime::fromString(match.captured(2), kStampFormat);
  if (!at.isValid()) return std::nullopt;
  const int sequence = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt() - 1;
  return Backup{fileName, kBackupFolder + QLatin1Char('/') + entry, at, sequence, size};
}

bool newer(const Backup& a, const Backup& b) {
  return std::tie(a.takenAt, a.sequence) > std::tie(b.takenAt, b.sequence);
}

bool sameFile(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString copyPath(const QString& fileName, const QDateTime& at, int sequence) {
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  const QString stem = dot > 0 ? fileName.left(dot) : fileName;
  const QString extension = dot > 0 ? fileName.mid(dot) : QString();
  const QString again = sequence > 0 ? QStringLiteral("-%1").arg(sequence + 1) : QString();
  return kBackupFolder + QLatin1Char('/') + stem + QLatin1Char('_') + at.toString(kStampFormat) + again + extension;
}

QString notKept(const QString& fileName, const QString& why) {
  return QStringLiteral("「%1」のバックアップを作れなかったため、変更しませんでした。\r\n").arg(fileName) + why;
}

// Copies bytes of fileName into the folder and names the copy in made; an error text when
// it cannot. No copy for bytes the newest copy holds already (made names that one).
QString copyInto(const QString& fileName, const QByteArray& bytes, QString& made) {
  if (bytes.isEmpty()) return {};
  const std::vector<Backup> copies = listBackups();
  const auto newest =
      std::find_if(copies.begin(), copies.end(), [&](const Backup& copy) { return sameFile(copy.fileName, fileName); });
  if (newest != copies.end() && newest->size == bytes.size()) {
    const platform::FileBytes held = platform::readFileBytes(newest->path);
    if (held.error.isEmpty() && held.bytes == bytes) {
      made = newest->path;
      return {};
    }
  }
  if (QString error = platform::makeFolder(kBackupFolder); !error.isEmpty()) return error;
  const QDateTime now = platform::Clock::now();
  QString path;
  for (int sequence = 0;; ++sequence) {
    path = copyPath(fileName, now, sequence);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) break;
  }
  if (QString error = platform::writeFileAtomic(path, bytes); !error.isEmpty()) return error;
  made = path;
  return {};
}

// The newest copies of each file stay, then the oldest of any go while all are too large.
// Never fails a change: a copy that cannot be removed is only logged.
void prune(const QStringList& spared) {
  const std::vector<Backup> copies = listBackups();
  QHash<QString, int> perFile;
  std::vector<const Backup*> left;
  qint64 total = 0;
  const auto remove = [&spared](const Backup& copy) {
    if (spared.contains(copy.path)) return false;
    if (QFile::remove(copy.path)) return true;
    qCWarning(lcFiles) << "cannot remove the old backup" << copy.path;
    return false;
  };
  for (const Backup& copy : copies) {
    if (++perFile[copy.fileName.toCaseFolded()] > kCopiesPerFile && remove(copy)) continue;
    left.push_back(&copy);
    total += copy.size;
  }
  for (auto oldest = left.rbegin(); oldest != left.rend() && total > kBackupBytes; ++oldest) {
    if (remove(**oldest)) total -= (*oldest)->size;
  }
}

platform::KeepOld keepStep(const QString& name, const QString& spared) {
  // The name as the folder has it, so that a restore writes back to the very file.
  const QString fileName = QFileInfo(platform::resolveFileName(name)).fileName();
  return [fileName, spared](const QByteArray& old) {
    QString made;
    if (QString error = copyInto(fileName, old, made); !error.isEmpty()) return notKept(fileName, error);
    if (!made.isEmpty()) prune({made, spared});
    return QString();
  };
}
}  // namespace

bool isKeptFile(const QString& name) {
  if (sameFile(name, kRecordFileName) || sameFile(name, kMemoFileName) || sameFile(name, kPrivateFileName)) {
    return true;
  }
  return std::any_of(itemNames().begin(), itemNames().end(),
                     [&name](const QString& item) { return sameFile(name, historyFileOf(item)); });
}

platform::KeepOld keepOldCopy(const QString& name) { return keepStep(name, {}); }

QString replaceKeptFile(const QString& name, const QByteArray& bytes) {
  return platform::writeFileAtomic(name, bytes, keepOldCopy(name));
}

QString writeKeptTextLines(const QString& name, const QStringList& lines) {
  return platform::writeTextLines(name, lines, keepOldCopy(name));
}

QString keepCopies(const QStringList& names) {
  QStringList made;
  for (const QString& name : names) {
    const QString fileName = QFileInfo(platform::resolveFileName(name)).fileName();
    // A folder in the file's place holds nothing to keep; the change reports it as it fails.
    if (QFileInfo(fileName).isDir()) continue;
    const platform::FileBytes file = platform::readFileBytes(name);
    if (!file.exists) continue;
    QString copy;
    QString error = file.error;
    if (error.isEmpty()) error = copyInto(fileName, file.bytes, copy);
    if (!error.isEmpty()) {
      return QStringLiteral("「%1」のバックアップを作れなかったため、何も変更しませんでした。\r\n").arg(fileName) +
             error;
    }
    if (!copy.isEmpty()) made << copy;
  }
  if (!made.isEmpty()) prune(made);
  return {};
}

std::vector<Backup> listBackups() {
  std::vector<Backup> copies;
  const QFileInfoList entries = QDir(kBackupFolder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
  for (const QFileInfo& entry : entries) {
    if (std::optional<Backup> copy = parseCopy(entry.fileName(), entry.size())) copies.push_back(*std::move(copy));
  }
  std::sort(copies.begin(), copies.end(), newer);
  return copies;
}

void removeStaleCopies() {
  platform::removeStaleTemporaryFiles(kBackupFolder,
                                      [](const QString& copy) { return parseCopy(copy, 0).has_value(); });
}

QString restoreBackup(const Backup& backup) {
  const platform::FileBytes copy = platform::readFileBytes(backup.path);
  if (!copy.error.isEmpty()) return copy.error;
  if (!copy.exists) return QStringLiteral("バックアップ「%1」が見つかりません。").arg(backup.path);
  // The copy being put back stays in the list, even as the oldest of twenty.
  return platform::writeFileAtomic(backup.fileName, copy.bytes, keepStep(backup.fileName, backup.path));
}

}  // namespace records
