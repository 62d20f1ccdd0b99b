// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/table/TableGame.h"
#include "platform/core/Clock.h"
#include "platform/core/Random.h"
#include "platform/widgets/ChartControl.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "records/RecordFile.h"
#include "support/GameTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using games::table::TableGame;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QDateTime kNow(QDate(2024, 5, 1), QTime(21, 3, 7));
const QString kSettings = QStringLiteral("表計算設定.txt");
const QString kHistory = QStringLiteral("表計算履歴.txt");
const QColor kRight(0, 128, 0);
const QColor kWrong(255, 0, 0);
const QColor kBlack(0, 0, 0);
}  // namespace

class TableGameTest : public QObject, testing::GameBench<TableGame> {
  Q_OBJECT

  TableGame& load(const char* settings = nullptr) {
    if (settings) writeFile(kSettings, sjis(settings));
    m_game = new TableGame;
    m_game->Form_Load();
    return *m_game;
  }
  QLineEdit* cell(int k) const { return child<QLineEdit>(QStringLiteral("txtKai(%1)").arg(k)); }
  QColor colour(int k) const { return cell(k)->palette().color(QPalette::Text); }
  int answer(int k) const { return m_game->answers()[size_t(k - 1)]; }
  void type(int k, const QString& typed) {
    for (QChar c : typed) cell(k)->setText(cell(k)->text() + c);
  }
  void typeRight(int k) { type(k, QString::number(answer(k))); }
  // As long as the answer, with its last digit changed.
  void typeWrong(int k) {
    QString t = QString::number(answer(k));
    t[t.size() - 1] = QChar(u'0' + (t.back().digitValue() + 1) % 10);
    type(k, t);
  }

 private Q_SLOTS:
  void init() { setUpBench(kNow); }
  void cleanup() { tearDownBench(); }

  void everyControl_isNamed_andEveryCheckableRunsItsHandlerWhenToggledByItsAction() {
    load();
    toggleEachByItsAction(kSettings);
    startPlay();
    QCOMPARE(unnamedControls(), QStringList());
  }

  // A cell moves the focus on as it is answered: a commit lands once, and what is left of
  // it goes on into the next cell.
  void typedAnswers_landOnceInTheirCells_andAreJudgedRight_data() { typedInputRows(); }
  void typedAnswers_landOnceInTheirCells_andAreJudgedRight() {
    QFETCH(QString, how);
    load();
    startPlay();
    typeAs(how, QString::number(answer(1)) + QString::number(answer(2)));
    QCOMPARE(cell(1)->text().size(), QString::number(answer(1)).size());
    QCOMPARE(cell(2)->text().size(), QString::number(answer(2)).size());
    judgedOnceAndRight(2);
    QCOMPARE(m_game->focusWidget(), cell(3));
  }

  void load_withoutFiles_writesTheDefaults_andOpensWithAWorkedTable() {
    load();
    QCOMPARE(fileBytes(kSettings), sjis("10,120,\"＋\",\"答数\",1,0,0\r\n"));
    QCOMPARE(m_game->windowTitle(), QStringLiteral("表計算ドリル"));
    QCOMPARE(child<QCheckBox>(QStringLiteral("chkRial"))->text(), QStringLiteral("リアルタイムに良否を表示"));

    auto* corner = child<QLabel>(QStringLiteral("lblV(0)"));
    QCOMPARE(corner->text(), QStringLiteral("＋"));
    QCOMPARE(corner->palette().color(QPalette::Window), QColor(255, 224, 192));
    QCOMPARE(child(QStringLiteral("lblV(1)"))->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    QCOMPARE(child(QStringLiteral("lblH(1)"))->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    const games::table::Digits& d = m_game->digits();
    for (int k = 1; k <= 100; ++k) {
      const int r = (k - 1) / 10 + 1, c = (k - 1) % 10 + 1;
      QVERIFY(!cell(k)->isHidden());
      QCOMPARE(cell(k)->text(), QString::number(d.column(c) + d.row(r)));
    }

    // The original's spacing, shifted to the play area's top-left, with the whole table inside.
    QCOMPARE(corner->pos(), QPoint(8, 8));
    QCOMPARE(cell(12)->pos() - cell(1)->pos(), QPoint(50, 25));
    QCOMPARE(cell(1)->size(), QSize(46, 24));
    QVERIFY(child(QStringLiteral("frmG3(0)"))->rect().contains(cell(100)->geometry()));

    type(1, QStringLiteral("5"));  // not during a play: nothing is judged
    QCOMPARE(m_game->engine().answersGiven(), 0);
  }

  void minus_sampleShowsColumnMinusRow_whileAPlayExpectsRowMinusColumn_typedWithAnInputMethod() {
    load("3,120,\"－\",\"答数\",1,0,0\r\n");
    const games::table::Digits sample = m_game->digits();
    QCOMPARE(cell(12)->text(), QString::number(sample.column(2) - sample.row(2)));
    QVERIFY(cell(4)->isHidden() && cell(31)->isHidden() && child(QStringLiteral("lblV(4)"))->isHidden());

    startPlay();
    const games::table::Digits& d = m_game->digits();
    QCOMPARE(answer(12), d.row(2) - d.column(2));
    int negatives = 0;
    for (int k : {1, 2, 3, 11, 12, 13, 21, 22, 23}) {
      const int a = answer(k);
      if (a >= 0) {
        typeRight(k);
        continue;
      }
      // The sign as an input method gives it: full-width minus or the long vowel mark.
      const QChar minus = negatives++ % 2 == 0 ? QChar(0xFF0D) : QChar(0x30FC);
      type(k, QString(minus) + QChar(0xFF10 + -a));
    }
    QVERIFY(negatives >= 2);
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(m_game->engine().intOk(), 9);
    QCOMPARE(m_game->engine().intNg(), 0);
  }

  void oneCell_endsThePlayAtOnce_andSavesIt_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("answers") << QStringLiteral("答数");
    QTest::newRow("seconds") << QStringLiteral("秒数");
  }
  void oneCell_endsThePlayAtOnce_andSavesIt() {
    QFETCH(QString, mode);
    load(qPrintable(QStringLiteral("1,60,\"×\",\"%1\",1,0,0\r\n").arg(mode)));
    startPlay();
    QVERIFY(!child(QStringLiteral("cmdClear"))->isEnabled());
    typeRight(1);
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(text(QStringLiteral("lblOk")), QStringLiteral("1"));
    QVERIFY(child(QStringLiteral("cmdClear"))->isEnabled());
    QVERIFY(child(QStringLiteral("cmdStart"))->isEnabled());
    Clock::advance(60'000);
    m_game->tmrBp_Timer();
    QCOMPARE(records::readRecords().table.size(), 1);
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgRireki"))->rows(), 2);
  }

  void completion_judgesEveryCell_anEmptyOneWrong_andTheHintFollowsTheFocus() {
    load("2,120,\"÷\",\"答数\",1,1,1\r\n");  // "÷" answers are never 0
    startPlay();
    const games::table::Digits& d = m_game->digits();
    auto* corner = child<QLabel>(QStringLiteral("lblV(0)"));
    QCOMPARE(corner->text(), QString::number(d.row(1)) + QString::number(d.column(1)));
    typeRight(1);
    QCOMPARE(colour(1), kRight);
    QCOMPARE(corner->text(), QString::number(d.row(1)) + QString::number(d.column(2)));
    typeWrong(2);
    QCOMPARE(colour(2), kWrong);
    QCOMPARE(text(QStringLiteral("lblNg")), QStringLiteral("1"));
    QCOMPARE(corner->text(), QString::number(d.row(2)) + QString::number(d.column(1)));  // past the hidden cells

    typeRight(12);  // the last cell, with cell 11 left empty
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(m_game->engine().intOk(), 2);
    QCOMPARE(m_game->engine().intNg(), 2);
    QCOMPARE(text(QStringLiteral("lblMoji_T")), QStringLiteral("4"));
    QCOMPARE(colour(11), kWrong);
    QCOMPARE(colour(12), kRight);
    QCOMPARE(corner->text(), QStringLiteral("÷"));
    QVERIFY(fileBytes(kHistory).startsWith(sjis("\"2024/05/01\",\"21:03:07\",4,2,2,6,\"50.0%\",")));
  }

  void timeUp_countsTypedCellsOnly_andTheClockShowsOnlyItsBar() {
    load("3,30,\"×\",\"秒数\",1,0,1\r\n");
    startPlay();
    auto* bar = child(QStringLiteral("shpJikanK"));
    const int fullBar = bar->width();
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("30"));
    typeRight(1);
    typeWrong(2);
    QCOMPARE(text(QStringLiteral("lblOk")), QStringLiteral("1"));
    QCOMPARE(text(QStringLiteral("lblRitu")), QStringLiteral("50.0%"));
    Clock::advance(10'000);
    m_game->tmrBp_Timer();
    QCOMPARE(text(QStringLiteral("lblJikan")), QStringLiteral("30"));
    QCOMPARE(bar->width(), fullBar * 2 / 3);

    Clock::advance(20'000);
    m_game->tmrBp_Timer();
    QVERIFY(m_game->engine().blnEnd());
    QCOMPARE(m_game->engine().intOk(), 1);
    QCOMPARE(m_game->engine().intNg(), 1);
    QCOMPARE(cell(3)->text(), QString());
    QCOMPARE(colour(3), kBlack);
    const int moji = m_game->engine().intMoji();
    QVERIFY(fileBytes(kHistory).endsWith(sjis("\"30秒\",\"×\"\r\n")));
    QCOMPARE(records::readRecords().table[0].diary,
             QStringLiteral("秒数 : 30   答数 : %1  (×) モード").arg(moji));
  }

  void savedPlay_isWrittenByteForByte_andATwoDigitAnswerWaitsForItsSecondDigit() {
    platform::Random::seed(13);  // a table of 8, 10, 13 and 15
    load("2,120,\"＋\",\"答数\",1,0,0\r\n");
    startPlay();
    QCOMPARE(answer(2), 10);
    typeRight(1);
    type(2, QStringLiteral("1"));
    QCOMPARE(m_game->engine().answersGiven(), 1);
    type(2, QStringLiteral("1"));
    QCOMPARE(m_game->engine().intNg(), 1);
    QCOMPARE(text(QStringLiteral("lblNg")), QStringLiteral("0"));  // nothing shows without real-time judging
    QCOMPARE(colour(2), kBlack);
    typeRight(11);
    Clock::advance(23'400);
    Clock::setNow(kNow);
    typeRight(12);
    QCOMPARE(fileBytes(kHistory),
             sjis("\"2024/05/01\",\"21:03:07\",4,3,1,7,\"75.0%\",\"0.30/秒\",\"23.4秒\",\"＋\"\r\n"));
    QCOMPARE(fileBytes(records::kRecordFileName),
             sjis("\"2024/05/01\",\"21:03:07\",\"表計算\",23.4,\"秒数 : 23.4   答数 : 7  (＋) モード\",\r\n"));
  }

  void divide_hasNineRowsAtMost() {
    load();
    choose(QStringLiteral("cboKeisan"), QStringLiteral("÷"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboKaisu"))->currentText(), QStringLiteral("9"));
    QCOMPARE(fileBytes(kSettings), sjis("9,120,\"÷\",\"答数\",1,0,0\r\n"));
    QCOMPARE(child<QLabel>(QStringLiteral("lblV(0)"))->palette().color(QPalette::Window), QColor(192, 255, 255));
    QVERIFY(cell(100)->isHidden() && cell(10)->isHidden() && !cell(99 - 10)->isHidden());
    choose(QStringLiteral("cboKaisu"), QStringLiteral("10"));
    QCOMPARE(child<QComboBox>(QStringLiteral("cboKaisu"))->currentText(), QStringLiteral("9"));
    QCOMPARE(fileBytes(kSettings), sjis("9,120,\"÷\",\"答数\",1,0,0\r\n"));
    choose(QStringLiteral("cboKeisan"), QStringLiteral("＋"));
    choose(QStringLiteral("cboKaisu"), QStringLiteral("10"));
    QVERIFY(!cell(100)->isHidden());

    delete m_game;
    load("10,60,\"÷\",\"秒数\",0,1,1\r\n");
    QCOMPARE(m_game->intKaisu(), 9);
    QCOMPARE(fileBytes(kSettings), sjis("9,60,\"÷\",\"秒数\",0,1,1\r\n"));
  }

  void historyFrame_risesForAGraph_andGoesBackAtAStart() {
    writeFile(kHistory, sjis("\"2024/04/30\",\"08:00:00\",4,3,1,7,\"75.0%\",\"0.30/秒\",\"23.4秒\",\"＋\"\r\n"));
    load();
    auto* frame = child(QStringLiteral("fraRireki"));
    const int below = frame->y();
    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdMoji")), Qt::LeftButton);
    QVERIFY(frame->y() < below);
    QCOMPARE(child<platform::ChartControl>(QStringLiteral("mcrRireki"))->value(1), QStringLiteral("7"));
    m_game->history()->RIREKI_SHITA();
    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdJisyo")), Qt::LeftButton);
    QVERIFY(frame->y() < below);
    m_game->cmdStart_Click();
    QCOMPARE(frame->y(), below);
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgRireki"))->textMatrix(1, 10), QStringLiteral("＋"));
  }
};

QTEST_MAIN(TableGameTest)
#include "tst_table_game.moc"
