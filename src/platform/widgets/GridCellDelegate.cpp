#include "platform/widgets/GridCellDelegate.h"

#include <QApplication>
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

GridCellDelegate::~GridCellDelegate() = default;

const QTextLayout* GridCellDelegate::layout(const LayoutKey& key) const {
  if (QTextLayout* cached = m_layouts.object(key)) return cached;
  auto* layout = new QTextLayout(key.text, key.font);
  QTextOption textOption;
  textOption.setWrapMode(QTextOption::ManualWrap);
  textOption.setTextDirection(Qt::LayoutDirection(key.direction));
  textOption.setAlignment(Qt::Alignment(key.alignment));
  layout->setTextOption(textOption);
  // Otherwise the layout drops its shaped glyphs and shapes the text again on each draw.
  layout->setCacheEnabled(true);
  // One line per paragraph at the text room's width, as the style breaks a cell's text.
  layout->beginLayout();
  qreal y = 0;
  for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
    line.setLineWidth(key.width);
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout->endLayout();
  m_layouts.insert(key, layout);
  return layout;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QWidget* widget = opt.widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  const QTextLayout* text = opt.text.isEmpty() ? nullptr : fittingLayout(opt, style);
  // The style draws the focus frame over the text, and only it knows how to cut off a text.
  constexpr auto ownState = QStyle::State_HasFocus | QStyle::State_Editing;
  constexpr auto ownFeatures = QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasCheckIndicator |
                               QStyleOptionViewItem::HasDecoration;
  if ((opt.state & ownState) || (opt.features & ownFeatures) || (!opt.text.isEmpty() && !text)) {
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    return;
  }
  drawBackground(painter, opt, style);
  if (text) drawText(painter, opt, style, *text);
}

const QTextLayout* GridCellDelegate::fittingLayout(const QStyleOptionViewItem& opt, const QStyle* style) const {
  const QRect room = textRoom(opt, style);
  const QTextLayout* text = layout({opt.text, opt.font, room.width(),
                                    int(QStyle::visualAlignment(opt.direction, opt.displayAlignment)),
                                    int(opt.direction)});
  if (text->lineCount() != 1 || text->lineAt(0).naturalTextWidth() > room.width()) return nullptr;
  if (text->boundingRect().height() > room.height()) return nullptr;
  return text;
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
  // As the style fills an item: the brush's pattern starts at the cell.
  const QPointF origin = painter->brushOrigin();
  painter->setBrushOrigin(opt.rect.topLeft());
  painter->fillRect(opt.rect, opt.backgroundBrush);
  painter->setBrushOrigin(origin);
}

void GridCellDelegate::drawText(QPainter* painter, const QStyleOptionViewItem& opt, const QStyle* style,
                                const QTextLayout& text) {
  QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
  if (group == QPalette::Normal && !(opt.state & QStyle::State_Active)) group = QPalette::Inactive;
  const QPalette::ColorRole role = (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
  const QRect room = textRoom(opt, style);
  const QRect placed =
      QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment, text.boundingRect().size().toSize(), room);
  painter->save();
  painter->setClipRect(opt.rect);
  painter->setPen(opt.palette.color(group, role));
  text.draw(painter, QPointF(room.x(), placed.top()));
  painter->restore();
}

}  // namespace platform
