// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/coins/CoinPictures.h"

#include "games/coins/CoinRules.h"
#include "platform/core/TextFile.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace games::coins {

namespace {
struct Metal {
  QColor light, face, dark, ink;
};

struct CoinLook {
  double diameterMm;
  Metal metal;
  bool hole;
  bool reeded;  // a milled edge
};

CoinLook lookOf(int value) {
  const Metal aluminium{QColor(0xFA, 0xFB, 0xFC), QColor(0xD9, 0xDD, 0xE1), QColor(0x9A, 0xA1, 0xA8), QColor(0x70, 0x78, 0x80)};
  const Metal brass{QColor(0xFF, 0xEA, 0x9A), QColor(0xDB, 0xB2, 0x45), QColor(0x9C, 0x74, 0x1E), QColor(0x7A, 0x55, 0x10)};
  const Metal bronze{QColor(0xF0, 0xA8, 0x78), QColor(0xB8, 0x6B, 0x3A), QColor(0x74, 0x3E, 0x1C), QColor(0x5A, 0x2C, 0x10)};
  const Metal cupronickel{QColor(0xF2, 0xF3, 0xF4), QColor(0xB9, 0xBD, 0xC2), QColor(0x79, 0x7F, 0x86), QColor(0x4C, 0x52, 0x5A)};
  switch (value) {
    case 1: return {20.0, aluminium, false, false};
    case 5: return {22.0, brass, true, false};
    case 10: return {23.5, bronze, false, false};
    case 50: return {21.0, cupronickel, true, true};
    default: return {22.6, cupronickel, false, true};
  }
}

void drawRim(QPainter& p, const QPointF& c, double r, const CoinLook& look) {
  QRadialGradient shine(c + QPointF(-r * 0.35, -r * 0.4), r * 1.5);
  shine.setColorAt(0, look.metal.light);
  shine.setColorAt(0.55, look.metal.face);
  shine.setColorAt(1, look.metal.dark);
  p.setPen(QPen(look.metal.dark, r * 0.05));
  p.setBrush(shine);
  p.drawEllipse(c, r, r);
  if (look.reeded) {
    p.setPen(QPen(look.metal.dark, r * 0.025));
    for (int i = 0; i < 60; ++i) {
      const double a = i * 2 * std::numbers::pi / 60;
      p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 0.9, c + QPointF(std::cos(a), std::sin(a)) * r * 0.98);
    }
  }
  // The raised border inside the edge.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(look.metal.dark, r * 0.035));
  p.drawEllipse(c, r * 0.84, r * 0.84);
  p.setPen(QPen(look.metal.light, r * 0.03));
  p.drawArc(QRectF(c.x() - r * 0.8, c.y() - r * 0.8, r * 1.6, r * 1.6), 200 * 16, 180 * 16);
}

// The value, struck into the metal: a light edge below, the ink above it.
void drawNumber(QPainter& p, const QRectF& box, const QString& text, double height, const Metal& metal) {
  QFont font(QStringLiteral("Sans"));
  font.setBold(true);
  font.setPixelSize(qMax(1, int(std::lround(height))));
  font.setLetterSpacing(QFont::PercentageSpacing, 92);
  p.setFont(font);
  const double shift = qMax(0.5, height * 0.06);
  p.setPen(metal.light);
  p.drawText(box.translated(shift, shift), Qt::AlignCenter, text);
  p.setPen(metal.ink);
  p.drawText(box, Qt::AlignCenter, text);
}

void drawHole(QPainter& p, const QPointF& c, double r, const CoinLook& look) {
  // A hole shows what lies behind the coin.
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(c, r, r);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(look.metal.dark, r * 0.25));
  p.drawEllipse(c, r * 1.1, r * 1.1);
  p.setPen(QPen(look.metal.light, r * 0.16));
  p.drawArc(QRectF(c.x() - r * 1.2, c.y() - r * 1.2, r * 2.4, r * 2.4), 20 * 16, 180 * 16);
}

void paintCoin(QPainter& p, int value, QSizeF slot) {
  const CoinLook look = lookOf(value);
  const double largest = qMin(slot.width(), slot.height()) * 0.98;
  const double r = largest / 2 * look.diameterMm / 23.5;
  const QPointF c(slot.width() / 2, slot.height() / 2);
  drawRim(p, c, r, look);
  const QString text = QString::number(value);
  if (look.hole) {
    const double hole = r * (value == 5 ? 0.23 : 0.19);
    drawNumber(p, QRectF(c.x() - r * 0.8, c.y() - r * 0.82, r * 1.6, r * 0.62), text, r * 0.58, look.metal);
    drawHole(p, c, hole, look);
    if (value == 5) {
      // The ear of rice below the hole.
      p.setPen(QPen(look.metal.ink, r * 0.05, Qt::SolidLine, Qt::RoundCap));
      for (int i = -2; i <= 2; ++i) {
        p.drawLine(c + QPointF(i * r * 0.11, r * 0.38), c + QPointF(i * r * 0.15, r * 0.6));
      }
    } else {
      // Chrysanthemum petals below the hole.
      p.setPen(QPen(look.metal.ink, r * 0.05, Qt::SolidLine, Qt::RoundCap));
      for (int i = 0; i < 5; ++i) {
        const double a = std::numbers::pi * (0.2 + 0.15 * i);
        const QPointF towards(std::cos(a), std::sin(a));
        p.drawLine(c + towards * r * 0.4, c + towards * r * 0.62);
      }
    }
    return;
  }
  const double height = text.size() >= 3 ? r * 0.62 : r * 0.8;
  drawNumber(p, QRectF(c.x() - r * 0.82, c.y() - r * 0.56, r * 1.64, r * 1.05), text, height, look.metal);
}
}  // namespace

QPixmap drawnCoin(int value, QSize slot, qreal ratio) {
  const qreal dpr = qMax<qreal>(1.0, ratio);
  QImage image(slot * dpr, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return {};
  image.setDevicePixelRatio(dpr);
  image.fill(Qt::transparent);
  QPainter p(&image);
  if (!p.isActive()) return {};
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  paintCoin(p, value, QSizeF(slot));
  p.end();
  return QPixmap::fromImage(image);
}

QPixmap coinPicture(int value, QSize slot, qreal ratio) {
  // A coin is a few kilobytes; a file far larger is no coin and is not read at all.
  constexpr qint64 kLargestPictureBytes = 4 * 1024 * 1024;
  constexpr int kLargestSide = 2048;
  const QString name = pictureFileName(value);
  const std::optional<platform::FileStamp> stamp = platform::fileStamp(name);
  if (!stamp || stamp->size > kLargestPictureBytes) return drawnCoin(value, slot, ratio);
  const platform::FileBytes file = platform::readFileBytes(name);
  QImage image;
  if (file.exists && file.error.isEmpty()) {
    QBuffer buffer;
    buffer.setData(file.bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && size.width() <= kLargestSide && size.height() <= kLargestSide) image = reader.read();
  }
  if (image.isNull()) return drawnCoin(value, slot, ratio);
  if (image.width() > slot.width() || image.height() > slot.height()) {
    const qreal dpr = qMax<qreal>(1.0, ratio);
    image = image.scaled(slot * dpr, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(dpr);
  }
  return QPixmap::fromImage(image);
}

}  // namespace games::coins
