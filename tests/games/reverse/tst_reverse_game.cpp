#include "games/framework/GameText.h"
#include "games/reverse/ReverseGame.h"
#include "platform/core/Clock.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/HelpTour.h"
#include "platform/widgets/Shape.h"
#include "records/RecordFile.h"
#include "support/GameTestSupport.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using games::reverse::Operator;
using games::reverse::ReverseGame;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QDateTime kNow(QDate(2024, 5, 1), QTime(21, 3, 7));
const QString kSettings = QStringLiteral("逆計算設定.txt");
const QString kHistory = QStringLiteral("逆計算履歴.txt");
const QColor kDarkCyan(0, 128, 128);
const QColor kRed(255, 0, 0);
}  // namespace

class ReverseGameTest : public QObject, testing::GameBench<ReverseGame> {
  Q_OBJECT

  QLineEdit* box() const { return child<QLineEdit>(QStringLiteral("txtKaitou")); }
  QColor base() const { return child<platform::Shape>(QStringLiteral("shpBase"))->fillColor(); }
  QString label(int i) const { return text(QStringLiteral("lblMondai(%1)").arg(i)); }
  // Typed key by key, then Enter.
  void answer(const QString& expression) {
    QTest::keyClicks(box(), expression);
    QTest::keyClick(box(), Qt::Key_Return);
  }
  // A second number that leaves the first as it is.
  QString neutral() const {
    switch (m_game->question().strEnzan) {
      case Operator::Plus: return QStringLiteral("+0");
      case Operator::Minus: return QStringLiteral("-0");
      case Operator::Times: return QStringLiteral("*1");
      case Operator::Divide: return QStringLiteral("/1");
    }
    return {};
  }
  QString rightAnswer() const { return label(0) + neutral(); }
  QString wrongAnswer() const { return QString::number(label(0).toInt() + 1) + neutral(); }

 private Q_SLOTS:
  void init() { setUpBench(kNow); }
  void cleanup() { tearDownBench(); }

  void load_withoutFiles_usesTheDefaults_andShowsNoQuestion() {
    load();
    QCOMPARE(fileBytes(kSettings), sjis("20,60,\"答数\",1\r\n"));
    for (int i = 0; i < 5; ++i) QCOMPARE(label(i), QString());
    QCOMPARE(base(), kDarkCyan);
    const auto* grid = child<platform::DataGrid>(QStringLiteral("msgRireki"));
    QCOMPARE(grid->cols(), 10);
    QCOMPARE(grid->textMatrix(0, 6), QStringLiteral("文字数"));
    QCOMPARE(child<QPushButton>(QStringLiteral("cmdMoji"))->text(), QStringLiteral("字数"));
    QCOMPARE(child<QPushButton>(QStringLiteral("cmdJisyo"))->text(), QStringLiteral("予備"));
    // The question reads left to right: ? op ? = result.
    QList<int> order{3, 1, 4, 2, 0};
    for (int i = 1; i < 5; ++i) {
      QVERIFY(child(QStringLiteral("lblMondai(%1)").arg(order[i - 1]))->x() <
              child(QStringLiteral("lblMondai(%1)").arg(order[i]))->x());
    }
  }

  void answersPlay_judgesOnEnter_showsTheNumbers_andEndsAfterTheLastFeedback() {
    writeFile(kSettings, sjis("2,60,\"答数\",1\r\n"));
    load();
    startPlay();
    QCOMPARE(label(2), QStringLiteral("="));
    QCOMPARE(label(3), QStringLiteral("?"));
    QTest::keyClicks(box(), rightAnswer());
    QCOMPARE(m_game->engine().answersGiven(), 0);  // nothing is judged while typing
    const int firstLength = int(box()->text().size());
    QTest::keyClick(box(), Qt::Key_Return);
    QCOMPARE(text(QStringLiteral("lblOk")), QStringLiteral("1"));
    QCOMPARE(label(3), label(0));  // the player's numbers replace the question marks
    QVERIFY(m_game->isJudging());
    QCOMPARE(base(), kDarkCyan);  // right: a pause without colour
    QTest::keyClick(box(), Qt::Key_Return);  // Enter again during the pause judges nothing
    QCOMPARE(m_game->engine().answersGiven(), 1);
    m_game->finishWaits();
    QCOMPARE(label(3), QStringLiteral("?"));
    QCOMPARE(box()->text(), QString());

    Clock::advance(12'300);
    answer(wrongAnswer());
    QCOMPARE(base(), kRed);
    QVERIFY(m_game->engine().blnPlay());  // the play ends once the flash is over
    m_game->finishWaits();
    QCOMPARE(base(), kDarkCyan);
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("12.3"));
    const int keystrokes = firstLength + int(wrongAnswer().size());
    QCOMPARE(m_game->engine().intMoji(), keystrokes);
    QCOMPARE(fileBytes(records::kRecordFileName),
             sjis("\"2024/05/01\",\"21:03:19\",\"逆計算\",12.3,\"答数 : 2\",\r\n"));
    QCOMPARE(fileBytes(kHistory), sjis(QStringLiteral("\"2024/05/01\",\"21:03:19\",2,1,1,%1,\"50.0%\",\"%2\",\"12.3秒\"\r\n")
                                           .arg(keystrokes)
                                           .arg(games::speedText(keystrokes / double(12.3f)))));
  }

  void anAnswerWithoutTheSign_flashesForAFifthOfASecond() {
    load();
    startPlay();
    const QString sign = QString(games::reverse::typedSign(m_game->question().strEnzan));
    answer(sign == QStringLiteral("+") ? QStringLiteral("2*8") : QStringLiteral("2+8"));
    QCOMPARE(base(), kRed);
    QCOMPARE(label(3), QStringLiteral("?"));
    QCOMPARE(text(QStringLiteral("lblNg")), QStringLiteral("1"));
    QVERIFY(m_game->finishNextWait());
    QCOMPARE(base(), kDarkCyan);
  }

  void enterOnAnEmptyBox_orWhileNoPlayRuns_countsNothing() {
    load();
    answer(QStringLiteral("2*8"));  // before the start
    QCOMPARE(box()->text(), QString());
    QVERIFY(child(QStringLiteral("cmdStart"))->hasFocus() || !QApplication::focusWindow());
    m_game->cmdStart_Click();
    answer(QStringLiteral("2*8"));  // during the countdown
    QCOMPARE(box()->text(), QString());
    for (int i = 0; i < 3; ++i) m_game->tmrStart_Timer();
    QTest::keyClick(box(), Qt::Key_Return);
    QCOMPARE(m_game->engine().answersGiven(), 0);
    QVERIFY(!m_game->isWaiting());
  }

  void inputMethodText_countsAsTheAsciiItShows() {
    load();
    startPlay();
    QInputMethodEvent commit;
    commit.setCommitString(QString(rightAnswer()).replace(QLatin1Char('*'), QChar(0xFF0A))
                               .replace(QLatin1Char('/'), QChar(0x00F7))
                               .replace(QLatin1Char('-'), QChar(0x30FC))
                               .replace(QLatin1Char('1'), QChar(0xFF11)));
    QCoreApplication::sendEvent(box(), &commit);
    QTest::keyClick(box(), Qt::Key_Return);
    QCOMPARE(m_game->engine().intOk(), 1);
  }

  void secondsPlay_keepsItsClockText_andATimeUpDuringTheFlashAsksNoMore() {
    writeFile(kSettings, sjis("20,30,\"秒数\",1\r\n"));
    load();
    startPlay();
    Clock::advance(10'000);
    m_game->tmrBp_Timer();
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("30"));
    answer(wrongAnswer());
    const QString shown = label(0);
    Clock::advance(20'000);
    m_game->tmrBp_Timer();
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblByou")), games::speedText(m_game->engine().intMoji() / 30.0));
    m_game->finishWaits();
    QCOMPARE(base(), kDarkCyan);
    QCOMPARE(label(0), shown);
    QCOMPARE(records::readRecords().table.size(), 1);
    QCOMPARE(records::readRecords().table[0].diary, QStringLiteral("秒数 : 30"));
  }

  void closingDuringTheFlash_returnsToTheMainWindow() {
    load();
    startPlay();
    answer(wrongAnswer());
    QVERIFY(m_game->isWaiting());
    m_game->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_game.isNull());
    QCOMPARE(m_returns, 1);
  }

  void helpTour_explainsTheGame_withItsIdeographicSpaces() {
    platform::tourState().intHelpTour = 1;
    load();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].text.startsWith(QStringLiteral("このゲームは『逆計算ドリル』です。\r\n\r\n")));
    QVERIFY(m_messages[0].text.contains(QStringLiteral("例）？×？ = 16\u3000など \r\n\r\n")));
    QVERIFY(m_messages[0].text.endsWith(QStringLiteral("目的です。\r\n\r\n")));
  }
};

QTEST_MAIN(ReverseGameTest)
#include "tst_reverse_game.moc"
