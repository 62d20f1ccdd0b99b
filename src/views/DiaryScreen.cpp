// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/DiaryScreen.h"

#include "platform/core/SeqFormat.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "views/FreeMemo.h"
#include "views/RecordList.h"
#include "views/RecordsOnScreen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace views {

namespace {

constexpr int kDiaryCol = 5;
// More rows than the grid shows at once: it opens on the newest.
constexpr int kScrollAfterRows = 16;

void showWriteError(QWidget* parent, const QString& error) {
  platform::showMessage(parent, error, QStringLiteral("保存エラー"), platform::MsgIcon::Exclamation);
}
}  // namespace

DiaryScreen::DiaryScreen(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("fraMemo"));

  m_msgMemoList = new platform::DataGrid(this);
  m_msgMemoList->setObjectName(QStringLiteral("msgMemoList"));
  m_msgMemoList->setAccessibleName(QStringLiteral("記録と一言日記の一覧"));
  m_msgMemoList->setGeometry(10, 10, 850, 424);
  connect(m_msgMemoList, &platform::DataGrid::cellClicked, this, [this](int row) { msgMemoList_Click(row); });
  // Enter on a row chooses it as a click does, for the keyboard.
  connect(m_msgMemoList, &QAbstractItemView::activated, this,
          [this](const QModelIndex& index) { msgMemoList_Click(index.row() + 1); });

  auto* memoLabel = new QLabel(QStringLiteral("一言入力欄 →"), this);
  memoLabel->setGeometry(10, 444, 108, 28);
  memoLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_txtMemo = new QLineEdit(this);
  m_txtMemo->setObjectName(QStringLiteral("txtMemo"));
  m_txtMemo->setGeometry(124, 444, 560, 28);
  memoLabel->setBuddy(m_txtMemo);
  m_txtMemo->setAccessibleName(QStringLiteral("一言入力欄"));  // without the arrow read aloud
  connect(m_txtMemo, &QLineEdit::returnPressed, this, &DiaryScreen::txtMemo_KeyPress);

  m_cmdMemoHozon = new QPushButton(QStringLiteral("一言日記保存"), this);
  m_cmdMemoHozon->setObjectName(QStringLiteral("cmdMemoHozon"));
  m_cmdMemoHozon->setGeometry(694, 442, 166, 32);
  m_cmdMemoHozon->setEnabled(false);
  connect(m_cmdMemoHozon, &QPushButton::clicked, this, &DiaryScreen::cmdMemoHozon_Click);

  auto* kizukiLabel = new QLabel(QStringLiteral("メモ"), this);
  kizukiLabel->setGeometry(10, 482, 100, 22);
  m_txtKizuki = new QPlainTextEdit(this);
  m_txtKizuki->setObjectName(QStringLiteral("txtKizuki"));
  m_txtKizuki->setGeometry(10, 506, 674, 140);
  kizukiLabel->setBuddy(m_txtKizuki);
  // Tab goes on to "メモ保存" rather than into the memo, which would keep the focus for good.
  m_txtKizuki->setTabChangesFocus(true);

  auto* kizukiHozon = new QPushButton(QStringLiteral("メモ保存"), this);
  kizukiHozon->setObjectName(QStringLiteral("cmdKizukiHozon"));
  kizukiHozon->setGeometry(694, 506, 166, 32);
  connect(kizukiHozon, &QPushButton::clicked, this, &DiaryScreen::cmdKizukiHozon_Click);
  // The memo's save is told on the window, without a box; it lasts until the memo changes.
  // Its text is what a screen reader says of it.
  m_lblKizukiHozon = new QLabel(this);
  m_lblKizukiHozon->setObjectName(QStringLiteral("lblKizukiHozon"));
  m_lblKizukiHozon->setGeometry(694, 544, 166, 28);
  connect(m_txtKizuki, &QPlainTextEdit::textChanged, m_lblKizukiHozon, &QLabel::clear);

  SET_MEMO_HEADER();
}

void DiaryScreen::prepareScreen() {
  SET_MEMO_HEADER();
  DISP_MEMO_LIST();
  m_cmdMemoHozon->setEnabled(false);
}

void DiaryScreen::SET_MEMO_HEADER() {
  m_msgMemoList->setFontSize(10);
  setRecordColumns(*m_msgMemoList, {570, 1140, 870, 1850, 650, 6000});
}

void DiaryScreen::DISP_MEMO_LIST() {
  if (const QString error = m_records.load(); !error.isEmpty()) {
    platform::showMessage(this, error, QStringLiteral("データ"), platform::MsgIcon::Exclamation);
  }
  m_msgMemoList->setDataSource(std::make_shared<RecordListSource>(m_records.snapshot()));
  if (m_msgMemoList->rows() > kScrollAfterRows) m_msgMemoList->setTopRow(m_msgMemoList->rows() - 1);
}

QString DiaryScreen::READ_MEMO() {
  MemoRead memo = readMemo();
  m_txtKizuki->setPlainText(memo.text);
  m_txtKizuki->document()->setModified(false);
  m_memoSaved = std::move(memo.text);
  m_memoUnread = !memo.error.isEmpty();
  return memo.error;
}

void DiaryScreen::msgMemoList_Click(int row) {
  if (row < 1 || row >= m_msgMemoList->rows()) return;
  m_msgMemoList->setRow(row);
  m_msgMemoList->setCol(kDiaryCol);
  m_txtMemo->setText(m_msgMemoList->textMatrix(row, kDiaryCol));
  m_intMemoRow = row;
  m_cmdMemoHozon->setEnabled(true);
  m_txtMemo->setFocus();
}

void DiaryScreen::txtMemo_KeyPress() {
  if (m_cmdMemoHozon->isEnabled()) cmdMemoHozon_Click();
}

void DiaryScreen::cmdMemoHozon_Click() { storeDiary(); }

// The file is written first: the grid shows the new text only once the file holds it.
bool DiaryScreen::storeDiary() {
  if (!m_cmdMemoHozon->isEnabled() || m_intMemoRow < 1 || m_intMemoRow >= m_msgMemoList->rows()) return false;
  const QString diary = platform::seq::storableText(m_txtMemo->text());
  const WorkingRecords::Written written = m_records.setDiary(m_intMemoRow - 1, diary);
  if (written.stale) {
    m_intMemoRow = 0;
    m_cmdMemoHozon->setEnabled(false);
    DISP_MEMO_LIST();
    platform::showMessage(this, staleFileMessage(QStringLiteral("保存")), QStringLiteral("一言日記保存"),
                          platform::MsgIcon::Exclamation);
    return false;
  }
  if (!written.error.isEmpty()) {
    showWriteError(this, written.error);
    return false;
  }
  m_msgMemoList->setTextMatrix(m_intMemoRow, kDiaryCol, diary);
  if (m_txtMemo->text() != diary) m_txtMemo->setText(diary);
  return true;
}

void DiaryScreen::cmdKizukiHozon_Click() { storeMemo(); }

bool DiaryScreen::storeMemo() {
  const QString text = m_txtKizuki->toPlainText();
  if (m_memoUnread &&
      platform::showMessage(this,
                            QStringLiteral("%1 は読み込めなかったため、保存するとその内容は失われます。保存しますか？")
                                .arg(records::kMemoFileName),
                            QStringLiteral("メモ保存"), platform::MsgIcon::Exclamation,
                            platform::MsgButtons::OkCancel, platform::MsgResult::Cancel) != platform::MsgResult::Ok) {
    return false;
  }
  if (const QString error = saveMemo(text); !error.isEmpty()) {
    showWriteError(this, error);
    return false;
  }
  m_memoUnread = false;
  // Shows the memo as stored, a double quote as its full-width stand-in.
  const QString stored = platform::seq::storableText(text);
  if (stored != text) {
    const int at = m_txtKizuki->textCursor().position();
    m_txtKizuki->setPlainText(stored);
    QTextCursor cursor = m_txtKizuki->textCursor();
    cursor.setPosition(std::min(at, int(stored.size())));
    m_txtKizuki->setTextCursor(cursor);
  }
  m_txtKizuki->document()->setModified(false);
  m_memoSaved = stored;
  m_lblKizukiHozon->setText(QStringLiteral("メモを保存しました"));
  return true;
}

bool DiaryScreen::diaryUnsaved() const {
  return !isHidden() && m_cmdMemoHozon->isEnabled() && m_intMemoRow >= 1 && m_intMemoRow < m_msgMemoList->rows() &&
         platform::seq::storableText(m_txtMemo->text()) != m_msgMemoList->textMatrix(m_intMemoRow, kDiaryCol);
}

// The modified flag spares comparing a long memo at every question.
bool DiaryScreen::memoUnsaved() const {
  return m_txtKizuki->document()->isModified() && m_txtKizuki->toPlainText() != m_memoSaved;
}

bool DiaryScreen::settleDiary() {
  if (!diaryUnsaved()) return true;
  m_txtMemo->setFocus();
  return platform::settleUnsaved(
      this, QStringLiteral("一言日記が保存されていません。保存しますか？"), QStringLiteral("一言日記保存"),
      [this] { return storeDiary(); },
      // As the screen comes back: the text stays in the box, to be saved only for a row chosen again.
      [this] { m_cmdMemoHozon->setEnabled(false); });
}

bool DiaryScreen::settleMemo() {
  if (!memoUnsaved()) return true;
  return platform::settleUnsaved(this, QStringLiteral("メモが保存されていません。保存しますか？"), QStringLiteral("メモ保存"),
                                 [this] { return storeMemo(); },
                                 [this] {
                                   m_memoSaved = m_txtKizuki->toPlainText();
                                   m_txtKizuki->document()->setModified(false);
                                 });
}

}  // namespace views
