// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;

namespace views {
class AggregationScreen;
class AllGraphsScreen;
class DiaryScreen;
class EditScreen;
class PracticeCalendarScreen;
class RangeFilterScreen;
class RecordListScreen;
}  // namespace views

namespace app {

class TodayPanel;

// The main window: start-up, the screens and their buttons, the game menu and the exit.
class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // The games of the menu by button number (from 1): whether one is there yet, and opening it.
  struct GameLauncher {
    std::function<bool(int button)> available;
    std::function<void(int button)> open;
  };

  explicit MainWindow(GameLauncher games = {}, QWidget* parent = nullptr);

  // The start-up sequence; shows the window.
  void Form_Load();

  void HIDE_ALL_FRAMES();
  void SET_GAME_ITEM();
  void READ_PRIVATE();
  void READ_SETTEI();
  void READ_MEMO();

  void cmdMain_Click();
  void cmdBunseki_Click();
  void cmdTaijyu_Click();
  void cmdSyuukei_Click();
  void cmdRentai_Click();
  void cmdCale_Click();
  void cmdMemo_Click();
  void cmdSettei_Click();
  void cmdGame_Click();
  void cmdModori_Click();
  void cmdG_Click(int button);
  void cmdHelp_Click();
  void cmdOwari_Click();
  void chkHelp_Click();
  // A day picked in the calendar: the panel shows it and the focus goes to "メイン".
  void mtvmain_DateClick();
  // Any move of the calendar's selection: the panel follows it.
  void mtvmain_SelChange();

  TodayPanel* todayPanel() const { return m_today; }
  views::RecordListScreen* recordList() const { return m_fraBunseki; }
  views::RangeFilterScreen* rangeFilter() const { return m_fraTaijyu; }
  views::AggregationScreen* aggregation() const { return m_fraSyuukei; }
  views::AllGraphsScreen* allGraphs() const { return m_fraRenTai; }
  views::PracticeCalendarScreen* practiceCalendar() const { return m_fraCale; }
  views::DiaryScreen* diary() const { return m_fraMemo; }
  views::EditScreen* editScreen() const { return m_fraSettei; }
  const QString& strHelpFile() const { return m_helpFile; }
  // The help page of the screen on show.
  QString helpPage() const;
  static QString captionFor(const QString& nickname);

 protected:
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // A file put back from the backup folder: the memo box or the caption shows it anew.
  void fileRestored(const QString& fileName);
  void buildButtons();
  void buildFrames();
  void buildGameMenu();
  // The enabled button of the game menu next to from in the direction of an arrow key.
  QPushButton* gameMenuNeighbour(const QPushButton* from, int key) const;
  // The pattern every screen button follows.
  void switchScreen(QFrame* frame, const std::function<void()>& prepare, const QString& tour);
  // What the user typed and did not save, on the screen left (and the memo, when the window
  // goes) is saved or let go; false when the user stays.
  bool unsavedSettled(bool windowGoes);
  void showStatus();
  void reportReadError(const QString& error);
  void markScreenButton();
  void pickDay();

  GameLauncher m_games;
  QString m_helpFile;
  QString m_colWidthKoumoku;
  QString m_colWidthSyoukei;
  bool m_loading = false;
  bool m_leavingForGame = false;  // closing to open a game, not ending the program
  QStringList m_readProblems;     // files found bad at this load

  QWidget* m_content = nullptr;
  TodayPanel* m_today = nullptr;
  views::RecordListScreen* m_fraBunseki = nullptr;
  views::RangeFilterScreen* m_fraTaijyu = nullptr;
  views::AggregationScreen* m_fraSyuukei = nullptr;
  views::AllGraphsScreen* m_fraRenTai = nullptr;
  views::PracticeCalendarScreen* m_fraCale = nullptr;
  views::DiaryScreen* m_fraMemo = nullptr;
  views::EditScreen* m_fraSettei = nullptr;
  QFrame* m_fraGame = nullptr;
  QPushButton* m_cmdGame = nullptr;
  QPushButton* m_cmdMain = nullptr;
  QPushButton* m_chkHelp = nullptr;
  QLabel* m_status = nullptr;
  std::vector<QPushButton*> m_gameButtons;  // by button number, from 1
  QPushButton* m_cmdModori = nullptr;
  // The screen buttons with the frames they show.
  std::vector<std::pair<QPushButton*, QFrame*>> m_screenButtons;
};

}  // namespace app
