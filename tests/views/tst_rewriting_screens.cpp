// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Cp932.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "records/Backups.h"
#include "records/GameItems.h"
#include "records/RecordFile.h"
#include "support/FileFaults.h"
#include "support/FreshRunTest.h"
#include "support/KeptFilesGuard.h"
#include "support/WidgetTestSupport.h"
#include "views/CsvExport.h"
#include "views/DiaryScreen.h"
#include "views/EditScreen.h"
#include "views/FreeMemo.h"
#include "views/Maintenance.h"

#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <utility>

using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
// As other programs leave the file: lines of a game, one of the main window, and one that
// is no record at all.
const QByteArray kLine1 = sjis("\"2024/05/01\",\"09:00:00\",\"表計算\",23.40,\"答数 : 20\",\r\n");
const QByteArray kUnreadable = sjis("壊れた行,\"x\r\n");
const QByteArray kLine2 = sjis("\"2024/05/01\",\"09:05:00\",\"逆計算\",7,\"秒数 : 60\",\r\n");
const QByteArray kLine3 = sjis("\"2024/05/02\",\"10:00:00\",\"ブロック計算\",60,\"前の日記, 続き\",\"\"\r\n");
const QByteArray kFile = kLine1 + kUnreadable + kLine2 + kLine3;
// A game line as the main window writes it back.
QByteArray rewritten(const QByteArray& gameLine) { return gameLine.chopped(2) + "\"\"\r\n"; }

// More records than a full disk lets a file hold.
QByteArray manyLines(int count) {
  QByteArray bytes;
  for (int i = 0; i < count; ++i) {
    bytes += sjis(QStringLiteral("\"2024/05/01\",\"09:00:00\",\"表計算\",%1,\"答数 : 20\",\r\n").arg(i));
  }
  return bytes;
}

testing::FaultOutcome failWrites(bool fullDisk, const std::function<QString()>& attempt) {
  return fullDisk ? testing::onAFullDisk(attempt) : testing::inAReadOnlyDirectory(attempt);
}

// Two games whose histories differ, as their grids head them.
const std::vector<views::HistoryColumns> kHistories{
    {QStringLiteral("表計算"), {"日付", "時間", "答数", "ＯＫ", "ＮＧ", "字数", "正解率", "秒当たり", "秒数", "Ｍ"}},
    {QStringLiteral("逆計算"), {"日付", "時間", "答数", "ＯＫ", "ＮＧ", "文字数", "正解率", "秒当たり", "秒数"}}};
const QByteArray kTableHistory =
    sjis("\"2024/05/01\",\"09:00:00\",100,98,2,180,\"98.0%\",\"7.69/秒\",\"23.4秒\",\"＋\"\r\n");
const QByteArray kReverseHistory =
    sjis("\"2024/05/01\",\"09:05:00\",20,18,2,38,\"90.0%\",\"1.62/秒\",\"23.4秒\"\r\n") + "\x81\r\n";

// A file as a spreadsheet reads it (RFC 4180): rows of fields, quotes undone.
QList<QStringList> readCsv(const QByteArray& bytes) {
  const QString text = QString::fromUtf8(bytes);
  QList<QStringList> rows;
  QStringList row;
  QString field;
  bool quoted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
        field += c;
        ++i;
      } else if (c == u'"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u',') {
      row << std::exchange(field, {});
    } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      row << std::exchange(field, {});
      rows << std::exchange(row, {});
      ++i;
    } else {
      field += c;
    }
  }
  return rows;
}

// Every file of the data folder and its bytes.
QMap<QString, QByteArray> dataFolder() {
  QMap<QString, QByteArray> files;
  for (const QString& name : QDir::current().entryList(QDir::Files | QDir::Hidden)) files.insert(name, fileBytes(name));
  return files;
}
}  // namespace

class RewritingScreensTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  RewritingScreensTest() : FreshRunTest(QDate(2024, 5, 3)) {}

 protected:
  void prepare() override {
    m_messages.clear();
    m_calls.clear();
    m_answer = platform::MsgResult::Ok;
    platform::setMessageHandler([this](const platform::MessageRequest& r) {
      m_messages.append(r);
      return r.buttons == platform::MsgButtons::OkCancel ? m_answer : platform::MsgResult::Ok;
    });
  }
  void tearDown() override { m_screen.reset(); }

 private:
  std::unique_ptr<QFrame> m_screen;
  QList<platform::MessageRequest> m_messages;
  platform::MsgResult m_answer = platform::MsgResult::Ok;
  QStringList m_calls;  // the main window's hooks, in order

  template <typename T = QWidget>
  T* child(const char* name) const {
    return testing::control<T>(m_screen.get(), QString::fromLatin1(name));
  }
  platform::DataGrid& grid() const { return *m_screen->findChild<platform::DataGrid*>(); }
  views::DiaryScreen& openDiary() {
    if (!qobject_cast<views::DiaryScreen*>(m_screen.get())) m_screen = std::make_unique<views::DiaryScreen>();
    auto& diary = static_cast<views::DiaryScreen&>(*m_screen);
    diary.prepareScreen();
    diary.show();
    return diary;
  }
  views::EditScreen& openEdit() {
    if (!qobject_cast<views::EditScreen*>(m_screen.get())) {
      m_screen = std::make_unique<views::EditScreen>(views::EditScreen::Hooks{
          [] { return QStringLiteral("たろう"); }, [this](const QString& name) { m_calls << QStringLiteral("名:") + name; },
          [this] { m_calls << QStringLiteral("today"); }, [this] { m_calls << QStringLiteral("end"); },
          [this] { return m_calls << QStringLiteral("memo"), true; }, [] { return kHistories; },
          [this](const QString& file) { m_calls << QStringLiteral("戻:") + file; }});
    }
    auto& edit = static_cast<views::EditScreen&>(*m_screen);
    edit.prepareScreen();
    edit.show();
    return edit;
  }
  void clickRow(int row) {
    const QRect cell = grid().visualRect(grid().QTableView::model()->index(row - 1, 2));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cell.center());
  }
  void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
  void typeDiaryAndEnter(const QString& text) {
    child<QLineEdit>("txtMemo")->setText(text);
    QTest::keyClick(child("txtMemo"), Qt::Key_Return);
  }
  QString lastMessage() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }

  // "元に戻す" with the newest copy of file chosen by the keyboard; the rows the list showed.
  QList<QStringList> undo(const QString& file) {
    QList<QStringList> listed;
    testing::chooseInNextDialog(this, file, &listed);
    click("cmdUndo");
    return listed;
  }
  // The CSV files exported into the folder "out", by the names the dialog proposed.
  QString exportCsv() {
    QDir().mkdir(QStringLiteral("out"));
    QString proposed;
    platform::setSaveFileHandler([&proposed](const platform::SaveFileRequest& request) {
      proposed = QFileInfo(request.path).fileName();
      return QDir::current().filePath(QStringLiteral("out/") + proposed);
    });
    click("cmdCsv");
    return proposed;
  }

 private Q_SLOTS:
  void diary_savesIntoItsLineOnly_andEveryLineEndsWithAnEmptyField_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("a comment") << "眠かった" << "眠かった";
    QTest::newRow("a comma") << "前半は速い、後半, 遅い" << "前半は速い、後半, 遅い";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("a double quote") << "\"最高\"" << "＂最高＂";
  }
  void diary_savesIntoItsLineOnly_andEveryLineEndsWithAnEmptyField() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    writeFile(records::kRecordFileName, kFile);
    views::DiaryScreen& diary = openDiary();
    QCOMPARE(grid().textMatrix(1, 4), QStringLiteral("23.4"));
    clickRow(2);
    QCOMPARE(child<QLineEdit>("txtMemo")->text(), QStringLiteral("秒数 : 60"));
    QCOMPARE(diary.intMemoRow(), 2);
    typeDiaryAndEnter(typed);

    const QByteArray line2 = sjis(QStringLiteral("\"2024/05/01\",\"09:05:00\",\"逆計算\",7,\"%1\",\"\"\r\n").arg(stored));
    QCOMPARE(fileBytes(records::kRecordFileName), rewritten(kLine1) + kUnreadable + line2 + kLine3);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(child("cmdMemoHozon")->isEnabled());
    QCOMPARE(grid().textMatrix(2, 5), stored);

    openDiary();  // read back
    QCOMPARE(grid().textMatrix(2, 5), stored);
    QVERIFY(!child("cmdMemoHozon")->isEnabled());
    QCOMPARE(child<QLineEdit>("txtMemo")->text(), stored);  // kept across openings
  }

  void diary_enterOnlyAfterARowWasChosenSinceTheScreenOpened() {
    writeFile(records::kRecordFileName, kFile);
    openDiary();
    typeDiaryAndEnter(QStringLiteral("どこへ？"));
    clickRow(1);
    openDiary();
    typeDiaryAndEnter(QStringLiteral("どこへ？"));
    QCOMPARE(fileBytes(records::kRecordFileName), kFile);
    QVERIFY(m_messages.isEmpty());

    grid().setFocus();  // Enter on a row chooses it, as a click does
    grid().setRow(3);
    QTest::keyClick(&grid(), Qt::Key_Return);
    QCOMPARE(child<QLineEdit>("txtMemo")->text(), QStringLiteral("前の日記, 続き"));
    QVERIFY(child("cmdMemoHozon")->isEnabled());
  }

  void lists_openOnTheNewestOnlyBeyondTheirRows_data() {
    QTest::addColumn<bool>("diary");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("scrolled");
    QTest::newRow("diary, 15 records") << true << 15 << false;
    QTest::newRow("diary, 16 records") << true << 16 << true;
    QTest::newRow("edit, 23 records") << false << 23 << false;
    QTest::newRow("edit, 24 records") << false << 24 << true;
  }
  void lists_openOnTheNewestOnlyBeyondTheirRows() {
    QFETCH(bool, diary);
    QFETCH(int, records);
    QFETCH(bool, scrolled);
    writeFile(records::kRecordFileName, manyLines(records));
    const auto open = [&] { diary ? void(openDiary()) : void(openEdit()); };
    open();
    grid().setFixedHeight(200);  // fewer rows on show than the list has
    open();
    QCOMPARE(grid().rows(), records + 1);
    QCOMPARE(grid().topRow() > 1, scrolled);
  }

  void diary_withAnUnencodableCharacter_isRefusedByName() {
    writeFile(records::kRecordFileName, kFile);
    openDiary();
    clickRow(1);
    typeDiaryAndEnter(QStringLiteral("楽しい😀"));
    QCOMPARE(fileBytes(records::kRecordFileName), kFile);
    QVERIFY(lastMessage().contains(QStringLiteral("😀")));
    QCOMPARE(grid().textMatrix(1, 5), QStringLiteral("答数 : 20"));
  }

  void fileChangedOnDisk_isReadAgain_andNothingIsWritten_data() {
    QTest::addColumn<bool>("diary");
    QTest::newRow("diary save") << true;
    QTest::newRow("deletion") << false;
  }
  void fileChangedOnDisk_isReadAgain_andNothingIsWritten() {
    QFETCH(bool, diary);
    writeFile(records::kRecordFileName, kFile);
    diary ? void(openDiary()) : void(openEdit());
    clickRow(1);
    const QByteArray changed = kFile + kLine2;
    writeFile(records::kRecordFileName, changed);
    diary ? typeDiaryAndEnter(QStringLiteral("古い一覧から")) : click("cmdRowDel");
    QCOMPARE(fileBytes(records::kRecordFileName), changed);
    QVERIFY(lastMessage().contains(QStringLiteral("読み直しました")));
    QCOMPARE(grid().rows(), 5);
    QVERIFY(!child(diary ? "cmdMemoHozon" : "cmdRowDel")->isEnabled());
  }

  void failingRewrite_leavesTheFileAsItWas_andSaysSo_data() {
    QTest::addColumn<bool>("diary");
    QTest::addColumn<bool>("fullDisk");
    QTest::newRow("diary, full disk") << true << true;
    QTest::newRow("diary, read-only directory") << true << false;
    QTest::newRow("deletion, full disk") << false << true;
    QTest::newRow("deletion, read-only directory") << false << false;
  }
  void failingRewrite_leavesTheFileAsItWas_andSaysSo() {
    QFETCH(bool, diary);
    QFETCH(bool, fullDisk);
    const QByteArray old = manyLines(200);
    writeFile(records::kRecordFileName, old);
    diary ? void(openDiary()) : void(openEdit());
    clickRow(1);
    const testing::FaultOutcome outcome = failWrites(fullDisk, [&] {
      diary ? typeDiaryAndEnter(QStringLiteral("書けるかな")) : click("cmdRowDel");
      // The screen goes on showing the file as it is.
      const bool asItIs = grid().rows() == 201 && grid().textMatrix(1, 5) == QStringLiteral("答数 : 20");
      return asItIs && m_calls.isEmpty() ? lastMessage() : QString();
    });
    if (outcome == testing::CouldNotLimit) QSKIP("cannot limit the child");
    QCOMPARE(outcome, testing::ReportedError);
    QCOMPARE(fileBytes(records::kRecordFileName), old);
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{records::kRecordFileName});
  }

  void memo_isStoredWithOneLineEnd_andReadBackUnchanged_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("three lines") << "足し算\n引き算\n九九" << sjis("足し算\r\n引き算\r\n九九\r\n") << "足し算\n引き算\n九九";
    QTest::newRow("ending with an empty line") << "一行\n" << sjis("一行\r\n\r\n") << "一行\n";
    QTest::newRow("empty") << "" << QByteArray("\r\n") << "";
    QTest::newRow("a double quote") << "\"注\"" << sjis("＂注＂\r\n") << "＂注＂";
  }
  void memo_isStoredWithOneLineEnd_andReadBackUnchanged() {
    QFETCH(QString, memo);
    QFETCH(QByteArray, file);
    QFETCH(QString, readBack);
    openDiary();
    child<QPlainTextEdit>("txtKizuki")->setPlainText(memo);
    click("cmdKizukiHozon");
    QCOMPARE(fileBytes(records::kMemoFileName), file);
    QVERIFY(m_messages.isEmpty());
    m_screen.reset();  // a restart
    QCOMPARE(openDiary().READ_MEMO(), QString());
    QCOMPARE(child<QPlainTextEdit>("txtKizuki")->toPlainText(), readBack);
  }

  // Signs the code page holds twice (NEC and IBM codes of one character), and control
  // bytes beside kana: a save of unchanged lines gives back the very bytes.
  void memoAndNickname_savedUnchanged_keepEveryByte() {
    const QByteArray twoForms("\x87\x90\xED\x40", 4);  // ≒纊, the converter writes 81 E0 FA 5C
    const QByteArray controls("\x82\xA0\x1A\x1C\x7F", 5);
    const QByteArray memo = twoForms + "\r\n" + controls + "\r\n\x81\xE0\r\n";
    writeFile(records::kMemoFileName, memo);
    QCOMPARE(openDiary().READ_MEMO(), QString());
    click("cmdKizukiHozon");
    QCOMPARE(fileBytes(records::kMemoFileName), memo);
    child<QPlainTextEdit>("txtKizuki")->appendPlainText(QStringLiteral("新"));
    click("cmdKizukiHozon");
    QCOMPARE(fileBytes(records::kMemoFileName), memo + sjis("新\r\n"));

    const QByteArray nickname = "\"\x8E\x81\x96\xBC\",\"" + twoForms + "\"\r\n";  // "氏名","≒纊"
    writeFile(records::kPrivateFileName, nickname);
    openEdit();
    child<QLineEdit>("txtPriData")->setText(*platform::cp932::decode(twoForms));
    click("cmdPHozon1");
    QCOMPARE(fileBytes(records::kPrivateFileName), nickname);
  }

  void memo_missingIsEmpty_andAnUnencodableOneIsNotWritten() {
    QCOMPARE(openDiary().READ_MEMO(), QString());
    QCOMPARE(child<QPlainTextEdit>("txtKizuki")->toPlainText(), QString());
    child<QPlainTextEdit>("txtKizuki")->setPlainText(QStringLiteral("メモ🍣"));
    click("cmdKizukiHozon");
    QVERIFY(lastMessage().contains(QStringLiteral("🍣")));
    QVERIFY(!QFile::exists(records::kMemoFileName));
  }

  void memo_thatCouldNotBeRead_isReplacedOnlyWhenTheUserAgrees_data() {
    QTest::addColumn<QByteArray>("unreadable");
    QTest::newRow("a lead byte without its trail") << QByteArray("\x81\r\n");
    QTest::newRow("more than the box lays out in time") << QByteArray(2 << 20, 'a') + "\r\n";
  }
  void memo_thatCouldNotBeRead_isReplacedOnlyWhenTheUserAgrees() {
    QFETCH(QByteArray, unreadable);
    writeFile(records::kMemoFileName, unreadable);
    QVERIFY(!openDiary().READ_MEMO().isEmpty());
    m_answer = platform::MsgResult::Cancel;
    click("cmdKizukiHozon");
    QCOMPARE(fileBytes(records::kMemoFileName), unreadable);
    m_answer = platform::MsgResult::Ok;
    click("cmdKizukiHozon");
    QCOMPARE(fileBytes(records::kMemoFileName), QByteArray("\r\n"));
  }

  void deletingTheOnlyRecord_asksNothing_andKeepsOnlyUnreadableLines_data() {
    QTest::addColumn<QByteArray>("others");
    QTest::newRow("alone") << QByteArray();
    QTest::newRow("beside an unreadable line") << kUnreadable;
  }
  void deletingTheOnlyRecord_asksNothing_andKeepsOnlyUnreadableLines() {
    QFETCH(QByteArray, others);
    writeFile(records::kRecordFileName, others + kLine1);
    openEdit();
    QCOMPARE(child<QLineEdit>("txtPriData")->text(), QStringLiteral("たろう"));
    clickRow(1);
    click("cmdRowDel");
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(fileBytes(records::kRecordFileName), others);
    QCOMPARE(grid().rows(), 1);
    QVERIFY(!child("cmdRowDel")->isEnabled());
    QCOMPARE(m_calls, QStringList{QStringLiteral("today")});
    static_cast<views::EditScreen&>(*m_screen).msgHenList_Click();  // on the header alone
    QVERIFY(!child("cmdRowDel")->isEnabled());
  }

  void deletingOneOfSeveral_asks_CancelKeepsEveryByte_OkRewritesTheRestInPlace() {
    writeFile(records::kRecordFileName, kFile);
    openEdit();
    clickRow(2);
    m_answer = platform::MsgResult::Cancel;
    click("cmdRowDel");
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("2024/05/01 09:05:00 逆計算 を削除します。よろしいですか？"));
    QCOMPARE(m_messages[0].title, QStringLiteral("クリア確認"));
    QCOMPARE(m_messages[0].icon, platform::MsgIcon::Exclamation);
    QCOMPARE(m_messages[0].buttons, platform::MsgButtons::OkCancel);
    QCOMPARE(fileBytes(records::kRecordFileName), kFile);
    QVERIFY(m_calls.isEmpty());

    m_answer = platform::MsgResult::Ok;
    click("cmdRowDel");
    QCOMPARE(fileBytes(records::kRecordFileName), rewritten(kLine1) + kUnreadable + kLine3);
    QCOMPARE(grid().textMatrix(2, 0), QStringLiteral("3"));  // not renumbered
    // The keyboard goes on in the list, on the row now in that place, not on to "新規スタート".
    QCOMPARE(m_screen->focusWidget(), &grid());
    QCOMPARE(grid().row(), 2);
    QCOMPARE(grid().textMatrix(2, 5), QStringLiteral("前の日記, 続き"));
    QVERIFY(!child("cmdRowDel")->isEnabled());
    QCOMPARE(m_calls, QStringList{QStringLiteral("today")});
    clickRow(1);  // the next deletion starts from the file as now written
    click("cmdRowDel");
    QCOMPARE(fileBytes(records::kRecordFileName), kUnreadable + kLine3);
  }

  void newStart_emptiesRecordsAndHistories_writesTheNickname_andEnds_data() {
    QTest::addColumn<QString>("nickname");
    QTest::newRow("a nickname") << "はなこ";
    QTest::newRow("no nickname") << "";
  }
  void newStart_emptiesRecordsAndHistories_writesTheNickname_andEnds() {
    QFETCH(QString, nickname);
    writeFile(QStringLiteral("データ.TXT"), kFile);
    writeFile(QStringLiteral("表計算履歴.txt"), "2024/05/01,1,2\r\n");
    const QList<QPair<QString, QByteArray>> kept{{QStringLiteral("設定.txt"), sjis("\"ヘルプツアー\",1\r\n")},
                                                 {QStringLiteral("メモ.TXT"), sjis("残すメモ\r\n")},
                                                 {QStringLiteral("表計算設定.txt"), "1,60\r\n"}};
    for (const auto& [name, bytes] : kept) writeFile(name, bytes);
    openEdit();
    child<QLineEdit>("txtPriData")->setText(nickname);
    click("cmdNew1");

    QCOMPARE(m_messages.size(), 2);
    // The question of old, and where the data stays.
    QCOMPARE(m_messages[0].text, QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？\r\n"
                                                "（今のデータは「バックアップ」フォルダに残ります。）"));
    QCOMPARE(m_messages[1].text, QStringLiteral("データを削除しました。\r\n\r\n"
                                                "一旦プログラムを終了させていただきます。次の起動から新規スタートです！"));
    QCOMPARE(m_messages[1].title, QStringLiteral("新規スタート準備完了"));
    QCOMPARE(m_calls, (QStringList{QStringLiteral("memo"), QStringLiteral("名:") + nickname, QStringLiteral("end")}));
    QVERIFY(QFile::exists(QStringLiteral("データ.TXT")));
    QCOMPARE(fileBytes(QStringLiteral("データ.TXT")), QByteArray());
    for (const QString& item : records::itemNames()) {
      QVERIFY2(QFile::exists(item + QStringLiteral("履歴.txt")), qPrintable(item));
      QCOMPARE(fileBytes(item + QStringLiteral("履歴.txt")), QByteArray());
    }
    QCOMPARE(fileBytes(records::kPrivateFileName), sjis(QStringLiteral("\"氏名\",\"%1\"\r\n").arg(nickname)));
    for (const auto& [name, bytes] : kept) QCOMPARE(fileBytes(name), bytes);
    QVERIFY(!QFile::exists(views::kNewStartMarker));
  }

  // Killed after its marker, a new start has left any of its files unchanged yet.
  void newStart_cutShort_isFinishedByTheNextStart_once() {
    writeFile(records::kRecordFileName, kFile);
    writeFile(QStringLiteral("表計算履歴.txt"), "2024/05/01,1,2\r\n");
    const QByteArray nickname = sjis("\"氏名\",\"はなこ\"\r\n");
    writeFile(views::kNewStartMarker, nickname);
    QVERIFY(views::finishInterruptedStart().endsWith(QStringLiteral("新規スタートを完了しました。")));
    QCOMPARE(fileBytes(records::kRecordFileName), QByteArray());
    QCOMPARE(fileBytes(QStringLiteral("表計算履歴.txt")), QByteArray());
    QCOMPARE(fileBytes(records::kPrivateFileName), nickname);
    QVERIFY(!QFile::exists(views::kNewStartMarker));
    writeFile(records::kRecordFileName, kLine1);  // a play of the new start
    QCOMPARE(views::finishInterruptedStart(), QString());
    QCOMPARE(fileBytes(records::kRecordFileName), kLine1);
  }

  void newStart_cancelledOrWithAnUnstorableNickname_changesNothing_data() {
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << "はなこ" << true;
    QTest::newRow("unencodable nickname") << "はな😀" << false;
  }
  void newStart_cancelledOrWithAnUnstorableNickname_changesNothing() {
    QFETCH(QString, nickname);
    QFETCH(bool, cancel);
    writeFile(records::kRecordFileName, kFile);
    openEdit();
    child<QLineEdit>("txtPriData")->setText(nickname);
    m_answer = cancel ? platform::MsgResult::Cancel : platform::MsgResult::Ok;
    click("cmdNew1");
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(lastMessage().contains(QStringLiteral("😀")), !cancel);
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{records::kRecordFileName});
    QCOMPARE(fileBytes(records::kRecordFileName), kFile);
    QVERIFY(m_calls.isEmpty());
  }

  void newStart_thatCannotWriteAHistory_saysWhich_andDoesNotEnd() {
    writeFile(records::kRecordFileName, kFile);
    QVERIFY(QDir().mkdir(QStringLiteral("逆計算履歴.txt")));
    openEdit();
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
    openEdit();
    child<QLineEdit>("txtPriData")->setText(typed);
    click("cmdPHozon1");
    QCOMPARE(fileBytes(records::kPrivateFileName), sjis(QStringLiteral("\"氏名\",\"%1\"\r\n").arg(stored)));
    QCOMPARE(m_calls, QStringList{QStringLiteral("名:") + stored});
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].text, QStringLiteral("保存が終了しました"));
    QCOMPARE(m_messages[0].title, QStringLiteral("保存終了"));

    child<QLineEdit>("txtPriData")->setText(QStringLiteral("𠮷田"));  // refused by name
    click("cmdPHozon1");
    QVERIFY(lastMessage().contains(QStringLiteral("𠮷")));
    QCOMPARE(fileBytes(records::kPrivateFileName), sjis(QStringLiteral("\"氏名\",\"%1\"\r\n").arg(stored)));
    QCOMPARE(m_calls.size(), 1);
  }

 private:
  // One of the changes that replace a kept file, made as the user makes it; "last" deletes the
  // first record, "deletion" the second.
  void makeChange(const QString& change) {
    if (change == QLatin1String("diary")) {
      openDiary();
      clickRow(1);
      typeDiaryAndEnter(QStringLiteral("書き換えた"));
    } else if (change == QLatin1String("memo")) {
      openDiary();
      child<QPlainTextEdit>("txtKizuki")->setPlainText(QStringLiteral("新しいメモ"));
      click("cmdKizukiHozon");
    } else {
      openEdit();
      if (change == QLatin1String("nickname")) {
        child<QLineEdit>("txtPriData")->setText(QStringLiteral("じろう"));
        click("cmdPHozon1");
      } else if (change == QLatin1String("new start")) {
        click("cmdNew1");
      } else {
        clickRow(change == QLatin1String("last") ? 1 : 2);
        click("cmdRowDel");
      }
    }
  }

 private Q_SLOTS:
  // Every way a screen replaces or empties a file keeps the file first, and "元に戻す" puts it
  // back byte for byte, also as another program wrote it.
  void everyChange_keepsTheFileItReplaces_andUndoPutsItBackByteForByte_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QString>("count");  // what the list says of the copy
    QTest::newRow("diary save") << "diary" << records::kRecordFileName << kFile << "3";
    QTest::newRow("deletion") << "deletion" << records::kRecordFileName << kFile << "3";
    QTest::newRow("deleting the last record") << "last" << records::kRecordFileName << kLine1 << "1";
    QTest::newRow("new start, the play record") << "new start" << records::kRecordFileName << kFile << "3";
    QTest::newRow("new start, a history") << "new start"
                                          << "逆計算履歴.txt" << kReverseHistory << "1";
    QTest::newRow("memo save") << "memo" << records::kMemoFileName << sjis("前のメモ\r\n\x1A二行目\r\n") << "";
    QTest::newRow("nickname save") << "nickname" << records::kPrivateFileName << sjis("\"氏名\",\"はなこ\"\r\n") << "";
  }
  void everyChange_keepsTheFileItReplaces_andUndoPutsItBackByteForByte() {
    QFETCH(QString, change);
    QFETCH(QString, file);
    QFETCH(QByteArray, old);
    QFETCH(QString, count);
    if (file != records::kRecordFileName) writeFile(records::kRecordFileName, kFile);
    writeFile(file, old);
    makeChange(change);
    QVERIFY(fileBytes(file) != old);
    const std::vector<records::Backup> copies = records::listBackups();
    const auto copy =
        std::find_if(copies.begin(), copies.end(), [&](const records::Backup& b) { return b.fileName == file; });
    QVERIFY(copy != copies.end());
    QCOMPARE(fileBytes(copy->path), old);

    m_messages.clear();
    m_calls.clear();
    const bool replacesSomething = !fileBytes(file).isEmpty();  // an empty file has nothing to keep
    openEdit();
    const QList<QStringList> listed = undo(file);
    QVERIFY(listed.contains(QStringList{file, QStringLiteral("2024/05/03 12:00:00"), count}));
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages[0].text,
             QStringLiteral("「%1」を 2024/05/03 12:00:00 のバックアップに戻します。よろしいですか？").arg(file) +
                 (replacesSomething ? QStringLiteral("\r\n（今の「%1」も「バックアップ」フォルダに残ります。）").arg(file)
                                    : QString()));
    QCOMPARE(m_messages[0].defaultButton, platform::MsgResult::Cancel);
    QCOMPARE(m_messages[1].icon, platform::MsgIcon::Information);
    QCOMPARE(fileBytes(file), old);
    QVERIFY(m_calls.contains(QStringLiteral("戻:") + file));
    if (file == records::kRecordFileName) {
      QVERIFY(m_calls.contains(QStringLiteral("today")));
      QCOMPARE(grid().rows(), old == kFile ? 4 : 2);  // the list shows the file put back
    }
    QCOMPARE(records::listBackups().size(), copies.size() + (replacesSomething ? 1 : 0));  // kept too
  }

  void failedBackup_stopsTheChange_andSaysWhy_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("diary save") << "diary";
    QTest::newRow("deletion") << "deletion";
    QTest::newRow("new start") << "new start";
    QTest::newRow("memo save") << "memo";
    QTest::newRow("nickname save") << "nickname";
  }
  void failedBackup_stopsTheChange_andSaysWhy() {
    QFETCH(QString, change);
    writeFile(records::kRecordFileName, kFile);
    writeFile(records::kMemoFileName, sjis("メモ\r\n"));
    writeFile(records::kPrivateFileName, sjis("\"氏名\",\"はなこ\"\r\n"));
    writeFile(QStringLiteral("逆計算履歴.txt"), kReverseHistory);
    writeFile(records::kBackupFolder, "a file where the folder goes");
    const QMap<QString, QByteArray> before = dataFolder();
    makeChange(change);
    QVERIFY2(lastMessage().contains(QStringLiteral("バックアップを作れなかった")), qPrintable(lastMessage()));
    QVERIFY(lastMessage().contains(QStringLiteral("同じ名前のファイルがあります")));
    QCOMPARE(dataFolder(), before);
    QVERIFY(!m_calls.contains(QStringLiteral("end")));
  }

  void undo_withoutACopy_saysSo_andBothNewButtonsComeLastInTabOrder() {
    openEdit();
    QCOMPARE(child("cmdPHozon1")->nextInFocusChain(), child("cmdUndo"));
    QCOMPARE(child("cmdUndo")->nextInFocusChain(), child("cmdCsv"));
    click("cmdUndo");
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(lastMessage().startsWith(QStringLiteral("元に戻せるバックアップはありません。")));
  }

  void undoAndCsv_leaveEveryDataFileAsItWas() {
    writeFile(records::kRecordFileName, kFile);
    writeFile(QStringLiteral("表計算履歴.txt"), kTableHistory);
    writeFile(records::kMemoFileName, sjis("メモ\r\n"));
    QVERIFY(QDir().mkdir(records::kBackupFolder));
    writeFile(records::kBackupFolder + QStringLiteral("/データ_20240501-090000-000.txt"), kLine1);
    const QMap<QString, QByteArray> before = dataFolder();
    openEdit();
    testing::chooseInNextDialog(this, QStringLiteral("none of them"));
    click("cmdUndo");
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(exportCsv(), QStringLiteral("計算力_記録_20240503.csv"));
    QCOMPARE(dataFolder(), before);
    QCOMPARE(QDir(records::kBackupFolder).entryList(QDir::Files),
             QStringList{QStringLiteral("データ_20240501-090000-000.txt")});
  }

  void csv_readsBackAsTheRecordsAndEveryHistoryColumn() {
    writeFile(records::kRecordFileName, kFile);
    openDiary();
    clickRow(3);
    typeDiaryAndEnter(QStringLiteral("\"速い\", でも雑"));  // stored with full-width quotes
    writeFile(QStringLiteral("表計算履歴.txt"), kTableHistory);
    writeFile(QStringLiteral("逆計算履歴.txt"), kReverseHistory);
    openEdit();
    exportCsv();
    const QByteArray records = fileBytes(QStringLiteral("out/計算力_記録_20240503.csv"));
    const QByteArray histories = fileBytes(QStringLiteral("out/計算力_履歴_20240503.csv"));
    QVERIFY2(records.startsWith("\xEF\xBB\xBF") && histories.startsWith("\xEF\xBB\xBF"), qPrintable(lastMessage()));
    QVERIFY(records.endsWith("\r\n") && !records.contains("\r\n\r\n"));
    QCOMPARE(readCsv(records.sliced(3)),
             (QList<QStringList>{{"日付", "時間", "項目", "秒数", "一言日記"},
                                 {"2024/05/01", "09:00:00", "表計算", "23.40", "答数 : 20"},
                                 {"2024/05/01", "09:05:00", "逆計算", "7", "秒数 : 60"},
                                 {"2024/05/02", "10:00:00", "ブロック計算", "60", "＂速い＂, でも雑"}}));
    QVERIFY(records.contains("\"＂速い＂, でも雑\""));
    QCOMPARE(readCsv(histories.sliced(3)),
             (QList<QStringList>{
                 {"項目", "日付", "時間", "答数", "ＯＫ", "ＮＧ", "文字数", "字数", "正解率", "秒当たり", "秒数", "Ｍ"},
                 {"表計算", "2024/05/01", "09:00:00", "100", "98", "2", "", "180", "98.0%", "7.69/秒", "23.4秒", "＋"},
                 {"逆計算", "2024/05/01", "09:05:00", "20", "18", "2", "38", "", "90.0%", "1.62/秒", "23.4秒", ""}}));
    QCOMPARE(m_messages.last().icon, platform::MsgIcon::Information);
    QVERIFY(lastMessage().contains(QStringLiteral("計算力_記録_20240503.csv")));
    QVERIFY(lastMessage().contains(QStringLiteral("計算力_履歴_20240503.csv")));
    QVERIFY(lastMessage().contains(QStringLiteral("記録 1 行、履歴 1 行")));

    m_answer = platform::MsgResult::Cancel;  // a histories file that is there is replaced only on OK
    writeFile(QStringLiteral("out/計算力_履歴_20240503.csv"), "mine");
    exportCsv();
    QCOMPARE(fileBytes(QStringLiteral("out/計算力_履歴_20240503.csv")), QByteArray("mine"));
    QCOMPARE(m_messages.last().defaultButton, platform::MsgResult::Cancel);
  }
};

QTEST_MAIN(RewritingScreensTest)
#include "tst_rewriting_screens.moc"
