#pragma once

#include <QString>

class QWidget;

namespace platform {

// The help viewer: shows a help file's start page, or closes every help window.
class HelpViewer {
 public:
  // Opens file from the working directory; reports in a message box when it is missing or
  // cannot be opened.
  static void displayTopic(QWidget* owner, const QString& file);
  static void closeAll();
};

}  // namespace platform
