#include "app/ProgramIcon.h"
#include "app/WindowSwitcher.h"
#include "platform/core/TextFile.h"
#include "platform/widgets/ButtonKeys.h"
#include "records/GameItems.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QStringList>
#include <QTranslator>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("atama-keisan"));
  // Lets the desktop match the windows with the menu entry and its icon.
  QApplication::setDesktopFileName(QStringLiteral(ATAMA_APP_ID));
  QApplication::setWindowIcon(app::programIcon());
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // Japanese glyph shapes, not the Chinese ones a fallback font might pick.
  const QString japanese = QStringLiteral("Noto Sans CJK JP");
  if (QFontDatabase::families().contains(japanese)) QApplication::setFont(QFont(japanese, 10));
  platform::installEnterPressesButtons();
  // Standard buttons in Japanese ("キャンセル"); without the translations they stay English.
  QTranslator qtJapanese;
  if (qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtJapanese);
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
