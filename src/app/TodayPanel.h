// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/core/ChartData.h"
#include "records/GameItems.h"

#include <QDate>
#include <QFrame>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QLabel;

namespace records {
class RecordTable;
}

namespace platform {
class ChartControl;
class ColorButton;
class DataGrid;
class MonthCalendar;
class Shape;
}  // namespace platform

namespace app {

// The main screen: the selected day's plays, the per-game summary, the day's total time,
// the lamps, the face and the evaluation, with the day's chart.
class TodayPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TodayPanel(QWidget* parent = nullptr);

  void INIT_DAYLIST();
  // Rebuilds the panel for the day selected in the calendar.
  void DISP_TODAY();

  void cmdDay_Click();
  void cmdTotal_Click();
  void cmdJikan_Click();

  const QString& strFirstDay() const { return m_firstDay; }
  const QString& strLastDay() const { return m_lastDay; }
  bool blnNoData() const { return m_noData; }
  // Lines of the record file that could not be read and are not shown.
  qsizetype unreadableLines() const { return m_unreadable; }

  platform::MonthCalendar* mtvmain() const { return m_calendar; }
  // Whether the panel was last built for the day now selected in the calendar.
  bool showsSelectedDay() const;

  // A lamp for each kind of game played in the day.
  static const std::array<QColor, records::kItemCount>& lampColours();
  static QColor selectedGraphColour() { return QColor(255, 192, 192); }

 Q_SIGNALS:
  // A day picked with a click or Enter.
  void dayClicked();
  // The calendar's selection moved, by mouse, keys or month buttons.
  void daySelected();

 private:
  void showEvaluation(int kinds);
  // Says to a screen reader which lamps are lit.
  void nameLamps(int lit);
  void redrawSelectedGraph();
  void markGraphButton(platform::ColorButton* selected);
  // The value axis: fixed where given, else fitted to the graph's own values.
  void showGraph(platform::ChartData data, std::optional<double> axisMaximum = std::nullopt);
  void markPlayDays(const std::shared_ptr<const records::RecordTable>& table);
  void showStreak();

  platform::MonthCalendar* m_calendar;
  platform::DataGrid* m_dayList;
  platform::DataGrid* m_dayTotal;
  QLabel* m_dayTotalLabel;
  std::array<platform::Shape*, records::kItemCount> m_leds{};
  QLabel* m_noPlay;
  QLabel* m_sulky;
  QLabel* m_smiling;
  QLabel* m_laughing;
  QLabel* m_evaluation;
  QLabel* m_streak;
  platform::ChartControl* m_chart;
  platform::ColorButton* m_cmdDay;
  platform::ColorButton* m_cmdTotal;
  platform::ColorButton* m_cmdJikan;

  QDate m_shownDay;
  double m_largestSeconds = 0;
  std::weak_ptr<const records::RecordTable> m_markedFrom;
  std::vector<QDate> m_playDays;  // of the table marked, in date order
  QString m_firstDay;
  QString m_lastDay;
  bool m_noData = true;
  qsizetype m_unreadable = 0;
};

}  // namespace app
