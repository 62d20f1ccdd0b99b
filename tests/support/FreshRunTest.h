// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TestSupport.h"

#include <QDate>
#include <QObject>

#include <memory>

namespace testing {

// The base of a test class whose every test function starts as the program starts: its run
// state reset, a working directory of its own and, when a day is given, the clock at noon
// of that day. A class adds its own steps in prepare() and tearDown().
class FreshRunTest : public QObject {
  Q_OBJECT

 protected:
  explicit FreshRunTest(QDate today = {}) : m_today(today) {}
  // After the fresh start; before the working directory goes (windows first, then files).
  virtual void prepare() {}
  virtual void tearDown() {}

 private Q_SLOTS:
  void init();
  void cleanup();

 private:
  QDate m_today;
  std::unique_ptr<WorkingDir> m_dir;
};

}  // namespace testing
