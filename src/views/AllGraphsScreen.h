// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/AllGraphs.h"

#include <QColor>
#include <QFrame>

#include <array>
#include <functional>
#include <optional>

namespace platform {
class ChartControl;
class ColorButton;
class DataGrid;
}  // namespace platform

namespace views {

// Every play since the first, the totals by item and by calendar day, and six graphs drawn
// from those lists. The lists are built each time the screen opens.
class AllGraphsScreen : public QFrame {
  Q_OBJECT
 public:
  struct Hooks {
    // The item names in the order of the main window's item list; the item table's without it.
    std::function<QStringList()> itemNames;
  };

  explicit AllGraphsScreen(Hooks hooks = {}, QWidget* parent = nullptr);

  // What the screen button does before showing the screen.
  void prepareScreen() { DISP_RENTAI(); }
  void DISP_RENTAI();

  void cmdDay2_Click() { showGraph(AllGraph::Day2); }
  void cmdTotal2_Click() { showGraph(AllGraph::Total2); }
  void cmdJikan2_Click() { showGraph(AllGraph::Jikan2); }
  void cmdHigoto_Click() { showGraph(AllGraph::Higoto); }
  void cmdHigoto2_Click() { showGraph(AllGraph::Higoto2); }
  void cmdHigoto3_Click() { showGraph(AllGraph::Higoto3); }

  // The graph whose button carries its selected colour; none before any is chosen.
  std::optional<AllGraph> selectedGraph() const;
  static QColor selectedColour(AllGraph graph);

 private:
  void buildLists();
  void buildGraphs();
  void writeHeaders();
  void showGraph(AllGraph graph);
  platform::ColorButton* button(AllGraph graph) const { return m_buttons[size_t(graph)]; }

  Hooks m_hooks;
  platform::DataGrid* m_msgDayList2 = nullptr;
  platform::DataGrid* m_msgDayList3 = nullptr;
  platform::DataGrid* m_msgDayTotal2 = nullptr;
  platform::ChartControl* m_mcrMain2 = nullptr;
  platform::ChartControl* m_mcrMain3 = nullptr;
  std::array<platform::ColorButton*, std::size(kAllGraphs)> m_buttons{};  // in AllGraph order
};

}  // namespace views
