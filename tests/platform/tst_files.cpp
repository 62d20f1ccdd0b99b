// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Clock.h"
#include "platform/core/Cp932.h"
#include "platform/core/FolderLock.h"
#include "platform/core/Random.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "support/TestSupport.h"

#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

Q_DECLARE_METATYPE(QList<QByteArray>)

class FilesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void codePage_refusesWhatItCannotHold_insteadOfReplacingIt() {
    QCOMPARE(cp932::encode(QStringLiteral("＂ア～①")), QByteArray("\xFA\x57\x83\x41\x81\x60\x87\x40"));
    QVERIFY(!cp932::encode(QStringLiteral("a€b")));
    QVERIFY(!cp932::encode(QStringLiteral("€")));  // still refused right after a refusal
    QCOMPARE(cp932::encode(QStringLiteral("ア")), QByteArray("\x83\x41"));
    QCOMPARE(cp932::firstUnencodable(QStringLiteral("ok😀€")), QStringLiteral("😀"));
    QVERIFY(!cp932::decode(QByteArray("\x82")));
    QCOMPARE(cp932::decode(QByteArray("\x83\x41")), QStringLiteral("ア"));
    // Control bytes are themselves whether or not the text around them is all ASCII.
    const QByteArray controls("\x1A\x1C\x7F", 3);
    const QString asText = QString::fromLatin1(controls);
    QCOMPARE(cp932::decode(controls), asText);
    const QByteArray mixed = "\x83\x41" + controls;
    QCOMPARE(cp932::decode(mixed), QString(QStringLiteral("ア") + asText));
    QCOMPARE(cp932::encode(QString(QStringLiteral("ア") + asText)), mixed);
    QCOMPARE(cp932::encode(asText), controls);
  }

  void splitLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QList<QByteArray>>("fields");
    using L = QList<QByteArray>;
    QTest::newRow("game line ends with a comma") << QByteArray("\"a\",1,\"b\",") << true << L{"a", "1", "b", ""};
    QTest::newRow("comma inside quotes") << QByteArray("\"a,b\",2") << true << L{"a,b", "2"};
    QTest::newRow("blanks around fields") << QByteArray("  \"a\" , 3 ") << true << L{"a", "3"};
    QTest::newRow("empty quoted") << QByteArray("\"\",\"\"") << true << L{"", ""};
    QTest::newRow("unterminated quote") << QByteArray("\"abc,1") << false << L{};
    QTest::newRow("text after closing quote") << QByteArray("\"a\"b,1") << false << L{};
    QTest::newRow("quote inside bare field") << QByteArray("a\"b,1") << false << L{};
  }
  void splitLine() {
    QFETCH(QByteArray, line);
    QFETCH(bool, readable);
    QFETCH(QList<QByteArray>, fields);
    seq::Fields out;
    QCOMPARE(seq::splitLine(line, out), readable);
    if (!readable) return;
    QList<QByteArray> texts;
    for (const seq::Field& f : out) texts.append(f.bytes.toByteArray());
    QCOMPARE(texts, fields);
  }

  void numberTexts_areShortestAndPlain() {
    QCOMPARE(seq::floatText(23.4f), QStringLiteral("23.4"));
    QCOMPARE(seq::floatText(60.0f), QStringLiteral("60"));
    QCOMPARE(seq::floatText(0.1f), QStringLiteral("0.1"));
    QCOMPARE(seq::floatText(12345678.0f), QStringLiteral("12345678"));
    QCOMPARE(seq::doubleText(45.3), QStringLiteral("45.3"));
    QCOMPARE(seq::parseFloat(".5"), std::optional<float>(0.5f));
    QCOMPARE(seq::parseFloat("12秒"), std::optional<float>());
    QCOMPARE(seq::parseFloat("5."), std::optional<float>(5.0f));
    QCOMPARE(seq::parseFloat("123.4567"), std::optional<float>(123.4567f));
    QCOMPARE(seq::parseFloat("."), std::optional<float>());
    QCOMPARE(seq::parseFloat("1.2.3"), std::optional<float>());
    QCOMPARE(seq::parseInt("+20"), std::optional<qint64>(20));
  }

  void leadingNumber_readsTheNumberAtTheStart() {
    QCOMPARE(leadingNumber(u"07"), 7.0);
    QCOMPARE(leadingNumber(u" 10.5秒"), 10.5);
    QCOMPARE(leadingNumber(u"90.0%"), 90.0);
    QCOMPARE(leadingNumber(u"-3"), -3.0);
    QCOMPARE(leadingNumber(u"ab"), 0.0);
    QCOMPARE(leadingNumber(u""), 0.0);
  }

  void textToDouble_readsLikeQString_data() {
    QTest::addColumn<QString>("text");
    for (const char* text :
         {"12.5", " 7 ", "+3", "-0.25", "1e3", ".5", "5.", "", "abc", "12秒", "1,000", "+-3", "９"}) {
      QTest::newRow(text) << QString::fromUtf8(text);
    }
  }
  void textToDouble_readsLikeQString() {
    QFETCH(QString, text);
    bool ok = false;
    const double expected = text.toDouble(&ok);
    QCOMPARE(textToDouble(text), ok ? std::optional<double>(expected) : std::nullopt);
  }

  void files_areFoundWithoutRegardToCase_andReplacedAtomically() {
    testing::WorkingDir dir;
    writeFile(QStringLiteral("設定.TXT"), "old");
    QCOMPARE(resolveFileName(QStringLiteral("設定.txt")), QStringLiteral("設定.TXT"));
    QCOMPARE(writeTextLines(QStringLiteral("設定.txt"), {QStringLiteral("\"ヘルプツアー\",1")}), QString());
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{QStringLiteral("設定.TXT")});
    QCOMPARE(fileBytes(QStringLiteral("設定.TXT")), sjis("\"ヘルプツアー\",1\r\n"));

    QVERIFY(!writeTextLines(QStringLiteral("設定.txt"), {QStringLiteral("€")}).isEmpty());
    QCOMPARE(fileBytes(QStringLiteral("設定.TXT")), sjis("\"ヘルプツアー\",1\r\n"));

    const TextLines lines = readTextLines(QStringLiteral("設定.txt"));
    QVERIFY(lines.exists);
    QCOMPARE(lines.lines, QStringList{QStringLiteral("\"ヘルプツアー\",1")});
    QVERIFY(!readTextLines(QStringLiteral("ない.txt")).exists);
  }

  // A second copy on the folder finds the first, whatever process it is; once the first is
  // gone (killed, its lock left behind), the folder is free again.
  void folderLock_letsOneCopyRunPerFolder() {
    testing::WorkingDir dir;
    int toParent[2];
    int toChild[2];
    QVERIFY(::pipe(toParent) == 0 && ::pipe(toChild) == 0);
    const pid_t child = ::fork();
    if (child == 0) {
      const std::unique_ptr<QLockFile> lock = lockWorkingFolder();
      char c = lock ? 'y' : 'n';
      const bool told = ::write(toParent[1], &c, 1) == 1 && ::read(toChild[0], &c, 1) == 1;
      ::_exit(told ? 0 : 1);  // without unlocking, as a killed copy would
    }
    char held = 0;
    QCOMPARE(::read(toParent[0], &held, 1), ssize_t(1));
    QCOMPARE(held, 'y');
    QVERIFY(!lockWorkingFolder());
    QCOMPARE(::write(toChild[1], "x", 1), ssize_t(1));
    int status = 0;
    ::waitpid(child, &status, 0);
    QVERIFY(lockWorkingFolder());
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) ::close(fd);
  }

  // A long file is parsed in two halves at once: a bad line in either half fails the file
  // or is skipped, and the records keep the file's order.
  void dataFile_withAnUndecodableLine_failsOrSkipsIt_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("bad");
    QTest::newRow("one line") << 1 << 0;
    QTest::newRow("long, bad in the first half") << 9000 << 10;
    QTest::newRow("long, bad in the second half") << 9000 << 8990;
  }
  void dataFile_withAnUndecodableLine_failsOrSkipsIt() {
    QFETCH(int, lines);
    QFETCH(int, bad);
    testing::WorkingDir dir;
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
      bytes += i == bad ? QByteArray("20,60,\"\x82\"\r\n") : QByteArray::number(i) + ",\"\x82\xa0\"\r\n";
    writeFile(QStringLiteral("x.txt"), bytes);
    const seq::FileRecords failed = seq::readFileRecords(QStringLiteral("x.txt"));
    QVERIFY(!failed.error.isEmpty());
    QVERIFY(failed.records.empty());
    const seq::FileRecords skipped = seq::readFileRecords(QStringLiteral("x.txt"), seq::BadLines::Skip);
    QCOMPARE(skipped.skipped, 1);
    QCOMPARE(qsizetype(skipped.records.size()), lines - 1);
    for (size_t i = 0; i < skipped.records.size(); ++i) {
      QCOMPARE(skipped.records[i], (QStringList{QString::number(int(i) < bad ? i : i + 1), QStringLiteral("あ")}));
    }
  }

  void clock_canBeFrozenAndAdvanced_andRandomRepeatsWithASeed() {
    Clock::setNow(QDateTime(QDate(2024, 5, 1), QTime(23, 59, 59)));
    Clock::setMonotonicMs(1000);
    Clock::advance(2000);
    QCOMPARE(Clock::today(), QDate(2024, 5, 2));
    QCOMPARE(Clock::monotonicMs(), 3000);
    Clock::useRealClocks();
    QVERIFY(Clock::today().isValid());

    Random::seed(7);
    const double a = Random::uniform();
    Random::seed(7);
    QCOMPARE(Random::uniform(), a);
    QVERIFY(a >= 0 && a < 1);
  }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
