// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/Cp932.h"
#include "platform/core/RunState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace testing {

// What every reset is followed by; the widget tests set it (see WidgetTestSupport.h).
inline std::function<void()>& afterReset() {
  static std::function<void()> then;
  return then;
}

// Every test starts from the state the program has when it starts.
inline void resetRunState() {
  platform::resetRunState();
  if (afterReset()) afterReset()();
}

// Text as the data files hold it: code page 932. A text the code page cannot hold is a
// mistake in the test itself.
inline QByteArray sjis(const QString& text) {
  const std::optional<QByteArray> bytes = platform::cp932::encode(text);
  if (!bytes) qFatal("test text not in code page 932: %s", qPrintable(text));
  return *bytes;
}
inline QByteArray sjis(const char* utf8) { return sjis(QString::fromUtf8(utf8)); }

// Test files: a write or read that fails fails the test that asked for it.
inline void writeFile(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
    QTest::qFail(qPrintable(QStringLiteral("cannot write the test file %1").arg(name)), __FILE__, __LINE__);
  }
}

// The bytes of a file; a missing file reads as no bytes.
inline QByteArray fileBytes(const QString& name) {
  QFile file(name);
  if (!file.exists()) return {};
  if (!file.open(QIODevice::ReadOnly)) {
    QTest::qFail(qPrintable(QStringLiteral("cannot read the test file %1").arg(name)), __FILE__, __LINE__);
    return {};
  }
  return file.readAll();
}

// Every test runs in a working directory of its own.
class WorkingDir {
 public:
  WorkingDir() : m_previous(QDir::currentPath()) {
    if (!m_dir.isValid() || !QDir::setCurrent(m_dir.path())) qFatal("cannot make a working directory for a test");
  }
  ~WorkingDir() { QDir::setCurrent(m_previous); }
  QString path() const { return m_dir.path(); }

 private:
  QString m_previous;
  QTemporaryDir m_dir;
};

}  // namespace testing
