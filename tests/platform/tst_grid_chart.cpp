// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Twips.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/DataGrid.h"
#include "support/FreshRunTest.h"
#include "support/WidgetTestSupport.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <QtTest>

#include <functional>

using namespace platform;

Q_DECLARE_METATYPE(SortOrder)
Q_DECLARE_METATYPE(ChartControl::Kind)

namespace {
constexpr platform::Rgb kRed{255, 0, 0};
constexpr platform::Rgb kYellow{255, 255, 0};
constexpr platform::Rgb kGreen{0, 255, 0};

// Header "No|Name|Score" and one data row per score, named n1, n2, ...
void fill(GridModel& model, const QStringList& scores) {
  model.setHeader({"No", "Name", "Score"});
  std::vector<QStringList> rows;
  for (int i = 1; i <= scores.size(); ++i) rows.push_back({QString::number(i), "n" + QString::number(i), scores[i - 1]});
  model.setDataRows(std::move(rows));
}

QStringList column(const GridModel& model, int col) {
  QStringList out;
  for (int row = 1; row < model.rows(); ++row) out << model.textMatrix(row, col);
  return out;
}

// The rows of fill() made on demand, counting the texts asked for.
class ScoreSource : public GridSource {
 public:
  explicit ScoreSource(QStringList scores) : m_scores(std::move(scores)) {}
  int rowCount() const override { return int(m_scores.size()); }
  QString text(int row, int col) const override {
    ++reads;
    switch (col) {
      case 0:
        return QString::number(row + 1);
      case 1:
        return "n" + QString::number(row + 1);
      case 2:
        return m_scores[row];
    }
    return {};
  }
  mutable int reads = 0;

 private:
  QStringList m_scores;
};

std::shared_ptr<ScoreSource> sourceFill(GridModel& model, const QStringList& scores) {
  model.setHeader({"No", "Name", "Score"});
  auto source = std::make_shared<ScoreSource>(scores);
  model.setDataSource(source);
  return source;
}

QList<QStringList> allRows(const GridModel& model) {
  QList<QStringList> out;
  for (int row = 0; row < model.rows(); ++row) {
    QStringList texts;
    for (int col = 0; col < model.cols(); ++col) texts << model.textMatrix(row, col);
    out << texts;
  }
  return out;
}

void showGrid(DataGrid& grid) {
  grid.resize(300, 200);
  grid.show();
  QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

ChartData chartData(const QStringList& labels, const std::vector<QStringList>& values) {
  ChartData data;
  data.seriesCount = int(values.size());
  data.labels = labels;
  for (const QStringList& series : values) {
    std::vector<double> numbers;
    for (const QString& text : series) numbers.push_back(ChartData::valueOf(text));
    data.values.push_back(numbers);
  }
  return data;
}

// The columns of a cell's rectangle in which some pixel differs from the cell's corner.
std::pair<int, int> inkColumns(const QImage& image, const QRect& cell) {
  const QRgb back = image.pixel(cell.topLeft() + QPoint(1, 1));
  int first = cell.right();
  int last = cell.left();
  for (int y = cell.top(); y < cell.bottom(); ++y) {
    for (int x = cell.left(); x < cell.right(); ++x) {
      if (image.pixel(x, y) == back) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  return {first - cell.left(), cell.right() - last};
}

bool hasPixel(const QImage& image, const QRect& cell, const QColor& color) {
  for (int y = cell.top(); y < cell.bottom(); ++y) {
    for (int x = cell.left(); x < cell.right(); ++x) {
      if (image.pixelColor(x, y) == color) return true;
    }
  }
  return false;
}

QChart* chartOf(ChartControl& control) { return control.findChild<QChartView*>()->chart(); }

template <typename T>
T* onlySeries(ChartControl& control) {
  const auto series = chartOf(control)->series();
  return series.size() == 1 ? qobject_cast<T*>(series.front()) : nullptr;
}

QList<qreal> heights(ChartControl& control) {
  QList<qreal> out;
  const QBarSet* set = onlySeries<QBarSeries>(control)->barSets().front();
  for (int i = 0; i < set->count(); ++i) out << set->at(i);
  return out;
}

QValueAxis* valueAxis(ChartControl& control) {
  return qobject_cast<QValueAxis*>(chartOf(control)->axes(Qt::Vertical).value(0));
}

// The values at which the axis draws its ticks and labels.
QList<double> tickValues(const QValueAxis* axis) {
  QList<double> out;
  if (axis->tickType() == QValueAxis::TicksDynamic) {
    const double step = axis->tickInterval();
    double first = axis->tickAnchor() + std::ceil((axis->min() - axis->tickAnchor()) / step - 1e-9) * step;
    for (double v = first; v <= axis->max() + 1e-9 * step; v += step) out << v;
  } else {
    for (int i = 0; i < axis->tickCount(); ++i)
      out << axis->min() + i * (axis->max() - axis->min()) / (axis->tickCount() - 1);
  }
  return out;
}

}  // namespace

class TestGridChart : public testing::FreshRunTest {
  Q_OBJECT

 private Q_SLOTS:
  void rowsOne_afterFill_leavesOnlyHeader_andGrowingAddsEmptyRows() {
    GridModel model;
    fill(model, {"1", "2", "3"});
    model.setCellBackColor(2, 1, kRed);

    model.setRows(1);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.textMatrix(0, 1), QStringLiteral("Name"));

    model.setRows(4);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(column(model, 2), QStringList(3));
    QVERIFY(!model.cellBackColor(2, 1));
    model.setTextMatrix(1, 1, "x");  // new rows must not share storage
    QCOMPARE(model.textMatrix(2, 1), QString());
  }

  void dataRowsReplaced_inOneReset_paddedToColumns() {
    GridModel model;
    model.setHeader({"No", "Name", "Score"});
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    model.setDataRows({{"1"}, {"2", "b", "20", "extra"}});

    QCOMPARE(resets.size(), 1);
    QCOMPARE(model.rows(), 3);
    QCOMPARE(model.textMatrix(0, 2), QStringLiteral("Score"));
    QCOMPARE(model.textMatrix(1, 2), QString());
    QCOMPARE(model.textMatrix(2, 2), QStringLiteral("20"));
    QCOMPARE(model.textMatrix(2, 3), QString());
  }

  void dataColumns_arePaddedToTheLongest_andCutToTheColumns() {
    GridModel model;
    model.setHeader({"No", "Name", "Score"});
    model.setDataColumns({{"1", "2"}, {"a"}, {"10", "20"}, {"extra"}});
    QCOMPARE(model.rows(), 3);
    QCOMPARE(model.textMatrix(2, 0), QStringLiteral("2"));
    QCOMPARE(model.textMatrix(2, 1), QString());
    QCOMPARE(model.textMatrix(1, 2), QStringLiteral("10"));
    QCOMPARE(model.cols(), 3);
  }

  void emptiedGrid_startsAgainAtTheFirstRow() {
    DataGrid grid;
    grid.setHeader({"a"});
    showGrid(grid);
    grid.setDataRows(std::vector<QStringList>(30, QStringList{"x"}));
    grid.setTopRow(30);
    grid.setRows(1);
    grid.setDataRows(std::vector<QStringList>(5, QStringList{"y"}));
    QCOMPARE(grid.topRow(), 1);
  }

  void dataRowsReplaced_hundredThousandRows_inOnePass() {
    DataGrid grid;
    grid.setHeader({"a", "b", "c", "d", "e", "f"});
    showGrid(grid);
    std::vector<QStringList> rows(100000);
    for (int i = 0; i < int(rows.size()); ++i) rows[size_t(i)] = QStringList(6, QString::number(i));
    QSignalSpy resets(&grid.gridModel(), &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&grid.gridModel(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&grid.gridModel(), &QAbstractItemModel::dataChanged);

    grid.setDataRows(std::move(rows));

    QCOMPARE(grid.textMatrix(100000, 5), QStringLiteral("99999"));
    // Signalling row by row would take seconds; the view hears of the new rows once.
    QCOMPARE(resets.size(), 1);
    QCOMPARE(inserted.size(), 0);
    QCOMPARE(changed.size(), 0);
  }

  void sort_ordersDataRowsByColumn_data() {
    QTest::addColumn<QStringList>("scores");
    QTest::addColumn<SortOrder>("order");
    QTest::addColumn<QStringList>("expected");
    const QStringList numbers{"10", "9", "100", "2.5"};
    QTest::newRow("numbers ascending") << numbers << SortOrder::NumericAscending << QStringList{"2.5", "9", "10", "100"};
    QTest::newRow("numbers descending") << numbers << SortOrder::NumericDescending << QStringList{"100", "10", "9", "2.5"};
    QTest::newRow("text ascending") << numbers << SortOrder::TextAscending << QStringList{"10", "100", "2.5", "9"};
    QTest::newRow("text descending") << numbers << SortOrder::TextDescending << QStringList{"9", "2.5", "100", "10"};
    QTest::newRow("text is case sensitive") << QStringList{"b", "B", "a", "A"} << SortOrder::TextAscending
                                            << QStringList{"A", "B", "a", "b"};
    QTest::newRow("non-numbers count as zero, keeping their order")
        << QStringList{"3", "abc", "-1", "", "12秒", "nan"} << SortOrder::NumericAscending
        << QStringList{"-1", "abc", "", "12秒", "nan", "3"};
    QTest::newRow("spaces around numbers") << QStringList{" 20", "3 "} << SortOrder::NumericAscending
                                           << QStringList{"3 ", " 20"};
  }

  void sort_ordersDataRowsByColumn() {
    QFETCH(QStringList, scores);
    QFETCH(SortOrder, order);
    GridModel stored;
    fill(stored, scores);
    stored.sort(2, order);
    QTEST(column(stored, 2), "expected");

    // Rows made on demand sort the same, each row whole.
    GridModel onDemand;
    sourceFill(onDemand, scores);
    onDemand.sort(2, order);
    QCOMPARE(allRows(onDemand), allRows(stored));
  }

  void sourceRows_hundredThousand_openInOnePass_readingOnlyWhatIsShown() {
    DataGrid grid;
    grid.setHeader({"No", "Name", "Score"});
    showGrid(grid);
    auto source = std::make_shared<ScoreSource>(QStringList(100000, "7"));
    QSignalSpy resets(&grid.gridModel(), &QAbstractItemModel::modelReset);

    grid.setDataSource(source);
    QCoreApplication::processEvents();

    QCOMPARE(resets.size(), 1);
    QVERIFY2(source->reads < 1000, qPrintable(QString::number(source->reads)));
    QCOMPARE(grid.rows(), 100001);
    QCOMPARE(grid.textMatrix(100000, 1), QStringLiteral("n100000"));
    QCOMPARE(grid.gridModel().data(grid.gridModel().index(99999, 0), Qt::DisplayRole).toString(), QStringLiteral("100000"));
    QCOMPARE(grid.textMatrix(0, 1), QStringLiteral("Name"));
    QCOMPARE(grid.textMatrix(100001, 1), QString());
    QCOMPARE(grid.textMatrix(1, 3), QString());
    QVERIFY(!grid.gridModel().data(grid.gridModel().index(100000, 0), Qt::DisplayRole).isValid());

    const int before = source->reads;
    grid.setTextMatrix(0, 1, "Who");  // the header alone does not copy the rows
    QCOMPARE(source->reads, before);
    QCOMPARE(grid.gridModel().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Who"));
  }

  void sourceRows_editedAfterSort_keepTheOthersAndTheirOrder() {
    GridModel model;
    sourceFill(model, {"10", "9", "100", "2.5"});
    model.setCellBackColor(1, 1, kYellow);  // n1, the "10"
    model.sort(2, SortOrder::NumericAscending);
    QList<QStringList> expected = allRows(model);

    model.setTextMatrix(2, 2, "99");
    expected[2][2] = "99";

    QCOMPARE(allRows(model), expected);
    QCOMPARE(column(model, 1), (QStringList{"n4", "n2", "n1", "n3"}));
    QCOMPARE(model.cellBackColor(3, 1), std::optional(kYellow));
    model.sort(2, SortOrder::NumericDescending);  // now from stored texts
    QCOMPARE(column(model, 2), (QStringList{"100", "99", "10", "2.5"}));
  }

  void sourceRows_removedAfterSort_dropTheRowTheUserSees() {
    GridModel model;
    sourceFill(model, {"10", "9", "100", "2.5"});
    model.sort(2, SortOrder::TextDescending);  // n2 9, n4 2.5, n3 100, n1 10
    model.removeItem(2);
    QCOMPARE(column(model, 1), (QStringList{"n2", "n3", "n1"}));
    model.sort(2, SortOrder::NumericAscending);
    QCOMPARE(column(model, 1), (QStringList{"n2", "n1", "n3"}));
    QCOMPARE(column(model, 0), (QStringList{"2", "1", "3"}));
  }

  void sourceRows_underEveryChange_matchStoredRows() {
    const QStringList scores{"5", "x", "-3", "5", "12", "", "0.5"};
    const std::vector<std::function<void(GridModel&)>> steps{
        [](GridModel& m) { m.sort(2, SortOrder::NumericDescending); },
        [](GridModel& m) { m.removeItem(3); },
        [](GridModel& m) { m.sort(1, SortOrder::TextAscending); },
        [](GridModel& m) { m.setRows(5); },
        [](GridModel& m) { m.sort(2, SortOrder::TextDescending); },
        [](GridModel& m) { m.setRows(7); },
        [](GridModel& m) { m.setTextMatrix(6, 1, "late"); },
        [](GridModel& m) { m.setCols(4); },
        [](GridModel& m) { m.clear(); },
    };
    for (size_t first = 0; first < steps.size(); ++first) {
      GridModel stored;
      fill(stored, scores);
      GridModel onDemand;
      sourceFill(onDemand, scores);
      // Start at a different step each time so that every step meets a source-backed grid.
      for (size_t i = first; i < steps.size(); ++i) {
        steps[i](stored);
        steps[i](onDemand);
        QVERIFY2(allRows(onDemand) == allRows(stored), qPrintable(QString("from step %1, step %2").arg(first).arg(i)));
      }
    }

    GridModel model;
    const auto source = sourceFill(model, scores);
    model.setRows(1);
    QCOMPARE(source->reads, 0);  // emptied for a refill: nothing worth copying
    sourceFill(model, scores);
    model.setDataRows({{"a", "b", "c"}});
    QCOMPARE(allRows(model), (QList<QStringList>{{"No", "Name", "Score"}, {"a", "b", "c"}}));
  }

  void sort_movesWholeRowsWithColours_headerStays() {
    GridModel model;
    fill(model, {"5", "1", "5", "3"});
    model.setCellBackColor(1, 1, kYellow);  // n1
    model.setCellForeColor(2, 2, kRed);     // n2

    model.sort(2, SortOrder::NumericDescending);

    QCOMPARE(model.textMatrix(0, 2), QStringLiteral("Score"));
    QCOMPARE(column(model, 1), (QStringList{"n1", "n3", "n4", "n2"}));
    QCOMPARE(column(model, 0), (QStringList{"1", "3", "4", "2"}));
    QCOMPARE(model.cellBackColor(1, 1), std::optional(kYellow));
    QVERIFY(!model.cellForeColor(2, 2));
    QCOMPARE(model.data(model.index(3, 2), GridModel::ForeColorRole).toUInt(), kRed.value());
  }

  void removeItem_movesRowsBelowUp_ignoresHeaderAndOutOfRange() {
    GridModel model;
    fill(model, {"a", "b", "c"});
    model.setCellBackColor(3, 0, kGreen);

    model.removeItem(2);
    for (int row : {0, 3, -1}) model.removeItem(row);

    QCOMPARE(column(model, 2), (QStringList{"a", "c"}));
    QCOMPARE(model.cellBackColor(2, 0), std::optional(kGreen));
    QVERIFY(!model.cellBackColor(3, 0));
    QCOMPARE(model.textMatrix(0, 2), QStringLiteral("Score"));
  }

  void clear_emptiesEveryCellAndColour_keepsCounts() {
    GridModel model;
    fill(model, {"a", "b"});
    model.setCellBackColor(1, 1, kGreen);
    model.setCellForeColor(0, 1, kRed);

    model.clear();

    QCOMPARE(model.rows(), 3);
    QCOMPARE(model.cols(), 3);
    for (int row = 0; row < 3; ++row) QCOMPARE(model.textMatrix(row, 0) + model.textMatrix(row, 2), QString());
    QVERIFY(!model.cellBackColor(1, 1));
    QVERIFY(!model.headerData(1, Qt::Horizontal, GridModel::ForeColorRole).isValid());
  }

  void cellColours_reachTheViewAsBrushes_headerToo() {
    DataGrid grid;
    grid.setHeader({"No", "Name"});
    grid.setRows(3);
    grid.setRow(2);
    grid.setCol(1);
    grid.setCellBackColor(QColor(255, 255, 192));
    grid.gridModel().setCellForeColor(0, 1, kRed);
    const QAbstractItemModel* shown = grid.QTableView::model();
    QCOMPARE(shown->data(shown->index(1, 1), Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 192));
    QVERIFY(!shown->data(shown->index(0, 1), Qt::BackgroundRole).isValid());
    QCOMPARE(shown->headerData(1, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
  }

  void outOfRange_accessIsHarmless() {
    DataGrid grid;
    grid.setHeader({"No", "Name"});
    grid.setRows(3);
    grid.setTextMatrix(1, 1, "kept");
    for (auto [row, col] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {100000, 100000}}) {
      grid.setTextMatrix(row, col, "x");
      grid.gridModel().setCellBackColor(row, col, kRed);
      QCOMPARE(grid.textMatrix(row, col), QString());
      QVERIFY(!grid.gridModel().cellBackColor(row, col));
    }
    grid.setRow(7);
    grid.setCol(-2);
    grid.setColWidth(5, 1500);
    grid.setTopRow(9);
    grid.gridModel().sort(4, SortOrder::TextAscending);
    QCOMPARE(grid.text(), QStringLiteral("No"));  // still the cell (0, 0)
    QCOMPARE(grid.textMatrix(1, 1), QStringLiteral("kept"));

    ChartControl chart;
    chart.setRowCount(2);
    for (auto [row, col] : {std::pair{3, 1}, {0, 1}, {1, 2}, {1, 0}}) {
      chart.setRow(row);
      chart.setColumn(col);
      chart.setValue("1");
      chart.setRowLabel("x");
      QCOMPARE(chart.value(row, col), QString());
    }
    chart.setRowCount(-5);
    QCOMPARE(chart.rowCount(), 0);
    chart.redrawNow();
  }

  void header_comesFromRowZero_withItsOwnAlignment() {
    DataGrid grid;
    grid.setHeader({"No", "Name", "Score"});
    grid.setRows(3);
    grid.setFixedAlignment(2, Align::Center);
    grid.setColAlignment(2, Align::Right);
    grid.setRow(0);
    grid.setCol(1);
    grid.setText("Who");
    const QAbstractItemModel& m = grid.gridModel();

    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Who"));
    QCOMPARE(m.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignVCenter));
    QCOMPARE(m.data(m.index(0, 2), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
  }

  void topRowSetToLastRow_showsTheLastPage_data() {
    QTest::addColumn<bool>("beforeShow");
    QTest::newRow("grid shown") << false;
    QTest::newRow("set before the grid is shown") << true;
  }

  void topRowSetToLastRow_showsTheLastPage() {
    QFETCH(bool, beforeShow);
    DataGrid grid;
    grid.setHeader({"No"});
    std::vector<QStringList> rows;
    for (int i = 1; i <= 40; ++i) rows.push_back({QString::number(i)});
    grid.setDataRows(std::move(rows));

    if (beforeShow) grid.setTopRow(grid.rows() - 1);
    showGrid(grid);
    if (!beforeShow) grid.setTopRow(grid.rows() - 1);
    QCoreApplication::processEvents();

    // A full page, the last row at its bottom and the row above it no longer fitting.
    const int height = grid.viewport()->height();
    const QRect last = grid.visualRect(grid.QTableView::model()->index(39, 0));
    QVERIFY(last.bottom() < height);
    QVERIFY(height - last.bottom() <= last.height());
    // The top row is the first one shown whole.
    const auto rowTop = [&](int row) { return grid.visualRect(grid.QTableView::model()->index(row - 1, 0)).top(); };
    QVERIFY(grid.topRow() > 1);
    QVERIFY(rowTop(grid.topRow()) >= 0);
    QVERIFY(rowTop(grid.topRow() - 1) < 0);

    // Neither the wheel nor the keys go further.
    const int top = grid.topRow();
    QWheelEvent wheel(QPointF(5, 5), grid.viewport()->mapToGlobal(QPointF(5, 5)), {}, {0, -1200}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid.topRow(), top);

    grid.setTopRow(5);
    QCOMPARE(grid.topRow(), 5);
    QCOMPARE(grid.indexAt(QPoint(5, 1)).data().toString(), QStringLiteral("5"));
  }

  void cutOffCells_showTheirFullTextAsTooltip_othersNone() {
    const QString longHeader = QStringLiteral("今日の日記の見出し");
    const QString diary = QStringLiteral("今日はとても調子が良くて全部正解でした");
    DataGrid grid;
    grid.setHeader({"No", longHeader});
    grid.setColWidth(0, 1500);
    grid.setColWidth(1, 900);
    grid.setDataRows({{"1", diary}, {"2", QStringLiteral("良")}});
    showGrid(grid);
    const QAbstractItemModel* shown = grid.QTableView::model();
    const auto tip = [&](int row, int col) { return shown->data(shown->index(row, col), Qt::ToolTipRole); };

    QCOMPARE(tip(0, 1).toString(), diary);
    QVERIFY(!tip(1, 1).isValid());
    QVERIFY(!tip(0, 0).isValid());
    QCOMPARE(shown->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(), longHeader);
    QVERIFY(!shown->headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());

    // Hovering shows it; a wide enough column has nothing to add.
    const QPoint cell = grid.visualRect(shown->index(0, 1)).center();
    QHelpEvent hover(QEvent::ToolTip, cell, grid.viewport()->mapToGlobal(cell));
    QApplication::sendEvent(grid.viewport(), &hover);
    QCOMPARE(QToolTip::text(), diary);
    QToolTip::hideText();
    grid.setColWidth(1, 6000);
    QVERIFY(!tip(0, 1).isValid());
    QVERIFY(!shown->headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
  }

  void cells_paintAsTheStyleDoes_textColoursAlignmentSelectionAndCutOff() {
    const QString cutOff = QStringLiteral("今日はとても調子が良くて全部正解でした");
    QStyledItemDelegate styled;  // outlives the grid that may still hold it
    DataGrid grid;
    grid.setColumns({{"左", 1500, Align::Left}, {"中", 1500, Align::Center}, {"右", 1500, Align::Right}});
    grid.setDataRows({{"12", "34", "56"}, {QStringLiteral("■■"), cutOff, ""}, {"7", QStringLiteral("九"), "10"}});
    grid.setRow(2);
    grid.setCol(0);
    grid.setCellBackColor(QColor(255, 255, 192));
    grid.setCellForeColor(QColor(200, 0, 0));
    grid.setCol(2);
    grid.setCellBackColor(QColor(0, 128, 255));
    showGrid(grid);
    const QAbstractItemModel* shown = grid.QTableView::model();
    const auto cellRect = [&](int row, int col) { return grid.visualRect(shown->index(row, col)); };

    // The style's own painting of every cell is the look to keep: in an inactive window, again
    // once the texts are known, then with the grid focused and with the focus elsewhere.
    QAbstractItemDelegate* own = grid.itemDelegate();
    const auto paintedBy = [&](QAbstractItemDelegate* delegate) {
      grid.setItemDelegate(delegate);
      return grid.viewport()->grab().toImage();
    };
    grid.setRow(3);
    grid.setCol(1);
    const QImage image = paintedBy(own);
    QCOMPARE(image, paintedBy(&styled));
    QCOMPARE(paintedBy(own), image);
    grid.activateWindow();
    grid.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    QVERIFY(grid.hasFocus());
    QCOMPARE(paintedBy(own), paintedBy(&styled));
    grid.clearFocus();
    QCOMPARE(paintedBy(own), paintedBy(&styled));

    // Colours, alignment and the cut-off text's tooltip, read off the pixels and the view.
    QVERIFY(hasPixel(image, cellRect(1, 0), QColor(200, 0, 0)));
    QCOMPARE(image.pixelColor(cellRect(1, 2).topLeft() + QPoint(1, 1)), QColor(0, 128, 255));
    QCOMPARE(image.pixelColor(cellRect(1, 0).topLeft() + QPoint(1, 1)), QColor(255, 255, 192));
    const auto [leftGap, leftRest] = inkColumns(image, cellRect(0, 0));
    const auto [centreGap, centreRest] = inkColumns(image, cellRect(0, 1));
    const auto [rightRest, rightGap] = inkColumns(image, cellRect(0, 2));
    QVERIFY(leftGap < 6 && leftRest > 40);
    QVERIFY(std::abs(centreGap - centreRest) < 3);
    QVERIFY(rightGap < 6 && rightRest > 40);
    QCOMPARE(shown->data(shown->index(1, 1), Qt::ToolTipRole).toString(), cutOff);
    grid.setItemDelegate(own);
  }

  void currentCellSetInCode_doesNotScroll_butKeyboardDoes() {
    DataGrid grid;
    grid.setHeader({"No", "Name"});
    grid.setRows(101);
    showGrid(grid);
    grid.setTopRow(50);

    grid.setRow(2);
    grid.setCol(1);
    QCoreApplication::processEvents();
    QCOMPARE(grid.topRow(), 50);
    QCOMPARE(grid.currentIndex().row(), 1);
    QCOMPARE(grid.currentIndex().column(), 1);

    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.row(), 3);
    QVERIFY(grid.topRow() <= 3);
  }

  void clickOnDataRow_makesItCurrent_withGridNumbers() {
    DataGrid grid;
    grid.setHeader({"No", "Name", "Score"});
    grid.setRows(6);
    showGrid(grid);
    QSignalSpy clicked(&grid, &DataGrid::cellClicked);
    QSignalSpy doubleClicked(&grid, &DataGrid::cellDoubleClicked);
    const QPoint cell = grid.visualRect(grid.QTableView::model()->index(2, 2)).center();

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(clicked.value(0), (QVariantList{3, 2}));
    QCOMPARE(grid.row(), 3);
    QCOMPARE(grid.col(), 2);

    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(doubleClicked.value(0), (QVariantList{3, 2}));
  }

  void narrowColumn_keepsItsTwipsWidth() {
    DataGrid grid;
    grid.setHeader({"", "曜"});
    grid.setColWidth(1, 365);
    QCOMPARE(grid.columnWidth(1), twipsToPx(365));
  }

  void colWidthInTwips_readsBackAsSet_zeroHides_userDragWins() {
    DataGrid grid;
    grid.setHeader({"No", "Name", "Hidden"});
    grid.setColWidth(0, 1000);
    grid.setColWidth(1, 2000);
    grid.setColWidth(2, 0);
    grid.setDataRows({{"1", "a", "secret"}});

    QCOMPARE(grid.colWidth(1), 2000);
    QCOMPARE(grid.columnWidth(1), twipsToPx(2000));
    QVERIFY(grid.isColumnHidden(2));
    grid.horizontalHeader()->resizeSection(0, 90);
    QCOMPARE(grid.colWidth(0), 90 * 15);
  }

  void chartEmptyValueOrNoRows_giveNoPoint_data() {
    QTest::addColumn<ChartControl::Kind>("kind");
    QTest::newRow("bar") << ChartControl::Kind::Bar;
    QTest::newRow("line") << ChartControl::Kind::Line;
  }

  void chartEmptyValueOrNoRows_giveNoPoint() {
    QFETCH(ChartControl::Kind, kind);
    ChartControl chart(kind);
    chart.setChartData(chartData({"a", "b", "c", "d"}, {{"4", "", "junk", "2"}}));
    chart.redrawNow();

    if (kind == ChartControl::Kind::Bar)
      QCOMPARE(heights(chart), (QList<qreal>{4, 0, 0, 2}));
    else
      QCOMPARE(onlySeries<QLineSeries>(chart)->points(), (QList<QPointF>{{1, 4}, {4, 2}}));

    chart.setRowCount(0);
    chart.redrawNow();
    if (kind == ChartControl::Kind::Bar)
      QCOMPARE(heights(chart), QList<qreal>());
    else
      QCOMPARE(onlySeries<QLineSeries>(chart)->count(), 0);
  }

  void chartLabelsAndValues_readBack_andSurviveRowCountChange() {
    ChartControl chart;
    chart.setColumnCount(2);
    chart.setRowCount(2);
    chart.setRow(1);
    chart.setRowLabel("Mon");
    chart.setColumn(2);
    chart.setValue(" 12.5");

    chart.setRowCount(3);
    QCOMPARE(chart.rowLabel(1), QStringLiteral("Mon"));
    QCOMPARE(chart.value(1, 2), QStringLiteral("12.5"));  // the value, not the text given
    QCOMPARE(chart.value(3, 2), QString());

    chart.setRowCount(1);
    chart.setRowCount(2);
    QCOMPARE(chart.value(1, 2), QStringLiteral("12.5"));
  }

  void chartTwoSeries_blueThenRed() {
    for (auto kind : {ChartControl::Kind::Bar, ChartControl::Kind::Line}) {
      ChartControl chart(kind);
      chart.setChartData(chartData({"a", "b"}, {{"1", "2"}, {"3", "4"}}));
      chart.redrawNow();
      QList<QColor> colours;
      if (auto* bars = onlySeries<QBarSeries>(chart))
        for (QBarSet* set : bars->barSets()) colours << set->color();
      for (QAbstractSeries* s : chartOf(chart)->series())
        if (auto* line = qobject_cast<QLineSeries*>(s)) colours << line->color();
      QCOMPARE(colours.size(), 2);
      QVERIFY(colours[0].blue() > colours[0].red());
      QVERIFY(colours[1].red() > colours[1].blue());
    }
  }

  void chartOverThousandRows_drawsLineInsteadOfBars() {
    ChartControl chart(ChartControl::Kind::Bar);
    chart.setChartData(chartData(QStringList(1000), {QStringList(1000, "1")}));
    chart.redrawNow();
    QVERIFY(onlySeries<QBarSeries>(chart));

    chart.setRowCount(1001);
    chart.setRow(1001);
    chart.setValue("5");
    chart.redrawNow();

    QLineSeries* line = onlySeries<QLineSeries>(chart);
    QVERIFY(line);
    QCOMPARE(line->count(), 1001);
    QCOMPARE(line->at(1000), QPointF(1001, 5));
    QCOMPARE(chartOf(chart)->axes().size(), 2);
  }

  void chartWithFarMorePointsThanPixels_drawsFewer_keepingEveryExtreme() {
    ChartControl chart(ChartControl::Kind::Line);
    chart.resize(400, 200);
    QStringList values;
    for (int i = 0; i < 100000; ++i) values << QString::number(i % 7 == 0 ? 100 + i % 13 : i % 5);
    values[50000] = "-40";
    values[0] = "";  // missing values draw nothing, at either end too
    values[99999] = "";
    values[70000] = "";
    chart.setChartData(chartData(QStringList(values.size()), {values}));
    chart.redrawNow();
    QLineSeries* line = onlySeries<QLineSeries>(chart);
    QVERIFY(line->count() <= 2 * 400);
    for (const QPointF& p : line->points()) QVERIFY(p.x() >= 2 && p.x() <= 99999 && p.x() != 70001);
    double low = 0;
    double high = 0;
    for (const QPointF& p : line->points()) {
      low = std::min(low, p.y());
      high = std::max(high, p.y());
    }
    QCOMPARE(low, -40.0);
    QCOMPARE(high, 112.0);
  }

  void chartDuplicateLabels_stayDistinctCategories_thatLookTheSame() {
    ChartControl chart;
    const QStringList labels{"", "", "a", "a", "b", ""};
    chart.setChartData(chartData(labels, {QStringList(6, "1")}));
    chart.redrawNow();

    auto* axis = qobject_cast<QBarCategoryAxis*>(chartOf(chart)->axes(Qt::Horizontal).value(0));
    QVERIFY(axis);
    QStringList shown = axis->categories();
    QCOMPARE(shown.size(), 6);
    for (QString& c : shown) c.remove(QRegularExpression("[\\x{200B}-\\x{200D}\\x{2060}]"));
    QCOMPARE(shown, labels);
  }

  void chartValueAxis_followsDataUnlessFixed() {
    ChartControl chart;
    chart.setRowCount(2);
    chart.setRow(1);
    chart.setValue("0");
    chart.redrawNow();
    QCOMPARE(valueAxis(chart)->min(), 0.0);
    QCOMPARE(valueAxis(chart)->max(), 1.0);

    chart.setValue("93");
    chart.setRow(2);
    chart.setValue("-40");
    chart.redrawNow();
    QVERIFY(valueAxis(chart)->max() > 93.0);
    QVERIFY(valueAxis(chart)->min() < -40.0);

    chart.setAxisRange(10, 50);
    chart.redrawNow();
    QCOMPARE(valueAxis(chart)->min(), 10.0);
    QCOMPARE(valueAxis(chart)->max(), 50.0);
    QCOMPARE(chartOf(chart)->axes().size(), 2);  // the old axes went away
  }

  void chartNewHeights_andNewLabels_redrawTheBars() {
    ChartControl chart;
    chart.setChartData(chartData({"日", "月"}, {{"3", "5"}}));
    chart.redrawNow();
    chart.setChartData(chartData({"日", "月"}, {{"300", ""}}));
    chart.redrawNow();
    QCOMPARE(heights(chart), (QList<qreal>{300, 0}));
    QVERIFY(valueAxis(chart)->max() > 300.0);
    QCOMPARE(chartOf(chart)->axes().size(), 2);

    chart.setChartData(chartData({"日", "火"}, {{"3", "5"}}));
    chart.redrawNow();
    QCOMPARE(heights(chart), (QList<qreal>{3, 5}));
    QCOMPARE(qobject_cast<QBarCategoryAxis*>(chartOf(chart)->axes(Qt::Horizontal).value(0))->categories(),
             (QStringList{"日", "火"}));
  }

  void chartNewPoints_redrawTheLine_smoothingOnlyWhatIsNotThinned() {
    ChartControl chart(ChartControl::Kind::Line);
    chart.resize(400, 200);
    chart.setChartData(chartData(QStringList(3), {{"4", "", "2"}}));
    chart.redrawNow();
    const QChartView* view = chart.findChild<QChartView*>();
    QVERIFY(view->renderHints().testFlag(QPainter::Antialiasing));
    const auto line = [&chart] { return onlySeries<QLineSeries>(chart); };
    const auto pointAxis = [&chart] {
      return qobject_cast<QValueAxis*>(chartOf(chart)->axes(Qt::Horizontal).value(0));
    };

    QStringList many;
    for (int i = 0; i < 100000; ++i) many << QString::number(i % 50);
    many[70000] = "900";
    chart.setChartData(chartData(QStringList(many.size()), {many}));
    chart.redrawNow();
    QVERIFY(line()->count() <= 2 * 400);
    QVERIFY(line()->pen().isCosmetic());
    QVERIFY(!view->renderHints().testFlag(QPainter::Antialiasing));
    QVERIFY(valueAxis(chart)->max() > 900.0);
    QCOMPARE(pointAxis()->max(), 100000.0);

    chart.setChartData(chartData(QStringList(3), {{"4", "", "2"}}));
    chart.redrawNow();
    QCOMPARE(line()->points(), (QList<QPointF>{{1, 4}, {3, 2}}));
    QVERIFY(!line()->pen().isCosmetic());
    QVERIFY(view->renderHints().testFlag(QPainter::Antialiasing));
    QCOMPARE(pointAxis()->max(), 3.0);
    QVERIFY(valueAxis(chart)->max() < 900.0);
    QCOMPARE(chartOf(chart)->axes().size(), 2);

    chart.setValueTitle(QStringLiteral("回"));
    chart.redrawNow();
    QCOMPARE(valueAxis(chart)->titleText(), QStringLiteral("回"));
    QCOMPARE(chartOf(chart)->axes().size(), 2);
    chart.setChartData(chartData(QStringList(2), {{"1", "2"}, {"3", "4"}}));
    chart.redrawNow();
    QCOMPARE(chartOf(chart)->series().size(), 2);
    QCOMPARE(qobject_cast<QLineSeries*>(chartOf(chart)->series().at(1))->points(), (QList<QPointF>{{1, 3}, {2, 4}}));
  }

  void chartValueAxis_ofAShortChart_hasFewerTicks_eachLabelClearOfTheNext() {
    const QStringList days{"日", "月", "火", "水", "木", "金", "土"};
    const std::vector<QStringList> counts{{"3", "5", "7", "4", "2", "6", "1"}};
    ChartControl tall;
    tall.resize(460, 300);
    tall.setChartData(chartData(days, counts));
    tall.redrawNow();
    QCOMPARE(tickValues(valueAxis(tall)).size(), 5);  // 0, 2, 4, 6, 8

    ChartControl chart;
    chart.setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 10));
    chart.resize(460, 130);
    chart.setChartData(chartData(days, counts));
    chart.redrawNow();
    // Five steps in about 80 pixels would leave a label of this font too little height.
    QCOMPARE(tickValues(valueAxis(chart)), (QList<double>{0, 5, 10}));

    // Bars moved from nothing to a lifetime of seconds get a step to match at once; the
    // step of the old range over the new one would ask the axis for millions of ticks.
    chart.setChartData(chartData(days, {QStringList(7, "0")}));
    chart.redrawNow();
    chart.setChartData(chartData(days, {QStringList(7, "1020000")}));
    chart.redrawNow();
    QVERIFY(tickValues(valueAxis(chart)).size() <= 3);
    QVERIFY(valueAxis(chart)->max() >= 1020000.0);
    chart.setChartData(chartData(days, counts));  // and back
    chart.redrawNow();
    QCOMPARE(tickValues(valueAxis(chart)), (QList<double>{0, 5, 10}));
  }

  void chartBackToAThousandRows_drawsBarsAgain() {
    ChartControl chart(ChartControl::Kind::Bar);
    chart.setChartData(chartData(QStringList(1001), {QStringList(1001, "1")}));
    chart.redrawNow();
    QVERIFY(onlySeries<QLineSeries>(chart));
    chart.setChartData(chartData(QStringList(1000), {QStringList(1000, "2")}));
    chart.redrawNow();
    QVERIFY(onlySeries<QBarSeries>(chart));
    QCOMPARE(chartOf(chart)->axes().size(), 2);
  }

  void chartValueAxis_ticksAtRoundSteps_underAFixedTop_data() {
    QTest::addColumn<double>("largest");
    QTest::addColumn<double>("fixedTop");  // 0: none
    QTest::addColumn<double>("top");
    QTest::addColumn<QList<double>>("ticks");
    QTest::newRow("following the data") << 140.0 << 0.0 << 150.0 << QList<double>{0, 50, 100, 150};
    QTest::newRow("top fixed at the longest play") << 300.0 << 428.7 << 428.7 << QList<double>{0, 100, 200, 300, 400};
    QTest::newRow("top fixed small") << 0.9 << 1.5 << 1.5 << QList<double>{0, 0.5, 1, 1.5};
  }

  void chartValueAxis_ticksAtRoundSteps_underAFixedTop() {
    QFETCH(double, largest);
    QFETCH(double, fixedTop);
    ChartControl chart;
    chart.setChartData(chartData({"a", "b"}, {{"1", QString::number(largest)}}));
    if (fixedTop > 0) chart.setAxisMaximum(fixedTop);
    chart.redrawNow();
    QTEST(valueAxis(chart)->max(), "top");
    QTEST(tickValues(valueAxis(chart)), "ticks");
  }

  // A line per day names its points by their dates, as bars do.
  void chartRowLabels_thatDoNotFit_showEveryFewInFull_data() {
    QTest::addColumn<ChartControl::Kind>("kind");
    QTest::newRow("bars") << ChartControl::Kind::Bar;
    QTest::newRow("line") << ChartControl::Kind::Line;
  }
  void chartRowLabels_thatDoNotFit_showEveryFewInFull() {
    QFETCH(ChartControl::Kind, kind);
    ChartControl chart(kind);
    QStringList days;
    for (int day = 1; day <= 31; ++day) days << QStringLiteral("12/%1").arg(day, 2, 10, QLatin1Char('0'));
    chart.setChartData(chartData(days, {QStringList(31, "5")}));
    chart.resize(300, 200);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QCoreApplication::processEvents();

    QStringList shown;
    for (QGraphicsItem* item : chartOf(chart)->scene()->items()) {
      auto* text = dynamic_cast<QGraphicsTextItem*>(item);
      if (!text || !text->isVisible() || text->sceneBoundingRect().top() < chartOf(chart)->plotArea().bottom()) continue;
      QCOMPARE(text->font().pointSizeF(), chart.font().pointSizeF());
      shown << text->toPlainText().remove(QRegularExpression("[\\x{200B}-\\x{200D}\\x{2060}]"));
    }
    QVERIFY2(shown.size() >= 3, qPrintable(shown.join(',')));
    for (const QString& label : shown) QVERIFY2(days.contains(label), qPrintable(label));
  }

  void chartWithoutPoints_saysSoInsteadOfABareAxis() {
    ChartControl chart(ChartControl::Kind::Line);
    chart.setRowCount(3);  // rows, but no value yet
    chart.resize(300, 200);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    auto* none = chart.findChild<QLabel*>();
    QVERIFY(none && none->isVisible());
    QCOMPARE(none->text(), QStringLiteral("データがありません"));

    chart.setRow(2);
    chart.setValue("0");
    QCoreApplication::processEvents();
    QVERIFY(!none->isVisible());
    QVERIFY(chart.findChild<QChartView*>()->isVisible());
  }

  void chartChanges_drawnOnShow_andLaterOnceQueued() {
    ChartControl chart;
    chart.setRowCount(3);
    chart.setRow(1);
    chart.setValue("1");
    QCoreApplication::processEvents();
    QVERIFY(chartOf(chart)->series().isEmpty());

    chart.resize(300, 200);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QBarSeries* shown = onlySeries<QBarSeries>(chart);
    QCOMPARE(heights(chart), (QList<qreal>{1, 0, 0}));

    for (int row = 1; row <= 3; ++row) {
      chart.setRow(row);
      chart.setValue(QString::number(row * 10));
    }
    chart.setSeriesNames({"Score"});
    QCOMPARE(onlySeries<QBarSeries>(chart), shown);
    QCoreApplication::processEvents();
    QCOMPARE(heights(chart), (QList<qreal>{10, 20, 30}));
    QCOMPARE(onlySeries<QBarSeries>(chart)->barSets().front()->label(), QStringLiteral("Score"));
    QVERIFY(chartOf(chart)->legend()->isVisible());
  }

 private:
};

QTEST_MAIN(TestGridChart)
#include "tst_grid_chart.moc"
