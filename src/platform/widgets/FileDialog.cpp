// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/FileDialog.h"

#include "platform/core/RunState.h"
#include "platform/widgets/MessageBox.h"

#include <QFileDialog>

namespace platform {

namespace {
SaveFileHandler& handler() {
  static SaveFileHandler h;
  return h;
}
const bool registered = onResetRunState([] { handler() = {}; });
}  // namespace

QString chooseSaveFile(QWidget* parent, const SaveFileRequest& request, const QString& defaultSuffix) {
  const RunningBox running(parent);
  if (handler()) return handler()(request);
  QFileDialog dialog(parent, request.title, request.path, request.filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  // Qt's own dialog speaks the program's Japanese translation; the desktop's may not.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void setSaveFileHandler(SaveFileHandler h) { handler() = std::move(h); }

}  // namespace platform
