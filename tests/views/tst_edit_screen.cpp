#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"
#include "support/FileFaults.h"
#include "support/WidgetTestSupport.h"
#include "views/EditScreen.h"
#include "views/Maintenance.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
const QByteArray kLine1 = sjis("\"2024/05/01\",\"09:00:00\",\"表計算\",23.40,\"答数 : 20\",\r\n");
const QByteArray kUnreadable = sjis("壊れた行,\"x\r\n");
const QByteArray kLine2 = sjis("\"2024/05/01\",\"09:05:00\",\"逆計算\",7,\"秒数 : 60\",\r\n");
const QByteArray kLine3 = sjis("\"2024/05/02\",\"10:00:00\",\"ブロック計算\",60,\"前の日記, 続き\",\"\"\r\n");
const QByteArray kFile = kLine1 + kUnreadable + kLine2 + kLine3;
// A game line as the main window writes it back.
QByteArray rewritten(const QByteArray& gameLine) { return gameLine.chopped(2) + "\"\"\r\n"; }

QByteArray manyLines(int count) {
  QByteArray bytes;
  for (int i = 0; i < count; ++i) bytes += sjis(QStringLiteral("\"2024/05/01\",\"09:00:00\",\"表計算\",%1,\"答数 : 20\",\r\n").arg(i));
  return bytes;
}

const QString kNewStartDone = QStringLiteral(
    "データを削除しました。\r\n\r\n一旦プログラムを終了させていただきます。次の起動から新規スタートです！");
}  // namespace

class EditScreenTest : public QObject {
  Q_OBJECT
  std::unique_ptr<testing::WorkingDir> m_dir;
  std::unique_ptr<views::EditScreen> m_screen;
  QList<platform::MessageRequest> m_messages;
  platform::MsgResult m_answer = platform::MsgResult::Ok;
  QString m_nickname;
  QStringList m_calls;  // the main window's hooks, in order

  template <typename T = QWidget>
  T* child(const char* name) const {
    return testing::control<T>(m_screen.get(), QString::fromLatin1(name));
  }
  platform::DataGrid& grid() const { return *m_screen->msgHenList(); }
  platform::DataGrid& open() {
    if (!m_screen) {
      m_screen = std::make_unique<views::EditScreen>(views::EditScreen::Hooks{
          [this] { return m_nickname; }, [this](const QString& name) { m_calls << QStringLiteral("名:") + name; },
          [this] { m_calls << QStringLiteral("today"); }, [this] { m_calls << QStringLiteral("end"); }});
    }
    m_screen->prepareScreen();
    m_screen->show();
    return grid();
  }
  void clickRow(int row) {
    const QRect cell = grid().visualRect(grid().QTableView::model()->index(row - 1, 2));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cell.center());
  }
  void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
  QStringList column0() const {
    QStringList texts;
    for (int r = 1; r < grid().rows(); ++r) texts << grid().textMatrix(r, 0);
    return texts;
  }
  QString lastMessage() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }

 private Q_SLOTS:
  void init() {
    testing::resetRunState();
    m_dir = std::make_unique<testing::WorkingDir>();
    m_messages.clear();
    m_calls.clear();
    m_answer = platform::MsgResult::Ok;
    m_nickname = QStringLiteral("たろう");
    platform::setMessageHandler([this](const platform::MessageRequest& r) {
      m_messages.append(r);
      return r.buttons == platform::MsgButtons::OkCancel ? m_answer : platform::MsgResult::Ok;
    });
  }
  void cleanup() {
    m_screen.reset();
    m_dir.reset();
  }

  void emptyFile_showsTheHeaderOnly_andAClickLeavesDeletionOff() {
    writeFile(records::kRecordFileName, {});
    open();
    QCOMPARE(grid().rows(), 1);
    QCOMPARE(grid().textMatrix(0, 3), QStringLiteral("項目"));
    QCOMPARE(grid().colWidth(1), 1400);
    QCOMPARE(child<QLineEdit>("txtPriData")->text(), QStringLiteral("たろう"));
    m_screen->msgHenList_Click();
    QVERIFY(!child("cmdRowDel")->isEnabled());
  }

  void deletingTheOnlyRecord_asksNothing_andKeepsOnlyUnreadableLines_data() {
    QTest::addColumn<QByteArray>("others");
    QTest::newRow("alone") << QByteArray();
    QTest::newRow("beside an unreadable line") << kUnreadable;
  }
  void deletingTheOnlyRecord_asksNothing_andKeepsOnlyUnreadableLines() {
    QFETCH(QByteArray, others);
    writeFile(records::kRecordFileName, others + kLine1);
    open();
    clickRow(1);
    QVERIFY(child("cmdRowDel")->isEnabled());
    click("cmdRowDel");
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(fileBytes(records::kRecordFileName), others);
    QCOMPARE(grid().rows(), 1);
    QVERIFY(!child("cmdRowDel")->isEnabled());
    QCOMPARE(m_calls, QStringList{QStringLiteral("today")});
  }

  void deletingOneOfSeveral_asksAboutIt_andCancelKeepsEveryByte() {
    writeFile(records::kRecordFileName, kFile);
    open();
    clickRow(2);
    m_answer = platform::MsgResult::Cancel;
    click("cmdRowDel");
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("2024/05/01 09:05:00 逆計算 を削除します。よろしいですか？"));
    QCOMPARE(m_messages[0].title, QStringLiteral("クリア確認"));
    QCOMPARE(m_messages[0].icon, platform::MsgIcon::Exclamation);
    QCOMPARE(m_messages[0].buttons, platform::MsgButtons::OkCancel);
    QCOMPARE(fileBytes(records::kRecordFileName), kFile);
    QCOMPARE(grid().rows(), 4);
    QVERIFY(m_calls.isEmpty());
  }

  void deletingOneOfSeveral_onOk_rewritesTheRestInPlace_withoutRenumbering() {
    writeFile(records::kRecordFileName, kFile);
    open();
    clickRow(2);
    click("cmdRowDel");
    QCOMPARE(fileBytes(records::kRecordFileName), rewritten(kLine1) + kUnreadable + kLine3);
    QCOMPARE(column0(), (QStringList{"1", "3"}));
    QCOMPARE(grid().textMatrix(2, 5), QStringLiteral("前の日記, 続き"));
    QVERIFY(!child("cmdRowDel")->isEnabled());
    QCOMPARE(m_calls, QStringList{QStringLiteral("today")});

    clickRow(1);  // the next deletion starts from the file as now written
    click("cmdRowDel");
    QCOMPARE(fileBytes(records::kRecordFileName), kUnreadable + kLine3);
  }

  void list_opensOnTheNewestOnlyBeyondTwentyFourRows_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("scrolled");
    QTest::newRow("23 records") << 23 << false;
    QTest::newRow("24 records") << 24 << true;
  }
  void list_opensOnTheNewestOnlyBeyondTwentyFourRows() {
    QFETCH(int, records);
    QFETCH(bool, scrolled);
    writeFile(records::kRecordFileName, manyLines(records));
    open();
    grid().setFixedHeight(200);
    open();
    QCOMPARE(grid().topRow() > 1, scrolled);
  }

  void deletion_fromAFileChangedOnDisk_readsItAgain_andWritesNothing() {
    writeFile(records::kRecordFileName, kFile);
    open();
    clickRow(3);
    const QByteArray changed = kFile + kLine2;
    writeFile(records::kRecordFileName, changed);
    click("cmdRowDel");
    QCOMPARE(fileBytes(records::kRecordFileName), changed);
    QVERIFY(lastMessage().contains(QStringLiteral("読み直しました")));
    QCOMPARE(grid().rows(), 5);
    QVERIFY(!child("cmdRowDel")->isEnabled());
  }

  void failingDeletion_leavesTheFileAsItWas_andSaysSo_data() {
    QTest::addColumn<bool>("fullDisk");
    QTest::newRow("full disk") << true;
    QTest::newRow("read-only directory") << false;
  }
  void failingDeletion_leavesTheFileAsItWas_andSaysSo() {
    QFETCH(bool, fullDisk);
    const QByteArray old = manyLines(200);
    writeFile(records::kRecordFileName, old);
    open();
    clickRow(1);
    const auto attempt = [this] {
      click("cmdRowDel");
      return grid().rows() == 201 && m_calls.isEmpty() ? lastMessage() : QString();
    };
    const testing::FaultOutcome outcome = fullDisk ? testing::onAFullDisk(attempt) : testing::inAReadOnlyDirectory(attempt);
    if (outcome == testing::CouldNotLimit) QSKIP("cannot limit the child");
    QCOMPARE(outcome, testing::ReportedError);
    QCOMPARE(fileBytes(records::kRecordFileName), old);
  }

  void newStart_emptiesRecordsAndHistories_writesTheNickname_andEnds_data() {
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QByteArray>("privateFile");
    QTest::newRow("a nickname") << "はなこ" << sjis("\"氏名\",\"はなこ\"\r\n");
    QTest::newRow("no nickname") << "" << sjis("\"氏名\",\"\"\r\n");
  }
  void newStart_emptiesRecordsAndHistories_writesTheNickname_andEnds() {
    QFETCH(QString, nickname);
    QFETCH(QByteArray, privateFile);
    writeFile(QStringLiteral("データ.TXT"), kFile);
    writeFile(QStringLiteral("表計算履歴.txt"), "2024/05/01,1,2\r\n");
    const QList<QPair<QString, QByteArray>> kept{{QStringLiteral("設定.txt"), sjis("\"ヘルプツアー\",1\r\n")},
                                                 {QStringLiteral("メモ.TXT"), sjis("残すメモ\r\n")},
                                                 {QStringLiteral("表計算設定.txt"), "1,60\r\n"}};
    for (const auto& [name, bytes] : kept) writeFile(name, bytes);
    open();
    child<QLineEdit>("txtPriData")->setText(nickname);
    click("cmdNew1");

    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages[0].text, QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？"));
    QCOMPARE(m_messages[1].text, kNewStartDone);
    QCOMPARE(m_messages[1].title, QStringLiteral("新規スタート準備完了"));
    QCOMPARE(m_messages[1].icon, platform::MsgIcon::Information);
    QCOMPARE(m_calls, (QStringList{QStringLiteral("名:") + nickname, QStringLiteral("end")}));
    QVERIFY(QFile::exists(QStringLiteral("データ.TXT")));
    QCOMPARE(fileBytes(QStringLiteral("データ.TXT")), QByteArray());
    for (const QString& item : records::itemNames()) {
      QVERIFY2(QFile::exists(item + QStringLiteral("履歴.txt")), qPrintable(item));
      QCOMPARE(fileBytes(item + QStringLiteral("履歴.txt")), QByteArray());
    }
    QCOMPARE(fileBytes(views::kPrivateFileName), privateFile);
    for (const auto& [name, bytes] : kept) QCOMPARE(fileBytes(name), bytes);
  }

  void newStart_cancelled_orWithAnUnstorableNickname_changesNothing_data() {
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << "はなこ" << true;
    QTest::newRow("unencodable nickname") << "はな😀" << false;
  }
  void newStart_cancelled_orWithAnUnstorableNickname_changesNothing() {
    QFETCH(QString, nickname);
    QFETCH(bool, cancel);
    writeFile(records::kRecordFileName, kFile);
    open();
    child<QLineEdit>("txtPriData")->setText(nickname);
    m_answer = cancel ? platform::MsgResult::Cancel : platform::MsgResult::Ok;
    click("cmdNew1");
    QCOMPARE(m_messages.size(), 1);
    if (!cancel) QVERIFY(lastMessage().contains(QStringLiteral("😀")));
    QCOMPARE(fileBytes(records::kRecordFileName), kFile);
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{records::kRecordFileName});
    QVERIFY(m_calls.isEmpty());
  }

  void newStart_thatCannotWriteAHistory_saysWhich_andDoesNotEnd() {
    writeFile(records::kRecordFileName, kFile);
    QVERIFY(QDir().mkdir(QStringLiteral("逆計算履歴.txt")));
    open();
    click("cmdNew1");
    QCOMPARE(m_messages.size(), 2);
    QVERIFY(lastMessage().contains(QStringLiteral("逆計算履歴.txt")));
    QVERIFY(!lastMessage().contains(QStringLiteral("表計算履歴.txt")));
    QVERIFY(!m_calls.contains(QStringLiteral("end")));
    QCOMPARE(grid().rows(), 1);  // the screen shows the file as it now is
  }

  void nicknameChange_writesTheFile_andSaysSo_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("a nickname") << "じろう" << "じろう";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("a double quote") << "\"J\"" << "＂J＂";
  }
  void nicknameChange_writesTheFile_andSaysSo() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    open();
    child<QLineEdit>("txtPriData")->setText(typed);
    click("cmdPHozon1");
    QCOMPARE(fileBytes(views::kPrivateFileName), sjis(QStringLiteral("\"氏名\",\"%1\"\r\n").arg(stored)));
    QCOMPARE(m_calls, QStringList{QStringLiteral("名:") + stored});
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("保存が終了しました"));
    QCOMPARE(m_messages[0].title, QStringLiteral("保存終了"));
  }

  void nicknameChange_withAnUnencodableCharacter_isRefused() {
    writeFile(views::kPrivateFileName, sjis("\"氏名\",\"たろう\"\r\n"));
    open();
    child<QLineEdit>("txtPriData")->setText(QStringLiteral("𠮷田"));
    click("cmdPHozon1");
    QVERIFY(lastMessage().contains(QStringLiteral("𠮷")));
    QCOMPARE(fileBytes(views::kPrivateFileName), sjis("\"氏名\",\"たろう\"\r\n"));
    QVERIFY(m_calls.isEmpty());
  }
};

QTEST_MAIN(EditScreenTest)
#include "tst_edit_screen.moc"
