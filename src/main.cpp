#include "app/WindowSwitcher.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("atama-keisan"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // Japanese glyph shapes, not the Chinese ones a fallback font might pick.
  const QString japanese = QStringLiteral("Noto Sans CJK JP");
  if (QFontDatabase::families().contains(japanese)) QApplication::setFont(QFont(japanese, 10));
  app::showMainWindow();
  return QApplication::exec();
}
