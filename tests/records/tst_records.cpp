#include "records/RecordFile.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace records;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
PlayRecord blockPlay() {
  return {QStringLiteral("2024/05/01"), QStringLiteral("21:03:07"), QStringLiteral("ブロック計算"), 23.4f,
          QStringLiteral("答数 : 20"), {}};
}
const char* kGameLine = "\"2024/05/01\",\"21:03:07\",\"ブロック計算\",23.4,\"答数 : 20\",\r\n";
}  // namespace

class RecordFileTest : public QObject {
  Q_OBJECT
  std::unique_ptr<testing::WorkingDir> m_dir;

 private Q_SLOTS:
  void init() { m_dir = std::make_unique<testing::WorkingDir>(); }
  void cleanup() { m_dir.reset(); }

  void missingFile_isEmptyTable_andFirstSaveCreatesTheFirstLine() {
    ReadResult read = readRecords();
    QVERIFY(read.error.isEmpty());
    QVERIFY(read.table.isEmpty());
    QCOMPARE(appendRecord(blockPlay()), QString());
    QCOMPARE(fileBytes(kRecordFileName), sjis(kGameLine));
  }

  void gameLine_andMainWindowLine_haveTheirBytes_andReadBackTheSame() {
    QCOMPARE(appendRecord(blockPlay()), QString());
    const RecordTable fromGame = readRecords().table;
    QCOMPARE(fromGame.size(), 1);
    QCOMPARE(fromGame[0], blockPlay());

    QCOMPARE(rewriteRecords(fromGame), QString());
    QCOMPARE(fileBytes(kRecordFileName),
             sjis("\"2024/05/01\",\"21:03:07\",\"ブロック計算\",23.4,\"答数 : 20\",\"\"\r\n"));
    QCOMPARE(readRecords().table[0], blockPlay());
  }

  void numbers_inAnyPlainDecimalNotation_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QByteArray>("rewritten");
    QTest::newRow("no zero before the point") << QByteArray(".5") << 0.5f << QByteArray("0.5");
    QTest::newRow("whole number") << QByteArray("7") << 7.0f << QByteArray("7");
    QTest::newRow("trailing zero") << QByteArray("60.50") << 60.5f << QByteArray("60.5");
    QTest::newRow("blanks around") << QByteArray(" 12.25 ") << 12.25f << QByteArray("12.25");
    QTest::newRow("exponent") << QByteArray("1E+07") << 1e7f << QByteArray("10000000");
    QTest::newRow("single precision") << QByteArray("45.3") << 45.3f << QByteArray("45.3");
  }
  void numbers_inAnyPlainDecimalNotation() {
    QFETCH(QByteArray, field);
    QFETCH(float, seconds);
    QFETCH(QByteArray, rewritten);
    writeFile(kRecordFileName, "\"2024/05/01\",\"21:03:07\",\"" + sjis("逆計算") + "\"," + field + ",\"\",\r\n");
    RecordTable table = readRecords().table;
    QCOMPARE(table.size(), 1);
    QCOMPARE(table[0].seconds, seconds);
    QCOMPARE(rewriteRecords(table), QString());
    QVERIFY(fileBytes(kRecordFileName).contains(QByteArray(QByteArray("\",") + rewritten + ",\"\",\"\"\r\n")));
  }

  void commaInDiary_survivesRewrite() {
    writeFile(kRecordFileName, sjis("\"2024/05/01\",\"08:00:00\",\"表計算\",10,\"眠い、でも,頑張った\",\"\"\r\n"));
    RecordTable table = readRecords().table;
    QCOMPARE(table[0].diary, QStringLiteral("眠い、でも,頑張った"));
    const QByteArray before = fileBytes(kRecordFileName);
    QCOMPARE(rewriteRecords(table), QString());
    QCOMPARE(fileBytes(kRecordFileName), before);
  }

  void unreadableLines_areSkippedAlone_andKeptInPlaceOnRewrite() {
    const QByteArray good1 = sjis("\"2024/05/01\",\"08:00:00\",\"表計算\",10,\"a\",\"\"");
    const QByteArray tooFew = sjis("\"2024/05/01\",\"08:01:00\",\"表計算\",11,\"b\"");
    const QByteArray notNumber = sjis("\"2024/05/01\",\"08:02:00\",\"表計算\",abc,\"c\",\"\"");
    const QByteArray strayQuote = sjis("\"2024/05/01\",\"08:03:00\",\"表計算\",12,\"d\"x\",\"\"");
    const QByteArray badBytes = "\"2024/05/01\",\"08:04:00\",\"\x82\",13,\"e\",\"\"";
    const QByteArray good2 = sjis("\"2024/05/02\",\"09:00:00\",\"逆計算\",20,\"f\",\"\"");
    const QByteArray truncated = sjis("\"2024/05/02\",\"09:05:00\",\"逆計");
    writeFile(kRecordFileName, good1 + "\r\n" + tooFew + "\r\n" + notNumber + "\r\n" + strayQuote + "\r\n" +
                                   badBytes + "\r\n" + good2 + "\r\n" + truncated);

    RecordTable table = readRecords().table;
    QCOMPARE(table.size(), 2);
    QCOMPARE(table.unreadableLineCount(), 5);
    QCOMPARE(table[1].date, QStringLiteral("2024/05/02"));
    QCOMPARE(table[1].item, QStringLiteral("逆計算"));
    QCOMPARE(table[1].diary, QStringLiteral("f"));

    table.removeRecord(0);
    QCOMPARE(rewriteRecords(table), QString());
    QCOMPARE(fileBytes(kRecordFileName), tooFew + "\r\n" + notNumber + "\r\n" + strayQuote + "\r\n" + badBytes +
                                             "\r\n" + good2 + "\r\n" + truncated + "\r\n");
  }

  void doubleQuoteInText_isStoredAsFullWidthQuote() {
    PlayRecord play = blockPlay();
    play.diary = QStringLiteral("\"速い\"");
    QCOMPARE(appendRecord(play), QString());
    QCOMPARE(readRecords().table[0].diary, QStringLiteral("＂速い＂"));
  }

  void textTheCodePageCannotHold_isRefused_andNothingIsWritten() {
    QCOMPARE(appendRecord(blockPlay()), QString());
    const QByteArray before = fileBytes(kRecordFileName);
    PlayRecord play = blockPlay();
    play.diary = QStringLiteral("楽しい😀");
    QVERIFY(appendRecord(play).contains(QStringLiteral("😀")));
    QCOMPARE(fileBytes(kRecordFileName), before);

    RecordTable table = readRecords().table;
    table.setDiary(0, QStringLiteral("€"));
    QVERIFY(rewriteRecords(table).contains(QStringLiteral("€")));
    QCOMPARE(fileBytes(kRecordFileName), before);
  }

  void fileName_matchesWithoutRegardToLetterCase() {
    writeFile(QStringLiteral("データ.TXT"), sjis(kGameLine));
    QCOMPARE(readRecords().table.size(), 1);
    QCOMPARE(appendRecord(blockPlay()), QString());
    QCOMPARE(readRecords().table.size(), 2);
    QCOMPARE(QDir::current().entryList(QDir::Files).size(), 1);
  }

  void append_completesALastLineWithoutItsLineEnd() {
    QByteArray line = sjis(kGameLine);
    line.chop(2);
    writeFile(kRecordFileName, line);
    QCOMPARE(readRecords().table.size(), 1);
    QCOMPARE(appendRecord(blockPlay()), QString());
    QCOMPARE(fileBytes(kRecordFileName), sjis(kGameLine) + sjis(kGameLine));
  }

  void emptying_leavesZeroBytes_andAnEmptyTable() {
    QCOMPARE(appendRecord(blockPlay()), QString());
    QCOMPARE(emptyRecords(), QString());
    QCOMPARE(QFile(kRecordFileName).size(), 0);
    QVERIFY(readRecords().table.isEmpty());
  }

  void sharedTable_isReadAgainOnlyWhenTheFileChanged() {
    QCOMPARE(appendRecord(blockPlay()), QString());
    const SharedRead first = sharedRecords();
    QCOMPARE(sharedRecords().table.get(), first.table.get());
    QCOMPARE(appendRecord(blockPlay()), QString());
    QCOMPARE(sharedRecords().table->size(), 2);
    writeFile(kRecordFileName, sjis(kGameLine));  // another tool rewrites the file
    QCOMPARE(sharedRecords().table->size(), 1);
    QCOMPARE(first.table->size(), 1);  // a table in use stays as it was
  }

  void tableHoldsFarMoreThan32766Records() {
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i) bytes += sjis(kGameLine);
    writeFile(kRecordFileName, bytes);
    const RecordTable table = readRecords().table;
    QCOMPARE(table.size(), 40000);
    QCOMPARE(table[39999], blockPlay());
  }
};

QTEST_GUILESS_MAIN(RecordFileTest)
#include "tst_records.moc"
