// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/RangeFilter.h"

#include <QColor>
#include <QFrame>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStringListModel;

namespace platform {
class ChartControl;
class ColorButton;
class DataGrid;
}  // namespace platform

namespace views {

// The records of a period, narrowed to one weekday and to items containing a keyword, with
// the time per game and a chart of what is listed. The choices live as long as the screen.
class RangeFilterScreen : public QFrame {
  Q_OBJECT
 public:
  struct Hooks {
    std::function<void()> hideAllFrames;  // the main window's HIDE_ALL_FRAMES
    std::function<QString()> firstDay;    // date of the first record, empty without records
  };

  explicit RangeFilterScreen(Hooks hooks, QWidget* parent = nullptr);

  // What the screen button does before showing the screen.
  void prepareScreen();

  void INIT_BUNSEKI();
  void RESET_KIKAN_COLORS();
  void SELECT_BUNSEKI();
  void DISP_BUNSEKI_ALL() { buildList(RangeBuilder::All); }
  void DISP_BUNSEKI() { buildList(RangeBuilder::Period); }
  void DISP_BUNSEKI_KEY() { buildList(RangeBuilder::Key); }
  void DISP_BUNSEKI_WEEK() { buildList(RangeBuilder::Week); }
  void DISP_BUNSEKI_KEY_WEEK() { buildList(RangeBuilder::KeyWeek); }

  void lstAct2_Click(int index);
  void cmdAllact_Click();
  void txtKey_Enter();
  void txtKey_GotFocus();
  void cmdKensaku_Click();
  void cmdWeek_Click(int index);
  void cmdAllWeek_Click();
  void cmdAllDay_Click();
  void cmdKikan_Click(int number);  // cmdKikan1 .. cmdKikan8
  void cmdKikanF_Click();

  void cmdDay3_Click();
  void cmdTotal3_Click();
  void cmdJikan3_Click();

  QListWidget* lstAct2() const { return m_lstAct2; }
  int intWeekSel() const { return m_intWeekSel; }

  static QColor selectedFilterColour();
  static QColor selectedGraphColour();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildFilterControls();
  void buildListsAndCharts();
  platform::ColorButton* makeButton(const QString& name, const QString& caption, const QRect& geometry);
  // The pattern of every filter control: hide, change, rebuild, show, mark.
  void applyFilter(const std::function<void()>& ownChanges, platform::ColorButton* highlight);
  void buildList(RangeBuilder builder);
  void fillDateLists(const QStringList& dates);
  void showDateHint();
  void redrawSelectedGraph();
  void markGraphButton(platform::ColorButton* selected);
  void markPeriod(platform::ColorButton* selected);
  void markWeekday(platform::ColorButton* selected);
  // The item choice in force: "全部" without a keyword, else the item of that name if any.
  void markKeyword(const QString& keyword);

  Hooks m_hooks;
  int m_intWeekSel = kAllWeekdays;
  bool m_restoringFocus = false;

  QListWidget* m_lstAct2 = nullptr;
  platform::ColorButton* m_cmdAllact = nullptr;
  QLineEdit* m_txtKey = nullptr;
  QPushButton* m_cmdKensaku = nullptr;
  std::array<platform::ColorButton*, 7> m_cmdWeek{};
  platform::ColorButton* m_cmdAllWeek = nullptr;
  platform::ColorButton* m_cmdAllDay = nullptr;
  std::array<platform::ColorButton*, 9> m_cmdKikan{};  // by number 1..8; 0 unused
  platform::ColorButton* m_cmdKikanF = nullptr;
  QComboBox* m_cboStdate = nullptr;
  QComboBox* m_cboEddate = nullptr;
  QStringListModel* m_dates = nullptr;
  QLabel* m_dateHint = nullptr;

  platform::DataGrid* m_msgBunseki = nullptr;
  platform::DataGrid* m_msgBunseki2 = nullptr;
  platform::ChartControl* m_mcrBunseki = nullptr;
  platform::ChartControl* m_mcrBunseki2 = nullptr;
  platform::ColorButton* m_cmdDay3 = nullptr;
  platform::ColorButton* m_cmdTotal3 = nullptr;
  platform::ColorButton* m_cmdJikan3 = nullptr;
};

}  // namespace views
