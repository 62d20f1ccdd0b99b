// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Whole-file input and output in the working directory. Names are matched without regard
// to letter case, so "データ.txt" finds "データ.TXT". Errors come back as texts for the user.
namespace platform {

// The entry of the working directory that matches name regardless of letter case, or name
// itself when there is none.
QString resolveFileName(const QString& name);

// What tells one version of a file from another: size, modification time, inode.
struct FileStamp {
  qint64 size = 0;
  qint64 modifiedNs = 0;
  quint64 inode = 0;
  bool operator==(const FileStamp&) const = default;
};
// The stamp of a file of the working directory; nullopt when there is none.
std::optional<FileStamp> fileStamp(const QString& name);

struct FileBytes {
  QByteArray bytes;
  bool exists = false;
  QString error;  // empty when the file was read in full or does not exist
};
[[nodiscard]] FileBytes readFileBytes(const QString& name);

// What a replacement does first with the file's old bytes (none for a missing file), under
// the file's lock, so that no append falls between it and the replacement: an error text
// stops the replacement, and the file stays as it was.
using KeepOld = std::function<QString(const QByteArray& old)>;

// Replaces the file's content atomically: the old file is replaced only once every byte of
// the new one is on the disk, so a full disk or a crash leaves the old or the new file.
[[nodiscard]] QString writeFileAtomic(const QString& name, const QByteArray& bytes, const KeepOld& keepOld = {});

// The same, but only while the file still holds expected (a missing file holds nothing);
// nullopt when it no longer does, and nothing is written then. The check and the
// replacement hold the file's lock, so that no append falls between them.
[[nodiscard]] std::optional<QString> replaceFileIfUnchanged(const QString& name, const QByteArray& bytes,
                                                            const QByteArray& expected, const KeepOld& keepOld = {});

// Called with the name of every file replaced without a KeepOld step: tests use it to find a
// replacement that forgot to keep what it replaced.
void setReplacedWithoutKeepingObserver(std::function<void(const QString& name)> observer);

// Makes a folder of the working directory unless it is there; an error text for the user when
// it cannot be made (a file of that name, a read-only folder).
[[nodiscard]] QString makeFolder(const QString& name);

// Appends one line and its CR LF under the file's lock; completes a last line that lacks its
// line end first. An append that fails leaves the file as it was.
[[nodiscard]] QString appendLine(const QString& name, const QByteArray& line);

// Appends one line of text in code page 932; refuses a text the code page cannot hold.
[[nodiscard]] QString appendTextLine(const QString& name, const QString& line);

// What the user is told of a file that holds bytes that are not code page 932.
[[nodiscard]] QString undecodableFileMessage(const QString& name);

// Small text files: decoded from code page 932, split at line ends (CR LF or LF).
struct TextLines {
  QStringList lines;
  bool exists = false;
  QString error;
};
[[nodiscard]] TextLines readTextLines(const QString& name);

// Writes lines in code page 932, each ended by CR LF, atomically; a line the file holds
// already keeps its bytes. Refuses a text that the code page cannot hold and leaves the
// file untouched then.
[[nodiscard]] QString writeTextLines(const QString& name, const QStringList& lines, const KeepOld& keepOld = {});

// Removes from the working directory the temporary files that a whole-file write of one of
// names left behind when it was killed before it could finish, once they are a minute old.
// Touches nothing else.
void removeStaleTemporaryFiles(const QStringList& names);
// The same in folder, for the files whose names ours accepts.
void removeStaleTemporaryFiles(const QString& folder, const std::function<bool(const QString&)>& ours);

// Splits whole-file bytes into lines without their line ends; a missing final line end is
// tolerated.
QList<QByteArrayView> splitLines(QByteArrayView bytes);

// Calls f for each line of bytes, as splitLines would give them.
template <typename F>
void forEachLine(QByteArrayView bytes, F&& f) {
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', start);
    const qsizetype next = end < 0 ? bytes.size() : end + 1;
    if (end < 0) end = bytes.size();
    qsizetype stop = end;
    if (stop > start && bytes[stop - 1] == '\r') --stop;
    f(bytes.sliced(start, stop - start));
    start = next;
  }
}

}  // namespace platform
