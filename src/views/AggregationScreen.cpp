// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/AggregationScreen.h"

#include "platform/widgets/DataGrid.h"
#include "records/GameItems.h"
#include "views/RecordsOnScreen.h"

#include <QHeaderView>
#include <QRadioButton>
#include <QSignalBlocker>

namespace views {

namespace {

constexpr const char* kCaptions[] = {"時間集計　表示", "回数集計　表示", "時間 ＆ 回数　集計　表示"};

// Header row and data rows each grid shows whole: as many as it has before it scrolls.
constexpr int kMonthRowsShown = 7;
constexpr int kDayRowsShown = 19;
constexpr int kFontSize = 9;

// A width setting as text; one that is no width keeps the layout's own.
int twipsOf(const std::function<QString()>& setting, int fallback) {
  if (!setting) return fallback;
  bool ok = false;
  const int twips = setting().trimmed().toInt(&ok);
  return ok && twips >= 0 ? twips : fallback;
}

platform::DataGrid* makeGrid(const QString& name, int top, int rowsShown, QWidget* parent) {
  auto* grid = new platform::DataGrid(parent);
  grid->setObjectName(name);
  grid->setFontSize(kFontSize);
  grid->setHeader({QStringLiteral("回")});  // a header without sections has no height yet
  const int height = grid->horizontalHeader()->sizeHint().height() +
                     (rowsShown - 1) * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth();
  grid->setGeometry(10, top, 848, height);
  return grid;
}

}  // namespace

AggregationScreen::AggregationScreen(Hooks hooks, QWidget* parent) : QFrame(parent), m_hooks(std::move(hooks)) {
  setObjectName(QStringLiteral("fraSyuukei"));
  const int widths[] = {170, 170, 240};
  int x = 10;
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(QString::fromUtf8(kCaptions[i]), this);
    option->setObjectName(QStringLiteral("optList2(%1)").arg(i));
    option->setGeometry(x, 8, widths[i], 30);
    x += widths[i] + 10;
    // A click and the arrow keys both land here, once, on the option that becomes selected.
    connect(option, &QRadioButton::toggled, this, [this, i](bool checked) {
      if (checked) optList2_Click(i);
    });
    m_optList2[size_t(i)] = option;
  }

  m_msgKakei1 = makeGrid(QStringLiteral("msgKakei1"), 44, kMonthRowsShown, this);
  m_msgKakei1->setAccessibleName(QStringLiteral("月別集計"));
  const int dayTop = m_msgKakei1->geometry().bottom() + 10;
  m_msgKakei2 = makeGrid(QStringLiteral("msgKakei2"), dayTop, kDayRowsShown, this);
  m_msgKakei2->setAccessibleName(QStringLiteral("日別集計"));
  // The content area leaves its bottom 20 px to the status line.
  if (m_msgKakei2->geometry().bottom() > 650) m_msgKakei2->setFixedHeight(650 - dayTop);

  READ_KOUMOKU();
}

void AggregationScreen::prepareScreen() {
  select(0);
  draw(KakeiDisplay::Jikan);
}

void AggregationScreen::select(int index) {
  const QSignalBlocker quiet(m_optList2[size_t(index)]);
  m_optList2[size_t(index)]->setChecked(true);
}

void AggregationScreen::optList2_Click(int index) {
  if (index < 0 || index > 2) return;
  select(index);  // when called from code rather than by the option itself
  // Hidden while redrawn in the original; holding the paint does the same and keeps the
  // focus on the option the user moved to.
  setUpdatesEnabled(false);
  draw(KakeiDisplay(index));
  setUpdatesEnabled(true);
}

void AggregationScreen::READ_KOUMOKU() {
  m_strKoumoku.clear();
  for (const QString& name : records::itemNames()) m_strKoumoku << name;
}

KakeiSettings AggregationScreen::settings() const {
  return {m_hooks.firstDay ? m_hooks.firstDay() : QString(), m_hooks.lastDay ? m_hooks.lastDay() : QString(),
          m_strKoumoku, twipsOf(m_hooks.colWidthKoumoku, 1180), twipsOf(m_hooks.colWidthSyoukei, 1250)};
}

void AggregationScreen::draw(KakeiDisplay display) {
  READ_KOUMOKU();
  const KakeiSettings now = settings();
  const std::shared_ptr<const records::RecordTable> table = recordsForScreen(this);
  pour(*m_msgKakei2, kakeiTable(*table, now, KakeiPeriod::Day, display));
  pour(*m_msgKakei1, kakeiTable(*table, now, KakeiPeriod::Month, display));
}

void AggregationScreen::pour(platform::DataGrid& grid, const KakeiTable& table) {
  grid.setRows(1);  // drops the old rows and their colours
  grid.clear();
  QStringList headers;
  for (const KakeiColumn& column : table.columns) headers << column.header;
  grid.setHeader(headers);
  for (int c = 0; c < int(table.columns.size()); ++c) {
    const KakeiColumn& column = table.columns[size_t(c)];
    // Running numbers and day labels stay whole in this font; the layout's widths are for a
    // smaller one.
    int twips = column.twips;
    if (c == 0) twips = countColumnTwips(grid, twips);
    if (c == 1) twips = fitColumnTwips(grid, twips, QStringLiteral("00/00/00"));
    grid.setColWidth(c, twips);
    grid.setColAlignment(c, column.align);
    grid.setFixedAlignment(c, column.headerAlign);
  }
  if (!table.rows) return;

  grid.setDataSource(table.rows);
  platform::GridModel& model = grid.gridModel();
  for (const KakeiColour& colour : table.backColours) model.setCellBackColor(colour.row, colour.col, colour.rgb);
  for (const KakeiColour& colour : table.foreColours) model.setCellForeColor(colour.row, colour.col, colour.rgb);
  if (table.topRow > 0) grid.setTopRow(table.topRow);
}

}  // namespace views
