// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QUrl;

namespace platform {

// The help viewer: shows a help file's start page, or closes every help window.
class HelpViewer {
 public:
  // Opens file from the working directory in the desktop's viewer; returns what went wrong,
  // empty when the file was handed to a viewer.
  [[nodiscard]] static QString displayTopic(const QString& file);
  static void closeAll();

  // What hands a file to the desktop: true when a viewer took it. Tests install their own;
  // an empty opener brings back the desktop's.
  using Opener = std::function<bool(const QUrl&)>;
  static void setOpener(Opener opener);
};

}  // namespace platform
