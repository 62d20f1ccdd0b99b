// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextBrowser;

namespace help {

// The pages in the order of the contents list: the screens', then the games'. The id is the
// page's file name without ".html"; a game's page is named after its window.
struct HelpPage {
  QString id;
  QString title;
};
const std::vector<HelpPage>& helpPages();
// The games' pages, which the program's list of games gives: the help knows no game itself.
void setGamePages(const std::vector<HelpPage>& pages);
inline const QString kStartPage = QStringLiteral("index");

// The help window frmHelp: a contents list and a search beside the page, with back, forward
// and the start page above. There is one at a time.
class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // Shows the page (the start page for an unknown id) in the help window, opening the
  // window when there is none and bringing it to the front. A window it opens stands
  // centred over the window it explains (the active one when none is given) and fits the
  // screen. A note, when given, stands above the page until the next page comes.
  static HelpWindow* showPage(const QString& id, const QWidget* over = nullptr, const QString& note = {});
  static HelpWindow* instance();
  static void closeAll();

  QString currentPage() const;

 private:
  HelpWindow();
  QWidget* buildBar();
  QWidget* buildSide();
  void installKeys();
  void show(const QString& id);
  void placeOver(const QWidget* over);
  void pageShown(const QUrl& url);
  void showNote(const QString& note);
  void goBack();
  void goForward();
  void goToContents();
  void search();
  void openResult(const QListWidgetItem* item);

  QPushButton* m_back = nullptr;
  QPushButton* m_forward = nullptr;
  QPushButton* m_home = nullptr;
  QLineEdit* m_search = nullptr;
  QPushButton* m_find = nullptr;
  QListWidget* m_contents = nullptr;
  QLabel* m_found = nullptr;
  QListWidget* m_results = nullptr;
  QStringList m_searched;  // the words of the last search, to select on a page it opens
  QLabel* m_note = nullptr;
  QTextBrowser* m_page = nullptr;
};

// F1 in the window opens the help at the page the function names at that moment.
void installHelpKey(QWidget* window, std::function<QString()> page);

}  // namespace help
