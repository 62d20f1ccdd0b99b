#include "help/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace help {

namespace {
QPointer<HelpWindow>& theWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

constexpr QSize kSize{900, 640};
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

  m_contents = new QListWidget;
  m_contents->setObjectName(QStringLiteral("lstHelpContents"));
  m_contents->setAccessibleName(QStringLiteral("目次"));
  for (const HelpPage& page : helpPages()) {
    auto* item = new QListWidgetItem(page.title, m_contents);
    item->setData(Qt::UserRole, page.id);
  }
  m_page = new QTextBrowser;
  m_page->setObjectName(QStringLiteral("txtHelpPage"));
  m_page->setAccessibleName(QStringLiteral("ヘルプのページ"));
  m_page->setOpenExternalLinks(true);  // a web address goes to the desktop's browser

  auto* split = new QSplitter;
  split->addWidget(m_contents);
  split->addWidget(m_page);
  split->setStretchFactor(1, 1);
  split->setSizes({180, 720});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(split);

  connect(m_contents, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) show(helpPages()[size_t(row)].id);
  });
  connect(m_page, &QTextBrowser::sourceChanged, this, &HelpWindow::pageShown);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
}

HelpWindow* HelpWindow::showPage(const QString& id, const QWidget* over) {
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
void HelpWindow::pageShown(const QUrl& url) {
  const QString id = pageId(url);
  for (int row = 0; row < m_contents->count(); ++row) {
    if (m_contents->item(row)->data(Qt::UserRole).toString() == id) {
      const QSignalBlocker quiet(m_contents);
      m_contents->setCurrentRow(row);
    }
  }
}

void installHelpKey(QWidget* window, std::function<QString()> page) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window,
                   [window, page = std::move(page)] { HelpWindow::showPage(page(), window); });
}

}  // namespace help
