// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/GridCellDelegate.h"

#include <QApplication>
#include <QGlyphRun>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QTextOption>

namespace platform {

namespace {
// Enough for every cell of several pages of a few grids.
constexpr int kCachedLayouts = 4096;
}  // namespace

size_t qHash(const GridCellDelegate::LayoutKey& key, size_t seed) noexcept {
  return qHashMulti(seed, key.text, key.font, key.width, key.alignment, key.direction);
}

GridCellDelegate::GridCellDelegate(QObject* parent) : QStyledItemDelegate(parent), m_layouts(kCachedLayouts) {}

const GridCellDelegate::Prepared& GridCellDelegate::prepared(const LayoutKey& key) const {
  if (const Prepared* cached = m_layouts.object(key)) return *cached;
  auto* text = new Prepared{QTextLayout(key.text, key.font), {}, {}, false};
  QTextLayout& layout = text->layout;
  QTextOption textOption;
  textOption.setWrapMode(QTextOption::ManualWrap);
  textOption.setTextDirection(Qt::LayoutDirection(key.direction));
  textOption.setAlignment(Qt::Alignment(key.alignment));
  layout.setTextOption(textOption);
  // Otherwise the layout drops its shaped glyphs and shapes the text again on each draw.
  layout.setCacheEnabled(true);
  // One line per paragraph at the text room's width, as the style breaks a cell's text.
  layout.beginLayout();
  qreal y = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(key.width);
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout.endLayout();
  text->size = layout.boundingRect().size().toSize();
  text->oneLine = layout.lineCount() == 1 && layout.lineAt(0).naturalTextWidth() <= key.width;
  for (const QGlyphRun& run : layout.glyphRuns()) text->ink |= run.boundingRect();
  m_layouts.insert(key, text);
  return *text;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QWidget* widget = opt.widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  const QRect room = textRoom(opt, style);
  const Prepared* text = opt.text.isEmpty() ? nullptr : fitting(opt, room);
  // The style draws the focus frame over the text, and only it knows how to cut off a text.
  constexpr auto ownState = QStyle::State_HasFocus | QStyle::State_Editing;
  constexpr auto ownFeatures = QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasCheckIndicator |
                               QStyleOptionViewItem::HasDecoration;
  if ((opt.state & ownState) || (opt.features & ownFeatures) || (!opt.text.isEmpty() && !text)) {
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    return;
  }
  drawBackground(painter, opt, style);
  if (text) drawText(painter, opt, room, *text);
}

const GridCellDelegate::Prepared* GridCellDelegate::fitting(const QStyleOptionViewItem& opt, const QRect& room) const {
  const Prepared& text = prepared({opt.text, opt.font, room.width(),
                                   int(QStyle::visualAlignment(opt.direction, opt.displayAlignment)),
                                   int(opt.direction)});
  if (!text.oneLine || text.size.height() > room.height()) return nullptr;
  return &text;
}

QRect GridCellDelegate::textRoom(const QStyleOptionViewItem& opt, const QStyle* style) {
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
  return opt.rect.adjusted(margin, 0, -margin, 0);
}

void GridCellDelegate::drawBackground(QPainter* painter, const QStyleOptionViewItem& opt, const QStyle* style) {
  if (opt.state & QStyle::State_Selected) {
    // The highlight is the style's own, drawn as for an empty cell.
    QStyleOptionViewItem bare = opt;
    bare.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &bare, painter, opt.widget);
    return;
  }
  if (opt.backgroundBrush.style() == Qt::NoBrush) return;
  if (opt.backgroundBrush.style() == Qt::SolidPattern) {
    painter->fillRect(opt.rect, opt.backgroundBrush.color());
    return;
  }
  // As the style fills an item: the brush's pattern starts at the cell.
  const QPointF origin = painter->brushOrigin();
  painter->setBrushOrigin(opt.rect.topLeft());
  painter->fillRect(opt.rect, opt.backgroundBrush);
  painter->setBrushOrigin(origin);
}

void GridCellDelegate::drawText(QPainter* painter, const QStyleOptionViewItem& opt, const QRect& room,
                                const Prepared& text) {
  QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
  if (group == QPalette::Normal && !(opt.state & QStyle::State_Active)) group = QPalette::Inactive;
  const QPalette::ColorRole role = (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
  const QRect placed = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment, text.size, room);
  const QPointF at(room.x(), placed.top());
  // The style clips a cell's text to the cell; glyphs well inside it need no clip.
  const bool inside = opt.rect.contains(text.ink.translated(at).toAlignedRect().adjusted(-1, -1, 1, 1));
  const QPen pen = painter->pen();
  if (!inside) {
    painter->save();
    painter->setClipRect(opt.rect);
  }
  painter->setPen(opt.palette.color(group, role));
  text.layout.draw(painter, at);
  if (inside) {
    painter->setPen(pen);
  } else {
    painter->restore();
  }
}

}  // namespace platform
