// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpWindow.h"

#include "help/HelpSearch.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace help {

namespace {
QPointer<HelpWindow>& theWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

constexpr QSize kSize{900, 640};
constexpr int kSideWidth = 220;
// What the desktop adds around a window: its title bar and frame, before they are known.
constexpr QSize kFrameAllowance{16, 40};

QUrl pageUrl(const QString& id) { return QUrl(QStringLiteral("qrc:/help/%1.html").arg(id)); }

QString pageId(const QUrl& url) {
  QString name = url.fileName();
  if (name.endsWith(QLatin1String(".html"))) name.chop(5);
  return name;
}

bool isPage(const QString& id) {
  for (const HelpPage& page : helpPages()) {
    if (page.id == id) return true;
  }
  return false;
}

std::vector<HelpPage> screenPages() {
  return {
      {kStartPage, QStringLiteral("はじめに")},
      {QStringLiteral("main"), QStringLiteral("メイン")},
      {QStringLiteral("bunseki"), QStringLiteral("並び替え")},
      {QStringLiteral("syuukei"), QStringLiteral("集計表示")},
      {QStringLiteral("taijyu"), QStringLiteral("範囲指定")},
      {QStringLiteral("rentai"), QStringLiteral("全グラフ")},
      {QStringLiteral("cale"), QStringLiteral("カレンダー")},
      {QStringLiteral("memo"), QStringLiteral("一言日記")},
      {QStringLiteral("settei"), QStringLiteral("編集")},
  };
}

std::vector<HelpPage>& pages() {
  static std::vector<HelpPage> list = screenPages();
  return list;
}
}  // namespace

const std::vector<HelpPage>& helpPages() { return pages(); }

void setGamePages(const std::vector<HelpPage>& games) {
  std::vector<HelpPage> all = screenPages();
  all.insert(all.end(), games.begin(), games.end());
  pages() = std::move(all);
}

HelpWindow::HelpWindow() {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("ヘルプ"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(kSize);

  QWidget* bar = buildBar();
  QWidget* side = buildSide();
  m_note = new QLabel;
  m_note->setObjectName(QStringLiteral("lblHelpNote"));
  m_note->setWordWrap(true);
  // Reachable with Tab, so that a screen reader reads it as any control.
  m_note->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  m_note->setFrameShape(QFrame::StyledPanel);
  m_note->setStyleSheet(QStringLiteral("QLabel { background: #fff8dc; padding: 4px; }"));
  m_note->hide();
  m_page = new QTextBrowser;
  m_page->setObjectName(QStringLiteral("txtHelpPage"));
  m_page->setAccessibleName(QStringLiteral("ヘルプのページ"));
  m_page->setOpenExternalLinks(true);  // a web address goes to the desktop's browser

  auto* pageSide = new QWidget;
  auto* pageLayout = new QVBoxLayout(pageSide);
  pageLayout->setContentsMargins(0, 0, 0, 0);
  pageLayout->addWidget(m_note);
  pageLayout->addWidget(m_page, 1);
  auto* split = new QSplitter;
  split->addWidget(side);
  split->addWidget(pageSide);
  split->setStretchFactor(1, 1);
  split->setSizes({kSideWidth, kSize.width() - kSideWidth});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(bar);
  layout->addWidget(split, 1);

  connect(m_page, &QTextBrowser::sourceChanged, this, &HelpWindow::pageShown);
  connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
  connect(m_page, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
  installKeys();

  QWidget* const chain[] = {m_back, m_forward, m_home, m_search, m_find, m_contents, m_results, m_note, m_page};
  for (size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
  m_contents->setFocus();
}

// The buttons' keys, which work from anywhere in the window, and Esc to close it.
void HelpWindow::installKeys() {
  const auto key = [this](QKeySequence sequence, void (HelpWindow::*go)()) {
    connect(new QShortcut(sequence, this), &QShortcut::activated, this, go);
  };
  key(QKeySequence(Qt::ALT | Qt::Key_Left), &HelpWindow::goBack);
  key(QKeySequence(Qt::ALT | Qt::Key_Right), &HelpWindow::goForward);
  key(QKeySequence(Qt::ALT | Qt::Key_Home), &HelpWindow::goToContents);
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
  });
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
}

// Back, forward, the start page, and the search box with its button.
QWidget* HelpWindow::buildBar() {
  auto* bar = new QWidget;
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  const auto button = [bar, row](const char* name, const QString& text, QStyle::StandardPixmap icon,
                                 const QString& tip) {
    auto* b = new QPushButton(bar->style()->standardIcon(icon), text);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(text);
    b->setToolTip(tip);
    b->setAccessibleDescription(tip);
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
  };
  m_back = button("cmdBack", QStringLiteral("戻る"), QStyle::SP_ArrowBack,
                  QStringLiteral("前に見たページに戻ります（Alt+←）"));
  m_forward = button("cmdForward", QStringLiteral("進む"), QStyle::SP_ArrowForward,
                     QStringLiteral("戻る前のページに進みます（Alt+→）"));
  m_home = button("cmdContents", QStringLiteral("目次"), QStyle::SP_DirHomeIcon,
                  QStringLiteral("はじめのページと目次を表示します（Alt+Home）"));
  m_back->setEnabled(false);
  m_forward->setEnabled(false);
  row->addSpacing(16);

  m_search = new QLineEdit;  // keeps the input method: words are Japanese
  m_search->setObjectName(QStringLiteral("txtSearch"));
  m_search->setAccessibleName(QStringLiteral("ヘルプ内を検索"));
  m_search->setPlaceholderText(QStringLiteral("ヘルプ内を検索（Ctrl+F）"));
  m_search->setClearButtonEnabled(true);
  row->addWidget(m_search, 1);
  m_find = button("cmdSearch", QStringLiteral("検索"), QStyle::SP_FileDialogContentsView,
                  QStringLiteral("入力した言葉をすべて含むページを一覧にします"));

  connect(m_back, &QPushButton::clicked, this, &HelpWindow::goBack);
  connect(m_forward, &QPushButton::clicked, this, &HelpWindow::goForward);
  connect(m_home, &QPushButton::clicked, this, &HelpWindow::goToContents);
  connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::search);
  connect(m_find, &QPushButton::clicked, this, &HelpWindow::search);
  return bar;
}

// The contents list, and below it what the last search found.
QWidget* HelpWindow::buildSide() {
  m_contents = new QListWidget;
  m_contents->setObjectName(QStringLiteral("lstHelpContents"));
  m_contents->setAccessibleName(QStringLiteral("目次"));
  for (const HelpPage& page : helpPages()) {
    auto* item = new QListWidgetItem(page.title, m_contents);
    item->setData(Qt::UserRole, page.id);
  }
  m_found = new QLabel;
  m_found->setObjectName(QStringLiteral("lblSearchResult"));
  m_found->setWordWrap(true);
  m_found->hide();
  m_results = new QListWidget;
  m_results->setObjectName(QStringLiteral("lstSearchResults"));
  m_results->setAccessibleName(QStringLiteral("検索結果"));
  m_results->setWordWrap(true);
  m_results->hide();

  auto* side = new QWidget;
  auto* column = new QVBoxLayout(side);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(m_contents, 1);
  column->addWidget(m_found);
  column->addWidget(m_results, 1);

  connect(m_contents, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) show(helpPages()[size_t(row)].id);
  });
  // Moving in the list only chooses; Enter or a click opens.
  connect(m_results, &QListWidget::itemActivated, this, &HelpWindow::openResult);
  connect(m_results, &QListWidget::itemClicked, this, &HelpWindow::openResult);
  return side;
}

HelpWindow* HelpWindow::showPage(const QString& id, const QWidget* over, const QString& note) {
  QPointer<HelpWindow>& window = theWindow();
  if (!window) {
    window = new HelpWindow;
    window->placeOver(over ? over : QApplication::activeWindow());
  }
  window->show(isPage(id) ? id : kStartPage);
  window->QWidget::show();
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->raise();
  window->activateWindow();
  if (!note.isEmpty()) window->showNote(note);
  return window;
}

// Where a keyboard user finds it: over the window it explains, whole on the screen.
void HelpWindow::placeOver(const QWidget* over) {
  if (over) over = over->window();
  const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  const QSize frame = (frameGeometry().size() - size()).expandedTo(kFrameAllowance);
  resize(kSize.boundedTo(room.size() - frame));
  QRect placed(QPoint(), size() + frame);
  placed.moveCenter(over ? over->frameGeometry().center() : room.center());
  placed.moveLeft(std::clamp(placed.left(), room.left(), std::max(room.left(), room.right() + 1 - placed.width())));
  placed.moveTop(std::clamp(placed.top(), room.top(), std::max(room.top(), room.bottom() + 1 - placed.height())));
  move(placed.topLeft());
}

HelpWindow* HelpWindow::instance() { return theWindow(); }

void HelpWindow::closeAll() {
  if (theWindow()) theWindow()->close();
}

QString HelpWindow::currentPage() const { return pageId(m_page->source()); }

void HelpWindow::show(const QString& id) {
  if (m_page->source() == pageUrl(id)) return;
  if (QFile::exists(QStringLiteral(":/help/%1.html").arg(id))) {
    m_page->setSource(pageUrl(id));
  } else {
    m_page->setHtml(QStringLiteral("<p>このページはまだありません。</p>"));
  }
}

// Keeps the contents list on the page shown, also when a link inside a page was followed.
// A note was about the page it came with.
void HelpWindow::pageShown(const QUrl& url) {
  m_note->hide();
  const QString id = pageId(url);
  for (int row = 0; row < m_contents->count(); ++row) {
    if (m_contents->item(row)->data(Qt::UserRole).toString() == id) {
      const QSignalBlocker quiet(m_contents);
      m_contents->setCurrentRow(row);
    }
  }
}

// Said where the reader is, with the focus on it, instead of in a box to dismiss.
void HelpWindow::showNote(const QString& note) {
  m_note->setText(note);
  m_note->show();
  m_note->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::goBack() {
  if (m_page->isBackwardAvailable()) m_page->backward();
}

void HelpWindow::goForward() {
  if (m_page->isForwardAvailable()) m_page->forward();
}

void HelpWindow::goToContents() {
  show(kStartPage);
  m_contents->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::search() {
  m_searched = searchWords(m_search->text());
  m_results->clear();
  const std::vector<SearchHit> hits = searchPages(m_searched);
  for (const SearchHit& hit : hits) {
    auto* item = new QListWidgetItem(hit.title + QLatin1Char('\n') + hit.excerpt, m_results);
    item->setData(Qt::UserRole, hit.id);
  }
  if (m_searched.isEmpty()) {
    m_found->setText(QStringLiteral("検索する言葉を入力してください。"));
  } else if (hits.empty()) {
    m_found->setText(QStringLiteral("見つかりませんでした"));
  } else {
    m_found->setText(QStringLiteral("%1 ページ見つかりました").arg(hits.size()));
  }
  m_found->show();
  m_results->setVisible(!hits.empty());
  if (hits.empty()) return;
  m_results->setCurrentRow(0);
  m_results->setFocus(Qt::OtherFocusReason);
}

// Opens the page at the first word searched for, selected.
void HelpWindow::openResult(const QListWidgetItem* item) {
  if (!item) return;
  show(item->data(Qt::UserRole).toString());
  if (m_searched.isEmpty()) return;
  const QString& word = m_searched.front();
  for (QTextBlock block = m_page->document()->begin(); block.isValid(); block = block.next()) {
    const qsizetype at = findWord(block.text(), word);
    if (at < 0) continue;
    QTextCursor cursor(m_page->document());
    cursor.setPosition(block.position() + int(at));
    cursor.setPosition(block.position() + int(at + word.size()), QTextCursor::KeepAnchor);
    m_page->setTextCursor(cursor);
    m_page->ensureCursorVisible();
    return;
  }
}

void installHelpKey(QWidget* window, std::function<QString()> page) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window,
                   [window, page = std::move(page)] { HelpWindow::showPage(page(), window); });
}

}  // namespace help
