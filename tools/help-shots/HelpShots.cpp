// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every screen and game of the program, on a month of made-up plays, into the PNG
// files the help pages show: atama-help-shots <folder>.
#include "app/Application.h"
#include "app/GameRegistry.h"
#include "app/MainWindow.h"
#include "app/Session.h"
#include "app/WindowSwitcher.h"
#include "games/framework/GameWindow.h"
#include "platform/core/Clock.h"
#include "platform/core/Random.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(20, 30));

// Five weeks of practice, a few plays most days, some with a diary.
void writePlays() {
  const QStringList diaries = {QStringLiteral("答数 : 20"), QStringLiteral("秒数 : 60"),
                               QStringLiteral("朝の一回目"), QStringLiteral("今日は調子がいい")};
  for (int day = 34; day >= 0; --day) {
    const QDate date = kNow.date().addDays(-day);
    const int plays = day == 0 ? 4 : (day % 7 == 3) ? 0 : 1 + (day * 5) % 6;
    for (int i = 0; i < plays; ++i) {
      const records::PlayRecord play{records::recordDate(date),
                                     records::recordTime(QTime(7 + i * 2, (day * 7 + i * 13) % 60, (i * 17) % 60)),
                                     records::itemNames()[size_t((day + i * 3) % records::kItemCount)],
                                     float(25 + (day * 13 + i * 29) % 90) + 0.5f,
                                     diaries[(day + i) % diaries.size()],
                                     {}};
      const QString error = records::appendRecord(play);
      if (!error.isEmpty()) qFatal("%s", qPrintable(error));
    }
  }
}

void save(QWidget* window, const QString& folder, const QString& page) {
  QApplication::processEvents();
  const QString file = QDir(folder).filePath(page + QStringLiteral(".png"));
  if (!window->grab().save(file)) qFatal("cannot write %s", qPrintable(file));
  std::printf("%s\n", qPrintable(file));
}

void click(QWidget* window, const char* button) {
  auto* b = window->findChild<QPushButton*>(QString::fromLatin1(button));
  if (!b) qFatal("no button %s", button);
  b->click();
}

void screens(const QString& folder) {
  app::MainWindow* main = app::showMainWindow();
  main->show();
  const std::pair<const char*, const char*> shots[] = {
      {"cmdMain", "main"},    {"cmdBunseki", "bunseki"}, {"cmdSyuukei", "syuukei"}, {"cmdTaijyu", "taijyu"},
      {"cmdRentai", "rentai"}, {"cmdCale", "cale"},       {"cmdMemo", "memo"},       {"cmdSettei", "settei"}};
  for (const auto& [button, page] : shots) {
    click(main, button);
    save(main, folder, QString::fromLatin1(page));
  }
  click(main, "cmdMain");
  click(main, "cmdGame");
  save(main, folder, QStringLiteral("index"));
}

void closeAllWindows() {
  for (int round = 0; round < 3; ++round) {  // a game's closing brings the main window back
    QApplication::closeAllWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// Each game a few seconds into a play.
void gameWindows(const QString& folder) {
  for (int button = 1; button <= int(app::gameRegistry().size()); ++button) {
    closeAllWindows();
    const app::MainWindow::GameLauncher launcher = app::gameLauncher();
    if (!launcher.available(button)) continue;
    launcher.open(button);
    games::GameWindow* game = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* g = qobject_cast<games::GameWindow*>(w); g && g->isVisible()) game = g;
    }
    if (!game) qFatal("game %d did not open", button);
    game->cmdStart_Click();
    for (int i = 0; i < 3; ++i) game->tmrStart_Timer();
    game->finishWaits();
    platform::Clock::advance(4000);
    game->tmrPlay_Timer();
    save(game, folder, game->objectName());
  }
  closeAllWindows();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  app::prepareApplication();
  if (argc != 2) {
    std::fprintf(stderr, "usage: atama-help-shots <folder for the PNG files>\n");
    return 2;
  }
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QTemporaryDir work;
  if (!work.isValid() || !QDir::setCurrent(work.path())) qFatal("cannot make a working folder");
  platform::Clock::setNow(kNow);
  platform::Random::seed(8);
  app::session().blnWelcomeShown = true;
  writePlays();
  screens(folder);
  gameWindows(folder);
  return 0;
}
