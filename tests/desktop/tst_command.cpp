// SPDX-License-Identifier: GPL-3.0-or-later
// The installed atama-keisan command started in an empty folder: where the running program
// keeps its files, told by its lock file.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class CommandTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void start_keepsTheFilesInOneFolder_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("inDataFolder");
    QTest::newRow("plain: the data folder, nothing where it was started") << QStringList{} << true;
    QTest::newRow("--here: where it was started, no data folder") << QStringList{QStringLiteral("--here")} << false;
  }
  void start_keepsTheFilesInOneFolder() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, inDataFolder);
    QTemporaryDir started;
    QTemporaryDir dataHome;
    const QString dataFolder = dataHome.filePath(QStringLiteral("atama-keisan"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    QProcess command;
    command.setProcessEnvironment(environment);
    command.setWorkingDirectory(started.path());
    command.start(QStringLiteral(ATAMA_INSTALLED_COMMAND), arguments);
    QVERIFY(command.waitForStarted());

    const QString inData = QDir(dataFolder).filePath(QStringLiteral(".atama-keisan.lock"));
    const QString inStarted = QDir(started.path()).filePath(QStringLiteral(".atama-keisan.lock"));
    QTRY_VERIFY_WITH_TIMEOUT(
        QFile::exists(inData) || QFile::exists(inStarted) || command.state() == QProcess::NotRunning, 60000);
    const bool ran = command.state() == QProcess::Running;
    command.kill();
    QVERIFY(command.waitForFinished(60000));
    QVERIFY2(ran, command.readAllStandardError().constData());
    QCOMPARE(QFile::exists(inData), inDataFolder);
    if (inDataFolder) {
      QCOMPARE(QDir(started.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
               QStringList{});
    } else {
      QVERIFY(QFile::exists(inStarted));
      QVERIFY(!QFileInfo::exists(dataFolder));
    }
  }
};

QTEST_GUILESS_MAIN(CommandTest)
#include "tst_command.moc"
