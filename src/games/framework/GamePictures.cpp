// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/framework/GamePictures.h"

#include "platform/widgets/Artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace games {

QPixmap countdownPicture(int step, int size) {
  QPixmap pixmap = platform::blankPicture(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  p.setPen(QPen(QColor(0x30, 0x30, 0x30), s * 0.03));
  p.setBrush(QColor(0x40, 0x40, 0x48));
  p.drawRoundedRect(QRectF(s * 0.3, s * 0.03, s * 0.4, s * 0.94), s * 0.08, s * 0.08);
  const QColor lit[] = {QColor(0xFF, 0x30, 0x30), QColor(0xFF, 0xD0, 0x20), QColor(0x30, 0xE0, 0x50)};
  for (int i = 0; i < 3; ++i) {
    p.setBrush(i + 1 == step ? lit[i] : lit[i].darker(350));
    p.drawEllipse(QPointF(s * 0.5, s * (0.19 + 0.31 * i)), s * 0.12, s * 0.12);
  }
  return pixmap;
}

QPixmap autoSavePicture(int size) {
  QPixmap pixmap = platform::blankPicture(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  p.setPen(QPen(QColor(0x40, 0x50, 0x70), s * 0.05));
  p.setBrush(QColor(0xF8, 0xF8, 0xFF));
  p.drawRect(QRectF(s * 0.18, s * 0.08, s * 0.64, s * 0.84));
  p.setPen(QPen(QColor(0xA0, 0xB0, 0xD0), s * 0.04));
  for (int i = 0; i < 4; ++i) p.drawLine(QPointF(s * 0.28, s * (0.25 + 0.15 * i)), QPointF(s * 0.72, s * (0.25 + 0.15 * i)));
  QPainterPath tick;
  tick.moveTo(s * 0.35, s * 0.55);
  tick.lineTo(s * 0.5, s * 0.72);
  tick.lineTo(s * 0.85, s * 0.3);
  p.setPen(QPen(QColor(0x10, 0xA0, 0x30), s * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(tick);
  return pixmap;
}

}  // namespace games
