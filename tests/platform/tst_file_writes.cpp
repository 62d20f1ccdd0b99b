// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/TextFile.h"
#include "support/FileFaults.h"
#include "support/TestSupport.h"

#include <QTest>

#include <functional>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

using namespace platform;
using testing::fileBytes;
using testing::writeFile;
using testing::onAFullDisk;
using testing::ReportedError;

namespace {

QByteArray lines(int count, int width) {
  QByteArray bytes;
  for (int i = 0; i < count; ++i) bytes += QByteArray(width - 2, char('a' + i % 26)) + "\r\n";
  return bytes;
}

// Runs f in a child process, as another copy of the program would, while the caller goes on.
template <typename F>
pid_t inAnotherProcess(F f) {
  const pid_t child = ::fork();
  if (child == 0) {
    f();
    ::_exit(0);
  }
  return child;
}

QByteArray numbered(const char* writer, int i) { return QByteArray(writer) + '-' + QByteArray::number(i) + QByteArray(40, '.'); }

// Lines of the file that came from writer, each checked whole.
int wholeLinesOf(const QByteArray& bytes, const char* writer, int count) {
  int found = 0;
  for (int i = 0; i < count; ++i) found += bytes.contains(QByteArray(numbered(writer, i) + "\r\n")) ? 1 : 0;
  return found;
}

mode_t modeOf(const QString& name) {
  struct stat info {};
  ::lstat(QFile::encodeName(name).constData(), &info);
  return info.st_mode & 07777;
}

}  // namespace

class FileWritesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void wholeFileWrite_onAFullDisk_failsAsAWhole_data() {
    QTest::addColumn<QByteArray>("replacement");
    QTest::newRow("small, held in a buffer until the end") << lines(100, 60);
    QTest::newRow("large") << lines(800, 60);
  }
  void wholeFileWrite_onAFullDisk_failsAsAWhole() {
    QFETCH(QByteArray, replacement);
    testing::WorkingDir dir;
    const QByteArray old = lines(3, 20);
    writeFile(QStringLiteral("データ.txt"), old);
    QCOMPARE(onAFullDisk([&] { return writeFileAtomic(QStringLiteral("データ.txt"), replacement); }), ReportedError);
    QCOMPARE(fileBytes(QStringLiteral("データ.txt")), old);
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{QStringLiteral("データ.txt")});

    QCOMPARE(onAFullDisk([&] { return writeFileAtomic(QStringLiteral("新規.txt"), replacement); }), ReportedError);
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{QStringLiteral("データ.txt")});
  }

  void append_onAFullDisk_leavesTheOldBytes_data() {
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<bool>("existed");
    QTest::newRow("line crosses the limit") << lines(1, int(testing::kFullDiskLimit) - 6) << true;
    QTest::newRow("line end completion fits, the line does not") << QByteArray(int(testing::kFullDiskLimit) - 2, 'x') << true;
    QTest::newRow("no file yet") << QByteArray() << false;
  }
  void append_onAFullDisk_leavesTheOldBytes() {
    QFETCH(QByteArray, old);
    QFETCH(bool, existed);
    testing::WorkingDir dir;
    if (existed) writeFile(QStringLiteral("履歴.txt"), old);
    const QByteArray line = existed ? QByteArray(20, 'y') : QByteArray(int(testing::kFullDiskLimit) + 10, 'y');
    QCOMPARE(onAFullDisk([&] { return appendLine(QStringLiteral("履歴.txt"), line); }), ReportedError);
    QCOMPARE(QFile::exists(QStringLiteral("履歴.txt")), existed);
    QCOMPARE(fileBytes(QStringLiteral("履歴.txt")), old);
  }

  // Every failure says why, in words a person can act on; each fault made real in a child.
  void failures_sayWhy_data() {
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder in the file's place") << "その名前のフォルダーがあります。";
    QTest::newRow("a full disk") << "ディスクの空き容量が足りません。";
    QTest::newRow("no free inodes") << "ディスクにこれ以上ファイルを作れません（空き容量はあっても、ファイルの数が上限です）。";
    QTest::newRow("a read-only file system") << "フォルダーが読み取り専用です。";
    QTest::newRow("no permission") << "ファイルかフォルダーに、読み書きする権限がありません。";
  }
  void failures_sayWhy() {
    QFETCH(QString, reason);
    testing::WorkingDir dir;
    const QString name = QStringLiteral("データ.txt");
    const QByteArray large = lines(1, 8000);
    const std::map<QString, std::function<bool()>> faults{
        {QStringLiteral("a folder in the file's place"), [&name] { return QDir().mkdir(name); }},
        {QStringLiteral("a full disk"), testing::fullDisk},
        {QStringLiteral("no free inodes"), testing::noFreeInodes},
        {QStringLiteral("a read-only file system"), testing::readOnlyFileSystem},
        {QStringLiteral("no permission"),
         [] {
           writeFile(QStringLiteral("読めない.txt"), "x");
           return ::chmod("読めない.txt", 0) == 0 && ::chmod(".", 0555) == 0 && testing::withoutRootsRights();
         }}};
    const std::function<bool()> fault = faults.at(QString::fromLatin1(QTest::currentDataTag()));
    const QString said = testing::messageInAChild(fault, [&] {
      QStringList messages{writeFileAtomic(name, large), appendLine(name, large)};
      if (QFile::exists(QStringLiteral("読めない.txt"))) messages << readFileBytes(QStringLiteral("読めない.txt")).error;
      return messages.join(QLatin1Char('\n'));
    });
    ::chmod(".", 0755);
    if (said == QLatin1String("(no limit)")) QSKIP("this machine cannot make the fault real");
    for (const QString& message : said.split(QLatin1Char('\n'))) QVERIFY2(message.endsWith(reason), qPrintable(message));
  }

  void append_completesALastLineWithoutLineEnd() {
    testing::WorkingDir dir;
    QCOMPARE(appendLine(QStringLiteral("履歴.txt"), "a"), QString());
    writeFile(QStringLiteral("履歴.txt"), "a\r\nb");
    QCOMPARE(appendLine(QStringLiteral("履歴.TXT"), "c"), QString());
    QCOMPARE(fileBytes(QStringLiteral("履歴.txt")), QByteArray("a\r\nb\r\nc\r\n"));
    writeFile(QStringLiteral("履歴.txt"), "a\r\nb\r");  // a bare CR wants only its LF
    QCOMPARE(appendLine(QStringLiteral("履歴.txt"), "c"), QString());
    QCOMPARE(fileBytes(QStringLiteral("履歴.txt")), QByteArray("a\r\nb\r\nc\r\n"));
  }

  // Two copies of the program on one folder: appends neither overwrite nor tear each other,
  // and a rewrite over the file as it was read loses no append made meanwhile.
  void twoWriters_loseNoLine_data() {
    QTest::addColumn<bool>("rewriting");
    QTest::newRow("both append") << false;
    QTest::newRow("one rewrites") << true;
  }
  void twoWriters_loseNoLine() {
    QFETCH(bool, rewriting);
    testing::WorkingDir dir;
    const QString name = QStringLiteral("データ.txt");
    constexpr int kLines = 60;
    const pid_t child = inAnotherProcess([&name] {
      for (int i = 0; i < kLines; ++i) (void)appendLine(name, numbered("child", i));
    });
    int parentLines = 0;
    int rewrites = 0;
    for (int status = 0; ::waitpid(child, &status, WNOHANG) == 0;) {
      if (rewriting && rewrites++ < kLines) {
        const QByteArray now = fileBytes(name);
        QVERIFY(replaceFileIfUnchanged(name, now, now).value_or(QString()).isEmpty());
      } else if (parentLines < kLines) {
        QCOMPARE(appendLine(name, numbered("parent", parentLines++)), QString());
      }
    }
    const QByteArray bytes = fileBytes(name);
    QCOMPARE(wholeLinesOf(bytes, "child", kLines), kLines);
    QCOMPARE(wholeLinesOf(bytes, "parent", parentLines), parentLines);
    QCOMPARE(splitLines(bytes).size(), kLines + parentLines);
  }

  void wholeFileWrite_keepsModeAndLinks_andLeavesAReadOnlyFileAlone() {
    testing::WorkingDir dir;
    const mode_t mask = ::umask(022);
    QCOMPARE(writeFileAtomic(QStringLiteral("新規.txt"), "n"), QString());
    QCOMPARE(modeOf(QStringLiteral("新規.txt")), mode_t(0644));
    ::umask(mask);

    writeFile(QStringLiteral("秘密.txt"), "old");
    ::chmod("秘密.txt", 0600);
    QCOMPARE(writeFileAtomic(QStringLiteral("秘密.txt"), "new"), QString());
    QCOMPARE(modeOf(QStringLiteral("秘密.txt")), mode_t(0600));

    QVERIFY(QFile::link(QStringLiteral("秘密.txt"), QStringLiteral("リンク.txt")));
    QCOMPARE(writeFileAtomic(QStringLiteral("リンク.txt"), "linked"), QString());
    QVERIFY(QFileInfo(QStringLiteral("リンク.txt")).isSymLink());
    QCOMPARE(fileBytes(QStringLiteral("秘密.txt")), QByteArray("linked"));

    if (::geteuid() != 0) {  // root may write anything
      ::chmod("秘密.txt", 0444);
      QVERIFY(!writeFileAtomic(QStringLiteral("秘密.txt"), "other").isEmpty());
      QCOMPARE(fileBytes(QStringLiteral("秘密.txt")), QByteArray("linked"));
    }
    QCOMPARE(QDir::current().entryList(QDir::Files).size(), 3);
  }

  void staleTemporaryFiles_areRemoved_andLookAlikeUserFilesKept() {
    testing::WorkingDir dir;
    // Only our own, and only once old: a young one is another copy's save under way.
    const QStringList leftovers{QStringLiteral("データ.txt.atama-a1B2c3.tmp"), QStringLiteral("設定.txt.atama-ZZZZZZ.tmp")};
    const QStringList kept{
        QStringLiteral("データ.txt.aBcDeF"),           QStringLiteral("データ.txt.QwErty"),
        QStringLiteral("データ.txt.oldBak"),           QStringLiteral("メモ.TXT.oldMem"),
        QStringLiteral("設定.TXT.xYzzyQ"),             QStringLiteral("データ.txt.atama-y0uNg1.tmp"),
        QStringLiteral("データ.txt"),                  QStringLiteral("データ.txt.bak"),
        QStringLiteral("データ.txt.old"),              QStringLiteral("データ.txt.backup"),
        QStringLiteral("データ.txt.Backup"),           QStringLiteral("データ.txt.BACKUP"),
        QStringLiteral("データ.txt.copy01"),           QStringLiteral("データ.txt.aBcDe"),
        QStringLiteral("データ.txt.aBcDeFg"),          QStringLiteral("データ.txt.aB-DeF"),
        QStringLiteral("データ.txtaBcDeF"),            QStringLiteral("他.txt.aBcDeF"),
        QStringLiteral("xデータ.txt.aBcDeF"),          QStringLiteral("データ.txt.atama-a1B2c3"),
        QStringLiteral("データ.txt.atama-a1B2c.tmp"),  QStringLiteral("データ.txt.atama-a1B2c3.tmp.bak")};
    for (const QString& name : leftovers + kept) writeFile(name, "x");
    const utimbuf twoMinutesAgo{std::time(nullptr) - 120, std::time(nullptr) - 120};
    for (const QString& name : leftovers) QCOMPARE(::utime(QFile::encodeName(name).constData(), &twoMinutesAgo), 0);
    QVERIFY(QDir().mkdir(QStringLiteral("データ.txt.qWeRtY")));
    QVERIFY(QFile::link(QStringLiteral("データ.txt"), QStringLiteral("データ.txt.LiNkEd")));

    removeStaleTemporaryFiles({QStringLiteral("データ.txt"), QStringLiteral("設定.txt")});

    QStringList expected = kept + QStringList{QStringLiteral("データ.txt.LiNkEd")};
    QStringList present = QDir::current().entryList(QDir::Files | QDir::System);
    expected.sort();
    present.sort();
    QCOMPARE(present, expected);
    QVERIFY(QFileInfo(QStringLiteral("データ.txt.qWeRtY")).isDir());
  }
};

QTEST_GUILESS_MAIN(FileWritesTest)
#include "tst_file_writes.moc"
