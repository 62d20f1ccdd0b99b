#pragma once

#include "support/TestSupport.h"

#include <QWidget>

namespace testing {

// A control found by its name; a missing one stops the test program at once.
template <typename T = QWidget>
T* control(const QObject* root, const QString& name) {
  T* widget = root->findChild<T*>(name);
  if (!widget) qFatal("no control %s", qPrintable(name));
  return widget;
}

}  // namespace testing
