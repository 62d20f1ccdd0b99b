#include "platform/widgets/DataGrid.h"
#include "platform/widgets/MessageBox.h"
#include "records/RecordFile.h"
#include "support/FileFaults.h"
#include "support/WidgetTestSupport.h"
#include "views/DiaryScreen.h"
#include "views/FreeMemo.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
// As other programs leave the file: two lines of a game, one of the main window, and one
// that is no record at all.
const QByteArray kGameLine1 = sjis("\"2024/05/01\",\"09:00:00\",\"表計算\",23.40,\"答数 : 20\",\r\n");
const QByteArray kUnreadable = sjis("壊れた行,\"x\r\n");
const QByteArray kGameLine2 = sjis("\"2024/05/01\",\"09:05:00\",\"逆計算\",7,\"秒数 : 60\",\r\n");
const QByteArray kMainLine = sjis("\"2024/05/02\",\"10:00:00\",\"ブロック計算\",60,\"前の日記\",\"\"\r\n");
const QByteArray kFile = kGameLine1 + kUnreadable + kGameLine2 + kMainLine;

// Records of the given count, more than a full disk lets a file hold.
QByteArray manyLines(int count) {
  QByteArray bytes;
  for (int i = 0; i < count; ++i) {
    bytes += sjis(QStringLiteral("\"2024/05/01\",\"09:%1:00\",\"表計算\",%2,\"答数 : 20\",\r\n")
                      .arg(i % 60, 2, 10, QLatin1Char('0'))
                      .arg(10 + i));
  }
  return bytes;
}
}  // namespace

class DiaryTest : public QObject {
  Q_OBJECT
  std::unique_ptr<testing::WorkingDir> m_dir;
  std::unique_ptr<views::DiaryScreen> m_screen;
  QList<platform::MessageRequest> m_messages;

  template <typename T = QWidget>
  T* child(const char* name) const {
    return testing::control<T>(m_screen.get(), QString::fromLatin1(name));
  }
  platform::DataGrid& grid() const { return *m_screen->msgMemoList(); }
  // The screen as its button opens it.
  platform::DataGrid& open() {
    if (!m_screen) m_screen = std::make_unique<views::DiaryScreen>();
    m_screen->prepareScreen();
    m_screen->show();
    return grid();
  }
  void clickRow(int row) {
    const QRect cell = grid().visualRect(grid().QTableView::model()->index(row - 1, 3));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cell.center());
  }
  void typeDiaryAndEnter(const QString& text) {
    auto* box = child<QLineEdit>("txtMemo");
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
  }
  QString lastMessage() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }

 private Q_SLOTS:
  void init() {
    testing::resetRunState();
    m_dir = std::make_unique<testing::WorkingDir>();
    m_messages.clear();
    platform::setMessageHandler([this](const platform::MessageRequest& r) {
      m_messages.append(r);
      return platform::MsgResult::Ok;
    });
  }
  void cleanup() {
    m_screen.reset();
    m_dir.reset();
  }

  void list_showsEveryRecordInFileOrder_withHeadersAndWidths() {
    writeFile(records::kRecordFileName, kFile);
    open();
    QCOMPARE(grid().rows(), 4);
    QCOMPARE(grid().textMatrix(0, 0), QStringLiteral("回数"));
    QCOMPARE(grid().textMatrix(0, 5), QStringLiteral("一言日記"));
    QCOMPARE(grid().colWidth(4), 650);
    const QStringList third{"3", "2024/05/02", "10:00:00", "ブロック計算", "60", "前の日記"};
    for (int c = 0; c < 6; ++c) QCOMPARE(grid().textMatrix(3, c), third[c]);
    QCOMPARE(grid().textMatrix(1, 4), QStringLiteral("23.4"));
    QVERIFY(!child("cmdMemoHozon")->isEnabled());
  }

  void save_writesTheDiaryIntoItsLineOnly_andEveryLineEndsWithAnEmptyField_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("a comment") << "眠かった" << sjis("眠かった");
    QTest::newRow("a comma") << "前半は速い、後半, 遅い" << sjis("前半は速い、後半, 遅い");
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("a double quote") << "\"最高\"" << sjis("＂最高＂");
  }
  void save_writesTheDiaryIntoItsLineOnly_andEveryLineEndsWithAnEmptyField() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    writeFile(records::kRecordFileName, kFile);
    open();
    clickRow(2);
    QCOMPARE(child<QLineEdit>("txtMemo")->text(), QStringLiteral("秒数 : 60"));
    QVERIFY(child("cmdMemoHozon")->isEnabled());
    QCOMPARE(m_screen->intMemoRow(), 2);
    typeDiaryAndEnter(typed);

    const QByteArray expected = sjis("\"2024/05/01\",\"09:00:00\",\"表計算\",23.40,\"答数 : 20\",\"\"\r\n") + kUnreadable +
                                sjis("\"2024/05/01\",\"09:05:00\",\"逆計算\",7,\"") + stored + "\",\"\"\r\n" + kMainLine;
    QCOMPARE(fileBytes(records::kRecordFileName), expected);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(child("cmdMemoHozon")->isEnabled());
    const QString shown = QString(typed).replace(QLatin1Char('"'), QChar(0xFF02));
    QCOMPARE(grid().textMatrix(2, 5), shown);

    open();  // read back
    QCOMPARE(grid().textMatrix(2, 5), shown);
    QVERIFY(!child("cmdMemoHozon")->isEnabled());
    QCOMPARE(child<QLineEdit>("txtMemo")->text(), shown);  // kept across openings
  }

  void enterOnARowOfTheList_choosesItAsAClickDoes() {
    writeFile(records::kRecordFileName, kFile);
    open();
    grid().setFocus();
    grid().setRow(3);
    QTest::keyClick(&grid(), Qt::Key_Return);
    QCOMPARE(m_screen->intMemoRow(), 3);
    QCOMPARE(child<QLineEdit>("txtMemo")->text(), QStringLiteral("前の日記"));
    QVERIFY(child("cmdMemoHozon")->isEnabled());
  }

  void enter_beforeARowWasClicked_doesNothing() {
    writeFile(records::kRecordFileName, kFile);
    open();
    typeDiaryAndEnter(QStringLiteral("どこへ？"));
    clickRow(1);
    open();  // a row chosen before the screen was opened again does not count
    typeDiaryAndEnter(QStringLiteral("どこへ？"));
    QCOMPARE(fileBytes(records::kRecordFileName), kFile);
    QVERIFY(m_messages.isEmpty());
  }

  void list_opensOnTheNewestOnlyBeyondSixteenRows_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("scrolled");
    QTest::newRow("15 records") << 15 << false;
    QTest::newRow("16 records") << 16 << true;
  }
  void list_opensOnTheNewestOnlyBeyondSixteenRows() {
    QFETCH(int, records);
    QFETCH(bool, scrolled);
    writeFile(records::kRecordFileName, manyLines(records));
    m_screen = std::make_unique<views::DiaryScreen>();
    m_screen->resize(870, 674);
    m_screen->msgMemoList()->setFixedHeight(200);  // fewer rows than the list has on show
    open();
    QCOMPARE(grid().rows(), records + 1);
    QCOMPARE(grid().topRow() > 1, scrolled);
  }

  void unencodableCharacter_isRefusedByName_andNothingIsWritten() {
    writeFile(records::kRecordFileName, kFile);
    open();
    clickRow(1);
    typeDiaryAndEnter(QStringLiteral("楽しい😀"));
    QCOMPARE(fileBytes(records::kRecordFileName), kFile);
    QVERIFY(lastMessage().contains(QStringLiteral("😀")));
    QCOMPARE(grid().textMatrix(1, 5), QStringLiteral("答数 : 20"));
  }

  void fileChangedOnDisk_isReadAgain_andNothingIsWritten() {
    writeFile(records::kRecordFileName, kFile);
    open();
    clickRow(1);
    QVERIFY(records::appendRecord({"2024/05/03", "08:00:00", "表計算", 9, "答数 : 20", {}}).isEmpty());
    const QByteArray changed = fileBytes(records::kRecordFileName);
    typeDiaryAndEnter(QStringLiteral("古い一覧から"));
    QCOMPARE(fileBytes(records::kRecordFileName), changed);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(lastMessage().contains(QStringLiteral("読み直しました")));
    QCOMPARE(grid().rows(), 5);
    QVERIFY(!child("cmdMemoHozon")->isEnabled());
  }

  void failingRewrite_leavesTheFileAsItWas_andSaysSo_data() {
    QTest::addColumn<bool>("fullDisk");
    QTest::newRow("full disk") << true;
    QTest::newRow("read-only directory") << false;
  }
  void failingRewrite_leavesTheFileAsItWas_andSaysSo() {
    QFETCH(bool, fullDisk);
    const QByteArray old = manyLines(100);
    QVERIFY(old.size() > qsizetype(testing::kFullDiskLimit));
    writeFile(records::kRecordFileName, old);
    open();
    clickRow(1);
    const auto attempt = [this] {
      typeDiaryAndEnter(QStringLiteral("書けるかな"));
      // The grid shows the file as it is.
      return grid().textMatrix(1, 5) == QStringLiteral("答数 : 20") ? lastMessage() : QString();
    };
    const testing::FaultOutcome outcome = fullDisk ? testing::onAFullDisk(attempt) : testing::inAReadOnlyDirectory(attempt);
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
    open();
    child<QPlainTextEdit>("txtKizuki")->setPlainText(memo);
    QTest::mouseClick(child<QPushButton>("cmdKizukiHozon"), Qt::LeftButton);
    QCOMPARE(fileBytes(views::kMemoFileName), file);
    QVERIFY(m_messages.isEmpty());

    m_screen = std::make_unique<views::DiaryScreen>();  // a restart
    QCOMPARE(m_screen->READ_MEMO(), QString());
    QCOMPARE(child<QPlainTextEdit>("txtKizuki")->toPlainText(), readBack);
  }

  void memo_missing_isEmpty_andAnUnencodableOneIsNotWritten() {
    m_screen = std::make_unique<views::DiaryScreen>();
    QCOMPARE(m_screen->READ_MEMO(), QString());
    QCOMPARE(child<QPlainTextEdit>("txtKizuki")->toPlainText(), QString());
    child<QPlainTextEdit>("txtKizuki")->setPlainText(QStringLiteral("メモ🍣"));
    m_screen->cmdKizukiHozon_Click();
    QVERIFY(lastMessage().contains(QStringLiteral("🍣")));
    QVERIFY(!QFile::exists(views::kMemoFileName));
  }
};

QTEST_MAIN(DiaryTest)
#include "tst_diary.moc"
