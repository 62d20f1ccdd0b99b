// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordFile.h"
#include "records/TimeTotals.h"
#include "support/FreshRunTest.h"
#include "support/TestSupport.h"

#include <QTest>

#include <limits>
#include <random>

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
constexpr qint64 kMost = std::numeric_limits<qint64>::max();
constexpr qint64 kLeast = std::numeric_limits<qint64>::min();
// Bytes that decoding and encoding again would not give back: the NEC and IBM forms of one
// character each, and control bytes the converter swaps.
const QByteArray kTwins("\x87\x90\xED\x40\xEE\xF9");
const QByteArray kControls("\x1A\x1C\x7F");
}  // namespace

class RecordFileTest : public testing::FreshRunTest {
  Q_OBJECT

 private Q_SLOTS:
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
    QTest::newRow("no zero before the point") << QByteArray(".5") << 0.5f << QByteArray(".5");
    QTest::newRow("whole number") << QByteArray("7") << 7.0f << QByteArray("7");
    QTest::newRow("trailing zero") << QByteArray("60.50") << 60.5f << QByteArray("60.50");
    QTest::newRow("blanks around") << QByteArray(" 12.25 ") << 12.25f << QByteArray("12.25");
    QTest::newRow("exponent") << QByteArray("1E+07") << 1e7f << QByteArray("1E+07");
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

  void secondsField_outsideWhatAPlayTakes_makesTheLineUnreadable_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<float>("seconds");
    QTest::newRow("nan") << QByteArray("nan") << false << 0.0f;
    QTest::newRow("inf") << QByteArray("inf") << false << 0.0f;
    QTest::newRow("-inf") << QByteArray("-inf") << false << 0.0f;
    QTest::newRow("1e30") << QByteArray("1e30") << false << 0.0f;
    QTest::newRow("just over the limit") << QByteArray("10000000.5") << false << 0.0f;
    QTest::newRow("just under minus the limit") << QByteArray("-10000001") << false << 0.0f;
    QTest::newRow("the limit") << QByteArray("10000000") << true << 1e7f;
    QTest::newRow("minus the limit") << QByteArray("-10000000") << true << -1e7f;
    QTest::newRow("negative, over midnight") << QByteArray("-3.5") << true << -3.5f;
    QTest::newRow("no zero before the point") << QByteArray(".5") << true << 0.5f;
    QTest::newRow("whole number") << QByteArray("7") << true << 7.0f;
  }
  void secondsField_outsideWhatAPlayTakes_makesTheLineUnreadable() {
    QFETCH(QByteArray, field);
    QFETCH(bool, readable);
    QFETCH(float, seconds);
    const QByteArray before = sjis("\"2024/05/01\",\"08:00:00\",\"表計算\",10,\"a\",\"\"");
    const QByteArray line = sjis("\"2024/05/01\",\"08:01:00\",\"逆計算\",") + field + ",\"b\",";
    const QByteArray after = sjis("\"2024/05/01\",\"08:02:00\",\"表計算\",12,\"c\",\"\"");
    writeFile(kRecordFileName, before + "\r\n" + line + "\r\n" + after + "\r\n");

    RecordTable table = readRecords().table;
    QCOMPARE(table.size(), readable ? 3 : 2);
    QCOMPARE(table.unreadableLineCount(), readable ? 0 : 1);
    if (readable) QCOMPARE(table[1].seconds, seconds);
    QCOMPARE(table[table.size() - 1].diary, QStringLiteral("c"));

    table.setDiary(0, QStringLiteral("x"));
    QCOMPARE(rewriteRecords(table), QString());
    const QByteArray edited = sjis("\"2024/05/01\",\"08:00:00\",\"表計算\",10,\"x\",\"\"");
    QCOMPARE(fileBytes(kRecordFileName),
             edited + "\r\n" + (readable ? QByteArray(line + "\"\"") : line) + "\r\n" + after + "\r\n");
  }

  void addSeconds_roundsHalvesToEven_andSaturates_data() {
    QTest::addColumn<qint64>("total");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<qint64>("sum");
    QTest::newRow("half up to even") << qint64(1) << 0.5 << qint64(2);
    QTest::newRow("half down to even") << qint64(2) << 0.5 << qint64(2);
    QTest::newRow("negative play") << qint64(10) << -3.5 << qint64(6);
    QTest::newRow("largest plus one") << kMost << 1.0 << kMost;
    QTest::newRow("reaching 2^63") << (qint64(1) << 62) << 0x1p62 << kMost;
    QTest::newRow("smallest minus one") << kLeast << -1.0 << kLeast;
    QTest::newRow("huge") << qint64(0) << 1e30 << kMost;
    QTest::newRow("minus infinity") << qint64(5) << -std::numeric_limits<double>::infinity() << kLeast;
    QTest::newRow("no number adds nothing") << qint64(5) << std::numeric_limits<double>::quiet_NaN() << qint64(5);
  }
  void addSeconds_roundsHalvesToEven_andSaturates() {
    QFETCH(qint64, total);
    QFETCH(double, seconds);
    QFETCH(qint64, sum);
    QCOMPARE(addSeconds(total, seconds), sum);
  }

  void addTotals_saturates_data() {
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<qint64>("sum");
    QTest::newRow("plain") << qint64(40000) << qint64(-4) << qint64(39996);
    QTest::newRow("over the top") << kMost << qint64(1) << kMost;
    QTest::newRow("under the bottom") << kLeast << qint64(-1) << kLeast;
    QTest::newRow("both extremes") << kMost << kLeast << qint64(-1);
  }
  void addTotals_saturates() {
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(qint64, sum);
    QCOMPARE(addTotals(a, b), sum);
  }

  void hmsText_forAnyTotal_data() {
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << QStringLiteral("0:00:00");
    QTest::newRow("under a minute") << qint64(59) << QStringLiteral("0:00:59");
    QTest::newRow("beyond a day") << qint64(97200) << QStringLiteral("27:00:00");
    QTest::newRow("minus one") << qint64(-1) << QStringLiteral("-0:00:01");
    QTest::newRow("minus an hour and more") << qint64(-3661) << QStringLiteral("-1:01:01");
    QTest::newRow("largest") << kMost << QStringLiteral("2562047788015215:30:07");
    QTest::newRow("smallest") << kLeast << QStringLiteral("-2562047788015215:30:08");
  }
  void hmsText_forAnyTotal() {
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(hmsText(seconds), text);
  }

  void rewrite_keepsTheBytesOfEveryFieldNobodyEdited() {
    const QByteArray item = sjis("表計算");
    const QByteArray fromGame =
        "\"2024/05/01\",\"08:00:00\",\"" + item + "\",.5,\"" + kTwins + kControls + sjis("です") + "\",";
    const QByteArray fromMainWindow = "\"2024/05/01\",\"08:10:00\",\"" + item + "\",60.50,\"ok" + kControls + "\",\"\"";
    const QByteArray oddItem = "\"2024/05/01\",\"08:20:00\",\"" + kControls + kTwins + "\",1E+01,\"" + sjis("日記") + "\",";
    const QByteArray unreadable = "\"2024/05/02\",\"09:10:00\",\"" + item + "\",inf,\"" + kTwins + "\",";
    const QByteArray toEdit = "\"2024/05/02\",\"09:20:00\",\"" + item + "\",7,\"" + kTwins + "\",";
    const QByteArray toRemove = "\"2024/05/02\",\"09:30:00\",\"" + item + "\",8,\"" + kTwins + "\",\"\"";
    const QByteArray reserved = "\"2024/05/02\",\"09:40:00\",\"" + item + "\",9,\"\",\"" + kTwins + "\"";
    const QByteArray unquoted = "2024/05/02 , 09:50:00," + item + ", 10 ," + kTwins + ",";
    writeFile(kRecordFileName, fromGame + "\r\n" + fromMainWindow + "\r\n" + oddItem + "\r\n" + unreadable + "\r\n" +
                                   toEdit + "\r\n" + toRemove + "\r\n" + reserved + "\r\n" + unquoted + "\r\n");

    RecordTable table = readRecords().table;
    QCOMPARE(table.size(), 7);
    QCOMPARE(table.unreadableLineCount(), 1);
    QCOMPARE(table[0].seconds, 0.5f);
    table.setDiary(3, QStringLiteral("書き直した"));
    table.removeRecord(4);
    QCOMPARE(rewriteRecords(table), QString());
    const QByteArray edited = "\"2024/05/02\",\"09:20:00\",\"" + item + "\",7,\"" + sjis("書き直した") + "\",\"\"";
    const QByteArray quoted = "\"2024/05/02\",\"09:50:00\",\"" + item + "\",10,\"" + kTwins + "\",\"\"";
    QCOMPARE(fileBytes(kRecordFileName), fromGame + "\"\"\r\n" + fromMainWindow + "\r\n" + oddItem + "\"\"\r\n" +
                                             unreadable + "\r\n" + edited + "\r\n" + reserved + "\r\n" + quoted +
                                             "\r\n");
  }

  void diarySetToWhatItWas_keepsItsBytes_andALineBreakIsRefused() {
    const QByteArray line = "\"2024/05/01\",\"08:00:00\",\"" + sjis("表計算") + "\",10,\"" + kTwins + "\",\"\"\r\n";
    writeFile(kRecordFileName, line);
    RecordTable table = readRecords().table;
    table.setDiary(0, table[0].diary);
    QCOMPARE(rewriteRecords(table), QString());
    QCOMPARE(fileBytes(kRecordFileName), line);

    table.setDiary(0, QStringLiteral("一行目\n二行目"));
    QVERIFY(rewriteRecords(table).contains(QStringLiteral("改行")));
    QCOMPARE(fileBytes(kRecordFileName), line);

    PlayRecord play = blockPlay();
    play.diary = QStringLiteral("a\r\nb");
    QVERIFY(appendRecord(play).contains(QStringLiteral("改行")));
    QCOMPARE(fileBytes(kRecordFileName), line);
  }

  void append_refusesSecondsThatWouldNotReadBack() {
    QCOMPARE(appendRecord(blockPlay()), QString());
    const QByteArray before = fileBytes(kRecordFileName);
    for (float seconds : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1e30f,
                          -10000001.0f}) {
      PlayRecord play = blockPlay();
      play.seconds = seconds;
      QVERIFY(!appendRecord(play).isEmpty());
    }
    QCOMPARE(fileBytes(kRecordFileName), before);
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

  // However the file changed, the shared table must be the one a fresh read gives.
  void sharedTable_afterAChange_isWhatAFreshReadGives_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray game = sjis(kGameLine);
    const QByteArray bad = sjis("\"2024/05/01\",\"08:01:00\",\"表計算\",abc,\"b\",\"\"\r\n");
    QByteArray open = game;
    open.chop(2);
    QByteArray edited = game;
    edited[2] = '1';
    QTest::newRow("a play appended behind an unreadable line") << game + bad << game + bad + game;
    QTest::newRow("an unreadable line appended") << game << game + bad + game;
    QTest::newRow("a last line completed and a play appended") << open << game + game;
    QTest::newRow("an earlier line edited, same length") << game + game << edited + game + game;
    QTest::newRow("cut short") << game + bad + game << game + bad;
    QTest::newRow("from an empty file") << QByteArray() << game;
  }
  void sharedTable_afterAChange_isWhatAFreshReadGives() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    writeFile(kRecordFileName, before);
    (void)sharedRecords();
    writeFile(kRecordFileName, after);
    const SharedRead changed = sharedRecords();
    const RecordTable fresh = RecordTable::parse(after);
    QCOMPARE(changed.table->size(), fresh.size());
    QCOMPARE(changed.table->unreadableLineCount(), fresh.unreadableLineCount());
    for (qsizetype i = 0; i < fresh.size(); ++i) QCOMPARE(changed.table->record(i), fresh.record(i));
    QCOMPARE(changed.table->serialize().bytes, fresh.serialize().bytes);
  }

  void sharedTable_afterTheProgramsOwnWrites_holdsWhatWasWritten() {
    writeFile(kRecordFileName, sjis(kGameLine) + sjis(kGameLine));
    RecordTable table = readRecords().table;
    table.setDiary(1, QStringLiteral("よし"));
    QCOMPARE(rewriteRecords(table), QString());
    QCOMPARE(sharedRecords().table->record(1).diary, QStringLiteral("よし"));
    QCOMPARE(appendRecord(blockPlay()), QString());
    QCOMPARE(sharedRecords().table->size(), 3);
    QCOMPARE(sharedRecords().table->serialize().bytes, RecordTable::parse(fileBytes(kRecordFileName)).serialize().bytes);
    QCOMPARE(emptyRecords(), QString());
    QVERIFY(sharedRecords().table->isEmpty());
  }

  // Lines in and around the common shape, varied at random, in a file over a megabyte: read
  // in two halves at once, every line must read as it does on one thread.
  void halves_readEveryLineAsOneThreadDoes() {
    const QList<QByteArray> texts = {"", "2024/05/01", "21:03:07", sjis("表計算"), sjis("ブロック計算"),
                                     sjis("答数 : 20"), "a,b", " x ", "\x82", kTwins + kControls,
                                     QByteArray(300, 'z') + sjis("長い")};
    const QList<QByteArray> numbers = {"42.5", ".5", "7", "1E+07", "abc", " 12.25 ", "", "-3.5", "10000000.5",
                                       "nan", "1e30", "12\t", "60 ", "\t5", "4\"2", "\"5\"", "\"12.5\"", "\"\"", "\"7"};
    const QList<QByteArray> lastFields = {"", "", "\"\"", "\"\"", "\"\"x", "\"x\"", " \"\"", "\"\" ", ",", "\"\",\"\""};
    const QByteArray noise("\",\r \t\x82\x81" "a");
    std::mt19937 random(20240501);
    auto below = [&](qsizetype n) { return qsizetype(random() % quint32(n)); };
    auto quoted = [&](QByteArray& line) {
      line += '"';
      line += QByteArray(below(20), 'q');  // moves the texts across eight-byte boundaries
      line += texts[below(texts.size())];
      if (below(4) == 0) line += sjis("日記") + QByteArray::number(qint64(random()));  // a text of its own
      line += "\",";
    };
    QByteArray file;
    for (int i = 0; i < 20000; ++i) {
      QByteArray line;
      for (int field = 0; field < 3; ++field) quoted(line);
      line += numbers[below(numbers.size())];
      line += ',';
      quoted(line);
      line += lastFields[below(lastFields.size())];
      for (qsizetype changes = below(4) - 1; changes > 0; --changes) {
        const qsizetype at = below(line.size() + 1);
        if (below(2)) {
          line.insert(at, noise[below(noise.size())]);
        } else if (at < line.size()) {
          line.remove(at, 1);
        }
      }
      file += line + (below(8) ? "\r\n" : "\n");
    }
    file.chop(2);  // a last line without its line end

    const RecordTable fast = RecordTable::parse(file);
    const RecordTable general = RecordTable::parseOnOneThread(file);
    QVERIFY(file.size() > (1 << 20));
    QVERIFY(fast.size() > 4000 && fast.unreadableLineCount() > 4000);  // both kinds, many of each
    QCOMPARE(fast.size(), general.size());
    QCOMPARE(fast.unreadableLineCount(), general.unreadableLineCount());
    for (qsizetype i = 0; i < fast.size(); ++i) {
      QCOMPARE(fast.record(i), general.record(i));
      QCOMPARE(fast.itemIndex(i), general.itemIndex(i));
    }
    QCOMPARE(fast.serialize().bytes, general.serialize().bytes);
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
