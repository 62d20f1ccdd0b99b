// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/RecordListScreen.h"

#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "records/RecordFile.h"
#include "views/RecordList.h"
#include "views/RecordsOnScreen.h"

#include <QPushButton>

namespace views {

namespace {
using platform::Align;

struct SortButton {
  const char* name;
  const char* caption;
};
constexpr SortButton kSortButtons[] = {
    {"cmdSort1", "回 （日付）"}, {"cmdSort2", "項目"}, {"cmdSort3", "秒数"}, {"cmdSort4", "一言日記"}};
}  // namespace

RecordListScreen::RecordListScreen(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("fraBunseki"));

  for (int i = 0; i < 4; ++i) {
    auto* button = new QPushButton(QString::fromUtf8(kSortButtons[i].caption), this);
    button->setObjectName(QString::fromUtf8(kSortButtons[i].name));
    button->setGeometry(10 + i * 130, 10, 120, 36);
    const int number = i + 1;
    connect(button, &QPushButton::clicked, this, [this, number] { sortBy(number); });
    m_cmdSort[size_t(i)] = button;
  }

  m_msgIchiran = new platform::DataGrid(this);
  m_msgIchiran->setObjectName(QStringLiteral("msgIchiran"));
  m_msgIchiran->setAccessibleName(QStringLiteral("全記録の一覧"));
  m_msgIchiran->setGeometry(10, 56, 754, 600);

  INIT_ICHIRAN();
}

void RecordListScreen::INIT_ICHIRAN() {
  m_msgIchiran->setFontSize(11);
  // The diary gives up what the number needs, so the grid keeps its width.
  const int number = countColumnTwips(*m_msgIchiran, 680);
  m_msgIchiran->setColumns({{"回", number, Align::Right}, {"日付", 1400, Align::Center}, {"時間", 1100, Align::Center},
                            {"項目", 2150, Align::Left}, {"秒数", 850, Align::Right},
                            {"一言日記", 4880 - (number - 680), Align::Left}});
}

// A fresh list is in file order, which is the number's ascending order.
void RecordListScreen::READ_ICHIRAN() {
  m_msgIchiran->setDataSource(std::make_shared<RecordListSource>(recordsForScreen(this)));
  showSortKey(1, true);
}

void RecordListScreen::sortBy(int button) {
  m_msgIchiran->setCol(sortKey(button).col);
  const platform::SortOrder order = takeSortOrder(button);
  m_msgIchiran->sort(order);
  showSortKey(button, order == platform::SortOrder::NumericAscending || order == platform::SortOrder::TextAscending);
}

void RecordListScreen::showSortKey(int button, bool ascending) {
  for (int i = 0; i < 4; ++i) {
    const QString caption = QString::fromUtf8(kSortButtons[i].caption);
    m_cmdSort[size_t(i)]->setText(i + 1 == button ? caption + (ascending ? QStringLiteral(" ▲") : QStringLiteral(" ▼"))
                                                  : caption);
  }
}

}  // namespace views
