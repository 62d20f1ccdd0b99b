#include "app/Application.h"
#include "app/WindowSwitcher.h"
#include "platform/core/TextFile.h"
#include "records/GameItems.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  app::prepareApplication();
  // A write killed before its rename leaves a full copy of the file behind; clear those first.
  QStringList files{QStringLiteral("データ.txt"), QStringLiteral("設定.txt"), QStringLiteral("プライベート.txt"),
                    QStringLiteral("メモ.TXT")};
  for (const QString& item : records::itemNames()) {
    files << item + QStringLiteral("設定.txt") << item + QStringLiteral("履歴.txt");
  }
  platform::removeStaleTemporaryFiles(files);
  app::showMainWindow();
  return QApplication::exec();
}
