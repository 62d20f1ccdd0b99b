// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/Aggregation.h"

#include <QFrame>

#include <array>
#include <functional>

class QRadioButton;

namespace platform {
class DataGrid;
}

namespace views {

// Every play summed by month and by day, as time, as plays or as both. The chosen display
// lives as long as the screen.
class AggregationScreen : public QFrame {
  Q_OBJECT
 public:
  struct Hooks {
    std::function<QString()> firstDay;         // strFirstDay: date of the first record, empty without
    std::function<QString()> lastDay;           // strLastDay: date of the last record
    std::function<QString()> colWidthKoumoku;   // twips as text, "1180"
    std::function<QString()> colWidthSyoukei;   // twips as text, "1250"
  };

  explicit AggregationScreen(Hooks hooks, QWidget* parent = nullptr);

  // What the screen button does before showing the screen: the time tables, drawn afresh.
  void prepareScreen();

  void optList2_Click(int index);
  void READ_KOUMOKU();

  int intKoumokuSu() const { return int(m_strKoumoku.size()); }
  QString strKoumoku(int k) const { return m_strKoumoku.value(k - 1); }  // k from 1

  platform::DataGrid* msgKakei1() const { return m_msgKakei1; }  // by month
  platform::DataGrid* msgKakei2() const { return m_msgKakei2; }  // by day
  QRadioButton* optList2(int index) const { return m_optList2[size_t(index)]; }

 private:
  // Marks an option selected without drawing again.
  void select(int index);
  KakeiSettings settings() const;
  void draw(KakeiDisplay display);
  static void pour(platform::DataGrid& grid, const KakeiTable& table);

  Hooks m_hooks;
  QStringList m_strKoumoku;
  std::array<QRadioButton*, 3> m_optList2{};
  platform::DataGrid* m_msgKakei1 = nullptr;
  platform::DataGrid* m_msgKakei2 = nullptr;
};

}  // namespace views
