// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {

struct SaveFileRequest {
  QString title;
  QString path;    // the folder and the name proposed
  QString filter;  // "CSV ファイル (*.csv)"
};

// The standard dialog that asks where to save a file, in the program's language, asking
// before it replaces a file that is there; the path chosen, empty when cancelled. Tests
// install a handler that answers instead of a real dialog.
QString chooseSaveFile(QWidget* parent, const SaveFileRequest& request, const QString& defaultSuffix);

using SaveFileHandler = std::function<QString(const SaveFileRequest&)>;
// Installs handler for every later dialog; an empty handler brings back real dialogs.
void setSaveFileHandler(SaveFileHandler handler);

}  // namespace platform
