// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TodayPanel.h"

#include "app/Pictures.h"
#include "platform/core/Clock.h"
#include "platform/core/SeqFormat.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/MonthCalendar.h"
#include "platform/widgets/Shape.h"
#include "records/RecordFile.h"
#include "records/TimeTotals.h"
#include "views/DaySummary.h"
#include "views/Graphs.h"
#include "views/PlayStreak.h"
#include "views/RecordsOnScreen.h"

#include <QHeaderView>
#include <QLabel>

#include <cmath>
#include <utility>

namespace app {

namespace {
using platform::Align;

constexpr int kFaceSize = 76;
const QString kNoPlayCaption = QStringLiteral("今日の脳も健康元気");

QLabel* pictureLabel(Face face, const QString& name, const QString& spoken, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAccessibleName(spoken);
  label->setPixmap(facePicture(face, kFaceSize));
  label->setGeometry(12, 8, kFaceSize, kFaceSize);
  label->hide();
  return label;
}

double largestValue(const platform::ChartData& data) {
  double largest = 0;
  for (const std::vector<double>& series : data.values) {
    for (double value : series) {
      if (std::isfinite(value)) largest = std::max(largest, value);
    }
  }
  return largest;
}

QString faceName(const char* face, int kinds) {
  return QStringLiteral("フェイスマーク「%1」：%2 種類の脳刺激").arg(QString::fromUtf8(face)).arg(kinds);
}

void nameCalendar(platform::MonthCalendar& calendar) {
  calendar.setAccessibleName(QStringLiteral("日付の選択"));
  calendar.setAccessibleDescription(QStringLiteral("太字の日はプレイした日です。日付を選ぶと、その日のプレイを表示します"));
  // The month grid takes the focus for the calendar; the arrows are pictures only.
  if (QWidget* days = calendar.focusProxy()) {
    days->setAccessibleName(calendar.accessibleName());
    days->setAccessibleDescription(calendar.accessibleDescription());
  }
  // The month and year buttons say the month and year on show by their captions.
  const std::pair<const char*, const char*> parts[] = {
      {"qt_calendar_prevmonth", "前の月"}, {"qt_calendar_nextmonth", "次の月"}, {"qt_calendar_yearedit", "年"}};
  for (const auto& [name, spoken] : parts) {
    if (auto* part = calendar.findChild<QWidget*>(QString::fromLatin1(name))) {
      part->setAccessibleName(QString::fromUtf8(spoken));
    }
  }
}

void setLabelBackground(QLabel* label, const QColor& colour) {
  label->setStyleSheet(QStringLiteral("QLabel { background-color: %1; border: 1px solid #909090; }")
                           .arg(colour.name()));
}
}  // namespace

const std::array<QColor, records::kItemCount>& TodayPanel::lampColours() {
  static const std::array colours{
      QColor(0xFF, 0xC0, 0xC0), QColor(0xFF, 0xE0, 0xC0), QColor(0xFF, 0xFF, 0xC0),
      QColor(0xC0, 0xFF, 0xC0), QColor(0xC0, 0xFF, 0xFF), QColor(0xC0, 0xC0, 0xFF),
      QColor(0xFF, 0xC0, 0xFF)};
  // One per game: a new game stops the build here until its lamp has a colour.
  static_assert(std::tuple_size_v<decltype(colours)> == records::kItemCount, "one lamp colour per game");
  return colours;
}

TodayPanel::TodayPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("fraMain"));

  m_noPlay = pictureLabel(Face::NoPlay, QStringLiteral("imgNashi"), QStringLiteral("フェイスマーク：プレイなし"), this);
  m_sulky = pictureLabel(Face::Sulky, QStringLiteral("imgkana"), faceName("ムスッ", 1), this);
  m_smiling = pictureLabel(Face::Smiling, QStringLiteral("imgniko"), faceName("ニコ", 2), this);
  m_laughing = pictureLabel(Face::Laughing, QStringLiteral("imgwara"), faceName("笑い", 3), this);
  m_noPlay->show();

  for (int i = 0; i < records::kItemCount; ++i) {
    auto* led = new platform::Shape(platform::Shape::Form::Circle, this);
    led->setObjectName(QStringLiteral("shpLed(%1)").arg(i + 1));
    led->setGeometry(100 + i * 31, 12, 25, 25);
    led->setAccessibleDescription(QStringLiteral("%1 種類以上のゲームをした日に点きます").arg(i + 1));
    m_leds[i] = led;
  }
  m_evaluation = new QLabel(kNoPlayCaption, this);
  m_evaluation->setObjectName(QStringLiteral("lblMHyouka"));
  m_evaluation->setAlignment(Qt::AlignCenter);
  m_evaluation->setGeometry(100, 43, 211, 28);
  setLabelBackground(m_evaluation, Qt::white);
  // Under the evaluation: days in a row with plays, up to today whatever day is picked.
  m_streak = new QLabel(this);
  m_streak->setObjectName(QStringLiteral("lblStreak"));
  m_streak->setAlignment(Qt::AlignCenter);
  m_streak->setGeometry(100, 72, 211, 20);
  m_streak->setToolTip(
      QStringLiteral("今日まで（今日まだなら昨日まで）毎日続けて遊んだ日数と、これまでで最も長く続いた日数です"));
  showStreak();

  m_calendar = new platform::MonthCalendar(this);
  m_calendar->setObjectName(QStringLiteral("mtvmain"));
  m_calendar->setGeometry(10, 92, 304, 220);
  nameCalendar(*m_calendar);
  connect(m_calendar, &platform::MonthCalendar::dayClicked, this, &TodayPanel::dayClicked);
  connect(m_calendar, &QCalendarWidget::activated, this, &TodayPanel::dayClicked);
  connect(m_calendar, &QCalendarWidget::selectionChanged, this, &TodayPanel::daySelected);

  m_dayTotal = new platform::DataGrid(this);
  m_dayTotal->setObjectName(QStringLiteral("msgDayTotal"));
  m_dayTotal->setAccessibleName(QStringLiteral("その日のゲーム別合計"));

  auto* totalCaption = new QLabel(QStringLiteral("合計時間"), this);
  m_dayTotalLabel = new QLabel(QStringLiteral("0:00:00"), this);
  m_dayTotalLabel->setObjectName(QStringLiteral("lblDayTotal"));
  m_dayTotalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_dayTotalLabel->setStyleSheet(QStringLiteral("QLabel { font-size: 16pt; font-weight: bold; }"));

  m_dayList = new platform::DataGrid(this);
  m_dayList->setObjectName(QStringLiteral("msgDayList"));
  m_dayList->setAccessibleName(QStringLiteral("その日のプレイ"));
  m_dayList->setGeometry(326, 10, 362, 302);

  auto makeGraphButton = [this](const QString& name, const QString& caption, int y) {
    auto* button = new platform::ColorButton(caption, this);
    button->setObjectName(name);
    button->setGeometry(700, y, 110, 36);
    return button;
  };
  m_cmdDay = makeGraphButton(QStringLiteral("cmdDay"), QStringLiteral("時系列"), 10);
  m_cmdTotal = makeGraphButton(QStringLiteral("cmdTotal"), QStringLiteral("項目別"), 52);
  m_cmdJikan = makeGraphButton(QStringLiteral("cmdJikan"), QStringLiteral("時間別"), 94);
  connect(m_cmdDay, &QPushButton::clicked, this, &TodayPanel::cmdDay_Click);
  connect(m_cmdTotal, &QPushButton::clicked, this, &TodayPanel::cmdTotal_Click);
  connect(m_cmdJikan, &QPushButton::clicked, this, &TodayPanel::cmdJikan_Click);
  m_cmdDay->setBackColor(selectedGraphColour());

  m_chart = new platform::ChartControl(platform::ChartControl::Kind::Bar, this);
  m_chart->setObjectName(QStringLiteral("mcrMain"));
  m_chart->setAccessibleName(QStringLiteral("時系列グラフ"));
  m_chart->setGeometry(326, 322, 530, 300);
  m_chart->setValueTitle(QStringLiteral("秒"));

  INIT_DAYLIST();
  // The totals grid shows a row for each game without scrolling.
  const int totalsHeight = 2 * m_dayTotal->frameWidth() + m_dayTotal->horizontalHeader()->sizeHint().height() +
                           records::kItemCount * m_dayTotal->verticalHeader()->defaultSectionSize();
  m_dayTotal->setGeometry(10, 322, 304, std::max(196, totalsHeight));
  const int totalY = m_dayTotal->geometry().bottom() + 9;
  totalCaption->setGeometry(10, totalY, 90, 30);
  m_dayTotalLabel->setGeometry(100, totalY, 214, 30);
}

void TodayPanel::INIT_DAYLIST() {
  m_dayList->setFontSize(11);
  m_dayList->setColumns({{"", views::countColumnTwips(*m_dayList, 500), Align::Right},
                         {"時間", 1040, Align::Center}, {"項目", 2400, Align::Left}, {"秒", 810, Align::Right}});
  m_dayTotal->setFontSize(10);
  m_dayTotal->setColumns({{"", 350, Align::Right}, {"項目", 1840, Align::Left},
                          {"回", views::countColumnTwips(*m_dayTotal, 500), Align::Right}, {"秒合計", 750, Align::Right}});
}

void TodayPanel::DISP_TODAY() {
  INIT_DAYLIST();
  m_chart->setChartData(views::resetChart());

  const std::shared_ptr<const records::RecordTable> table = views::recordsForScreen(this);
  m_unreadable = table->unreadableLineCount();
  markPlayDays(table);
  m_shownDay = m_calendar->selectedDate();
  const views::DaySummary summary = views::summarizeDay(*table, records::recordDate(m_shownDay));
  m_noData = summary.noData;
  showStreak();
  // The seconds as the list shows them, not the float's binary neighbour (49.400002).
  m_largestSeconds = platform::seq::floatText(summary.largestSeconds).toDouble();
  m_firstDay = summary.firstDay;
  m_lastDay = summary.lastDay;
  if (summary.noData) {
    m_chart->setChartData({});  // says "データがありません" rather than drawing a lone zero
    showEvaluation(0);
    return;
  }

  m_dayList->setDataRows(summary.listRows);
  if (m_dayList->rows() > 10) m_dayList->setTopRow(m_dayList->rows() - 1);

  m_dayTotal->setDataRows(summary.totalRows);
  m_dayTotalLabel->setText(records::hmsText(summary.totalSeconds));

  redrawSelectedGraph();
  showEvaluation(summary.kinds);
}

void TodayPanel::showEvaluation(int kinds) {
  for (platform::Shape* led : m_leds) led->setFillColor(Qt::white);
  for (QLabel* face : {m_noPlay, m_sulky, m_smiling, m_laughing}) face->hide();
  if (kinds <= 0) {
    nameLamps(0);
    m_noPlay->show();
    setLabelBackground(m_evaluation, Qt::white);
    m_evaluation->setText(kNoPlayCaption);
    return;
  }
  kinds = qMin(kinds, records::kItemCount);
  (kinds == 1 ? m_sulky : kinds == 2 ? m_smiling : m_laughing)->show();
  m_laughing->setAccessibleName(faceName("笑い", std::max(kinds, 3)));
  for (int i = 0; i < kinds; ++i) m_leds[i]->setFillColor(lampColours()[i]);
  nameLamps(kinds);
  setLabelBackground(m_evaluation, lampColours()[kinds - 1]);
  m_evaluation->setText(QStringLiteral("%1 種類の脳刺激").arg(kinds));
}

void TodayPanel::nameLamps(int lit) {
  for (int i = 0; i < records::kItemCount; ++i) {
    const QString state = i < lit ? QStringLiteral("点灯") : QStringLiteral("消灯");
    m_leds[size_t(i)]->setAccessibleName(QStringLiteral("ランプ %1：%2").arg(i + 1).arg(state));
  }
}

void TodayPanel::markGraphButton(platform::ColorButton* selected) {
  platform::markSelected({m_cmdDay, m_cmdTotal, m_cmdJikan}, selected, selectedGraphColour());
  m_chart->setAccessibleName(selected->text() + QStringLiteral("グラフ"));
}

bool TodayPanel::showsSelectedDay() const { return m_shownDay == m_calendar->selectedDate(); }

void TodayPanel::markPlayDays(const std::shared_ptr<const records::RecordTable>& table) {
  if (m_markedFrom.lock() == table) return;
  m_playDays = views::playDays(*table);
  m_calendar->setMarkedDays(QList<QDate>(m_playDays.begin(), m_playDays.end()));
  m_markedFrom = table;
}

// Today is the clock's, so that a panel rebuilt after midnight counts the new day.
void TodayPanel::showStreak() {
  const QString text = views::streakText(views::playStreak(m_playDays, platform::Clock::today()));
  m_streak->setText(text);
  m_streak->setAccessibleName(QStringLiteral("続けて遊んだ日数：") + text);
}

void TodayPanel::showGraph(platform::ChartData data, std::optional<double> axisMaximum) {
  m_chart->setAxisMinimum(0);
  m_chart->setAxisMaximum(axisMaximum.value_or(largestValue(data)));
  m_chart->setChartData(std::move(data));
}

// Single plays share the day's longest one as their scale; sums would run off it.
void TodayPanel::cmdDay_Click() {
  markGraphButton(m_cmdDay);
  showGraph(views::listPlot(m_dayList->gridModel(), 2, 3), m_largestSeconds);
}

void TodayPanel::cmdTotal_Click() {
  markGraphButton(m_cmdTotal);
  showGraph(views::listPlot(m_dayTotal->gridModel(), 1, 3));
}

void TodayPanel::cmdJikan_Click() {
  markGraphButton(m_cmdJikan);
  showGraph(views::hourPlot(m_dayList->gridModel(), 1, 3));
}

void TodayPanel::redrawSelectedGraph() {
  if (platform::ColorButton* shown = platform::selectedButton({m_cmdDay, m_cmdTotal, m_cmdJikan}, selectedGraphColour())) {
    shown->click();
  }
}

}  // namespace app
