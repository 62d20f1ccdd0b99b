#pragma once

#include <QCache>
#include <QFont>
#include <QStyledItemDelegate>

class QTextLayout;

namespace platform {

// Paints a grid cell exactly as the style does, but keeps the laid-out texts of the cells it
// painted: the style lays out and shapes every visible text several times on every paint,
// which is most of the cost of showing a screen. A text that is cut off, spans lines or sits
// in the focused cell takes the style's own path.
class GridCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit GridCellDelegate(QObject* parent = nullptr);
  ~GridCellDelegate() override;

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
  // The text laid out as the style lays out a cell's text in a line of this width.
  const QTextLayout* layout(const LayoutKey& key) const;
  // The cell's text laid out, or nullptr when it does not fit on one line of its cell.
  const QTextLayout* fittingLayout(const QStyleOptionViewItem& opt, const QStyle* style) const;
  // Where the style puts a cell's text: the cell less the focus frame margin on each side.
  static QRect textRoom(const QStyleOptionViewItem& opt, const QStyle* style);
  static void drawBackground(QPainter* painter, const QStyleOptionViewItem& opt, const QStyle* style);
  static void drawText(QPainter* painter, const QStyleOptionViewItem& opt, const QStyle* style,
                       const QTextLayout& text);

  mutable QCache<LayoutKey, QTextLayout> m_layouts;
};

size_t qHash(const GridCellDelegate::LayoutKey& key, size_t seed = 0) noexcept;

}  // namespace platform
