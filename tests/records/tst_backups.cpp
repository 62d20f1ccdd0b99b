// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Clock.h"
#include "records/Backups.h"
#include "records/DataFiles.h"
#include "support/FileFaults.h"
#include "support/FreshRunTest.h"

#include <QDir>
#include <QTest>

#include <sys/stat.h>
#include <utime.h>

#include <ctime>

using platform::Clock;
using records::kBackupFolder;
using testing::fileBytes;
using testing::sjis;
using testing::writeFile;

namespace {
// As another program leaves a file: code page 932, CR LF, and a line that is no record.
const QByteArray kOtherTool = sjis("\"2024/05/01\",\"09:00:00\",\"表計算\",23.40,\"答数 : 20\",\r\n") + "\x81,\"x\r\n" +
                              sjis("\"2024/05/02\",\"10:00:00\",\"逆計算\",7,\"前の日記, 続き\",\"\"\r\n");

QStringList folderEntries() {
  return QDir(kBackupFolder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
QByteArray copyBytes(const records::Backup& copy) { return fileBytes(copy.path); }
QByteArray numbered(int i) {
  return sjis(QStringLiteral("\"2026/12/09\",\"12:00:00\",\"表計算\",%1,\"\",\r\n").arg(i));
}
}  // namespace

class BackupsTest : public testing::FreshRunTest {
  Q_OBJECT
 public:
  BackupsTest() : FreshRunTest(QDate(2026, 12, 9)) {}

 private Q_SLOTS:
  void replacement_keepsTheOldBytesFirst_namedByTheFileAndTheMillisecond_data() {
    QTest::addColumn<QString>("onDisk");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<QString>("copy");
    QTest::newRow("play record") << "データ.txt"
                                 << "データ.txt"
                                 << "データ_20261209-120000-000.txt";
    QTest::newRow("play record, named in capitals") << "データ.TXT"
                                                    << "データ.txt"
                                                    << "データ_20261209-120000-000.TXT";
    QTest::newRow("history") << "表計算履歴.txt"
                             << "表計算履歴.txt"
                             << "表計算履歴_20261209-120000-000.txt";
    QTest::newRow("memo") << "メモ.TXT"
                          << "メモ.TXT"
                          << "メモ_20261209-120000-000.TXT";
    QTest::newRow("nickname") << "プライベート.txt"
                              << "プライベート.txt"
                              << "プライベート_20261209-120000-000.txt";
  }
  void replacement_keepsTheOldBytesFirst_namedByTheFileAndTheMillisecond() {
    QFETCH(QString, onDisk);
    QFETCH(QString, replaced);
    QFETCH(QString, copy);
    writeFile(onDisk, kOtherTool);
    QCOMPARE(records::replaceKeptFile(replaced, "new\r\n"), QString());
    QCOMPARE(folderEntries(), QStringList{copy});
    QCOMPARE(fileBytes(kBackupFolder + QLatin1Char('/') + copy), kOtherTool);
    QCOMPARE(fileBytes(onDisk), QByteArray("new\r\n"));
    const std::vector<records::Backup> copies = records::listBackups();
    QCOMPARE(copies.size(), size_t(1));
    QCOMPARE(copies[0].fileName, onDisk);  // a restore writes back to the file's real name
    QCOMPARE(copies[0].takenAt, QDateTime(QDate(2026, 12, 9), QTime(12, 0)));
  }

  void nothingToKeep_makesNoCopy_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("keptAlready");
    QTest::newRow("missing file") << false << QByteArray() << false;
    QTest::newRow("empty file") << true << QByteArray() << false;
    QTest::newRow("bytes the newest copy holds") << true << kOtherTool << true;
  }
  void nothingToKeep_makesNoCopy() {
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, keptAlready);
    if (keptAlready) {
      writeFile(records::kRecordFileName, bytes);
      QCOMPARE(records::replaceKeptFile(records::kRecordFileName, {}), QString());
      Clock::advance(1000);
    }
    if (exists) writeFile(records::kRecordFileName, bytes);
    const QStringList before = folderEntries();
    QCOMPARE(records::replaceKeptFile(records::kRecordFileName, "new\r\n"), QString());
    QCOMPARE(folderEntries(), before);
    QCOMPARE(fileBytes(records::kRecordFileName), QByteArray("new\r\n"));
  }

  void the21stCopy_dropsTheOldestOfThatFileOnly() {
    writeFile(records::kMemoFileName, "memo\r\n");
    QCOMPARE(records::replaceKeptFile(records::kMemoFileName, "memo 2\r\n"), QString());
    for (int i = 0; i <= records::kCopiesPerFile; ++i) {
      Clock::advance(1);
      writeFile(records::kRecordFileName, numbered(i));
      QCOMPARE(records::replaceKeptFile(records::kRecordFileName, {}), QString());
    }
    const std::vector<records::Backup> copies = records::listBackups();
    QCOMPARE(copies.size(), size_t(records::kCopiesPerFile + 1));
    QCOMPARE(copyBytes(copies.front()), numbered(records::kCopiesPerFile));
    QCOMPARE(copies[copies.size() - 2].fileName, records::kRecordFileName);
    QCOMPARE(copyBytes(copies[copies.size() - 2]), numbered(1));
    QCOMPARE(copies.back().fileName, records::kMemoFileName);  // older than all, another file's
  }

  void twoCopiesInOneMillisecond_bothStay_theLaterFirst() {
    writeFile(records::kRecordFileName, "a\r\n");
    QCOMPARE(records::replaceKeptFile(records::kRecordFileName, "b\r\n"), QString());
    QCOMPARE(records::replaceKeptFile(records::kRecordFileName, "c\r\n"), QString());
    QCOMPARE(folderEntries(), (QStringList{"データ_20261209-120000-000-2.txt", "データ_20261209-120000-000.txt"}));
    const std::vector<records::Backup> copies = records::listBackups();
    QCOMPARE(copies.size(), size_t(2));
    QCOMPARE(copyBytes(copies[0]), QByteArray("b\r\n"));
    QCOMPARE(copyBytes(copies[1]), QByteArray("a\r\n"));
  }

  void sizeCap_dropsTheOldestOfAnyFile_neverTheCopyJustMade() {
    constexpr qsizetype kLarge = 20 * 1024 * 1024;  // three are over the limit, two are not
    const QStringList files{records::kMemoFileName, records::kPrivateFileName, records::kRecordFileName};
    for (const QString& name : files) {
      Clock::advance(1000);
      writeFile(name, QByteArray(kLarge, name == records::kRecordFileName ? 'd' : 'x'));
      QCOMPARE(records::replaceKeptFile(name, {}), QString());
    }
    std::vector<records::Backup> copies = records::listBackups();
    QCOMPARE(copies.size(), size_t(2));
    QCOMPARE(copies[0].fileName, records::kRecordFileName);
    QCOMPARE(copies[1].fileName, records::kPrivateFileName);

    // One copy larger than the limit alone stays as the newest; every other goes.
    writeFile(records::kMemoFileName, QByteArray(records::kBackupBytes + 1, 'm'));
    QCOMPARE(records::replaceKeptFile(records::kMemoFileName, {}), QString());
    copies = records::listBackups();
    QCOMPARE(copies.size(), size_t(1));
    QCOMPARE(copies[0].fileName, records::kMemoFileName);
  }

  void failedCopy_changesNothing_andSaysWhy_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a file in the folder's place") << "file"
                                                  << "同じ名前のファイルがあります";
    QTest::newRow("a read-only folder") << "read-only"
                                        << "権限がありません";
    QTest::newRow("a full disk") << "full"
                                 << "空き容量が足りません";
  }
  void failedCopy_changesNothing_andSaysWhy() {
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    QByteArray old;
    for (int i = 0; i < 200; ++i) old += numbered(i);  // more than a full disk takes
    writeFile(records::kRecordFileName, old);
    const auto attempt = [] { return records::replaceKeptFile(records::kRecordFileName, {}); };
    QString message;
    if (fault == QLatin1String("file")) {
      writeFile(kBackupFolder, "not a folder");
      message = attempt();
    } else if (fault == QLatin1String("read-only")) {
      QVERIFY(QDir().mkdir(kBackupFolder));
      QCOMPARE(::chmod(QFile::encodeName(kBackupFolder).constData(), 0555), 0);
      message = testing::messageInAChild(testing::withoutRootsRights, attempt);
      ::chmod(QFile::encodeName(kBackupFolder).constData(), 0755);
    } else {
      message = testing::messageInAChild(testing::fullDisk, attempt);
    }
    if (message == QLatin1String("(no limit)")) QSKIP("cannot limit the child");
    QVERIFY2(message.contains(records::kRecordFileName), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QCOMPARE(fileBytes(records::kRecordFileName), old);
    if (QFileInfo(kBackupFolder).isDir()) QCOMPARE(folderEntries(), QStringList());  // no part of a copy either
  }

  void restore_putsTheCopyBackByteForByte_keepingTheFileItReplaces_soThatItCanBeUndone() {
    writeFile(QStringLiteral("データ.TXT"), kOtherTool);
    QCOMPARE(records::replaceKeptFile(records::kRecordFileName, "after a deletion\r\n"), QString());
    Clock::advance(60'000);
    const records::Backup original = records::listBackups().front();
    QCOMPARE(records::restoreBackup(original), QString());
    QCOMPARE(fileBytes(QStringLiteral("データ.TXT")), kOtherTool);
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{QStringLiteral("データ.TXT")});

    const std::vector<records::Backup> copies = records::listBackups();
    QCOMPARE(copies.size(), size_t(2));
    QCOMPARE(copyBytes(copies[0]), QByteArray("after a deletion\r\n"));
    QCOMPARE(copies[1].path, original.path);  // the copy put back stays
    QCOMPARE(records::restoreBackup(copies[0]), QString());
    QCOMPARE(fileBytes(QStringLiteral("データ.TXT")), QByteArray("after a deletion\r\n"));
  }

  void folder_listsOnlyCopiesOfKeptFiles_andClearsOnlyItsOwnStaleTemporaries() {
    QVERIFY(QDir().mkdir(kBackupFolder));
    const QString stale = QStringLiteral("データ_20261209-120000-001.txt.atama-a1B2c3.tmp");
    const QStringList kept{QStringLiteral("データ_20261209-120000-000.txt"),
                           QStringLiteral("設定_20261209-120000-000.txt"),
                           QStringLiteral("データ.txt"),
                           QStringLiteral("メモ_2026.TXT"),
                           QStringLiteral("自分のメモ.txt"),
                           QStringLiteral("自分のメモ.txt.atama-a1B2c3.tmp"),
                           QStringLiteral("メモ_20261209-120000-000.TXT.atama-y0uNg1.tmp")};
    for (const QString& name : kept + QStringList{stale}) writeFile(kBackupFolder + QLatin1Char('/') + name, "x");
    const utimbuf twoMinutesAgo{std::time(nullptr) - 120, std::time(nullptr) - 120};
    for (const QString& name : {stale, kept[5]}) {
      QCOMPARE(::utime(QFile::encodeName(kBackupFolder + QLatin1Char('/') + name).constData(), &twoMinutesAgo), 0);
    }

    const std::vector<records::Backup> copies = records::listBackups();
    QCOMPARE(copies.size(), size_t(1));
    QCOMPARE(copies[0].fileName, records::kRecordFileName);

    records::removeStaleCopies();
    QStringList expected = kept;
    expected.sort();
    QCOMPARE(folderEntries(), expected);
  }
};

QTEST_MAIN(BackupsTest)
#include "tst_backups.moc"
