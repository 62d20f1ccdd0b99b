// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own binary started twice on one folder, on a session bus of the test's own.
#include "app/SingleCopy.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QProcess>
#include <QTest>

namespace {
// Every file of the folder with its bytes, the hidden ones included.
QStringList folderContent() {
  QStringList content;
  for (const QString& name : QDir().entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
    content << name + QLatin1Char(' ') +
                   QString::fromLatin1(QCryptographicHash::hash(testing::fileBytes(name), QCryptographicHash::Sha256).toHex());
  }
  return content;
}
}  // namespace

class TwoCopiesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void secondStart_showsTheFirst_writesNothing_andEnds() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) QSKIP("no session bus");
    testing::WorkingDir dir;
    testing::writeFile(QStringLiteral("データ.txt"), testing::sjis("\"2024/05/01\",\"09:00:00\",\"表計算\",23.4,\"答数 : 20\",\"\"\r\n"));
    QProcess first;
    first.start(QStringLiteral(ATAMA_BINARY), {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(bus.interface()->isServiceRegistered(app::folderBusName()), 60000);
    const QStringList before = folderContent();

    QProcess second;
    second.start(QStringLiteral(ATAMA_BINARY), {});
    QVERIFY(second.waitForFinished(60000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);  // the first answered: no message, nothing written
    QCOMPARE(folderContent(), before);
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    QVERIFY(first.waitForFinished(60000));
  }
};

QTEST_GUILESS_MAIN(TwoCopiesTest)
#include "tst_two_copies.moc"
