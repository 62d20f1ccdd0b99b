// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/clock/ClockGame.h"
#include "platform/widgets/DataGrid.h"
#include "records/RecordFile.h"
#include "support/GameTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using games::clock::ClockGame;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QDateTime kNow(QDate(2024, 5, 1), QTime(21, 3, 7));
const QString kSettings = QStringLiteral("時間計算設定.txt");
const QString kHistory = QStringLiteral("時間計算履歴.txt");
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
}  // namespace

class ClockGameTest : public QObject, testing::GameBench<ClockGame> {
  Q_OBJECT

  QLineEdit* box() const { return child<QLineEdit>(QStringLiteral("txtKaitou")); }
  void type(const QString& answer) {
    for (QChar c : answer) box()->setText(box()->text() + c);
  }
  void answerRight() { type(m_game->question().strSeikai); }
  void answerWrong() { type(m_game->question().strSeikai == QStringLiteral("120000") ? "120001" : "120000"); }
  QColor clockColour() const { return child<QLabel>(QStringLiteral("lblKanjiK"))->palette().color(QPalette::Window); }

 private Q_SLOTS:
  void init() { setUpBench(kNow); }
  void cleanup() { tearDownBench(); }

  void everyControl_isNamed_andEveryCheckableRunsItsHandlerWhenToggledByItsAction() {
    load();
    toggleEachByItsAction(kSettings);
    startPlay();
    QCOMPARE(unnamedControls(), QStringList());
  }

  void typedTime_isJudgedOnceAndRight_data() { typedInputRows(); }
  void typedTime_isJudgedOnceAndRight() {
    QFETCH(QString, how);
    load();
    startPlay();
    typeAs(how, m_game->question().strSeikai);
    judgedOnceAndRight(1);
  }

  void load_showsTheTimeOfDay_andNoQuestion() {
    load();
    QCOMPARE(fileBytes(kSettings), sjis("20,60,1,\"答数\",1\r\n"));
    QCOMPARE(text(QStringLiteral("lblKanjiK")), QStringLiteral("21:03:07"));
    QCOMPARE(clockColour(), kGreen);
    QCOMPARE(text(QStringLiteral("lblMondai")), QString());
    QVERIFY(child<QRadioButton>(QStringLiteral("optTani1(1)"))->isChecked());
    QCOMPARE(child<QRadioButton>(QStringLiteral("optTani1(2)"))->text(), QStringLiteral("時間単位まで"));
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgRireki"))->cols(), 10);
  }

  void answersModePlay_judgesAtTheSixthCharacter_flashesTheClock_andSaves() {
    writeFile(kSettings, sjis("2,60,2,\"答数\",1\r\n"));
    load();
    type(QStringLiteral("1"));  // before the start: not judged
    QCOMPARE(box()->text(), QString());
    startPlay();
    QCOMPARE(text(QStringLiteral("lblKanjiK")), m_game->question().strJikoku);
    QCOMPARE(text(QStringLiteral("lblMondai")), m_game->question().strShiji);
    type(QStringLiteral("95030"));
    QCOMPARE(m_game->engine().answersGiven(), 0);
    box()->clear();
    answerRight();
    QCOMPARE(m_game->engine().intOk(), 1);
    QCOMPARE(box()->text(), QString());
    Clock::advance(23'400);
    type(QStringLiteral("12:43:55"));  // wrong at "12:43:"
    QCOMPARE(m_game->engine().intNg(), 1);
    QCOMPARE(clockColour(), kRed);
    QVERIFY(m_game->engine().blnEnd());
    m_game->finishWaits();
    QCOMPARE(clockColour(), kGreen);

    QCOMPARE(fileBytes(kHistory), sjis("\"2024/05/01\",\"21:03:30\",2,1,1,12,\"50.0%\",\"0.51/秒\",\"23.4秒\"\r\n"));
    QCOMPARE(records::readRecords().table[0].diary, QStringLiteral("答数 : 2"));
  }

  void aNewRange_takesEffectFromTheNextQuestion() {
    writeFile(kSettings, sjis("20,60,2,\"秒数\",1\r\n"));
    load();
    startPlay();
    const QString shown = m_game->question().strShiji;
    QTest::mouseClick(child<QRadioButton>(QStringLiteral("optTani1(0)")), Qt::LeftButton);
    QCOMPARE(fileBytes(kSettings), sjis("20,60,0,\"秒数\",1\r\n"));
    QCOMPARE(m_game->question().strShiji, shown);
    for (int i = 0; i < 20; ++i) {
      answerRight();
      QVERIFY(!m_game->question().strShiji.contains(QStringLiteral("分")));
    }
    QCOMPARE(m_game->engine().intOk(), 20);
  }

  void leavingDuringTheFlash_returnsWithoutACrash() {
    load();
    startPlay();
    answerWrong();
    QVERIFY(m_game->isWaiting());
    m_game->cmdEnd_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_game.isNull());
    QCOMPARE(m_returns, 1);
    QVERIFY(!QFile::exists(records::kRecordFileName));
  }
};

QTEST_MAIN(ClockGameTest)
#include "tst_clock_game.moc"
