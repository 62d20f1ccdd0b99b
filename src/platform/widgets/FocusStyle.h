// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace platform {

// The desktop's style with a focus frame a person sees at a glance on buttons, check boxes
// and option buttons: three pixels of the highlight colour instead of a faint line.
class FocusStyle : public QProxyStyle {
  Q_OBJECT
 public:
  explicit FocusStyle(QStyle* base) : QProxyStyle(base) {}

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
};

}  // namespace platform
