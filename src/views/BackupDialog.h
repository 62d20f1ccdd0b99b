// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/Maintenance.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

namespace views {

// "元に戻す": the copies, newest first, one chosen by the keyboard or the mouse.
class BackupDialog : public QDialog {
  Q_OBJECT
 public:
  explicit BackupDialog(const std::vector<BackupRow>& rows, QWidget* parent = nullptr);

  // The row chosen, from 0; -1 when none.
  int chosen() const;

 private:
  QTreeWidget* m_list = nullptr;
};

}  // namespace views
