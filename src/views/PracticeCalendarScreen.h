// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

#include <array>
#include <functional>

class QLabel;

namespace platform {
class ChartControl;
class DataGrid;
}  // namespace platform

namespace views {

struct PracticeCalendar;

// On which days the user practised and how much: plays per day by month and by week,
// days per class of plays, and plays and seconds by weekday. Rebuilt from the record file
// at every opening; it keeps nothing between openings.
class PracticeCalendarScreen : public QFrame {
  Q_OBJECT
 public:
  struct Hooks {
    // Dates of the first and last record (the today panel's); without them, the table's.
    std::function<QString()> firstDay;
    std::function<QString()> lastDay;
  };

  explicit PracticeCalendarScreen(Hooks hooks = {}, QWidget* parent = nullptr);

  // What the screen button does before showing the screen: DISP_CALE and DISP_CALE_WEEK.
  void prepareScreen();

  platform::DataGrid* msgCale() const { return m_msgCale; }
  platform::DataGrid* msgCale_w() const { return m_msgCale_w; }
  QLabel* lblHan(int index) const { return m_lblHan.at(size_t(index)); }
  platform::ChartControl* mcrKensu() const { return m_mcrKensu; }
  platform::ChartControl* mcrKingaku() const { return m_mcrKingaku; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void DISP_CALE(const PracticeCalendar& calendar);
  void DISP_CALE_WEEK(const PracticeCalendar& calendar);
  void initMonthGrid();
  void initWeekGrid();
  void layOut();

  Hooks m_hooks;
  platform::DataGrid* m_msgCale = nullptr;
  platform::DataGrid* m_msgCale_w = nullptr;
  std::array<QLabel*, 7> m_lblHan{};
  platform::ChartControl* m_mcrKensu = nullptr;
  platform::ChartControl* m_mcrKingaku = nullptr;
  QLabel* m_kensuCaption = nullptr;
  QLabel* m_kingakuCaption = nullptr;
};

}  // namespace views
