// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

#include <array>

class QPushButton;

namespace platform {
class DataGrid;
}

namespace views {

// Every record of the play record file in one grid, re-ordered by four key buttons that
// each alternate their direction.
class RecordListScreen : public QFrame {
  Q_OBJECT
 public:
  explicit RecordListScreen(QWidget* parent = nullptr);

  void INIT_ICHIRAN();
  void READ_ICHIRAN();

  void cmdSort1_Click() { sortBy(1); }
  void cmdSort2_Click() { sortBy(2); }
  void cmdSort3_Click() { sortBy(3); }
  void cmdSort4_Click() { sortBy(4); }

  platform::DataGrid* msgIchiran() const { return m_msgIchiran; }

 private:
  void sortBy(int button);
  // Marks the button of the order in force with its direction.
  void showSortKey(int button, bool ascending);

  platform::DataGrid* m_msgIchiran;
  std::array<QPushButton*, 4> m_cmdSort{};
};

}  // namespace views
