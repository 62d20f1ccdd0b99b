// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/coins/CoinGame.h"
#include "games/coins/CoinPictures.h"
#include "games/framework/GameText.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/Shape.h"
#include "records/RecordFile.h"
#include "support/GameTestSupport.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using games::coins::CoinGame;
using platform::Clock;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QDateTime kNow(QDate(2024, 5, 1), QTime(21, 3, 7));
const QString kSettings = QStringLiteral("小銭計算設定.txt");
const QString kHistory = QStringLiteral("小銭計算履歴.txt");
const QSize kSlot(56, 59);

// A one-pixel GIF: Qt reads GIF but cannot write it.
const QByteArray kTinyGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00"
                          "\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02" "D\x01\x00;",
                          43);

QByteArray png(const QSize& size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}
}  // namespace

class CoinGameTest : public QObject, testing::GameBench<CoinGame> {
  Q_OBJECT

  QLineEdit* box() const { return child<QLineEdit>(QStringLiteral("txtKaitou")); }
  void type(const QString& answer) {
    for (QChar c : answer) box()->setText(box()->text() + c);
  }
  int total() const { return m_game->question().intGoukei; }
  void answerRight() { type(QString::number(total())); }
  // As long as the total, with its last digit changed.
  QString wrongAnswer() const {
    QString text = QString::number(total());
    text.back() = QChar(u'0' + (text.back().digitValue() + 1) % 10);
    return text;
  }
  QColor base() const { return child<platform::Shape>(QStringLiteral("shpBase"))->fillColor(); }
  QStringList shownCoins() const {
    QStringList coins;
    for (int i = 1; i <= 10; ++i) {
      auto* slot = child<QLabel>(QStringLiteral("imgMondai(%1)").arg(i));
      if (slot->isVisibleTo(m_game)) coins.append(slot->accessibleName());
    }
    return coins;
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

  void typedTotal_isJudgedOnceAndRight_data() { typedInputRows(); }
  void typedTotal_isJudgedOnceAndRight() {
    QFETCH(QString, how);
    load();
    startPlay();
    typeAs(how, QString::number(total()));
    judgedOnceAndRight(1);
  }

  void load_withoutFiles_showsFiveCoins_andWritesTheDefaults() {
    load();
    QCOMPARE(fileBytes(kSettings), sjis("20,60,5,\"答数\",1,0,0\r\n"));
    QCOMPARE(shownCoins().size(), 5);
    QVERIFY(!child<QLabel>(QStringLiteral("imgMondai(1)"))->pixmap().isNull());
    QCOMPARE(base(), QColor(0, 0, 0));
    auto* grid = child<platform::DataGrid>(QStringLiteral("msgRireki"));
    QCOMPARE(grid->cols(), 11);
    QCOMPARE(grid->textMatrix(0, 10), QStringLiteral("Ｍ"));
    QVERIFY(m_messages.isEmpty());
  }

  void answersModePlay_flashesWrongAnswers_andSavesTheCoinCount() {
    writeFile(kSettings, sjis("3,60,4,\"答数\",1,0,0\r\n"));
    load();
    type(QStringLiteral("5"));  // before the start: not judged
    QCOMPARE(box()->text(), QString());
    startPlay();
    QCOMPARE(shownCoins().size(), 4);
    answerRight();
    const QString wrong = wrongAnswer();
    type(wrong.left(wrong.size() - 1));
    QCOMPARE(m_game->engine().answersGiven(), 1);  // shorter than the total: waits
    type(wrong.right(1));
    QCOMPARE(base(), QColor(255, 0, 0));
    QVERIFY(m_game->isWaiting());
    m_game->finishWaits();
    QCOMPARE(base(), QColor(0, 0, 0));
    QCOMPARE(box()->text(), QString());
    Clock::advance(23'400);
    answerRight();
    QVERIFY(m_game->engine().blnEnd());

    const int keystrokes = m_game->engine().intMoji();
    QCOMPARE(fileBytes(kHistory),
             sjis(QStringLiteral("\"2024/05/01\",\"21:03:30\",3,2,1,%1,\"66.7%\",\"%2\",\"23.4秒\",4\r\n")
                      .arg(keystrokes)
                      .arg(games::speedText(keystrokes / 23.4))));
    QCOMPARE(records::readRecords().table[0].diary, QStringLiteral("答数 : 3  4モード"));
    QCOMPARE(child<platform::DataGrid>(QStringLiteral("msgRireki"))->textMatrix(1, 10), QStringLiteral("4"));
  }

  void coinSettings_replaceTheCoinsAtOnce_evenDuringAPlay() {
    load();
    startPlay();
    type(QStringLiteral("1"));
    choose(QStringLiteral("cboHide"), QStringLiteral("10"));
    child<QCheckBox>(QStringLiteral("chkKotei"))->click();
    QCOMPARE(box()->text(), QString());  // a half-typed answer was for the old coins
    const QStringList coins = shownCoins();
    QCOMPARE(coins.size(), 10);
    QCOMPARE(coins.count(coins.front()), 10);
    QCOMPARE(total(), 10 * coins.front().chopped(1).toInt());
    child<QCheckBox>(QStringLiteral("chkRand"))->click();
    QCOMPARE(fileBytes(kSettings), sjis("20,60,10,\"答数\",1,1,1\r\n"));
    QCOMPARE(m_game->engine().answersGiven(), 0);
    answerRight();
    QCOMPARE(m_game->engine().intOk(), 1);
  }

  void coinPictures_comeFromTheWorkingDirectory_elseOurOwn_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("a GIF at its own size") << "100.gif" << kTinyGif << QSize(1, 1);
    QTest::newRow("another letter case, another format") << "100.GIF" << png({40, 40}) << QSize(40, 40);
    QTest::newRow("a large picture made to fit") << "100.gif" << png({112, 112}) << QSize(56, 56);
    QTest::newRow("an unreadable file: our own") << "100.gif" << QByteArray("not a picture") << kSlot;
    QTest::newRow("a file of over 4 MB: our own, unread") << "100.gif" << png({40, 40}) + QByteArray(5 << 20, '\0') << kSlot;
    QTest::newRow("a picture of huge size: our own") << "100.gif" << png({4000, 10}) << kSlot;
    QTest::newRow("another coin's file: our own") << "10.gif" << kTinyGif << kSlot;
  }
  void coinPictures_comeFromTheWorkingDirectory_elseOurOwn() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, shown);
    writeFile(file, bytes);
    const QPixmap coin = games::coins::coinPicture(100, kSlot, 2.0);
    QVERIFY(!coin.isNull());
    QCOMPARE(coin.deviceIndependentSize().toSize(), shown);
    if (shown == kSlot) QCOMPARE(coin.size(), kSlot * 2);  // ours: sharp on a dense screen
  }

  void historyFilters_needTheCoinCountFirst() {
    writeFile(kHistory, sjis("\"2024/04/30\",\"08:00:00\",20,18,2,50,\"90.0%\",\"2.14/秒\",\"23.4秒\",5\r\n"
                             "\"2024/04/30\",\"09:00:00\",31,30,1,70,\"96.8%\",\"1.17/秒\",\"60秒\",5\r\n"
                             "\"2024/04/30\",\"10:00:00\",25,25,0,60,\"100.0%\",\"1.00/秒\",\"60秒\",3\r\n"));
    load();
    auto* grid = child<platform::DataGrid>(QStringLiteral("msgRireki"));
    choose(QStringLiteral("cboJikan2"), QStringLiteral("60"));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("先にモードを選んでください"));
    QCOMPARE(m_messages[0].title, QStringLiteral("モード選択"));
    QCOMPARE(grid->rows(), 4);
    choose(QStringLiteral("cboHide2"), QStringLiteral("5"));
    QCOMPARE(grid->rows(), 3);
    choose(QStringLiteral("cboJikan2"), QStringLiteral("60"));
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(grid->textMatrix(1, 2), QStringLiteral("09:00:00"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdAllDsp")), Qt::LeftButton);
    QCOMPARE(child<QComboBox>(QStringLiteral("cboHide2"))->currentText(), QString());
    QCOMPARE(grid->rows(), 4);
  }

  void leavingDuringTheFlash_returnsWithoutACrash() {
    writeFile(kSettings, sjis("1,60,5,\"答数\",1,0,0\r\n"));
    load();
    startPlay();
    type(wrongAnswer());  // ends the one-answer play, saves it, flashes
    QVERIFY(m_game->isWaiting());
    QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdEnd")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_game.isNull());
    QCOMPARE(m_returns, 1);
    QCOMPARE(records::readRecords().table.size(), 1);
  }
};

QTEST_MAIN(CoinGameTest)
#include "tst_coin_game.moc"
