// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "app/Session.h"
#include "app/WindowSwitcher.h"
#include "help/HelpSearch.h"
#include "help/HelpWindow.h"
#include "platform/core/Clock.h"
#include "platform/widgets/HelpViewer.h"
#include "platform/widgets/MessageBox.h"
#include "support/FreshRunTest.h"
#include "support/WidgetTestSupport.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

namespace {
int helpWindowCount() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) count += w->isVisible() && w->objectName() == "frmHelp";
  return count;
}

QWidget* shownWindow(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->objectName() == name) return w;
  }
  return nullptr;
}

void click(QWidget* window, const QString& button) {
  QPushButton* b = window->findChild<QPushButton*>(button);
  QVERIFY2(b, qPrintable(button));
  QTest::mouseClick(b, Qt::LeftButton);
}

void activate(QWidget* window) {
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window));
}

void pressF1(QWidget* window) {
  activate(window);
  QTest::keyClick(window, Qt::Key_F1);
}

QString currentPage() { return help::HelpWindow::instance()->currentPage(); }

// The pages a search listed, in their order.
QStringList listed(const QListWidget* results) {
  QStringList ids;
  for (int row = 0; row < results->count(); ++row) ids << results->item(row)->data(Qt::UserRole).toString();
  return ids;
}
}  // namespace

class HelpTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  HelpTest() : FreshRunTest(QDate(2026, 12, 8)) {}

 protected:
  void prepare() override {
    platform::setMessageHandler([](const platform::MessageRequest&) { return platform::MsgResult::Ok; });
    app::session().blnWelcomeShown = true;
  }
  void tearDown() override {
    QApplication::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::closeAllWindows();  // a game's closing brings the main window back
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

 private:
  app::MainWindow* mainWindow() {
    app::MainWindow* main = app::showMainWindow();
    main->show();
    return main;
  }

 private Q_SLOTS:
  void everyPage_isCompiledIn_withItsPicture_andEveryLinkLeadsToAPage() {
    // Relative, so that the installed copies read in a browser as they do in the program.
    static const QRegularExpression target(QStringLiteral("(?:src|href)=\"([^\"#]+)"));
    for (const help::HelpPage& page : help::helpPages()) {
      QFile file(QStringLiteral(":/help/%1.html").arg(page.id));
      QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page.id));
      const QString html = QString::fromUtf8(file.readAll());
      QVERIFY2(html.contains(QStringLiteral("images/%1.png").arg(page.id)), qPrintable(page.id));
      for (const QRegularExpressionMatch& m : target.globalMatch(html)) {
        const QString link = m.captured(1);
        if (link.startsWith(QLatin1String("https://")) || link.startsWith(QLatin1String("http://"))) continue;
        QVERIFY2(QUrl(link).isRelative() && !link.startsWith(QLatin1Char('/')) &&
                     QFile::exists(QStringLiteral(":/help/") + link),
                 qPrintable(page.id + ": " + link));
      }
    }
  }

  void helpButton_opensTheOneHelpWindow_atThePageOfTheScreenOnShow_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("page");
    QTest::newRow("メイン") << "cmdMain" << "main";
    QTest::newRow("並び替え") << "cmdBunseki" << "bunseki";
    QTest::newRow("集計表示") << "cmdSyuukei" << "syuukei";
    QTest::newRow("範囲指定") << "cmdTaijyu" << "taijyu";
    QTest::newRow("全グラフ") << "cmdRentai" << "rentai";
    QTest::newRow("カレンダー") << "cmdCale" << "cale";
    QTest::newRow("一言日記") << "cmdMemo" << "memo";
    QTest::newRow("編集") << "cmdSettei" << "settei";
  }
  void helpButton_opensTheOneHelpWindow_atThePageOfTheScreenOnShow() {
    QFETCH(QString, screen);
    QFETCH(QString, page);
    app::MainWindow* main = mainWindow();
    click(main, QStringLiteral("cmdBunseki"));
    click(main, QStringLiteral("cmdHelp"));
    click(main, screen);
    click(main, QStringLiteral("cmdHelp"));
    QCOMPARE(helpWindowCount(), 1);
    QCOMPARE(help::HelpWindow::instance()->currentPage(), page);
    QVERIFY(!help::HelpWindow::instance()->findChild<QObject*>(QStringLiteral("txtHelpPage"))
                 ->property("plainText").toString().contains(QStringLiteral("まだありません")));
  }

  void f1_opensThePageOfTheScreen_andOfEveryGame_andLeavingAGameKeepsTheHelp_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("window");
    for (int button = 1; button <= 7; ++button) {
      static const char* const windows[] = {"frmG2", "frmG1", "frmG3", "frmG4", "frmG6", "frmG5", "frmG7"};
      QTest::addRow("cmdG%d", button) << button << QString::fromLatin1(windows[button - 1]);
    }
  }
  void f1_opensThePageOfTheScreen_andOfEveryGame_andLeavingAGameKeepsTheHelp() {
    QFETCH(int, button);
    QFETCH(QString, window);
    app::MainWindow* main = mainWindow();
    click(main, QStringLiteral("cmdCale"));
    pressF1(main);
    QCOMPARE(currentPage(), QStringLiteral("cale"));

    click(main, QStringLiteral("cmdGame"));
    click(main, QStringLiteral("cmdG%1").arg(button));
    QWidget* game = shownWindow(window);
    QVERIFY(game);
    pressF1(game);
    QCOMPARE(helpWindowCount(), 1);
    QCOMPARE(currentPage(), window);
    // The "?" button does what F1 does, and stands clear of every other control.
    help::HelpWindow::showPage(QStringLiteral("main"));
    auto* question = testing::control<QPushButton>(game, QStringLiteral("cmdHelp"));
    for (const QWidget* other : game->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const bool clear =
          other == question || !other->isVisible() || !other->geometry().intersects(question->geometry());
      QVERIFY2(clear, qPrintable(other->objectName() + QLatin1Char(' ') + other->metaObject()->className()));
    }
    QVERIFY(game->rect().contains(question->geometry()));
    QCOMPARE(question->accessibleName(), QStringLiteral("ヘルプ"));
    QTest::mouseClick(question, Qt::LeftButton);
    QCOMPARE(helpWindowCount(), 1);
    QCOMPARE(currentPage(), window);
    click(game, QStringLiteral("cmdEnd"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(helpWindowCount(), 1);
  }

  void helpWindow_opensCentredOverTheWindowItExplains_andWholeOnTheScreen_data() {
    QTest::addColumn<bool>("f1");
    QTest::addColumn<int>("shift");  // of the main window to the right of the screen's centre
    QTest::newRow("ヘルプ, main window centred") << false << 0;
    QTest::newRow("F1, main window at the right edge") << true << 600;
  }
  void helpWindow_opensCentredOverTheWindowItExplains_andWholeOnTheScreen() {
    QFETCH(bool, f1);
    QFETCH(int, shift);
    app::MainWindow* main = mainWindow();
    const QRect room = main->screen()->availableGeometry();
    QRect stands = main->frameGeometry();
    stands.moveCenter(room.center() + QPoint(shift, 0));
    main->move(stands.topLeft());
    f1 ? pressF1(main) : click(main, QStringLiteral("cmdHelp"));
    const QRect opened = help::HelpWindow::instance()->frameGeometry();
    QVERIFY(room.contains(opened));
    if (shift == 0) {
      // As far as the frame the desktop will add allows before it is known.
      const QPoint off = opened.center() - main->frameGeometry().center();
      QVERIFY(qAbs(off.x()) <= 24 && qAbs(off.y()) <= 24);
    }
  }

  void helpFileOfTheEarlierProgram_opensInTheDesktopsViewer_orElseTheHelpSaysWhy_data() {
    QTest::addColumn<bool>("viewer");
    QTest::newRow("a viewer takes it") << true;
    QTest::newRow("no viewer for it") << false;
  }
  void helpFileOfTheEarlierProgram_opensInTheDesktopsViewer_orElseTheHelpSaysWhy() {
    QFETCH(bool, viewer);
    testing::writeFile(QStringLiteral("AtamaHelp.chm"), {});
    QList<QUrl> handed;
    platform::HelpViewer::setOpener([&](const QUrl& url) {
      handed << url;
      return viewer;
    });
    app::MainWindow* main = mainWindow();
    click(main, QStringLiteral("cmdCale"));
    int boxes = 0;
    platform::setMessageHandler([&boxes](const platform::MessageRequest&) {
      ++boxes;
      return platform::MsgResult::Ok;
    });
    click(main, QStringLiteral("cmdHelp"));
    QCOMPARE(handed.size(), 1);
    QVERIFY(handed[0].toLocalFile().endsWith(QStringLiteral("/AtamaHelp.chm")));
    QCOMPARE(boxes, 0);
    QCOMPARE(helpWindowCount(), viewer ? 0 : 1);
    if (viewer) return;

    // The page F1 would open, with the reason above it, once.
    QCOMPARE(currentPage(), QStringLiteral("cale"));
    help::HelpWindow* shown = help::HelpWindow::instance();
    auto* note = testing::control<QLabel>(shown, QStringLiteral("lblHelpNote"));
    QVERIFY(note->isVisible());
    QVERIFY(note->text().contains(QStringLiteral("「AtamaHelp.chm」を開けませんでした")));
    QCOMPARE(shown->focusWidget(), note);
    testing::control<QListWidget>(shown, QStringLiteral("lstHelpContents"))->setCurrentRow(0);
    QVERIFY(note->isHidden());
  }

  void search_listsThePagesWithEveryWord_inTheirText_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");  // at least these
    QTest::addColumn<QStringList>("passed");
    QTest::newRow("a word on some pages") << "小銭" << QStringList{"index", "frmG6"} << QStringList{"main", "frmG1"};
    QTest::newRow("full width, capitals") << "ＥＮＴＥＲ" << QStringList{"index", "frmG5"} << QStringList{"frmG6"};
    QTest::newRow("every word") << "enter 小銭" << QStringList{"index", "frmG5"} << QStringList{"frmG2", "frmG6"};
    QTest::newRow("only in the markup") << "cellpadding" << QStringList{} << QStringList{"index"};
  }
  void search_listsThePagesWithEveryWord_inTheirText() {
    QFETCH(QString, query);
    QFETCH(QStringList, found);
    QFETCH(QStringList, passed);
    help::HelpWindow* shown = help::HelpWindow::showPage(QStringLiteral("main"));
    auto* box = testing::control<QLineEdit>(shown, QStringLiteral("txtSearch"));
    auto* results = testing::control<QListWidget>(shown, QStringLiteral("lstSearchResults"));
    QVERIFY(testing::takesInputMethod(box));
    box->setText(query);
    QTest::keyClick(box, Qt::Key_Return);
    const QStringList ids = listed(results);
    for (const QString& id : found) QVERIFY2(ids.contains(id), qPrintable(id));
    for (const QString& id : passed) QVERIFY2(!ids.contains(id), qPrintable(id));
    const QString said = testing::control<QLabel>(shown, QStringLiteral("lblSearchResult"))->text();
    QCOMPARE(said == QStringLiteral("見つかりませんでした"), found.isEmpty());
    if (found.isEmpty()) return;
    // Each with a line of its text; moved in with the keys, opened with Enter.
    QVERIFY(help::findWord(results->item(0)->text(), query.section(QLatin1Char(' '), 0, 0)) >= 0);
    QCOMPARE(shown->focusWidget(), results);
    QTest::keyClick(results, Qt::Key_Down);
    QCOMPARE(currentPage(), QStringLiteral("main"));
    QTest::keyClick(results, Qt::Key_Return);
    QCOMPARE(currentPage(), ids[1]);
  }

  void backAndForward_retraceThePagesSeen_andContentsLeadsToTheStart() {
    help::HelpWindow* shown = help::HelpWindow::showPage(QStringLiteral("main"));
    activate(shown);
    auto* back = testing::control<QPushButton>(shown, QStringLiteral("cmdBack"));
    auto* forward = testing::control<QPushButton>(shown, QStringLiteral("cmdForward"));
    QVERIFY(!back->isEnabled() && !forward->isEnabled());
    testing::control<QListWidget>(shown, QStringLiteral("lstHelpContents"))->setCurrentRow(2);
    const QString third = currentPage();
    help::HelpWindow::showPage(QStringLiteral("memo"));
    QTest::keyClick(shown, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(currentPage(), third);
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(currentPage(), QStringLiteral("main"));
    QVERIFY(!back->isEnabled() && forward->isEnabled());
    QTest::keyClick(shown, Qt::Key_Right, Qt::AltModifier);
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(currentPage(), QStringLiteral("memo"));
    QVERIFY(!forward->isEnabled());
    QTest::mouseClick(testing::control<QPushButton>(shown, QStringLiteral("cmdContents")), Qt::LeftButton);
    QCOMPARE(currentPage(), help::kStartPage);
    QVERIFY(back->isEnabled());
  }

  void owari_orClosingTheMainWindow_closesEveryHelpWindow_data() {
    QTest::addColumn<bool>("owari");
    QTest::newRow("終了") << true;
    QTest::newRow("title bar") << false;
  }
  void owari_orClosingTheMainWindow_closesEveryHelpWindow() {
    QFETCH(bool, owari);
    app::MainWindow* main = mainWindow();
    click(main, QStringLiteral("cmdHelp"));
    QPointer<help::HelpWindow> shown = help::HelpWindow::instance();
    QVERIFY(shown && shown->isVisible());
    if (owari) {
      click(main, QStringLiteral("cmdOwari"));
    } else {
      main->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(shown.isNull());
  }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
