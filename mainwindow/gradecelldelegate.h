#pragma once
// The grade table's cells with each text laid out once. A keystroke can change every cell, and the
// standard delegate lays a cell's text out (and shapes it) three times for each paint (its place,
// its elision, its drawing) and once more for every size the table asks (its column's width, its
// row's height). Where the style is Fusion, a cell's text is laid out here once at the width it is
// drawn at: its sizes are read from that layout where the standard delegate's layout would have
// the same lines, and the cell is painted from it as the standard delegate paints it where the
// text fits the cell whole. Any other cell (another style, a text cut short or wrapped, a
// decoration) is left to the standard delegate, its sizes kept for each text.

#include <QHash>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <array>
#include <map>
#include <memory>

class QTextLayout;

namespace vardo::mainwindow {

class GradeCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    ~GradeCellDelegate() override;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    struct SizeKey {
        QString text;
        QFont font;
        QSize bounds;
        QStyleOptionViewItem::ViewItemFeatures features;
        bool operator==(const SizeKey&) const = default;
        friend size_t qHash(const SizeKey& k, size_t seed = 0) {
            return qHashMulti(seed, k.text, k.font, k.bounds.width(), k.bounds.height(),
                              k.features.toInt());
        }
    };
    // A cell's text laid out as Fusion lays it out to draw it: wrapped at the text rectangle's
    // width, each line from the left.
    struct Laid {
        QString text;
        QFont font;
        int width = 0;
        QTextOption option;
        std::unique_ptr<QTextLayout> layout;
        QSize size;              // of the lines, as the style aligns them in the cell
        bool fits = false;       // every line whole within the width: nothing elided
        bool unwrapped = false;  // no line broken but where the text breaks it
        qreal natural = 0;       // the widest line's natural width
        qreal height = 0;        // of the lines, one below the other
    };

    // Fusion, a text and nothing else in the cell: laid out and painted here.
    static bool isPlain(const QStyleOptionViewItem& opt);
    // Fusion's text margin on each side of a cell.
    static int textMargin(const QStyleOptionViewItem& opt);
    const Laid* layoutOf(const QModelIndex& index, const QStyleOptionViewItem& opt,
                         int width) const;

    mutable QHash<SizeKey, QSize> sizes_;
    mutable std::map<std::pair<int, int>, std::array<Laid, 2>> laid_;
};

}  // namespace vardo::mainwindow
