// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/GameRegistry.h"
#include "app/Pictures.h"
#include "app/Session.h"
#include "app/TodayPanel.h"
#include "app/TourTexts.h"
#include "help/HelpWindow.h"
#include "platform/core/Clock.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "platform/widgets/ButtonKeys.h"
#include "platform/widgets/HelpTour.h"
#include "platform/widgets/HelpViewer.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/MonthCalendar.h"
#include "records/DataFiles.h"
#include "records/GameItems.h"
#include "views/AggregationScreen.h"
#include "views/AllGraphsScreen.h"
#include "views/DiaryScreen.h"
#include "views/EditScreen.h"
#include "views/Maintenance.h"
#include "views/PracticeCalendarScreen.h"
#include "views/RangeFilterScreen.h"
#include "views/RecordListScreen.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace app {

namespace {
const QString kTourLabel = QStringLiteral("ヘルプツアー");

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 690;
constexpr int kContentX = 122;
constexpr QSize kContentSize{870, 674};
// The status line covers the bottom of the screens, which they leave free, so that the
// window keeps its size and fits a 1366 x 768 screen with a panel.
constexpr QRect kStatusLine{kContentX + 1, kWindowHeight - 24, kContentSize.width() - 2, 22};

struct ScreenButton {
  const char* name;
  const char* caption;
  const char* tip;
};
constexpr ScreenButton kScreenButtons[] = {
    {"cmdMain", "メイン", "メイン画面を表示します"},
    {"cmdBunseki", "並び替え", "データを並び替えて表示できます"},
    {"cmdSyuukei", "集計表示", "月別、日別の集計結果を表示します"},
    {"cmdTaijyu", "範囲指定", "表示条件を指定できます"},
    {"cmdRentai", "全グラフ", "現在までの全グラフを表示します"},
    {"cmdCale", "カレンダー", "実施状況把握カレンダーを表示します"},
    {"cmdMemo", "一言日記", "ちょっとした日記を記録、表示します"},
    {"cmdSettei", "編集", "編集画面を表示します"},
};

// The game menu: four buttons to a row, the games by button number and "戻る" in the place
// after the last one, a little lower.
constexpr int kMenuColumns = 4;
QRect menuPlace(int place) { return {20 + (place % kMenuColumns) * 110, 52 + (place / kMenuColumns) * 86, 100, 76}; }

}  // namespace

// Every return from a game loads the window again; a file that stays bad is told once in a
// box, and in the status line for as long as it stays bad.
void MainWindow::reportReadError(const QString& error) {
  if (error.isEmpty()) return;
  m_readProblems << error;
  if (platform::firstTimeThisRun(error)) {
    platform::showMessage(this, error, QStringLiteral("読み込みエラー"), platform::MsgIcon::Exclamation);
  }
}

QString MainWindow::captionFor(const QString& nickname) {
  const QString title = QStringLiteral("アタマ日和プロジェクト４　～計算力");
  if (nickname.isEmpty()) return QStringLiteral(" ") + title;
  return QStringLiteral(" ") + nickname + QStringLiteral(" の ") + title;
}

MainWindow::MainWindow(GameLauncher games, QWidget* parent)
    : QWidget(parent), m_games(std::move(games)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("アタマ日和プロジェクト"));
  setFixedSize(kWindowWidth, kWindowHeight);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  m_content = new QWidget(this);
  m_content->setGeometry(QRect(QPoint(kContentX, 8), kContentSize));
  buildFrames();
  buildButtons();
  buildGameMenu();
  m_status->raise();
}

void MainWindow::buildButtons() {
  m_cmdGame = new QPushButton(QIcon(gamePicture(40)), QStringLiteral("ゲーム"), this);
  m_cmdGame->setObjectName(QStringLiteral("cmdGame"));
  m_cmdGame->setToolTip(QStringLiteral("メイン画面を表示します"));
  // The tool tip is the window's own; read aloud it would send the user astray.
  m_cmdGame->setAccessibleDescription(QStringLiteral("ゲームの一覧を開きます（Alt+G）"));
  m_cmdGame->setIconSize(QSize(40, 40));
  m_cmdGame->setGeometry(8, 8, 106, 64);
  connect(m_cmdGame, &QPushButton::clicked, this, &MainWindow::cmdGame_Click);
  platform::addAccessKey(this, m_cmdGame, Qt::Key_G);

  const std::function<void()> handlers[] = {
      [this] { cmdMain_Click(); },   [this] { cmdBunseki_Click(); }, [this] { cmdSyuukei_Click(); },
      [this] { cmdTaijyu_Click(); }, [this] { cmdRentai_Click(); },  [this] { cmdCale_Click(); },
      [this] { cmdMemo_Click(); },   [this] { cmdSettei_Click(); },
  };
  QFrame* const frames[] = {m_today,     m_fraBunseki, m_fraSyuukei, m_fraTaijyu,
                            m_fraRenTai, m_fraCale,    m_fraMemo,    m_fraSettei};
  // The button of the screen on show stays pressed, and pressing it again changes nothing:
  // in an exclusive group the lit button cannot be switched off, by a click, a key or a
  // screen reader's toggle alike.
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  int y = 84;
  for (size_t i = 0; i < std::size(kScreenButtons); ++i) {
    auto* button = new QPushButton(QString::fromUtf8(kScreenButtons[i].caption), this);
    button->setObjectName(QString::fromUtf8(kScreenButtons[i].name));
    const QString tip = QString::fromUtf8(kScreenButtons[i].tip);
    button->setToolTip(tip);
    button->setAccessibleDescription(tip + QStringLiteral("（Alt+%1）").arg(i + 1));
    button->setGeometry(8, y, 106, 40);
    button->setCheckable(true);
    group->addButton(button);
    connect(button, &QPushButton::toggled, this, [handler = handlers[i]](bool checked) {
      if (checked) handler();
    });
    platform::addAccessKey(this, button, Qt::Key(Qt::Key_1 + int(i)));
    if (i == 0) m_cmdMain = button;
    m_screenButtons.emplace_back(button, frames[i]);
    y += 46;
  }

  m_chkHelp = new QPushButton(QIcon(tourPicture(32)), QString(), this);
  m_chkHelp->setObjectName(QStringLiteral("chkHelp"));
  m_chkHelp->setToolTip(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
  m_chkHelp->setAccessibleName(QStringLiteral("ヘルプツアー"));
  m_chkHelp->setCheckable(true);
  m_chkHelp->setIconSize(QSize(32, 32));
  m_chkHelp->setGeometry(8, 468, 106, 48);
  connect(m_chkHelp, &QPushButton::toggled, this, &MainWindow::chkHelp_Click);

  auto* help = new QPushButton(QStringLiteral("ヘルプ"), this);
  help->setObjectName(QStringLiteral("cmdHelp"));
  help->setToolTip(QStringLiteral("ヘルプファイルを開きます"));
  help->setGeometry(8, 524, 106, 40);
  connect(help, &QPushButton::clicked, this, &MainWindow::cmdHelp_Click);
  help::installHelpKey(this, [this] { return helpPage(); });

  auto* owari = new QPushButton(QStringLiteral("終了"), this);
  owari->setObjectName(QStringLiteral("cmdOwari"));
  owari->setToolTip(QStringLiteral("プログラムを終了します"));
  owari->setGeometry(8, 634, 106, 40);
  connect(owari, &QPushButton::clicked, this, &MainWindow::cmdOwari_Click);
}

void MainWindow::buildFrames() {
  m_today = new TodayPanel(m_content);
  m_today->setGeometry(QRect(QPoint(0, 0), kContentSize));
  m_today->setFrameShape(QFrame::StyledPanel);
  connect(m_today, &TodayPanel::dayClicked, this, &MainWindow::pickDay);
  connect(m_today, &TodayPanel::daySelected, this, &MainWindow::mtvmain_SelChange);

  m_fraBunseki = new views::RecordListScreen(m_content);
  m_fraTaijyu = new views::RangeFilterScreen(
      {[this] { HIDE_ALL_FRAMES(); }, [this] { return m_today->strFirstDay(); }}, m_content);
  m_fraSyuukei = new views::AggregationScreen(
      {[this] { return m_today->strFirstDay(); }, [this] { return m_today->strLastDay(); },
       [this] { return m_colWidthKoumoku; }, [this] { return m_colWidthSyoukei; }},
      m_content);
  m_fraRenTai = new views::AllGraphsScreen({}, m_content);  // items in the table's order, as lstAct2 has them
  m_fraCale = new views::PracticeCalendarScreen(
      {[this] { return m_today->strFirstDay(); }, [this] { return m_today->strLastDay(); }}, m_content);
  m_fraMemo = new views::DiaryScreen(m_content);
  m_fraSettei = new views::EditScreen({[] { return session().strNickname; },
                                       [this](const QString& nickname) {
                                         session().strNickname = nickname;
                                         setWindowTitle(captionFor(nickname));
                                       },
                                       [this] { mtvmain_SelChange(); }, [this] { cmdOwari_Click(); },
                                       [this] { return m_fraMemo->settleMemo(); }, historyColumns,
                                       [this](const QString& fileName) { fileRestored(fileName); }},
                                      m_content);
  for (QFrame* screen : std::initializer_list<QFrame*>{m_fraBunseki, m_fraTaijyu, m_fraSyuukei, m_fraRenTai,
                                                       m_fraCale, m_fraMemo, m_fraSettei}) {
    screen->setGeometry(QRect(QPoint(0, 0), kContentSize));
    screen->setFrameShape(QFrame::StyledPanel);
  }

  m_status = new QLabel(this);
  m_status->setObjectName(QStringLiteral("lblStatus"));
  m_status->setGeometry(kStatusLine);
  m_status->setAutoFillBackground(true);
  m_status->setIndent(8);
  m_status->hide();
}

void MainWindow::buildGameMenu() {
  m_fraGame = new QFrame(m_content);
  m_fraGame->setObjectName(QStringLiteral("fraGame"));
  m_fraGame->setFrameShape(QFrame::Box);
  m_fraGame->setAutoFillBackground(true);
  const int count = int(gameRegistry().size());
  const QRect back(menuPlace(count).topLeft() + QPoint(0, 88), QSize(100, 44));
  m_fraGame->setGeometry(190, 170, 470, back.bottom() + 21);
  auto* heading = new QLabel(QStringLiteral("ゲームを選んでください"), m_fraGame);
  heading->setGeometry(20, 12, 430, 30);
  heading->setStyleSheet(QStringLiteral("QLabel { font-size: 13pt; font-weight: bold; }"));
  for (int number = 1; number <= count; ++number) {
    const GameEntry* game = gameOnButton(number);
    Q_ASSERT(game);  // the table numbers its buttons 1, 2, ... without a gap
    auto* button = new QPushButton(game ? game->caption : QString(), m_fraGame);
    button->setObjectName(QStringLiteral("cmdG%1").arg(number));
    button->setGeometry(menuPlace(number - 1));
    connect(button, &QPushButton::clicked, this, [this, number] { cmdG_Click(number); });
    button->setEnabled(m_games.available && m_games.available(number));
    m_gameButtons.push_back(button);
  }
  m_cmdModori = new QPushButton(QStringLiteral("戻る"), m_fraGame);
  m_cmdModori->setObjectName(QStringLiteral("cmdModori"));
  m_cmdModori->setToolTip(QStringLiteral("キャンセルします"));
  m_cmdModori->setAccessibleDescription(QStringLiteral("ゲームの一覧を閉じます（Esc）"));
  m_cmdModori->setGeometry(back);
  connect(m_cmdModori, &QPushButton::clicked, this, &MainWindow::cmdModori_Click);
  for (QPushButton* button : m_gameButtons) button->installEventFilter(this);
  m_cmdModori->installEventFilter(this);
  m_fraGame->hide();
}

// The menu's buttons as they stand: four to a row, the games and then "戻る".
QPushButton* MainWindow::gameMenuNeighbour(const QPushButton* from, int key) const {
  std::vector<QPushButton*> places = m_gameButtons;
  places.push_back(m_cmdModori);
  const auto at = std::find(places.begin(), places.end(), from);
  if (at == places.end()) return nullptr;
  const int place = int(at - places.begin());
  const int row = place / kMenuColumns;
  const int col = place % kMenuColumns;
  const auto enabledAt = [&places](int r, int c) -> QPushButton* {
    if (r < 0 || c < 0 || c >= kMenuColumns || size_t(r * kMenuColumns + c) >= places.size()) return nullptr;
    QPushButton* button = places[size_t(r * kMenuColumns + c)];
    return button->isEnabled() ? button : nullptr;
  };
  switch (key) {
    case Qt::Key_Left:
      for (int c = col - 1; c >= 0; --c) {
        if (QPushButton* button = enabledAt(row, c)) return button;
      }
      return nullptr;
    case Qt::Key_Right:
      for (int c = col + 1; c < kMenuColumns; ++c) {
        if (QPushButton* button = enabledAt(row, c)) return button;
      }
      return nullptr;
    case Qt::Key_Up: return enabledAt(row - 1, col);
    case Qt::Key_Down: return enabledAt(row + 1, col);
    default: return nullptr;
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && !m_fraGame->isHidden()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
      // At the menu's edge the focus stays where it is rather than leave the menu.
      if (QPushButton* to = gameMenuNeighbour(qobject_cast<QPushButton*>(watched), key)) {
        to->setFocus(Qt::OtherFocusReason);
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::Form_Load() {
  m_helpFile = QStringLiteral("AtamaHelp.chm");
  m_colWidthKoumoku = QStringLiteral("1180");
  m_colWidthSyoukei = QStringLiteral("1250");
  setWindowState(Qt::WindowNoState);
  m_loading = true;
  HIDE_ALL_FRAMES();
  {
    const QSignalBlocker once(m_today->mtvmain());  // DISP_TODAY below builds the panel
    m_today->mtvmain()->setSelectedDate(platform::Clock::today());
  }
  m_readProblems.clear();
  READ_PRIVATE();
  SET_GAME_ITEM();
  m_today->INIT_DAYLIST();
  m_today->DISP_TODAY();
  READ_MEMO();
  READ_SETTEI();
  show();
  m_today->show();
  markScreenButton();
  showStatus();
  m_chkHelp->setChecked(platform::tourState().intHelpTour == 1);
  if (!session().blnWelcomeShown) {
    session().blnWelcomeShown = true;
    platform::tourState().strTourMsg = welcomeText();
    platform::SHOW_TOUR_MSG(this);
  }
  m_loading = false;
  m_cmdGame->setFocus();
}

void MainWindow::HIDE_ALL_FRAMES() {
  const std::initializer_list<QFrame*> frames{m_fraTaijyu, m_fraBunseki, m_fraRenTai, m_today,
                                              m_fraSettei, m_fraCale, m_fraMemo, m_fraSyuukei};
  for (QFrame* frame : frames) frame->hide();
}

void MainWindow::SET_GAME_ITEM() {
  QListWidget* list = m_fraTaijyu->lstAct2();
  list->clear();
  for (const QString& name : records::itemNames()) list->addItem(name);
}

void MainWindow::READ_PRIVATE() {
  const platform::seq::FileRecords file = platform::seq::readFileRecords(records::kPrivateFileName);
  reportReadError(file.error);
  const bool hasName = !file.records.empty() && file.records.front().size() >= 2;
  session().strNickname = hasName ? file.records.front()[1] : QString();
  setWindowTitle(captionFor(session().strNickname));
}

void MainWindow::READ_SETTEI() {
  const platform::seq::FileRecords file = platform::seq::readFileRecords(records::kSettingsFileName);
  reportReadError(file.error);
  const bool hasFlag = !file.records.empty() && file.records.front().size() >= 2;
  platform::tourState().intHelpTour = hasFlag && file.records.front()[1].trimmed() == QLatin1String("1") ? 1 : 0;
}

void MainWindow::READ_MEMO() {
  reportReadError(m_fraMemo->READ_MEMO());
}

void MainWindow::fileRestored(const QString& fileName) {
  if (fileName.compare(records::kMemoFileName, Qt::CaseInsensitive) == 0) READ_MEMO();
  if (fileName.compare(records::kPrivateFileName, Qt::CaseInsensitive) == 0) READ_PRIVATE();
}

void MainWindow::showStatus() {
  QStringList problems;
  if (const qsizetype unreadable = m_today->unreadableLines(); unreadable > 0) {
    problems << QStringLiteral("%1 の %2 行は読み取れないため表示していません（ファイルにはそのまま残っています）。")
                    .arg(records::kRecordFileName, QString::number(unreadable));
  }
  problems << m_readProblems;
  if (problems.isEmpty()) {
    m_status->hide();
    return;
  }
  // One line holds the first; the tool tip and a screen reader have them all.
  QString first = problems.first();
  first.replace(QLatin1String("\r\n"), QLatin1String(" "));
  m_status->setText(problems.size() == 1 ? first : first + QStringLiteral("（ほかに %1 件）").arg(problems.size() - 1));
  const QString all = problems.join(QLatin1Char('\n'));
  m_status->setToolTip(all);
  m_status->setAccessibleName(QStringLiteral("状態"));
  m_status->setAccessibleDescription(all);
  m_status->setStyleSheet(QStringLiteral("QLabel { color: #A00000; }"));
  m_status->show();
}

// Lights the button of the screen on show without running its handler again; the group
// puts out the others.
void MainWindow::markScreenButton() {
  for (const auto& [button, frame] : m_screenButtons) {
    if (frame->isHidden()) continue;
    const QSignalBlocker quiet(button);
    button->setChecked(true);
  }
}

bool MainWindow::unsavedSettled(bool windowGoes) {
  if (!m_fraMemo->settleDiary() || !m_fraSettei->settleNickname()) return false;
  return !windowGoes || m_fraMemo->settleMemo();
}

void MainWindow::switchScreen(QFrame* frame, const std::function<void()>& prepare, const QString& tour) {
  if (frame->isVisible() || !unsavedSettled(false)) {
    markScreenButton();
    return;
  }
  HIDE_ALL_FRAMES();
  if (prepare) prepare();
  frame->show();
  markScreenButton();
  m_fraGame->raise();
  if (tour.isEmpty()) return;
  platform::tourState().strTourMsg = tour;
  platform::SHOW_TOUR_MSG(this);
}

void MainWindow::cmdMain_Click() { switchScreen(m_today, {}, {}); }
void MainWindow::cmdBunseki_Click() {
  switchScreen(
      m_fraBunseki,
      [this] {
        m_fraBunseki->INIT_ICHIRAN();
        m_fraBunseki->READ_ICHIRAN();
      },
      tourBunseki());
}

void MainWindow::cmdTaijyu_Click() {
  switchScreen(m_fraTaijyu, [this] { m_fraTaijyu->prepareScreen(); }, tourTaijyu());
}

void MainWindow::cmdSyuukei_Click() {
  switchScreen(m_fraSyuukei, [this] { m_fraSyuukei->prepareScreen(); }, tourSyuukei());
}
void MainWindow::cmdRentai_Click() {
  switchScreen(m_fraRenTai, [this] { m_fraRenTai->prepareScreen(); }, tourRentai());
}
void MainWindow::cmdCale_Click() {
  switchScreen(m_fraCale, [this] { m_fraCale->prepareScreen(); }, tourCale());
}
void MainWindow::cmdMemo_Click() {
  switchScreen(m_fraMemo, [this] { m_fraMemo->prepareScreen(); }, tourMemo());
}
void MainWindow::cmdSettei_Click() {
  switchScreen(m_fraSettei, [this] { m_fraSettei->prepareScreen(); }, tourSettei());
}

void MainWindow::cmdGame_Click() {
  const QDate today = platform::Clock::today();
  if (!m_today->strFirstDay().isEmpty() && m_today->mtvmain()->selectedDate() != today) {
    m_today->mtvmain()->setSelectedDate(today);  // the panel follows the selection
  }
  m_fraGame->show();
  m_fraGame->raise();
  const auto first = std::find_if(m_gameButtons.begin(), m_gameButtons.end(),
                                  [](const QPushButton* button) { return button->isEnabled(); });
  (first != m_gameButtons.end() ? *first : m_cmdModori)->setFocus();
}

// The focus goes back to "ゲーム", where the user opened the menu, rather than on to
// whatever follows the menu.
void MainWindow::cmdModori_Click() {
  const bool focusInMenu = m_fraGame->isAncestorOf(focusWidget());
  m_fraGame->hide();
  if (focusInMenu || !focusWidget()) m_cmdGame->setFocus(Qt::OtherFocusReason);
}

// The open game menu keeps Tab and Backtab among its own buttons.
bool MainWindow::focusNextPrevChild(bool next) {
  if (m_fraGame->isHidden()) return QWidget::focusNextPrevChild(next);
  QList<QWidget*> chain;
  for (QPushButton* button : m_gameButtons) {
    if (button->isEnabled()) chain << button;
  }
  chain << m_cmdModori;
  const qsizetype at = chain.indexOf(focusWidget());
  const qsizetype count = chain.size();
  const qsizetype to = at < 0 ? 0 : (at + (next ? 1 : count - 1)) % count;
  chain[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && !m_fraGame->isHidden()) {
    cmdModori_Click();
    return;
  }
  QWidget::keyPressEvent(event);
}

// The game window opens first, then this window goes, so the run never lacks a window.
// Both windows open where this one stands.
void MainWindow::cmdG_Click(int button) {
  if (!m_games.available || !m_games.available(button)) return;
  // The window goes with the game: not while a box of it is running.
  if (platform::messageOpen(this) || !unsavedSettled(true)) return;
  session().windowPos = pos();
  m_games.open(button);
  m_leavingForGame = true;
  close();
}

// Closed from its title bar, the window ends the program as "終了" does; the help would
// otherwise keep it running.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (platform::messageOpen(this)) {
    platform::closeAfterMessages(this);
    event->ignore();
    return;
  }
  if (!m_leavingForGame && !unsavedSettled(true)) {
    event->ignore();
    return;
  }
  if (!m_leavingForGame) help::HelpWindow::closeAll();
  QWidget::closeEvent(event);
}

// A help file of the earlier program, where one is kept, still opens in the desktop's viewer;
// where it cannot, the built-in help opens as with F1 and says why, without a box to dismiss.
void MainWindow::cmdHelp_Click() {
  QString note;
  if (QFileInfo::exists(platform::resolveFileName(m_helpFile))) {
    const QString error = platform::HelpViewer::displayTopic(m_helpFile);
    if (error.isEmpty()) return;
    note = error + QStringLiteral("代わりに、このヘルプを表示しています。");
  }
  help::HelpWindow::showPage(helpPage(), this, note);
}

QString MainWindow::helpPage() const {
  if (!m_fraGame->isHidden()) return help::kStartPage;
  const std::pair<const QFrame*, const char*> pages[] = {
      {m_today, "main"},      {m_fraBunseki, "bunseki"}, {m_fraSyuukei, "syuukei"}, {m_fraTaijyu, "taijyu"},
      {m_fraRenTai, "rentai"}, {m_fraCale, "cale"},       {m_fraMemo, "memo"},       {m_fraSettei, "settei"}};
  for (const auto& [frame, page] : pages) {
    if (!frame->isHidden()) return QString::fromLatin1(page);
  }
  return help::kStartPage;
}

void MainWindow::cmdOwari_Click() {
  if (platform::messageOpen(this)) {
    platform::closeAfterMessages(this);  // the program ends as the window closes
    return;
  }
  if (!unsavedSettled(true)) return;
  platform::HelpViewer::closeAll();
  help::HelpWindow::closeAll();
  if (close()) QCoreApplication::quit();
}

void MainWindow::chkHelp_Click() {
  if (m_loading) {
    // Ignored during start-up; the box goes on showing the mode in force.
    const QSignalBlocker quiet(m_chkHelp);
    m_chkHelp->setChecked(platform::tourState().intHelpTour == 1);
    return;
  }
  const bool on = m_chkHelp->isChecked();
  if (on) {
    platform::showMessage(this, QStringLiteral("ヘルプツアー機能をオンにします。"),
                          QStringLiteral("ヘルプツアーＯＮ"), platform::MsgIcon::Information);
  } else {
    platform::showMessage(this, QStringLiteral("ヘルプツアー機能をオフにします。"),
                          QStringLiteral("ヘルプツアーＯＦＦ"), platform::MsgIcon::Information);
  }
  platform::tourState().intHelpTour = on ? 1 : 0;
  const QString line = platform::seq::LineBuilder().text(kTourLabel).number(on ? 1 : 0).line();
  const QString error = platform::writeTextLines(records::kSettingsFileName, {line});
  if (!error.isEmpty()) {
    platform::showMessage(this, error, QStringLiteral("保存エラー"), platform::MsgIcon::Exclamation);
  }
}

void MainWindow::mtvmain_DateClick() {
  mtvmain_SelChange();
  m_cmdMain->setFocus();
}

void MainWindow::mtvmain_SelChange() {
  m_today->DISP_TODAY();
  showStatus();
}

// A click has changed the selection first, which has rebuilt the panel already.
void MainWindow::pickDay() {
  if (m_today->showsSelectedDay()) {
    m_cmdMain->setFocus();
  } else {
    mtvmain_DateClick();
  }
}

}  // namespace app
