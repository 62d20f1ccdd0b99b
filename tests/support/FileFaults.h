// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

// Writes that fail as on a full disk or in a read-only directory. The attempt runs in a child
// process, so the limit it runs under ends with it; the test then looks at the files.
namespace testing {

constexpr rlim_t kFullDiskLimit = 4096;
enum FaultOutcome { ReportedError = 0, ClaimedSuccess = 1, CouldNotLimit = 2, Crashed = -1 };

// attempt returns the error it reported; the child tells only whether there was one.
inline FaultOutcome inAChild(const std::function<bool()>& limit, const std::function<QString()>& attempt) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (!limit()) ::_exit(CouldNotLimit);
    ::_exit(attempt().isEmpty() ? ClaimedSuccess : ReportedError);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return Crashed;
  return FaultOutcome(WEXITSTATUS(status));
}

// The message the attempt reported in a child under limit; "(no limit)" when the limit
// could not be set.
inline QString messageInAChild(const std::function<bool()>& limit, const std::function<QString()>& attempt) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return QStringLiteral("(no pipe)");
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    const QByteArray text = limit() ? attempt().toUtf8() : QByteArrayLiteral("(no limit)");
    ::_exit(::write(pipeFds[1], text.constData(), size_t(text.size())) == text.size() ? 0 : 1);
  }
  ::close(pipeFds[1]);
  QByteArray text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return QString::fromUtf8(text);
}

// No file can grow past kFullDiskLimit bytes, the way a full disk behaves.
inline bool fullDisk() {
  ::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{kFullDiskLimit, kFullDiskLimit};
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}
inline FaultOutcome onAFullDisk(const std::function<QString()>& attempt) { return inAChild(fullDisk, attempt); }

// The working directory can be read but nothing in it created or renamed. Root may write
// anywhere, so a child of root gives up its rights first.
inline FaultOutcome inAReadOnlyDirectory(const std::function<QString()>& attempt) {
  const QByteArray dir = QFile::encodeName(QDir::currentPath());
  struct stat before {};
  if (::stat(dir.constData(), &before) != 0 || ::chmod(dir.constData(), 0555) != 0) return CouldNotLimit;
  const FaultOutcome outcome = inAChild(
      [] {
        constexpr uid_t kNobody = 65534;
        return ::geteuid() != 0 || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
      },
      attempt);
  ::chmod(dir.constData(), before.st_mode & 07777);
  return outcome;
}

// Root reads and writes past every permission; without these rights it meets them as
// anyone does. Nothing to give up for anyone else.
inline bool withoutRootsRights() {
  if (::geteuid() != 0) return true;
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
  if (::syscall(SYS_capget, &header, data) != 0) return false;
  for (int right : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) data[right / 32].effective &= ~(1u << (right % 32));
  return ::syscall(SYS_capset, &header, data) == 0;
}

// A fresh file system of its own (tmpfs, with options) over the working directory, seen only
// by this process; false where the process may not mount (not root, a confined container).
inline bool ownFileSystemHere(const char* options, unsigned long flags = 0) {
  const QByteArray dir = QFile::encodeName(QDir::currentPath());
  return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         ::mount("tmpfs", dir.constData(), "tmpfs", flags, options) == 0 && ::chdir(dir.constData()) == 0;
}
inline bool readOnlyFileSystem() { return ownFileSystemHere("size=1m", MS_RDONLY); }
// Space left, but every inode taken.
inline bool noFreeInodes() {
  if (!ownFileSystemHere("size=1m,nr_inodes=8")) return false;
  for (int i = 0;; ++i) {
    const int fd = ::open(QByteArray("filler" + QByteArray::number(i)).constData(), O_CREAT | O_WRONLY, 0644);
    if (fd < 0) return errno == ENOSPC;
    ::close(fd);
  }
}

}  // namespace testing
