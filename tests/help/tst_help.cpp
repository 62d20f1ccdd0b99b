#include "app/MainWindow.h"
#include "app/Session.h"
#include "app/WindowSwitcher.h"
#include "help/HelpWindow.h"
#include "platform/core/Clock.h"
#include "platform/widgets/MessageBox.h"
#include "support/FreshRunTest.h"
#include "support/WidgetTestSupport.h"

#include <QDesktopServices>
#include <QFile>
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

void pressF1(QWidget* window) {
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window, Qt::Key_F1);
}
}  // namespace

// Stands in for the desktop's viewer of a help file.
class DesktopViewer : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public Q_SLOTS:
  void open(const QUrl& url) { opened << url; }
};

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
    static const QRegularExpression target(QStringLiteral("(?:src|href)=\"([^\":#]+)\""));
    for (const help::HelpPage& page : help::helpPages()) {
      QFile file(QStringLiteral(":/help/%1.html").arg(page.id));
      QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page.id));
      const QString html = QString::fromUtf8(file.readAll());
      QVERIFY2(html.contains(QStringLiteral("images/%1.png").arg(page.id)), qPrintable(page.id));
      for (const QRegularExpressionMatch& m : target.globalMatch(html)) {
        QVERIFY2(QFile::exists(QStringLiteral(":/help/") + m.captured(1)), qPrintable(page.id + ": " + m.captured(1)));
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
    QCOMPARE(help::HelpWindow::instance()->currentPage(), QStringLiteral("cale"));

    click(main, QStringLiteral("cmdGame"));
    click(main, QStringLiteral("cmdG%1").arg(button));
    QWidget* game = shownWindow(window);
    QVERIFY(game);
    pressF1(game);
    QCOMPARE(helpWindowCount(), 1);
    QCOMPARE(help::HelpWindow::instance()->currentPage(), window);
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

  void helpFileOfTheEarlierProgram_opensInTheDesktopsViewer() {
    QFile file(QStringLiteral("AtamaHelp.chm"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    DesktopViewer viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
    click(mainWindow(), QStringLiteral("cmdHelp"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(viewer.opened.size(), 1);
    QVERIFY(viewer.opened[0].toLocalFile().endsWith(QStringLiteral("/AtamaHelp.chm")));
    QCOMPARE(helpWindowCount(), 0);
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
