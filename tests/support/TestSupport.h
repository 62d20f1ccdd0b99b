#pragma once

#include "platform/core/Cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace testing {

// Text as the data files hold it: code page 932.
inline QByteArray sjis(const QString& text) { return *platform::cp932::encode(text); }
inline QByteArray sjis(const char* utf8) { return sjis(QString::fromUtf8(utf8)); }

inline void writeFile(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  file.open(QIODevice::WriteOnly);
  file.write(bytes);
}

inline QByteArray fileBytes(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Every test runs in a working directory of its own.
class WorkingDir {
 public:
  WorkingDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
  ~WorkingDir() { QDir::setCurrent(m_previous); }
  QString path() const { return m_dir.path(); }

 private:
  QString m_previous;
  QTemporaryDir m_dir;
};

}  // namespace testing
