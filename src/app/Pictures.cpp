// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Pictures.h"

#include "platform/widgets/Artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace app {

namespace {
using platform::blankPicture;

void drawEyes(QPainter& p, double s, bool closed) {
  p.setBrush(QColor(0x40, 0x30, 0x20));
  if (closed) {
    p.setBrush(Qt::NoBrush);
    for (double x : {0.34, 0.66}) {
      QPainterPath arc;
      arc.moveTo(s * (x - 0.08), s * 0.42);
      arc.quadTo(s * x, s * 0.32, s * (x + 0.08), s * 0.42);
      p.drawPath(arc);
    }
    return;
  }
  p.drawEllipse(QPointF(s * 0.35, s * 0.40), s * 0.05, s * 0.065);
  p.drawEllipse(QPointF(s * 0.65, s * 0.40), s * 0.05, s * 0.065);
}
}  // namespace

QPixmap facePicture(Face face, int size) {
  QPixmap pixmap = blankPicture(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  const QColor skin = face == Face::NoPlay ? QColor(0xE8, 0xE8, 0xE8) : QColor(0xFF, 0xE0, 0x70);
  p.setPen(QPen(QColor(0x80, 0x60, 0x30), s * 0.04));
  p.setBrush(skin);
  p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));

  QPen line(QColor(0x40, 0x30, 0x20), s * 0.05, Qt::SolidLine, Qt::RoundCap);
  p.setPen(line);
  drawEyes(p, s, face == Face::Laughing || face == Face::NoPlay);
  p.setBrush(Qt::NoBrush);
  QPainterPath mouth;
  switch (face) {
    case Face::NoPlay:  // asleep, waiting for the first play
      mouth.addEllipse(QPointF(s * 0.5, s * 0.68), s * 0.05, s * 0.04);
      p.setPen(QPen(QColor(0x60, 0x60, 0xA0), s * 0.035));
      p.setFont(QFont(p.font().family(), qMax(6, int(s * 0.16)), QFont::Bold));
      p.drawText(QRectF(s * 0.62, s * 0.02, s * 0.36, s * 0.3), Qt::AlignCenter, QStringLiteral("z"));
      p.setPen(line);
      break;
    case Face::Sulky:
      mouth.moveTo(s * 0.34, s * 0.72);
      mouth.quadTo(s * 0.5, s * 0.64, s * 0.66, s * 0.72);
      break;
    case Face::Smiling:
      mouth.moveTo(s * 0.32, s * 0.64);
      mouth.quadTo(s * 0.5, s * 0.80, s * 0.68, s * 0.64);
      break;
    case Face::Laughing:
      mouth.moveTo(s * 0.28, s * 0.58);
      mouth.quadTo(s * 0.5, s * 0.92, s * 0.72, s * 0.58);
      mouth.closeSubpath();
      p.setBrush(QColor(0xD0, 0x40, 0x40));
      break;
  }
  p.drawPath(mouth);
  return pixmap;
}

QPixmap gamePicture(int size) {
  QPixmap pixmap = blankPicture(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const double b = size / 3.2;
  const QColor colours[] = {QColor(0xFF, 0x80, 0x80), QColor(0x80, 0xC0, 0xFF), QColor(0x90, 0xE0, 0x90)};
  const QPointF places[] = {{0.1, 2.0}, {1.1, 2.0}, {2.1, 2.0}, {0.6, 1.0}, {1.6, 1.0}, {1.1, 0.0}};
  int n = 0;
  for (const QPointF& at : places) {
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(colours[n++ % 3]);
    p.drawRect(QRectF(at.x() * b, at.y() * b + size * 0.03, b, b));
  }
  return pixmap;
}

QPixmap tourPicture(int size) {
  QPixmap pixmap = blankPicture(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(s * 0.05, s * 0.05, s * 0.9, s * 0.7), s * 0.2, s * 0.2);
  bubble.moveTo(s * 0.3, s * 0.7);
  bubble.lineTo(s * 0.22, s * 0.95);
  bubble.lineTo(s * 0.5, s * 0.72);
  p.setPen(QPen(QColor(0x30, 0x60, 0xA0), s * 0.05));
  p.setBrush(QColor(0xE0, 0xF0, 0xFF));
  p.drawPath(bubble.simplified());
  p.setFont(QFont(p.font().family(), qMax(6, int(s * 0.4)), QFont::Bold));
  p.drawText(QRectF(0, s * 0.05, s, s * 0.7), Qt::AlignCenter, QStringLiteral("?"));
  return pixmap;
}

}  // namespace app
