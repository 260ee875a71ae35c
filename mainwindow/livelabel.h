#pragma once
// A label whose text follows the sheet (the heading, the notice and the verdict of "Подбор
// ригеля"): it changes with every keystroke, and the window's layout asks its sizes each time.
//
// QLabel measures a word-wrapped text with four to six whole layouts of it (its preferred width,
// half and a quarter of it, one word a line, one paragraph a line, then the height for the width
// it is given), and its style lays the text out once more to paint it; each layout shapes every
// character again. This label lays a plain word-wrapped text out paragraph by paragraph, as
// QPainter::drawText lays out the whole, and keeps each paragraph's layout for the widths it was
// asked: a keystroke that changes one paragraph of five lays out that one, and the layout at the
// label's own width is the one painted. The sizes are QLabel's to the pixel, and the pixels
// QLabel's under Fusion. Any other label is QLabel's to measure and paint: rich or selectable
// text, a frame, margins or an indent, another alignment or direction, or a tab (QLabel sets
// tabs at stops of its own). What was measured for a text is kept as well: typing back and
// forth brings the same texts back.

#include <QHash>
#include <QLabel>
#include <memory>
#include <optional>

namespace vardo::mainwindow {

class LiveLabel : public QLabel {
  public:
    using QLabel::QLabel;
    ~LiveLabel() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* e) override;

  private:
    struct Paragraph;
    struct Flow;
    struct ParagraphKey {
        QString text;
        char32_t before = 0;  // a letter of the script the text before it ends in, or 0
        bool last = false;    // the text's last paragraph: no line break ends it
        QFont font;
        int width = 0;
        bool operator==(const ParagraphKey&) const = default;
        friend size_t qHash(const ParagraphKey& k, size_t seed = 0) {
            return qHashMulti(seed, k.text, k.before, k.last, k.font, k.width);
        }
    };
    struct Kept {
        std::shared_ptr<const Paragraph> paragraph;
        quint64 used = 0;
    };
    struct Measured {
        std::optional<QSize> hint;
        std::optional<QSize> least;
        QHash<int, int> heights;
    };

    // A plain word-wrapped text that this label measures (and, under Fusion, paints) itself.
    bool laysOutItself() const;
    // The size QLabel gives for `width` (-1: its preferred size).
    QSize sizeForWidth(int width) const;
    // The text laid out at `width` as drawText lays it out, without a bottom.
    Flow flowOf(const QString& text, const QFont& font, int width) const;
    std::shared_ptr<const Paragraph> paragraph(const QString& text, char32_t before, bool last,
                                               const QFont& font, int width) const;

    const Measured* known() const;
    Measured& measured() const;

    mutable QHash<QString, Measured> measured_;
    mutable QHash<ParagraphKey, Kept> paragraphs_;
    mutable quint64 uses_ = 0;
};

}  // namespace vardo::mainwindow
