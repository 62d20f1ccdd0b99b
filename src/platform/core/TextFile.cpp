// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/TextFile.h"

#include "platform/core/Cp932.h"
#include "platform/core/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {
// A whole-file write goes to "<name>.atama-XXXXXX.tmp" first and is renamed over the name.
const QLatin1String kTempMark(".atama-");
const QLatin1String kTempEnd(".tmp");
constexpr int kTempRandomChars = 6;

// Why a file could not be read or written, in words a person can act on; empty when the
// system gave no reason worth telling.
QString reasonOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return QStringLiteral("ファイルかフォルダーに、読み書きする権限がありません。");
    case EROFS: return QStringLiteral("フォルダーが読み取り専用です。");
    case EISDIR: return QStringLiteral("その名前のフォルダーがあります。");
    case EFBIG:
    case EDQUOT: return QStringLiteral("ディスクの空き容量が足りません。");
    case ENOSPC: {
      // A full inode table gives the same error as a full disk, with space left.
      struct statvfs folder {};
      if (::statvfs(".", &folder) == 0 && folder.f_favail == 0 && folder.f_files > 0 && folder.f_bavail > 0)
        return QStringLiteral("ディスクにこれ以上ファイルを作れません（空き容量はあっても、ファイルの数が上限です）。");
      return QStringLiteral("ディスクの空き容量が足りません。");
    }
    case EIO: return QStringLiteral("ディスクの読み書きに失敗しました。");
    default: return {};
  }
}

QString cannotRead(const QString& name, int error = 0) {
  qCWarning(lcFiles) << "cannot read" << name << (error ? std::strerror(error) : "");
  return QStringLiteral("ファイル「%1」を読み込めませんでした。").arg(name) + reasonOf(error);
}
QString cannotWrite(const QString& name, int error = 0) {
  qCWarning(lcFiles) << "cannot write" << name << (error ? std::strerror(error) : "");
  return QStringLiteral("ファイル「%1」に書き込めませんでした。").arg(name) + reasonOf(error);
}

bool isAsciiLetterOrDigit(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Writes all of bytes at offset, going on after short writes; false with errno set otherwise.
bool writeAll(int fd, QByteArrayView bytes, off_t offset) {
  while (!bytes.isEmpty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), size_t(bytes.size()), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes = bytes.sliced(n);
    offset += n;
  }
  return true;
}

// Creates a temporary file of its own next to path; -1 with errno set when none can be made.
int createTemporaryFile(const QByteArray& path, mode_t mode, QByteArray& tempPath) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    QByteArray random(kTempRandomChars, Qt::Uninitialized);
    for (char& c : random) c = kChars[QRandomGenerator::global()->bounded(int(sizeof kChars - 1))];
    tempPath = path;
    tempPath.append(kTempMark.data(), kTempMark.size()).append(random).append(kTempEnd.data(), kTempEnd.size());
    const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Makes the rename itself durable. The new content is already in place, so a failure here
// is not worth reporting.
void syncDirectoryOf(const QString& path) {
  const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                        O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// What a killed write leaves after the file's name: ".atama-" + 6 letters or digits + ".tmp".
// Nothing else is ours: a user's "データ.txt.oldBak" stays.
bool isTemporarySuffix(QStringView suffix) {
  if (!suffix.startsWith(kTempMark)) return false;
  const QStringView rest = suffix.sliced(kTempMark.size());
  if (rest.size() != kTempRandomChars + kTempEnd.size() || !rest.endsWith(kTempEnd)) return false;
  return std::all_of(rest.begin(), rest.begin() + kTempRandomChars, isAsciiLetterOrDigit);
}

// Opens path and takes its advisory lock, which every writer of this program holds while it
// changes the file. A file renamed over path while this one waited is let go and the new
// one taken, so that nothing is written into a file that is gone. -1 with errno otherwise;
// created tells whether this call made the file.
int openLocked(const QByteArray& path, int flags, bool& created) {
  for (;;) {
    created = false;
    int fd = ::open(path.constData(), (flags & ~O_CREAT) | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && (flags & O_CREAT)) {
      fd = ::open(path.constData(), flags | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno == EEXIST) continue;  // another writer made it first
      created = fd >= 0;
    }
    if (fd < 0) return -1;
    while (::flock(fd, LOCK_EX) != 0) {
      if (errno != EINTR) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
      }
    }
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev) {
      return fd;
    }
    ::close(fd);  // replaced while this one waited: the new file is the one to lock
  }
}

bool readAll(int fd, QByteArray& bytes) {
  bytes.clear();
  char buffer[65536];
  for (off_t offset = 0;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, n);
    offset += n;
  }
}
}  // namespace

QString resolveFileName(const QString& name) {
  if (QFile::exists(name)) return name;
  const QStringList entries = QDir::current().entryList(QDir::Files | QDir::Hidden, QDir::Name);
  for (const QString& entry : entries) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
  }
  return name;
}

std::optional<FileStamp> fileStamp(const QString& name) {
  struct stat info {};
  if (::stat(QFile::encodeName(resolveFileName(name)).constData(), &info) != 0) return std::nullopt;
  return FileStamp{qint64(info.st_size), qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
                   quint64(info.st_ino)};
}

FileBytes readFileBytes(const QString& name) {
  FileBytes result;
  const QString found = resolveFileName(name);
  QFile file(found);
  if (!file.exists()) return result;
  result.exists = true;
  if (QFileInfo(found).isDir()) {
    result.error = cannotRead(name, EISDIR);
    return result;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    // Asked as the open was made: with the effective rights, which a root without its own may lack.
    const bool readable = ::faccessat(AT_FDCWD, QFile::encodeName(found).constData(), R_OK, AT_EACCESS) == 0;
    result.error = cannotRead(name, readable ? 0 : errno);
    return result;
  }
  result.bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    result.bytes.clear();
    result.error = cannotRead(name);
  }
  return result;
}

namespace {
std::function<void(const QString&)>& replacedWithoutKeeping() {
  static std::function<void(const QString&)> observer;
  return observer;
}

// Replaces the file; with expected, only while the file still holds those bytes (nullopt when
// it does not). The old file's lock is held from the check through the rename, so that no
// append of another writer falls between them and is lost with the old file. keepOld sees
// the old bytes under that lock.
std::optional<QString> replaceFile(const QString& name, const QByteArray& bytes, const QByteArray* expected,
                                   const KeepOld& keepOld) {
  if (!keepOld && replacedWithoutKeeping()) replacedWithoutKeeping()(name);
  QString target = resolveFileName(name);
  const QFileInfo link(target);
  if (link.isSymLink()) target = link.symLinkTarget();  // replace what the link points to, keep the link
  const QByteArray path = QFile::encodeName(target);
  struct stat old {};
  const bool exists = ::stat(path.constData(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return cannotWrite(name, S_ISDIR(old.st_mode) ? EISDIR : 0);
  if (exists && ::access(path.constData(), W_OK) != 0) return cannotWrite(name, errno);
  // A missing file is made, empty, to be locked too: an appender that makes it meanwhile waits.
  bool created = false;
  const int lockFd = openLocked(path, exists ? O_RDONLY : O_RDWR | O_CREAT, created);
  if (lockFd < 0) return cannotWrite(name, errno);
  bool replaced = false;
  const auto unlock = qScopeGuard([&] {
    if (created && !replaced) ::unlink(path.constData());
    ::close(lockFd);
  });
  QByteArray now;
  if (expected || keepOld) {
    if (!readAll(lockFd, now)) return cannotRead(name);
    if (expected && now != *expected) return std::nullopt;
  }
  if (keepOld) {
    if (QString error = keepOld(now); !error.isEmpty()) return error;
  }

  QByteArray tempPath;
  const int fd = createTemporaryFile(path, exists ? 0600 : 0666, tempPath);
  if (fd < 0) return cannotWrite(name, errno);
  // Keeping the old mode is a courtesy; the content matters more than a refused chmod.
  if (exists) ::fchmod(fd, old.st_mode & 07777);
  int error = 0;
  if (!writeAll(fd, bytes, 0) || ::fsync(fd) != 0) {
    error = errno;
    ::close(fd);
  } else if (::close(fd) != 0) {
    error = errno;
  } else if (::rename(tempPath.constData(), path.constData()) != 0) {
    error = errno;
  } else {
    replaced = true;
    syncDirectoryOf(target);
    return QString();
  }
  ::unlink(tempPath.constData());
  return cannotWrite(name, error);
}
}  // namespace

QString writeFileAtomic(const QString& name, const QByteArray& bytes, const KeepOld& keepOld) {
  return *replaceFile(name, bytes, nullptr, keepOld);
}

std::optional<QString> replaceFileIfUnchanged(const QString& name, const QByteArray& bytes, const QByteArray& expected,
                                              const KeepOld& keepOld) {
  return replaceFile(name, bytes, &expected, keepOld);
}

void setReplacedWithoutKeepingObserver(std::function<void(const QString&)> observer) {
  replacedWithoutKeeping() = std::move(observer);
}

QString makeFolder(const QString& name) {
  const QByteArray path = QFile::encodeName(name);
  if (::mkdir(path.constData(), 0777) == 0) return {};
  const int error = errno;
  struct stat there {};
  if (error == EEXIST && ::stat(path.constData(), &there) == 0) {
    if (S_ISDIR(there.st_mode)) return {};
    qCWarning(lcFiles) << "cannot make the folder" << name << "a file stands in its place";
    return QStringLiteral("フォルダー「%1」を作れませんでした。同じ名前のファイルがあります。").arg(name);
  }
  qCWarning(lcFiles) << "cannot make the folder" << name << std::strerror(error);
  return QStringLiteral("フォルダー「%1」を作れませんでした。").arg(name) + reasonOf(error);
}

QString appendLine(const QString& name, const QByteArray& line) {
  const QByteArray path = QFile::encodeName(resolveFileName(name));
  // O_APPEND and the lock: another writer's line is never overwritten, nor torn.
  bool created = false;
  int fd = openLocked(path, O_RDWR | O_APPEND | O_CREAT, created);
  if (fd < 0) return cannotWrite(name, errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return cannotWrite(name, S_ISDIR(info.st_mode) ? EISDIR : 0);
  }
  const off_t oldSize = info.st_size;
  QByteArray out;
  if (oldSize > 0) {
    char last = 0;
    if (::pread(fd, &last, 1, oldSize - 1) != 1) {
      const int error = errno;
      ::close(fd);
      return cannotWrite(name, error);
    }
    // After a bare CR only its LF is missing.
    if (last == '\r') {
      out += "\n";
    } else if (last != '\n') {
      out += "\r\n";
    }
  }
  out += line;
  out += "\r\n";

  if (writeAll(fd, out, oldSize) && ::fsync(fd) == 0) {
    if (::close(fd) == 0) return {};
    fd = -1;
  }
  // The completed line end belongs to the append, so the file goes back to its exact old bytes.
  const int error = errno;
  bool restored = false;
  if (fd >= 0) {
    restored = ::ftruncate(fd, oldSize) == 0;
    ::close(fd);
  } else {
    restored = ::truncate(path.constData(), oldSize) == 0;
  }
  if (restored && created) restored = ::unlink(path.constData()) == 0;
  QString text = cannotWrite(name, error);
  if (!restored) text += QStringLiteral("ファイルの末尾に書きかけの行が残っているかもしれません。");
  return text;
}

QString appendTextLine(const QString& name, const QString& line) {
  const std::optional<QByteArray> bytes = cp932::encode(line);
  if (!bytes) return cp932::unencodableMessage(line);
  return appendLine(name, *bytes);
}

QString undecodableFileMessage(const QString& name) {
  return cannotRead(name) + QStringLiteral("Shift_JIS（コードページ 932）の文字として読めないバイトがあります。");
}

QList<QByteArrayView> splitLines(QByteArrayView bytes) {
  QList<QByteArrayView> lines;
  forEachLine(bytes, [&lines](QByteArrayView line) { lines.append(line); });
  return lines;
}

TextLines readTextLines(const QString& name) {
  TextLines result;
  const FileBytes file = readFileBytes(name);
  result.exists = file.exists;
  result.error = file.error;
  if (!file.error.isEmpty()) return result;
  for (QByteArrayView line : splitLines(file.bytes)) {
    std::optional<QString> text = cp932::decode(line);
    if (!text) {
      result.lines.clear();
      result.error = undecodableFileMessage(name);
      return result;
    }
    result.lines.append(*text);
  }
  return result;
}

// The code page holds some characters in two forms (NEC and IBM codes of one sign): a line
// that is saved unchanged keeps the bytes it had, found at its own place or anywhere else in
// the file, rather than those the converter would choose.
QString writeTextLines(const QString& name, const QStringList& lines, const KeepOld& keepOld) {
  const FileBytes old = readFileBytes(name);
  const QList<QByteArrayView> oldLines = splitLines(old.bytes);
  QHash<QString, QByteArrayView> oldBytesOf;
  bool indexed = false;
  auto keptBytes = [&](qsizetype at, const QString& line) -> std::optional<QByteArrayView> {
    if (at < oldLines.size() && cp932::decode(oldLines[at]) == line) return oldLines[at];
    if (!std::exchange(indexed, true)) {
      for (QByteArrayView oldLine : oldLines) {
        if (std::optional<QString> text = cp932::decode(oldLine); text && !oldBytesOf.contains(*text)) {
          oldBytesOf.insert(*text, oldLine);
        }
      }
    }
    if (const auto found = oldBytesOf.constFind(line); found != oldBytesOf.cend()) return *found;
    return std::nullopt;
  };
  QByteArray bytes;
  for (qsizetype at = 0; at < lines.size(); ++at) {
    const QString& line = lines[at];
    if (const std::optional<QByteArrayView> kept = keptBytes(at, line)) {
      bytes += *kept;
    } else {
      std::optional<QByteArray> encoded = cp932::encode(line);
      if (!encoded) return cp932::unencodableMessage(line);
      bytes += *encoded;
    }
    bytes += "\r\n";
  }
  return writeFileAtomic(name, bytes, keepOld);
}

void removeStaleTemporaryFiles(const QString& folder, const std::function<bool(const QString&)>& ours) {
  const qsizetype suffixSize = kTempMark.size() + kTempRandomChars + kTempEnd.size();
  const QDir dir(folder);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
  for (const QString& entry : entries) {
    if (entry.size() <= suffixSize || !isTemporarySuffix(QStringView(entry).last(suffixSize))) continue;
    if (!ours(entry.chopped(suffixSize))) continue;
    const QByteArray path = QFile::encodeName(dir.filePath(entry));
    struct stat info {};
    // A save renames its file within milliseconds: a younger one is another copy's, saving now.
    constexpr time_t kStaleAfterSeconds = 60;
    if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
        std::time(nullptr) - info.st_mtim.tv_sec > kStaleAfterSeconds) {
      ::unlink(path.constData());
    }
  }
}

void removeStaleTemporaryFiles(const QStringList& names) {
  removeStaleTemporaryFiles(QStringLiteral("."),
                            [&names](const QString& file) { return names.contains(file, Qt::CaseInsensitive); });
}

}  // namespace platform
