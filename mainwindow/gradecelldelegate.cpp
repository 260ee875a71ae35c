#include "mainwindow/gradecelldelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTableView>
#include <QTextLayout>
#include <cmath>

namespace vardo::mainwindow {

GradeCellDelegate::~GradeCellDelegate() = default;

QSize GradeCellDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // The table asks a column's width with no cell rectangle (the text on its own lines), a row's
    // height with the cell's rectangle (the text wrapped at its width); either is the cell's
    // layout at the width it is drawn at when that layout has the same lines.
    const auto* view = qobject_cast<const QTableView*>(opt.widget);
    if (view && isPlain(opt) && !opt.text.isEmpty() && opt.direction == Qt::LeftToRight &&
        !opt.text.isRightToLeft() && !(opt.displayAlignment & Qt::AlignJustify) &&
        !index.data(Qt::SizeHintRole).isValid()) {
        const int margin = textMargin(opt);
        const bool wrapped = opt.rect.isValid() && (opt.features & QStyleOptionViewItem::WrapText);
        const int width = opt.rect.isValid() ? opt.rect.width() - 2 * margin
                                             : view->columnWidth(index.column()) -
                                                   (view->showGrid() ? 1 : 0) - 2 * margin;
        const Laid* laid = layoutOf(index, opt, width);
        if (wrapped || laid->unwrapped)
            return {static_cast<int>(std::ceil(laid->natural)) + 2 * margin,
                    static_cast<int>(std::ceil(laid->height))};
    }
    // The size depends on the text, its font and the width it may wrap in.
    const SizeKey key{opt.text, opt.font, opt.rect.size(), opt.features};
    if (const auto found = sizes_.constFind(key); found != sizes_.cend()) return *found;
    if (sizes_.size() > 4096) sizes_.clear();
    return *sizes_.insert(key, QStyledItemDelegate::sizeHint(option, index));
}

void GradeCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool plain = isPlain(opt) && opt.showDecorationSelected;
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // Fusion's text rectangle: the cell less the focus frame's margin on each side.
    const int margin = textMargin(opt);
    const QRect textRect = opt.rect.adjusted(margin, 0, -margin, 0);
    const Laid* laid =
        plain && !opt.text.isEmpty() ? layoutOf(index, opt, textRect.width()) : nullptr;
    if (!plain || (laid && (!laid->fits || laid->size.height() > textRect.height()))) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    painter->setClipRegion(painter->hasClipping() ? (painter->clipRegion() & opt.rect)
                                                  : QRegion(opt.rect));
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    if (laid) {
        painter->setPen(opt.palette.color(group, opt.state & QStyle::State_Selected
                                                     ? QPalette::HighlightedText
                                                     : QPalette::Text));
        const QRect at = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                             laid->size, textRect);
        laid->layout->draw(painter, QPointF(textRect.x(), at.top()));
    }
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = opt.rect;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = opt.palette.color(
            opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
            opt.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

bool GradeCellDelegate::isPlain(const QStyleOptionViewItem& opt) {
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    return qstrcmp(style->metaObject()->className(), "QFusionStyle") == 0 &&
           !(opt.features &
             (QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration)) &&
           !(opt.state & QStyle::State_Editing) &&
           opt.decorationPosition == QStyleOptionViewItem::Left;
}

int GradeCellDelegate::textMargin(const QStyleOptionViewItem& opt) {
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    return style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
}

const GradeCellDelegate::Laid* GradeCellDelegate::layoutOf(const QModelIndex& index,
                                                           const QStyleOptionViewItem& opt,
                                                           int width) const {
    QTextOption option;
    option.setWrapMode(opt.features & QStyleOptionViewItem::WrapText ? QTextOption::WordWrap
                                                                     : QTextOption::ManualWrap);
    option.setTextDirection(opt.direction);
    option.setAlignment(QStyle::visualAlignment(opt.direction, opt.displayAlignment));
    // A cell keeps its last two texts: typing back and forth brings the other one back.
    // The one used last is first.
    auto& kept = laid_[{index.row(), index.column()}];
    for (Laid& laid : kept)
        if (laid.layout && laid.text == opt.text && laid.font == opt.font && laid.width == width &&
            laid.option.wrapMode() == option.wrapMode() &&
            laid.option.textDirection() == option.textDirection() &&
            laid.option.alignment() == option.alignment()) {
            if (&laid != &kept[0]) std::swap(kept[0], kept[1]);
            return &kept[0];
        }
    std::swap(kept[0], kept[1]);
    Laid& laid = kept[0];
    laid.text = opt.text;
    laid.font = opt.font;
    laid.width = width;
    laid.option = option;
    laid.layout = std::make_unique<QTextLayout>(opt.text, opt.font);
    laid.layout->setTextOption(option);
    laid.layout->setCacheEnabled(true);  // the shaped glyphs are kept for the next paint
    laid.fits = true;
    laid.natural = 0;
    laid.height = 0;
    laid.layout->beginLayout();
    for (QTextLine line = laid.layout->createLine(); line.isValid();
         line = laid.layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, laid.height));
        laid.height += line.height();
        laid.natural = std::max(laid.natural, line.naturalTextWidth());
        if (line.naturalTextWidth() > width) laid.fits = false;
    }
    laid.layout->endLayout();
    laid.size = laid.layout->boundingRect().size().toSize();
    // Each line ends where the text breaks it: the lines it has at any width.
    const qsizetype breaks =
        opt.text.count(QChar::LineSeparator) + opt.text.count(QChar::ParagraphSeparator);
    laid.unwrapped = laid.layout->lineCount() == breaks + 1;
    return &laid;
}

}  // namespace vardo::mainwindow
