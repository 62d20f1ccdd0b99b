#include "platform/core/TextFile.h"

#include "platform/core/Cp932.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

namespace platform {

namespace {
QString cannotRead(const QString& name) {
  return QStringLiteral("ファイル「%1」を読み込めませんでした。").arg(name);
}
QString cannotWrite(const QString& name) {
  return QStringLiteral("ファイル「%1」に書き込めませんでした。").arg(name);
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
  QFile file(resolveFileName(name));
  if (!file.exists()) return result;
  result.exists = true;
  if (!file.open(QIODevice::ReadOnly)) {
    result.error = cannotRead(name);
    return result;
  }
  result.bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    result.bytes.clear();
    result.error = cannotRead(name);
  }
  return result;
}

QString writeFileAtomic(const QString& name, const QByteArray& bytes) {
  QSaveFile file(resolveFileName(name));
  if (!file.open(QIODevice::WriteOnly)) return cannotWrite(name);
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return cannotWrite(name);
  }
  return file.commit() ? QString() : cannotWrite(name);
}

QString appendLine(const QString& name, const QByteArray& line) {
  QFile file(resolveFileName(name));
  if (!file.open(QIODevice::ReadWrite)) return cannotWrite(name);
  QByteArray out;
  if (file.size() > 0) {
    file.seek(file.size() - 1);
    if (file.read(1) != "\n") out += "\r\n";
  }
  out += line;
  out += "\r\n";
  file.seek(file.size());
  if (file.write(out) != out.size() || !file.flush()) return cannotWrite(name);
  return {};
}

QString appendTextLine(const QString& name, const QString& line) {
  const std::optional<QByteArray> bytes = cp932::encode(line);
  if (!bytes) return cp932::unencodableMessage(line);
  return appendLine(name, *bytes);
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
      result.error = cannotRead(name);
      return result;
    }
    result.lines.append(*text);
  }
  return result;
}

QString writeTextLines(const QString& name, const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    std::optional<QByteArray> encoded = cp932::encode(line);
    if (!encoded) return cp932::unencodableMessage(line);
    bytes += *encoded;
    bytes += "\r\n";
  }
  return writeFileAtomic(name, bytes);
}

}  // namespace platform
