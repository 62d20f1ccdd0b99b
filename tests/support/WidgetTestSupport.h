// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FileDialog.h"
#include "platform/widgets/MessageBox.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

namespace testing {

// A message box or a save dialog that the test does not answer fails it with its text,
// instead of opening a real modal box that would wait for ever. A test that wants real boxes
// installs an empty handler after the reset.
inline const bool kUnansweredBoxesFail = [] {
  afterReset() = [] {
    platform::setMessageHandler([](const platform::MessageRequest& box) {
      QTest::qFail(qPrintable(QStringLiteral("a message box the test did not expect: 「%1」 %2").arg(box.title, box.text)),
                   __FILE__, __LINE__);
      return platform::MsgResult::Cancel;
    });
    platform::setSaveFileHandler([](const platform::SaveFileRequest& dialog) {
      QTest::qFail(qPrintable(QStringLiteral("a save dialog the test did not expect: 「%1」").arg(dialog.title)), __FILE__,
                   __LINE__);
      return QString();
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

// Answers the next modal dialog that lists rows (a tree widget) as a keyboard user does: the
// arrow keys down to the first row whose first column is text, then Enter; Esc when there is
// none. The rows it listed go into listed.
inline void chooseInNextDialog(QObject* context, const QString& text, QList<QStringList>* listed = nullptr) {
  QTimer::singleShot(0, context, [text, listed] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    auto* list = dialog ? dialog->findChild<QTreeWidget*>() : nullptr;
    if (!list) {
      if (dialog) dialog->reject();
      return;
    }
    for (int i = 0; listed && i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = list->topLevelItem(i);
      QStringList row;
      for (int col = 0; col < item->columnCount(); ++col) row << item->text(col);
      *listed << row;
    }
    const auto onIt = [&] { return list->currentItem() && list->currentItem()->text(0) == text; };
    for (int i = 0; i < list->topLevelItemCount() && !onIt(); ++i) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, onIt() ? Qt::Key_Return : Qt::Key_Escape);
  });
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
