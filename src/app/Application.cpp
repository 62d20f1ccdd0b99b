// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"

#include "app/ProgramIcon.h"
#include "platform/widgets/ButtonKeys.h"
#include "platform/widgets/FocusStyle.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

namespace app {

void prepareApplication() {
  QApplication::setApplicationName(QStringLiteral("atama-keisan"));
  // Lets the desktop match the windows with the menu entry and its icon.
  QApplication::setDesktopFileName(QStringLiteral(ATAMA_APP_ID));
  QApplication::setWindowIcon(programIcon());
  QApplication::setStyle(new platform::FocusStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
  // Japanese glyph shapes, not the Chinese ones a fallback font might pick.
  const QString japanese = QStringLiteral("Noto Sans CJK JP");
  if (QFontDatabase::families().contains(japanese)) QApplication::setFont(QFont(japanese, 10));
  platform::installEnterPressesButtons();
  // Standard buttons in Japanese ("キャンセル"); without the translations they stay English.
  static QTranslator qtJapanese;
  if (qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtJapanese);
}

}  // namespace app
