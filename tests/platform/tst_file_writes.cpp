#include "platform/core/TextFile.h"
#include "support/FileFaults.h"
#include "support/TestSupport.h"

#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

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

  void append_completesALastLineWithoutLineEnd() {
    testing::WorkingDir dir;
    QCOMPARE(appendLine(QStringLiteral("履歴.txt"), "a"), QString());
    writeFile(QStringLiteral("履歴.txt"), "a\r\nb");
    QCOMPARE(appendLine(QStringLiteral("履歴.TXT"), "c"), QString());
    QCOMPARE(fileBytes(QStringLiteral("履歴.txt")), QByteArray("a\r\nb\r\nc\r\n"));
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
    const QStringList leftovers{
        QStringLiteral("データ.txt.aBcDeF"),           QStringLiteral("データ.txt.QwErty"),
        QStringLiteral("設定.TXT.xYzzyQ"),             QStringLiteral("データ.txt.atama-a1B2c3.tmp"),
        QStringLiteral("設定.txt.atama-ZZZZZZ.tmp")};
    const QStringList kept{
        QStringLiteral("データ.txt"),                  QStringLiteral("データ.txt.bak"),
        QStringLiteral("データ.txt.old"),              QStringLiteral("データ.txt.backup"),
        QStringLiteral("データ.txt.Backup"),           QStringLiteral("データ.txt.BACKUP"),
        QStringLiteral("データ.txt.copy01"),           QStringLiteral("データ.txt.aBcDe"),
        QStringLiteral("データ.txt.aBcDeFg"),          QStringLiteral("データ.txt.aB-DeF"),
        QStringLiteral("データ.txtaBcDeF"),            QStringLiteral("他.txt.aBcDeF"),
        QStringLiteral("xデータ.txt.aBcDeF"),          QStringLiteral("データ.txt.atama-a1B2c3"),
        QStringLiteral("データ.txt.atama-a1B2c.tmp"),  QStringLiteral("データ.txt.atama-a1B2c3.tmp.bak")};
    for (const QString& name : leftovers + kept) writeFile(name, "x");
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
