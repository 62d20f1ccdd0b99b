// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/FocusStyle.h"

#include "platform/widgets/ColorButton.h"

#include <QPainter>
#include <QStyleOption>

namespace platform {

namespace {
QStyle::SubElement focusRectOf(QStyle::ControlElement element) {
  switch (element) {
    case QStyle::CE_PushButton: return QStyle::SE_PushButtonFocusRect;
    case QStyle::CE_CheckBox: return QStyle::SE_CheckBoxFocusRect;
    case QStyle::CE_RadioButton: return QStyle::SE_RadioButtonFocusRect;
    default: return QStyle::SE_CustomBase;
  }
}
}  // namespace

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
  const SubElement focusRect = focusRectOf(element);
  // A ColorButton draws its own frame, over its colour too.
  if (focusRect == SE_CustomBase || !(option->state & State_HasFocus) || qobject_cast<const ColorButton*>(widget))
    return;
  painter->save();
  QPen pen(option->palette.color(QPalette::Highlight), 3);
  pen.setJoinStyle(Qt::MiterJoin);
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->drawRect(QRectF(subElementRect(focusRect, option, widget)).adjusted(0.5, 0.5, -0.5, -0.5));
  painter->restore();
}

}  // namespace platform
