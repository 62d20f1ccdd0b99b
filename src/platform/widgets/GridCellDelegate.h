// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCache>
#include <QFont>
#include <QStyledItemDelegate>
#include <QTextLayout>

namespace platform {

// Paints a grid cell exactly as the style does, but keeps the laid-out texts of the cells it
// painted: the style lays out and shapes every visible text several times on every paint,
// which is most of the cost of showing a screen. A text that is cut off, spans lines or sits
// in the focused cell takes the style's own path.
class GridCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit GridCellDelegate(QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  struct LayoutKey {
    QString text;
    QFont font;
    int width;
    int alignment;
    int direction;
    bool operator==(const LayoutKey&) const = default;
  };

 private:
  // A text laid out as the style lays out a cell's text in a line of the key's width.
  struct Prepared {
    QTextLayout layout;
    QSize size;    // of the laid-out lines, as the style places them
    QRectF ink;    // where its glyphs paint, from the layout's origin
    bool oneLine;  // fits the width on one line
  };
  const Prepared& prepared(const LayoutKey& key) const;
  // The cell's text prepared, or nullptr when it does not fit on one line of its cell.
  const Prepared* fitting(const QStyleOptionViewItem& opt, const QRect& room) const;
  // Where the style puts a cell's text: the cell less the focus frame margin on each side.
  static QRect textRoom(const QStyleOptionViewItem& opt, const QStyle* style);
  static void drawBackground(QPainter* painter, const QStyleOptionViewItem& opt, const QStyle* style);
  static void drawText(QPainter* painter, const QStyleOptionViewItem& opt, const QRect& room, const Prepared& text);

  mutable QCache<LayoutKey, Prepared> m_layouts;
};

size_t qHash(const GridCellDelegate::LayoutKey& key, size_t seed = 0) noexcept;

}  // namespace platform
