// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/WorkingRecords.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace platform {
class DataGrid;
}

namespace views {

// The one-line diary of every record, edited one record at a time and saved into the record
// file, and the free memo below it.
class DiaryScreen : public QFrame {
  Q_OBJECT
 public:
  explicit DiaryScreen(QWidget* parent = nullptr);

  // What the screen button does before showing the screen. The diary being typed stays.
  void prepareScreen();
  void SET_MEMO_HEADER();
  void DISP_MEMO_LIST();
  // Loads the memo file into the memo box; returns an error text for the user.
  [[nodiscard]] QString READ_MEMO();

  void msgMemoList_Click(int row);
  void cmdMemoHozon_Click();
  void cmdKizukiHozon_Click();

  // Before a diary line typed and not saved is left behind, and before the memo is lost with
  // the window: the user saves it, lets it go, or stays (false).
  [[nodiscard]] bool settleDiary();
  [[nodiscard]] bool settleMemo();

  int intMemoRow() const { return m_intMemoRow; }
  platform::DataGrid* msgMemoList() const { return m_msgMemoList; }

 private:
  void txtMemo_KeyPress();
  // The handlers' work; true when the file holds what the box shows.
  bool storeDiary();
  bool storeMemo();
  bool diaryUnsaved() const;
  bool memoUnsaved() const;

  WorkingRecords m_records;
  int m_intMemoRow = 0;
  // The memo file is there but could not be read: saving would lose what it holds.
  bool m_memoUnread = false;
  platform::DataGrid* m_msgMemoList = nullptr;
  QLineEdit* m_txtMemo = nullptr;
  QPushButton* m_cmdMemoHozon = nullptr;
  QPlainTextEdit* m_txtKizuki = nullptr;
  QString m_memoSaved;  // the memo as its file holds it
  QLabel* m_lblKizukiHozon = nullptr;
};

}  // namespace views
