// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramIcon.h"

#include <QDir>

namespace app {

QIcon programIcon() {
  QIcon icon;
  // The PNGs, not the SVG: drawing an SVG would need Qt's SVG plugin at run time.
  const QDir sizes(QStringLiteral(":/icons"));
  for (const QString& size : sizes.entryList(QDir::Dirs)) {
    const QDir apps(sizes.filePath(size) + QStringLiteral("/apps"));
    for (const QString& file : apps.entryList({QStringLiteral("*.png")}, QDir::Files))
      icon.addFile(apps.filePath(file));
  }
  return icon;
}

}  // namespace app
