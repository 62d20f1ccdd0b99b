// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/RangeFilterScreen.h"

#include "platform/core/Clock.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "records/RecordFile.h"
#include "views/Graphs.h"
#include "views/RecordsOnScreen.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QStringListModel>

namespace views {

namespace {
using platform::Align;

struct PeriodButton {
  int number;  // of cmdKikan1 .. cmdKikan8
  const char* caption;
  int days;
};
constexpr PeriodButton kPeriods[] = {
    {1, "前日", 1},   {8, "３日", 2},    {2, "１週間", 7}, {3, "２週間", 14},
    {4, "１ヶ月", 30}, {5, "３ヶ月", 90}, {6, "半年", 180}, {7, "１年", 365},
};

// The list shows ten records below its header; more scroll the newest into view.
constexpr int kRowsWithoutScrolling = 11;

QLabel* heading(const QString& text, const QString& name, const QRect& geometry, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
  return label;
}

QComboBox* dateBox(const QString& name, QStringListModel* dates, const QRect& geometry, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setModel(dates);
  // A typed date is used as it stands: no completion, and it does not join the list.
  box->setCompleter(nullptr);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMaxVisibleItems(20);
  box->setGeometry(geometry);
  return box;
}
}  // namespace

RangeFilterScreen::RangeFilterScreen(Hooks hooks, QWidget* parent) : QFrame(parent), m_hooks(std::move(hooks)) {
  setObjectName(QStringLiteral("fraTaijyu"));
  buildFilterControls();
  buildListsAndCharts();
  INIT_BUNSEKI();
}

platform::ColorButton* RangeFilterScreen::makeButton(const QString& name, const QString& caption,
                                                     const QRect& geometry) {
  auto* button = new platform::ColorButton(caption, this);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

void RangeFilterScreen::buildFilterControls() {
  heading(QStringLiteral("項目指定"), QStringLiteral("Label7(0)"), {396, 8, 120, 22}, this);
  m_lstAct2 = new QListWidget(this);
  m_lstAct2->setObjectName(QStringLiteral("lstAct2"));
  m_lstAct2->setAccessibleName(QStringLiteral("項目指定"));  // a list takes no name from a buddy
  m_lstAct2->setGeometry(396, 32, 148, 148);
  connect(m_lstAct2, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { lstAct2_Click(m_lstAct2->row(item)); });

  m_cmdAllact = makeButton(QStringLiteral("cmdAllact"), QStringLiteral("全部"), {550, 32, 60, 30});
  m_cmdAllact->setAccessibleName(QStringLiteral("全部の項目"));
  connect(m_cmdAllact, &QPushButton::clicked, this, &RangeFilterScreen::cmdAllact_Click);
  m_txtKey = new QLineEdit(this);
  m_txtKey->setObjectName(QStringLiteral("txtKey"));
  m_txtKey->setAccessibleName(QStringLiteral("項目のキーワード"));
  m_txtKey->setAccessibleDescription(QStringLiteral("項目名に含まれる語句を入力して Enter で絞り込みます"));
  m_txtKey->setGeometry(550, 70, 190, 28);
  m_txtKey->installEventFilter(this);
  connect(m_txtKey, &QLineEdit::returnPressed, this, &RangeFilterScreen::txtKey_Enter);
  m_cmdKensaku = new QPushButton(QStringLiteral("検索"), this);
  m_cmdKensaku->setObjectName(QStringLiteral("cmdKensaku"));
  m_cmdKensaku->setGeometry(746, 70, 60, 28);
  connect(m_cmdKensaku, &QPushButton::clicked, this, &RangeFilterScreen::cmdKensaku_Click);

  heading(QStringLiteral("曜日指定"), QStringLiteral("Label7(1)"), {550, 106, 120, 22}, this);
  for (int i = 0; i < 7; ++i) {
    m_cmdWeek[size_t(i)] = makeButton(QStringLiteral("cmdWeek(%1)").arg(i), weekdayNames()[i], {550 + i * 36, 130, 32, 30});
    m_cmdWeek[size_t(i)]->setAccessibleName(weekdayNames()[i] + QStringLiteral("曜日"));
    connect(m_cmdWeek[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdWeek_Click(i); });
  }
  m_cmdAllWeek = makeButton(QStringLiteral("cmdAllWeek"), QStringLiteral("全部"), {804, 130, 56, 30});
  m_cmdAllWeek->setAccessibleName(QStringLiteral("全部の曜日"));
  connect(m_cmdAllWeek, &QPushButton::clicked, this, &RangeFilterScreen::cmdAllWeek_Click);

  heading(QStringLiteral("期間指定"), QStringLiteral("Label7(2)"), {396, 186, 120, 22}, this);
  const auto periodGeometry = [](int slot) { return QRect(396 + (slot % 5) * 94, 210 + (slot / 5) * 36, 88, 32); };
  m_cmdAllDay = makeButton(QStringLiteral("cmdAllDay"), QStringLiteral("全部"), periodGeometry(0));
  m_cmdAllDay->setAccessibleName(QStringLiteral("全部の期間"));
  connect(m_cmdAllDay, &QPushButton::clicked, this, &RangeFilterScreen::cmdAllDay_Click);
  int slot = 1;
  for (const PeriodButton& period : kPeriods) {
    auto* button = makeButton(QStringLiteral("cmdKikan%1").arg(period.number), QString::fromUtf8(period.caption),
                              periodGeometry(slot++));
    const int number = period.number;
    connect(button, &QPushButton::clicked, this, [this, number] { cmdKikan_Click(number); });
    m_cmdKikan[size_t(number)] = button;
  }
  m_cmdKikanF = makeButton(QStringLiteral("cmdKikanF"), QStringLiteral("任意"), periodGeometry(slot));
  connect(m_cmdKikanF, &QPushButton::clicked, this, &RangeFilterScreen::cmdKikanF_Click);

  m_dates = new QStringListModel(this);
  m_cboStdate = dateBox(QStringLiteral("cboStdate"), m_dates, {396, 284, 130, 28}, this);
  m_cboStdate->setAccessibleName(QStringLiteral("期間の最初の日"));
  auto* tilde = new QLabel(QStringLiteral("～"), this);
  tilde->setAlignment(Qt::AlignCenter);
  tilde->setGeometry(526, 284, 28, 28);
  m_cboEddate = dateBox(QStringLiteral("cboEddate"), m_dates, {554, 284, 130, 28}, this);
  m_cboEddate->setAccessibleName(QStringLiteral("期間の最後の日"));
  m_dateHint = new QLabel(QStringLiteral("日付は 2024/05/01 の形で入力してください"), this);
  m_dateHint->setObjectName(QStringLiteral("lblDateHint"));
  m_dateHint->setStyleSheet(QStringLiteral("QLabel { color: #A00000; }"));
  m_dateHint->setGeometry(396, 314, 464, 22);
  m_dateHint->hide();
}

void RangeFilterScreen::buildListsAndCharts() {
  m_msgBunseki = new platform::DataGrid(this);
  m_msgBunseki->setObjectName(QStringLiteral("msgBunseki"));
  m_msgBunseki->setAccessibleName(QStringLiteral("指定した範囲の記録"));
  m_msgBunseki->setGeometry(10, 10, 378, 282);
  m_msgBunseki2 = new platform::DataGrid(this);
  m_msgBunseki2->setObjectName(QStringLiteral("msgBunseki2"));
  m_msgBunseki2->setAccessibleName(QStringLiteral("項目別合計時間"));
  m_msgBunseki2->setGeometry(10, 302, 246, 206);

  m_cmdDay3 = makeButton(QStringLiteral("cmdDay3"), QStringLiteral("時系列"), {10, 530, 110, 36});
  m_cmdTotal3 = makeButton(QStringLiteral("cmdTotal3"), QStringLiteral("項目別"), {10, 572, 110, 36});
  m_cmdJikan3 = makeButton(QStringLiteral("cmdJikan3"), QStringLiteral("時間別"), {10, 614, 110, 36});
  connect(m_cmdDay3, &QPushButton::clicked, this, &RangeFilterScreen::cmdDay3_Click);
  connect(m_cmdTotal3, &QPushButton::clicked, this, &RangeFilterScreen::cmdTotal3_Click);
  connect(m_cmdJikan3, &QPushButton::clicked, this, &RangeFilterScreen::cmdJikan3_Click);
  m_cmdDay3->setBackColor(selectedGraphColour());

  m_mcrBunseki = new platform::ChartControl(platform::ChartControl::Kind::Bar, this);
  m_mcrBunseki->setObjectName(QStringLiteral("mcrBunseki"));
  m_mcrBunseki->setAccessibleName(QStringLiteral("時系列グラフ"));
  m_mcrBunseki->setGeometry(266, 342, 594, 314);
  m_mcrBunseki->setValueTitle(QStringLiteral("秒"));
  m_mcrBunseki2 = new platform::ChartControl(platform::ChartControl::Kind::Bar, this);
  m_mcrBunseki2->setObjectName(QStringLiteral("mcrBunseki2"));
  m_mcrBunseki2->setAccessibleName(QStringLiteral("項目別グラフ"));
  m_mcrBunseki2->setGeometry(266, 342, 594, 314);
  m_mcrBunseki2->setValueTitle(QStringLiteral("秒"));
  m_mcrBunseki2->hide();
}

void RangeFilterScreen::INIT_BUNSEKI() {
  // Where the classic widths cut off what this font shows (six-character item names, running
  // numbers and totals of five digits and more), the columns are a little wider.
  m_msgBunseki->setFontSize(10);
  m_msgBunseki->setColumns({{"", countColumnTwips(*m_msgBunseki, 720), Align::Right}, {"日付", 1240, Align::Center},
                            {"時間", 940, Align::Center},
                            {"曜", 365, Align::Center}, {"項目", 1350, Align::Left}, {"秒", 740, Align::Right}});
  m_msgBunseki2->setFontSize(10);
  m_msgBunseki2->setColumns({{"項目", 1390, Align::Left}, {"秒", 900, Align::Right}, {"時間", 1100, Align::Right}});
}

void RangeFilterScreen::RESET_KIKAN_COLORS() { markPeriod(nullptr); }

void RangeFilterScreen::markPeriod(platform::ColorButton* selected) {
  std::vector<platform::ColorButton*> group{m_cmdAllDay, m_cmdKikanF};
  group.insert(group.end(), m_cmdKikan.begin() + 1, m_cmdKikan.end());
  platform::markSelected(group, selected, selectedFilterColour());
}

void RangeFilterScreen::markWeekday(platform::ColorButton* selected) {
  std::vector<platform::ColorButton*> group(m_cmdWeek.begin(), m_cmdWeek.end());
  group.push_back(m_cmdAllWeek);
  platform::markSelected(group, selected, selectedFilterColour());
}

void RangeFilterScreen::markKeyword(const QString& keyword) {
  if (keyword.isEmpty()) {
    m_cmdAllact->setBackColor(selectedFilterColour());
  } else {
    m_cmdAllact->setButtonFace();
  }
  const QList<QListWidgetItem*> named = keyword.isEmpty() ? QList<QListWidgetItem*>{}
                                                          : m_lstAct2->findItems(keyword, Qt::MatchExactly);
  if (named.isEmpty()) {
    m_lstAct2->clearSelection();
    m_lstAct2->setCurrentRow(-1);
  } else {
    m_lstAct2->setCurrentItem(named.front());
  }
}

// The screen opens unfiltered, whatever the keyword box still holds.
void RangeFilterScreen::prepareScreen() {
  DISP_BUNSEKI_ALL();
  markPeriod(m_cmdAllDay);
  markWeekday(m_cmdAllWeek);
  markKeyword({});
  m_intWeekSel = kAllWeekdays;
}

void RangeFilterScreen::SELECT_BUNSEKI() { buildList(selectBuilder(m_txtKey->text(), m_intWeekSel)); }

void RangeFilterScreen::buildList(RangeBuilder builder) {
  INIT_BUNSEKI();
  QStringList items;
  for (int i = 0; i < m_lstAct2->count(); ++i) items << m_lstAct2->item(i)->text();
  const std::shared_ptr<const records::RecordTable> table = recordsForScreen(this);
  RangeList result = buildRangeList(
      *table, {builder, m_cboStdate->currentText(), m_cboEddate->currentText(), m_txtKey->text(), m_intWeekSel}, items);

  m_msgBunseki->setDataSource(std::make_shared<RangeListSource>(std::move(table), std::move(result.records)));
  if (m_msgBunseki->rows() > kRowsWithoutScrolling) m_msgBunseki->setTopRow(m_msgBunseki->rows() - 1);
  m_msgBunseki2->setDataRows(std::move(result.totalRows));
  if (builder == RangeBuilder::All) fillDateLists(result.dates);
  showDateHint();
  redrawSelectedGraph();
}

void RangeFilterScreen::fillDateLists(const QStringList& dates) {
  m_dates->setStringList(dates);
  if (dates.isEmpty()) {
    m_cboStdate->setEditText(QString());
    m_cboEddate->setEditText(QString());
    return;
  }
  m_cboStdate->setCurrentIndex(0);
  m_cboEddate->setCurrentIndex(int(dates.size()) - 1);
}

// A date typed in another shape still compares as text, so say why the list may look odd.
void RangeFilterScreen::showDateHint() {
  const auto odd = [](const QString& text) { return !text.isEmpty() && !isRecordDate(text); };
  m_dateHint->setVisible(odd(m_cboStdate->currentText()) || odd(m_cboEddate->currentText()));
}

void RangeFilterScreen::applyFilter(const std::function<void()>& ownChanges, platform::ColorButton* highlight) {
  // Hiding the screen moves the focus away from the control the user has just used.
  QWidget* const focused = window()->focusWidget();
  const bool focusHere = focused && isAncestorOf(focused);
  if (m_hooks.hideAllFrames) {
    m_hooks.hideAllFrames();
  } else {
    hide();
  }
  ownChanges();
  SELECT_BUNSEKI();
  show();
  if (highlight) highlight->setBackColor(selectedFilterColour());
  if (focusHere && window()->focusWidget() != focused) {
    const QScopedValueRollback restoring(m_restoringFocus, true);
    focused->setFocus(Qt::OtherFocusReason);
  }
}

void RangeFilterScreen::lstAct2_Click(int index) {
  if (index < 0 || index >= m_lstAct2->count()) return;
  const QString name = m_lstAct2->item(index)->text();
  applyFilter([this, name] { m_txtKey->setText(name); }, nullptr);
  markKeyword(name);
}

void RangeFilterScreen::cmdAllact_Click() {
  applyFilter([this] { m_txtKey->clear(); }, nullptr);
  markKeyword({});
}

void RangeFilterScreen::txtKey_Enter() {
  applyFilter([] {}, nullptr);
  markKeyword(m_txtKey->text());
}

void RangeFilterScreen::txtKey_GotFocus() { m_txtKey->clear(); }

void RangeFilterScreen::cmdKensaku_Click() {
  DISP_BUNSEKI_KEY();
  markKeyword(m_txtKey->text());
}

void RangeFilterScreen::cmdWeek_Click(int index) {
  if (index < 0 || index >= 7) return;
  applyFilter(
      [this, index] {
        markWeekday(nullptr);
        m_intWeekSel = index;
      },
      m_cmdWeek[size_t(index)]);
}

void RangeFilterScreen::cmdAllWeek_Click() {
  applyFilter(
      [this] {
        markWeekday(nullptr);
        m_intWeekSel = kAllWeekdays;
      },
      m_cmdAllWeek);
}

void RangeFilterScreen::cmdAllDay_Click() {
  applyFilter(
      [this] {
        RESET_KIKAN_COLORS();
        m_cboStdate->setEditText(m_hooks.firstDay ? m_hooks.firstDay() : QString());
        m_cboEddate->setEditText(records::recordDate(platform::Clock::today()));
      },
      m_cmdAllDay);
}

void RangeFilterScreen::cmdKikan_Click(int number) {
  const auto period = std::find_if(std::begin(kPeriods), std::end(kPeriods),
                                   [number](const PeriodButton& p) { return p.number == number; });
  if (period == std::end(kPeriods)) return;
  const int days = period->days;
  applyFilter(
      [this, days] {
        RESET_KIKAN_COLORS();
        const QDate today = platform::Clock::today();
        m_cboStdate->setEditText(periodStart(today, days));
        m_cboEddate->setEditText(records::recordDate(today));
      },
      m_cmdKikan[size_t(number)]);
}

void RangeFilterScreen::cmdKikanF_Click() {
  applyFilter([this] { RESET_KIKAN_COLORS(); }, m_cmdKikanF);
}

bool RangeFilterScreen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_txtKey && event->type() == QEvent::FocusIn) {
    // Only the user's own move into the box empties it, not the window coming back to front.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const bool userMove = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    if (userMove && !m_restoringFocus) txtKey_GotFocus();
  }
  return QFrame::eventFilter(watched, event);
}

void RangeFilterScreen::markGraphButton(platform::ColorButton* selected) {
  platform::markSelected({m_cmdDay3, m_cmdTotal3, m_cmdJikan3}, selected, selectedGraphColour());
  (selected == m_cmdDay3 ? m_mcrBunseki : m_mcrBunseki2)->setAccessibleName(selected->text() + QStringLiteral("グラフ"));
}

// The data goes in before a chart is shown, so a chart that appears draws only once.
void RangeFilterScreen::cmdDay3_Click() {
  m_mcrBunseki->setChartData(listPlot(m_msgBunseki->gridModel(), 0, 5, Labels::None));
  m_mcrBunseki2->hide();
  m_mcrBunseki->show();
  markGraphButton(m_cmdDay3);
}

void RangeFilterScreen::cmdTotal3_Click() {
  m_mcrBunseki2->setChartData(listPlot(m_msgBunseki2->gridModel(), 0, 1));
  m_mcrBunseki->hide();
  m_mcrBunseki2->show();
  markGraphButton(m_cmdTotal3);
}

void RangeFilterScreen::cmdJikan3_Click() {
  m_mcrBunseki2->setChartData(hourPlot(m_msgBunseki->gridModel(), 2, 5));
  m_mcrBunseki->hide();
  m_mcrBunseki2->show();
  markGraphButton(m_cmdJikan3);
}

QColor RangeFilterScreen::selectedFilterColour() { return platform::kSelectedFilter; }
QColor RangeFilterScreen::selectedGraphColour() { return platform::kSelectedGraph; }

void RangeFilterScreen::redrawSelectedGraph() {
  if (platform::ColorButton* shown = platform::selectedButton({m_cmdDay3, m_cmdTotal3, m_cmdJikan3}, selectedGraphColour())) {
    shown->click();
  }
}

}  // namespace views
