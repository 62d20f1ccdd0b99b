// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QWidget>

namespace testing {

// A message box that the test does not answer fails it with its text, instead of opening a
// real modal box that would wait for ever. A test that wants real boxes installs an empty
// handler after the reset.
inline const bool kUnansweredBoxesFail = [] {
  afterReset() = [] {
    platform::setMessageHandler([](const platform::MessageRequest& box) {
      QTest::qFail(qPrintable(QStringLiteral("a message box the test did not expect: 「%1」 %2").arg(box.title, box.text)),
                   __FILE__, __LINE__);
      return platform::MsgResult::Cancel;
    });
  };
  return true;
}();

// A control found by its name; a missing one stops the test program at once.
template <typename T = QWidget>
T* control(const QObject* root, const QString& name) {
  T* widget = root->findChild<T*>(name);
  if (!widget) qFatal("no control %s", qPrintable(name));
  return widget;
}

// Whether a grid shows its last row of data whole, once its layout is done.
inline bool showsLastRow(platform::DataGrid* grid) {
  QCoreApplication::processEvents();
  const QRect last = grid->visualRect(grid->QTableView::model()->index(grid->rows() - 2, 0));
  return last.isValid() && last.top() >= 0 && last.bottom() < grid->viewport()->height();
}

// Whether an input method may compose in the widget, asked as the platform asks.
inline bool takesInputMethod(QWidget* widget) {
  QInputMethodQueryEvent query(Qt::ImEnabled);
  QCoreApplication::sendEvent(widget, &query);
  return query.value(Qt::ImEnabled).toBool();
}

// What an input method sends: a preedit shown in the box, or text committed into it.
inline void sendInputMethod(QWidget* box, const QString& preedit, const QString& commit) {
  QInputMethodEvent event(preedit, {});
  event.setCommitString(commit);
  QCoreApplication::sendEvent(box, &event);
}

}  // namespace testing
