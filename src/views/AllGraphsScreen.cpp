// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/AllGraphsScreen.h"

#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "records/GameItems.h"
#include "views/Graphs.h"
#include "views/RecordList.h"
#include "views/RecordsOnScreen.h"

namespace views {

namespace {
using platform::Align;

constexpr struct {
  AllGraph graph;
  const char* name;
  const char* caption;
} kButtons[] = {
    {AllGraph::Day2, "cmdDay2", "時系列データ"},          {AllGraph::Total2, "cmdTotal2", "項目別トータル時間"},
    {AllGraph::Jikan2, "cmdJikan2", "時間別トータル時間"}, {AllGraph::Higoto, "cmdHigoto", "日別推移 （回数）"},
    {AllGraph::Higoto2, "cmdHigoto2", "日別推移 （秒数）"}, {AllGraph::Higoto3, "cmdHigoto3", "日別推移 （平均秒数）"},
};

platform::DataGrid* makeGrid(const QString& name, const QString& spoken, const QRect& geometry, QWidget* parent) {
  auto* grid = new platform::DataGrid(parent);
  grid->setObjectName(name);
  grid->setAccessibleName(spoken);
  grid->setGeometry(geometry);
  grid->setFontSize(10);
  return grid;
}

platform::ChartControl* makeChart(const QString& name, const QRect& geometry, QWidget* parent) {
  // Beyond a thousand points the chart draws a line, so every play since the first stays quick.
  auto* chart = new platform::ChartControl(platform::ChartControl::Kind::Bar, parent);
  chart->setObjectName(name);
  chart->setAccessibleName(QStringLiteral("全グラフ"));
  chart->setGeometry(geometry);
  chart->setValueTitle(QStringLiteral("秒"));
  return chart;
}
}  // namespace

AllGraphsScreen::AllGraphsScreen(Hooks hooks, QWidget* parent) : QFrame(parent), m_hooks(std::move(hooks)) {
  setObjectName(QStringLiteral("fraRenTai"));
  buildLists();
  buildGraphs();
  writeHeaders();
}

void AllGraphsScreen::buildLists() {
  // The list of plays and the list of days take turns in one place.
  const QRect listPlace(10, 10, 410, 420);
  m_msgDayList2 = makeGrid(QStringLiteral("msgDayList2"), QStringLiteral("全プレイの一覧"), listPlace, this);
  m_msgDayList3 = makeGrid(QStringLiteral("msgDayList3"), QStringLiteral("日別の推移"), listPlace, this);
  m_msgDayList3->hide();
  m_msgDayTotal2 = makeGrid(QStringLiteral("msgDayTotal2"), QStringLiteral("項目別合計"), {10, 440, 410, 178}, this);
}

void AllGraphsScreen::buildGraphs() {
  const QRect chartPlace(430, 10, 430, 552);
  m_mcrMain2 = makeChart(QStringLiteral("mcrMain2"), chartPlace, this);
  m_mcrMain2->hide();
  m_mcrMain3 = makeChart(QStringLiteral("mcrMain3"), chartPlace, this);

  int slot = 0;
  for (const auto& b : kButtons) {
    auto* button = new platform::ColorButton(QString::fromUtf8(b.caption), this);
    button->setObjectName(QString::fromLatin1(b.name));
    button->setGeometry(430 + (slot % 3) * 145, 572 + (slot / 3) * 42, 140, 36);
    const AllGraph graph = b.graph;
    connect(button, &QPushButton::clicked, this, [this, graph] { showGraph(graph); });
    m_buttons[size_t(graph)] = button;
    ++slot;
  }
  button(AllGraph::Day2)->setBackColor(selectedColour(AllGraph::Day2));
}

void AllGraphsScreen::writeHeaders() {
  // Where the classic widths cut off what this font shows (six-digit running numbers and
  // play counts, a lifetime's seconds and hours), the columns are a little wider.
  m_msgDayList2->setColumns({{"", countColumnTwips(*m_msgDayList2, 600), Align::Right},
                             {"日付", 1260, Align::Center},
                             {"時間", 960, Align::Center},
                             {"項目", 1860, Align::Left},
                             {"秒", 800, Align::Right}});
  m_msgDayList3->setColumns({{"", countColumnTwips(*m_msgDayList3, 700), Align::Right},
                             {"日付", 1400, Align::Center},
                             {"回数", 810, Align::Right},
                             {"秒", 860, Align::Right},
                             {"最大", 860, Align::Right},
                             {"平均", 860, Align::Right}});
  const platform::DataGrid& totals = *m_msgDayTotal2;
  m_msgDayTotal2->setColumns({{"", 400, Align::Right},
                              {"項目", 1320, Align::Left},
                              {"回数", countColumnTwips(totals, 600), Align::Right},
                              {"秒", fitColumnTwips(totals, 650, QStringLiteral("0000000")), Align::Right},
                              {"時間", fitColumnTwips(totals, 910, QStringLiteral("0000:00:00")), Align::Right},
                              {"最大", 600, Align::Right},
                              {"平均", 670, Align::Right}});
}

void AllGraphsScreen::DISP_RENTAI() {
  writeHeaders();
  const std::shared_ptr<const records::RecordTable> table = recordsForScreen(this);
  if (!table->isEmpty()) {
    m_mcrMain2->setChartData(resetChart());
    const QStringList items = m_hooks.itemNames
                                  ? m_hooks.itemNames()
                                  : QStringList(records::itemNames().begin(), records::itemNames().end());
    // The first and last day come from this same read, so the days always match the plays.
    AllGraphsLists lists =
        buildAllGraphs(*table, items, table->date(0).toString(), table->date(table->size() - 1).toString());

    m_msgDayList2->setDataSource(std::make_shared<RecordListSource>(table));
    m_msgDayList2->setTopRow(openingTopRow(m_msgDayList2->rows(), kPlaysRowsUnscrolled));
    m_msgDayTotal2->setDataRows(std::move(lists.itemRows));
    m_msgDayList3->setDataSource(std::move(lists.days));
    m_msgDayList3->setTopRow(openingTopRow(m_msgDayList3->rows(), kDaysRowsUnscrolled));
  }
  // Also without records: a chart never goes on showing plays its lists no longer have.
  if (const std::optional<AllGraph> shown = selectedGraph()) showGraph(*shown);
}

void AllGraphsScreen::showGraph(AllGraph graph) {
  const AllGraphView view = allGraphView(graph);
  platform::ChartControl* chart = view.lowerChart ? m_mcrMain3 : m_mcrMain2;
  platform::ChartControl* other = view.lowerChart ? m_mcrMain2 : m_mcrMain3;
  // The data goes in before a chart is shown, so a chart that appears draws only once.
  chart->setValueTitle(QString::fromUtf8(view.valueTitle));
  chart->setChartData(allGraphChart(graph, m_msgDayList2->gridModel(), m_msgDayTotal2->gridModel(), m_msgDayList3->gridModel()));
  chart->setAccessibleName(button(graph)->text());
  other->hide();
  chart->show();
  if (view.list == AllGraphView::List::Plays) {
    m_msgDayList3->hide();
    m_msgDayList2->show();
  } else if (view.list == AllGraphView::List::Days) {
    m_msgDayList2->hide();
    m_msgDayList3->show();
  }
  // The six buttons are one group, whichever colour marks the one chosen.
  platform::markSelected(m_buttons, button(graph), selectedColour(graph));
}

std::optional<AllGraph> AllGraphsScreen::selectedGraph() const {
  for (AllGraph graph : kAllGraphs) {
    if (button(graph)->backColor() == selectedColour(graph)) return graph;
  }
  return std::nullopt;
}

QColor AllGraphsScreen::selectedColour(AllGraph graph) { return platform::toQColor(allGraphView(graph).selectedColour); }

}  // namespace views
