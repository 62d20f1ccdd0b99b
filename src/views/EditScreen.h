// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/Maintenance.h"
#include "views/WorkingRecords.h"

#include <QFrame>

#include <functional>

class QLineEdit;
class QPushButton;

namespace platform {
class DataGrid;
}

namespace views {

// Deleting single records, starting afresh, and the nickname.
class EditScreen : public QFrame {
  Q_OBJECT
 public:
  // What the screen needs from the main window.
  struct Hooks {
    std::function<QString()> nickname;                // strNickname
    std::function<void(const QString&)> setNickname;  // strNickname and the caption
    std::function<void()> recordsChanged;            // the today panel follows the file
    std::function<void()> endProgram;                // the way "終了" ends it
    std::function<bool()> settleMemo;                // an unsaved memo saved or let go; false stays
    // Each game's history file and the headers of its grid, in the order of the item table.
    std::function<std::vector<HistoryColumns>()> histories;
    // A file put back from the backup folder: whatever shows it reads it again.
    std::function<void(const QString& fileName)> fileRestored;
  };

  explicit EditScreen(Hooks hooks, QWidget* parent = nullptr);

  // What the screen button does before showing the screen.
  void prepareScreen();
  void INIT_HENLIST();
  void READ_HENLIST();

  void msgHenList_Click();
  void cmdRowDel_Click();
  void cmdNew1_Click();
  void cmdPHozon1_Click();
  void cmdUndo_Click();
  void cmdCsv_Click();

  // Before a nickname typed and not saved is left behind: the user saves it, lets it go, or
  // stays (false).
  [[nodiscard]] bool settleNickname();

  platform::DataGrid* msgHenList() const { return m_msgHenList; }

 private:
  // The list read again and nothing chosen, after the file changed or could not be written.
  void reread();
  void disableRowDel();
  bool storeNickname();
  void restore(const records::Backup& backup);

  Hooks m_hooks;
  WorkingRecords m_records;
  platform::DataGrid* m_msgHenList = nullptr;
  QPushButton* m_cmdRowDel = nullptr;
  QLineEdit* m_txtPriData = nullptr;
  QString m_csvFolder;  // where the last export went
};

}  // namespace views
