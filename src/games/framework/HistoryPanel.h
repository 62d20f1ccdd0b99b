// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameProfile.h"
#include "games/framework/HistoryGraphs.h"

#include <QObject>
#include <QRect>
#include <QStringList>

#include <optional>
#include <vector>

class QComboBox;
class QFrame;
class QRadioButton;
class QWidget;

namespace platform {
class ChartControl;
class ColorButton;
class DataGrid;
}  // namespace platform

namespace games {

// The game's history file as the window shows it: the grid with its filters, the graph
// buttons and their charts. Its controls are the window's own children, placed where the
// window lays them out, so that they stand among the window's other controls; the panel
// only owns their handlers and what they show.
class HistoryPanel : public QObject {
  Q_OBJECT
 public:
  // area: where the grid, the filters and the charts lie below the play area; raisedTop:
  // where the grid rises to while a graph shows, for games that raise it.
  HistoryPanel(GameProfile profile, const QRect& area, int raisedTop, QWidget* window);

  // Handlers, public so that tests can drive them.
  void cmdAllDsp_Click();
  void cboJikan2_Click();
  void cboKaisu2_Click();
  void operationFilter_Click();
  void graphButton_Click(int index);
  // "回ごと" or "日ごと" chosen; on the state change, so that a screen reader's toggle works too.
  void optPerDay_Toggled(bool perDay);
  void RIREKI_SHITA();
  void RIREKI_UE();
  void REDRAW_GRAPH();
  void DISP_RIREKI_HEAD();

  // What the window asks of its history.
  void fillLists();                             // the filters' choices, none chosen
  void addPlay(const QStringList& fields);      // a play the history file took
  void clear();                                 // the history file was emptied
  void lowerForPlay();                          // the grid goes back below the play area
  void setSpokenResult(const QString& result);  // the last play's result, for screen readers
  void focusNewestHistoryRow();
  platform::DataGrid* grid() const { return m_msgRireki; }
  // Every readable line of the history file, in file order, whatever the filters show.
  const std::vector<QStringList>& historyRecords() const { return m_historyRecords; }
  // The panel's controls in their tab order.
  std::vector<QWidget*> tabChain() const;

 private:
  void showHistory(const HistoryFilter& filter, bool all);
  // The operation a history filter needs first; false (with a message) when none is chosen.
  bool operationChosen(QComboBox* changed);
  std::optional<QString> chosenOperation() const;
  void CLEAR_GRAPH_BUTTONS();
  void drawGraph(int index);
  void scrollHistory();
  int numberColumnTwips() const;
  void buildFilters(int x, int width);
  void buildGraphs(int x, int width);
  void buildGraphSwitch(int x, int y, int width);
  int bottom() const { return m_area.y() + m_area.height(); }

  GameProfile m_profile;
  QWidget* m_window;
  QRect m_area;
  int m_raisedTop;
  std::vector<QStringList> m_historyRecords;
  bool m_historyRaised = false;

  QFrame* m_fraRireki = nullptr;
  platform::DataGrid* m_msgRireki = nullptr;
  platform::ChartControl* m_mcrRireki = nullptr;
  platform::ChartControl* m_mcrRireki2 = nullptr;
  QComboBox* m_cboJikan2 = nullptr;
  QComboBox* m_cboKaisu2 = nullptr;
  QComboBox* m_operationFilter = nullptr;
  platform::ColorButton* m_cmdAllDsp = nullptr;
  std::vector<platform::ColorButton*> m_graphButtons;
  QRadioButton* m_optPerPlay = nullptr;
  QRadioButton* m_optPerDay = nullptr;
  GraphBy m_graphBy = GraphBy::Play;
};

}  // namespace games
