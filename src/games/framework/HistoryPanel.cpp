// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/HistoryPanel.h"

#include "games/framework/GameWindow.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace games {

namespace {
constexpr int kHistoryGridWidth = 600;
constexpr int kGraphGap = 10;  // between the grid and the filters and graphs

const QString kHistoryName = QStringLiteral("履歴");

// The unit a history graph's values are in.
QString valueTitle(HistoryField field) {
  switch (field) {
    case HistoryField::Speed: return QStringLiteral("／秒");
    case HistoryField::Accuracy: return QStringLiteral("%");
    case HistoryField::Seconds: return QStringLiteral("秒");
    case HistoryField::Keystrokes: return QStringLiteral("字");
    default: return QStringLiteral("回");
  }
}

int textWidth(const QWidget* widget, const QString& text) { return widget->fontMetrics().horizontalAdvance(text) + 6; }
}  // namespace

HistoryPanel::HistoryPanel(GameProfile profile, const QRect& area, int raisedTop, QWidget* window)
    : QObject(window), m_profile(std::move(profile)), m_window(window), m_area(area), m_raisedTop(raisedTop) {
  m_fraRireki = new QFrame(window);
  m_fraRireki->setObjectName(QStringLiteral("fraRireki"));
  m_msgRireki = new platform::DataGrid(m_fraRireki);
  m_msgRireki->setObjectName(QStringLiteral("msgRireki"));
  m_msgRireki->setAccessibleName(kHistoryName);
  m_msgRireki->gridModel().setRowsSpoken(true);
  RIREKI_SHITA();

  const int x = area.x() + kHistoryGridWidth + kGraphGap;
  const int width = area.x() + area.width() - x;
  buildFilters(x, width);
  buildGraphs(x, width);
}

// The filter row: the operation (for games that have one) first, then seconds and answers.
// Each filter after its caption, as wide as the caption's text needs.
void HistoryPanel::buildFilters(int x, int width) {
  const int top = m_area.y();
  int fx = x;
  auto filter = [this, &fx, top](const QString& name, const QString& label, int boxWidth, const QString& tip) {
    auto* box = new QComboBox(m_window);
    box->setObjectName(name);
    box->setAccessibleName(label);
    describe(box, tip);
    const int labelWidth = textWidth(m_window, label);
    caption(m_window, label, fx, top, labelWidth, box);
    box->setGeometry(fx + labelWidth + 2, top, boxWidth, 30);
    fx += labelWidth + 2 + boxWidth + 6;
    return box;
  };
  if (!m_profile.operationFilterName.isEmpty()) {
    m_operationFilter =
        filter(m_profile.operationFilterName, m_profile.operationFilterCaption, 46, m_profile.operationFilterTip);
    m_operationFilter->addItems(m_profile.operations);
    m_operationFilter->setCurrentIndex(-1);
    connect(m_operationFilter, &QComboBox::activated, this, &HistoryPanel::operationFilter_Click);
  }
  m_cboJikan2 = filter(QStringLiteral("cboJikan2"), QStringLiteral("秒数"), 58,
                       QStringLiteral("この秒数で遊んだプレイだけを表示します"));
  m_cboKaisu2 = filter(QStringLiteral("cboKaisu2"), QStringLiteral("答数"), 58,
                       QStringLiteral("この数だけ答えたプレイだけを表示します"));
  connect(m_cboJikan2, &QComboBox::activated, this, &HistoryPanel::cboJikan2_Click);
  connect(m_cboKaisu2, &QComboBox::activated, this, &HistoryPanel::cboKaisu2_Click);
  m_cmdAllDsp = new platform::ColorButton(QStringLiteral("全部表示"), m_window);
  m_cmdAllDsp->setObjectName(QStringLiteral("cmdAllDsp"));
  m_cmdAllDsp->setGeometry(fx, top, x + width - fx, 30);
  describe(m_cmdAllDsp, QStringLiteral("絞り込みをやめて、履歴をすべて表示します"));
  connect(m_cmdAllDsp, &QPushButton::clicked, this, &HistoryPanel::cmdAllDsp_Click);
}

void HistoryPanel::buildGraphs(int x, int width) {
  const int top = m_area.y();
  const int count = int(m_profile.graphButtons.size());
  const int buttonWidth = count > 0 ? (width - 4 * (count - 1)) / count : 0;
  for (int i = 0; i < count; ++i) {
    const GraphButton& g = m_profile.graphButtons[size_t(i)];
    auto* b = new platform::ColorButton(g.caption, m_window);
    b->setObjectName(g.name);
    b->setGeometry(x + i * (buttonWidth + 4), top + 36, buttonWidth, 30);
    if (!g.fields.empty()) describe(b, QStringLiteral("「%1」をグラフにします").arg(g.caption));
    connect(b, &QPushButton::clicked, this, [this, i] { graphButton_Click(i); });
    m_graphButtons.push_back(b);
  }
  buildGraphSwitch(x, top + 68, width);
  m_mcrRireki = new platform::ChartControl(platform::ChartControl::Kind::Line, m_window);
  m_mcrRireki->setObjectName(QStringLiteral("mcrRireki"));
  m_mcrRireki2 = new platform::ChartControl(platform::ChartControl::Kind::Line, m_window);
  m_mcrRireki2->setObjectName(QStringLiteral("mcrRireki2"));
  m_mcrRireki2->setColumnCount(2);
  m_mcrRireki2->setSeriesNames({QStringLiteral("正解"), QStringLiteral("不正解")});
  m_mcrRireki->setAccessibleName(QStringLiteral("履歴のグラフ"));
  m_mcrRireki2->setAccessibleName(QStringLiteral("履歴のグラフ（正解と不正解）"));
  for (platform::ChartControl* chart : {m_mcrRireki, m_mcrRireki2}) {
    chart->setGeometry(x, top + 94, width, bottom() - (top + 94));
  }
  m_mcrRireki2->hide();
}

// Under the graph buttons, at their right: a point per play or per day.
void HistoryPanel::buildGraphSwitch(int x, int y, int width) {
  m_graphBy = readGraphBy();
  auto* group = new QButtonGroup(this);
  const auto option = [&](const QString& name, const QString& text, const QString& tip) {
    auto* button = new QRadioButton(text, m_window);
    button->setObjectName(name);
    button->setAccessibleName(QStringLiteral("履歴のグラフ：") + text);
    describe(button, tip);
    group->addButton(button);
    return button;
  };
  m_optPerPlay = option(QStringLiteral("optPerPlay"), QStringLiteral("回ごと"),
                        QStringLiteral("履歴のグラフに、プレイ一回ごとの値を並べます"));
  m_optPerDay =
      option(QStringLiteral("optPerDay"), QStringLiteral("日ごと"),
             QStringLiteral("履歴のグラフに、遊んだ日ごとの平均を日付順に並べます（どのゲームでも同じです）"));
  const int optionWidth = textWidth(m_window, QStringLiteral("日ごと")) + 30;
  m_optPerDay->setGeometry(x + width - optionWidth, y, optionWidth, 24);
  m_optPerPlay->setGeometry(x + width - 2 * optionWidth - 6, y, optionWidth, 24);
  (m_graphBy == GraphBy::Day ? m_optPerDay : m_optPerPlay)->setChecked(true);
  connect(m_optPerDay, &QRadioButton::toggled, this, &HistoryPanel::optPerDay_Toggled);
}

std::vector<QWidget*> HistoryPanel::tabChain() const {
  std::vector<QWidget*> chain{m_msgRireki};
  if (m_operationFilter) chain.push_back(m_operationFilter);
  chain.insert(chain.end(), {m_cboJikan2, m_cboKaisu2, m_cmdAllDsp});
  chain.insert(chain.end(), m_graphButtons.begin(), m_graphButtons.end());
  chain.insert(chain.end(), {m_optPerPlay, m_optPerDay});
  return chain;
}

void HistoryPanel::fillLists() {
  m_cboJikan2->clear();
  m_cboJikan2->addItems(m_profile.choices.jikanItems());
  m_cboKaisu2->clear();
  m_cboKaisu2->addItems(m_profile.choices.kaisuItems());
  m_cboJikan2->setCurrentIndex(-1);
  m_cboKaisu2->setCurrentIndex(-1);
}

// The grid mirrors the history file: only a line the file took comes here.
void HistoryPanel::addPlay(const QStringList& fields) {
  m_historyRecords.push_back(fields);
  const int row = m_msgRireki->rows();
  m_msgRireki->setRows(row + 1);
  m_msgRireki->setTextMatrix(row, 0, QString::number(row));
  for (int c = 0; c < fields.size(); ++c) m_msgRireki->setTextMatrix(row, c + 1, fields[c]);
  scrollHistory();
}

void HistoryPanel::clear() {
  m_historyRecords.clear();
  m_msgRireki->setRows(1);
  // The chart must not go on showing the plays just cleared; the grid stays where it is.
  if (m_graphButtons.empty()) return;
  const auto shown =
      std::ranges::find(m_graphButtons, platform::selectedButton(m_graphButtons, platform::kSelectedGraph));
  drawGraph(shown == m_graphButtons.end() ? 0 : int(shown - m_graphButtons.begin()));
}

void HistoryPanel::lowerForPlay() {
  if (m_profile.historyRisesForGraphs) RIREKI_SHITA();
}

// A screen reader hears the result as the history takes the focus (or, holding it already,
// changes its name).
void HistoryPanel::setSpokenResult(const QString& result) {
  m_msgRireki->setAccessibleName(result.isEmpty() ? kHistoryName
                                                  : kHistoryName + QStringLiteral("　今回の結果：") + result);
}

void HistoryPanel::focusNewestHistoryRow() {
  const int newest = m_msgRireki->rows() - 1;
  if (newest >= 1) m_msgRireki->setRow(newest);
  m_msgRireki->setFocus();
}

// "回" is 600 twips wide, but a long history numbers its rows with up to six digits.
int HistoryPanel::numberColumnTwips() const {
  const int needed = (m_msgRireki->fontMetrics().horizontalAdvance(QStringLiteral("999999")) + 12) * 15;
  return qMax(600, needed);
}

void HistoryPanel::DISP_RIREKI_HEAD() {
  m_msgRireki->setRows(1);
  QStringList headers{QStringLiteral("回")};
  for (const HistoryColumn& column : m_profile.history) headers.append(column.header);
  m_msgRireki->setHeader(headers);
  m_msgRireki->setColWidth(0, numberColumnTwips());
  m_msgRireki->setFixedAlignment(0, platform::Align::Center);
  m_msgRireki->setColAlignment(0, platform::Align::Right);
  for (size_t i = 0; i < m_profile.history.size(); ++i) {
    const int col = int(i) + 1;
    const HistoryField field = m_profile.history[i].field;
    const bool centred = field == HistoryField::Date || field == HistoryField::Time || field == HistoryField::Operation;
    m_msgRireki->setColWidth(col, m_profile.history[i].widthTwips);
    m_msgRireki->setFixedAlignment(col, platform::Align::Center);
    m_msgRireki->setColAlignment(col, centred ? platform::Align::Center : platform::Align::Right);
  }
}

void HistoryPanel::showHistory(const HistoryFilter& filter, bool all) {
  m_msgRireki->hide();
  DISP_RIREKI_HEAD();
  m_msgRireki->setDataSource(
      numberedRows(all ? m_historyRecords : filterHistory(m_historyRecords, m_profile.history, filter)));
  scrollHistory();
  m_msgRireki->show();
  if (all) {
    m_cmdAllDsp->setBackColor(platform::kSelectedFilter);
  } else {
    m_cmdAllDsp->setButtonFace();
  }
  REDRAW_GRAPH();
}

void HistoryPanel::cmdAllDsp_Click() {
  HistoryRead read = readHistory(m_profile.historyFile(), m_profile.history);
  m_historyRecords = std::move(read.records);
  if (!read.error.isEmpty()) {
    platform::showMessage(m_window, read.error, m_profile.caption, platform::MsgIcon::Exclamation);
  } else if (read.unreadable > 0) {
    platform::showMessage(
        m_window,
        QStringLiteral("履歴ファイルの %1 行は読み取れないため表示しません（ファイルにはそのまま残っています）。")
            .arg(read.unreadable),
        m_profile.caption, platform::MsgIcon::Exclamation);
  }
  m_cboJikan2->setCurrentIndex(-1);
  m_cboKaisu2->setCurrentIndex(-1);
  if (m_operationFilter) m_operationFilter->setCurrentIndex(-1);
  showHistory({}, true);
}

bool HistoryPanel::operationChosen(QComboBox* changed) {
  if (!m_operationFilter || m_operationFilter->currentIndex() >= 0) return true;
  changed->setCurrentIndex(-1);
  platform::showMessage(m_window, QStringLiteral("先にモードを選んでください"), QStringLiteral("モード選択"),
                        platform::MsgIcon::Exclamation);
  return false;
}

std::optional<QString> HistoryPanel::chosenOperation() const {
  if (!m_operationFilter) return std::nullopt;
  return m_operationFilter->currentText();
}

void HistoryPanel::cboJikan2_Click() {
  if (!operationChosen(m_cboJikan2)) return;
  m_cboKaisu2->setCurrentIndex(-1);
  showHistory({m_cboJikan2->currentText(), std::nullopt, chosenOperation()}, false);
}

void HistoryPanel::cboKaisu2_Click() {
  if (!operationChosen(m_cboKaisu2)) return;
  m_cboJikan2->setCurrentIndex(-1);
  showHistory({std::nullopt, m_cboKaisu2->currentText().toInt(), chosenOperation()}, false);
}

void HistoryPanel::operationFilter_Click() {
  m_cboJikan2->setCurrentIndex(-1);
  m_cboKaisu2->setCurrentIndex(-1);
  showHistory({std::nullopt, std::nullopt, chosenOperation()}, false);
}

void HistoryPanel::CLEAR_GRAPH_BUTTONS() {
  for (platform::ColorButton* b : m_graphButtons) b->setButtonFace();
}

void HistoryPanel::graphButton_Click(int index) {
  if (m_profile.historyRisesForGraphs) RIREKI_UE();
  drawGraph(index);
}

void HistoryPanel::drawGraph(int index) {
  const GraphButton& g = m_profile.graphButtons[size_t(index)];
  if (g.fields.empty()) return;
  CLEAR_GRAPH_BUTTONS();
  std::vector<int> columns;
  for (HistoryField field : g.fields) columns.push_back(historyColumn(m_profile.history, field));
  platform::ChartControl* shown = columns.size() == 2 ? m_mcrRireki2 : m_mcrRireki;
  platform::ChartControl* hidden = shown == m_mcrRireki ? m_mcrRireki2 : m_mcrRireki;
  shown->show();
  hidden->hide();
  shown->setValueTitle(valueTitle(g.fields.front()));
  if (m_graphBy == GraphBy::Day) {
    shown->setChartData(dailyHistoryChart(m_msgRireki->gridModel(),
                                          historyColumn(m_profile.history, HistoryField::Date), columns,
                                          shownDecimals(g.fields.front())));
  } else {
    shown->setChartData(historyChart(m_msgRireki->gridModel(), columns));
  }
  m_graphButtons[size_t(index)]->setBackColor(platform::kSelectedGraph);
}

void HistoryPanel::optPerDay_Toggled(bool perDay) {
  m_graphBy = perDay ? GraphBy::Day : GraphBy::Play;
  const QString error = writeGraphBy(m_graphBy);
  // A folder that cannot be written stays so: told once a run.
  if (!error.isEmpty() && platform::firstTimeThisRun(error)) {
    platform::showMessage(m_window, error, m_profile.caption, platform::MsgIcon::Exclamation);
  }
  // The graph on show is drawn again where it is; the grid stays where it is.
  const auto shown =
      std::ranges::find(m_graphButtons, platform::selectedButton(m_graphButtons, platform::kSelectedGraph));
  if (!m_graphButtons.empty()) drawGraph(shown == m_graphButtons.end() ? 0 : int(shown - m_graphButtons.begin()));
}

void HistoryPanel::REDRAW_GRAPH() {
  if (platform::ColorButton* shown = platform::selectedButton(m_graphButtons, platform::kSelectedGraph)) {
    shown->click();
    return;
  }
  // Until the player chooses a graph the first one shows, where it is, so that the chart
  // never says it has no data beside a grid with rows.
  if (!m_graphButtons.empty()) drawGraph(0);
}

void HistoryPanel::RIREKI_SHITA() {
  m_fraRireki->setGeometry(m_area.x(), m_area.y(), kHistoryGridWidth, bottom() - m_area.y());
  m_msgRireki->setGeometry(0, 0, kHistoryGridWidth, m_fraRireki->height());
  m_historyRaised = false;
  scrollHistory();
}

void HistoryPanel::RIREKI_UE() {
  m_fraRireki->setGeometry(m_area.x(), m_raisedTop, kHistoryGridWidth, bottom() - m_raisedTop);
  m_msgRireki->setGeometry(0, 0, kHistoryGridWidth, m_fraRireki->height());
  m_fraRireki->raise();
  m_historyRaised = true;
  scrollHistory();
}

// The newest row comes into view once the grid holds more rows than the layout shows
// without scrolling.
void HistoryPanel::scrollHistory() {
  const int rows = m_msgRireki->rows();
  const bool scroll = !m_profile.historyRisesForGraphs ? rows > 7 : rows >= (m_historyRaised ? 14 : 9);
  if (scroll) m_msgRireki->setTopRow(rows - 1);
}

}  // namespace games
