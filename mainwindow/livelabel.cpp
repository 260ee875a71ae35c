#include "mainwindow/livelabel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace vardo::mainwindow {

// One paragraph (the text between two line breaks) laid out at one width, its lines from the top
// on whole pixels a leading apart, as drawText places the lines of a whole text. It is laid out
// with what the layout of the whole text sees around it: the line break that ends it, and before
// it a letter of the script the text before it ends in (a dash or a digit that begins a
// paragraph is of the script before it, and a font that lacks a glyph is stood in for by one
// chosen for that script). Those are lines of the layout that are not the paragraph's own.
struct LiveLabel::Paragraph {
    explicit Paragraph(const QString& text, const QFont& font) : layout(text, font) {}
    QTextLayout layout;
    int first = 0;  // the paragraph's own lines: first, first + 1, ...
    int count = 0;
    qreal width = 0;   // of its widest line
    qreal bottom = 0;  // of its last line
};

// A whole text laid out at one width: its paragraphs one below the other, each starting on a
// whole pixel a leading below the one before, as a line does.
struct LiveLabel::Flow {
    QList<std::shared_ptr<const Paragraph>> paragraphs;
    QList<qreal> tops;
    qreal width = 0;
    qreal height = 0;
};

namespace {

// Paragraphs kept by a label, over all the widths it was asked: a notice of some twenty lines
// at the five widths it is measured and painted at, and the text typed before it.
constexpr qsizetype kParagraphsKept = 256;

// The text as drawText shows it: a return is a space, a line break ends a paragraph.
QStringList paragraphsOf(QString text) {
    for (QChar& c : text)
        if (c == u'\r') c = u' ';
    return text.split(u'\n');
}

// A letter of a script of its own (not a digit, space, dash or mark that takes the script of the
// letters around it).
bool hasScript(char32_t c) {
    return QChar::script(c) > QChar::Script_Common && !QChar::isMark(c);
}

// The last such letter of `text`, or 0.
char32_t lastLetter(QStringView text) {
    const QList<uint> code = text.toUcs4();
    for (auto it = code.crbegin(); it != code.crend(); ++it)
        if (hasScript(*it)) return *it;
    return 0;
}

// The first such letter of `text`, or 0.
char32_t firstLetter(QStringView text) {
    for (const char32_t c : text.toUcs4())
        if (hasScript(c)) return c;
    return 0;
}

// Text drawn right to left anywhere in it, or bidirectional controls.
bool hasRightToLeft(QStringView text) {
    for (const char32_t c : text.toUcs4()) {
        switch (QChar::direction(c)) {
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirRLE:
            case QChar::DirRLO:
            case QChar::DirRLI:
            case QChar::DirLRE:
            case QChar::DirLRO:
            case QChar::DirLRI:
            case QChar::DirFSI:
            case QChar::DirPDF:
            case QChar::DirPDI:
                return true;
            default:
                break;
        }
    }
    return false;
}

bool isFusion(const QStyle* style) {
    return qstrcmp(style->metaObject()->className(), "QFusionStyle") == 0;
}

}  // namespace

LiveLabel::~LiveLabel() = default;

QSize LiveLabel::sizeHint() const {
    if (const Measured* m = known(); m && m->hint) return *m->hint;
    QSize hint;
    if (laysOutItself()) {
        ensurePolished();
        hint = sizeForWidth(-1);
    } else {
        hint = QLabel::sizeHint();
    }
    return *(measured().hint = hint);
}

QSize LiveLabel::minimumSizeHint() const {
    if (const Measured* m = known(); m && m->least) return *m->least;
    QSize least;
    if (laysOutItself()) {
        // As QLabel: as wide as the widest word, as high as its paragraphs each on one line but
        // no higher than the preferred size.
        ensurePolished();
        least = QSize(sizeForWidth(0).width(),
                      std::min(sizeForWidth(-1).height(), sizeForWidth(QWIDGETSIZE_MAX).height()));
    } else {
        least = QLabel::minimumSizeHint();
    }
    return *(measured().least = least);
}

int LiveLabel::heightForWidth(int width) const {
    if (const Measured* m = known()) {
        if (const auto found = m->heights.constFind(width); found != m->heights.cend())
            return *found;
    }
    const int height =
        laysOutItself() ? sizeForWidth(width).height() : QLabel::heightForWidth(width);
    Measured& m = measured();
    if (m.heights.size() > 64) m.heights.clear();
    m.heights.insert(width, height);
    return height;
}

void LiveLabel::paintEvent(QPaintEvent* event) {
    // Painted here where the style would draw the text with QPainter::drawText in the label's
    // own colour: Fusion, or a style sheet over it.
    const QStyle* style = this->style();
    const bool plain =
        laysOutItself() && isFusion(QApplication::style()) &&
        (isFusion(style) || qstrcmp(style->metaObject()->className(), "QStyleSheetStyle") == 0) &&
        isEnabled() && !font().underline() && !font().overline() && !font().strikeOut();
    if (!plain) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect rect = contentsRect();
    const QRectF r(rect);
    const Flow flow = flowOf(text(), painter.font(), rect.width());
    // drawText draws no line below the first one that reaches the rectangle's bottom.
    qreal width = 0;
    qreal height = 0;
    qsizetype lastParagraph = flow.paragraphs.size() - 1;
    int lastLine = -1;  // every line of the last paragraph
    for (qsizetype p = 0; p < flow.paragraphs.size() && lastLine < 0; ++p) {
        const Paragraph& paragraph = *flow.paragraphs[p];
        for (int i = paragraph.first; i < paragraph.first + paragraph.count; ++i) {
            const QTextLine line = paragraph.layout.lineAt(i);
            height = flow.tops[p] + line.y() + line.ascent() + line.descent();
            width = std::max(width, line.naturalTextWidth());
            if (height >= r.height()) {
                lastParagraph = p;
                lastLine = i;
                break;
            }
        }
    }
    qreal yoff = 0;
    if (alignment() & Qt::AlignBottom)
        yoff = r.height() - height;
    else if (alignment() & Qt::AlignVCenter)
        yoff = (r.height() - height) / 2;
    QStyleOption opt;
    opt.initFrom(this);
    painter.setPen(QPen(opt.palette.brush(foregroundRole()), painter.pen().widthF()));
    if (!r.contains(QRectF(r.x(), r.y() + yoff, width, height)))
        painter.setClipRect(r, Qt::IntersectClip);
    for (qsizetype p = 0; p <= lastParagraph; ++p) {
        const Paragraph& paragraph = *flow.paragraphs[p];
        const int end =
            p == lastParagraph && lastLine >= 0 ? lastLine + 1 : paragraph.first + paragraph.count;
        for (int i = paragraph.first; i < end; ++i)
            paragraph.layout.lineAt(i).draw(&painter, QPointF(r.x(), r.y() + yoff + flow.tops[p]));
    }
}

bool LiveLabel::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::Polish:
        case QEvent::LayoutDirectionChange:
        case QEvent::ContentsRectChange:
        case QEvent::ScreenChangeInternal:
            measured_.clear();
            break;
        default:
            break;
    }
    return QLabel::event(e);
}

bool LiveLabel::laysOutItself() const {
    const QString shown = text();
    return !shown.isEmpty() && wordWrap() && !buddy() && frameWidth() == 0 && margin() == 0 &&
           indent() < 0 && contentsMargins().isNull() && !shown.isRightToLeft() &&
           (textFormat() == Qt::PlainText ||
            (textFormat() == Qt::AutoText && !Qt::mightBeRichText(shown))) &&
           !(textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard)) &&
           (alignment() & Qt::AlignHorizontal_Mask) == Qt::AlignLeft &&
           !shown.contains(QChar(0x9c)) && !shown.contains(u'\t') && !hasRightToLeft(shown);
}

QSize LiveLabel::sizeForWidth(int width) const {
    // QLabel's rule: the width given, else the width of eighty average characters, narrowed to
    // a half and a quarter of it while the text is less than four and two lines high; each
    // measured as the bounding rectangle of the text drawn at that width.
    if (minimumWidth() > 0) width = std::max(width, minimumWidth());
    const QFontMetrics metrics = fontMetrics();
    const bool tryWidth = width < 0;
    if (tryWidth) width = std::min(metrics.averageCharWidth() * 80, maximumSize().width());
    const auto bounds = [this](int w) {
        const Flow flow = flowOf(text(), font(), w);
        return QSize(static_cast<int>(std::ceil(flow.width)),
                     static_cast<int>(std::ceil(flow.height)));
    };
    QSize size = bounds(width);
    if (tryWidth && size.height() < 4 * metrics.lineSpacing() && size.width() > width / 2)
        size = bounds(width / 2);
    if (tryWidth && size.height() < 2 * metrics.lineSpacing() && size.width() > width / 4)
        size = bounds(width / 4);
    return size.expandedTo(minimumSize());
}

LiveLabel::Flow LiveLabel::flowOf(const QString& text, const QFont& font, int width) const {
    Flow flow;
    const qreal leading = QFontMetricsF(font).leading();
    qreal height = -leading;
    const QStringList paragraphs = paragraphsOf(text);
    // The script the text before each paragraph ends in; before the first letter of all, the
    // script of that letter (the layout of the whole gives it to what comes before it).
    char32_t before = 0;
    for (const QString& p : paragraphs)
        if ((before = firstLetter(p))) break;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const QString& p = paragraphs[i];
        std::shared_ptr<const Paragraph> laid =
            paragraph(p, before, i + 1 == paragraphs.size(), font, width);
        if (const char32_t last = lastLetter(p)) before = last;
        const qreal top = std::ceil(height + leading);
        height = top + laid->bottom;
        flow.width = std::max(flow.width, laid->width);
        flow.paragraphs << std::move(laid);
        flow.tops << top;
    }
    flow.height = height;
    return flow;
}

std::shared_ptr<const LiveLabel::Paragraph> LiveLabel::paragraph(const QString& text,
                                                                 char32_t before, bool last,
                                                                 const QFont& font,
                                                                 int width) const {
    const ParagraphKey key{text, before, last, font, width};
    if (const auto found = paragraphs_.find(key); found != paragraphs_.end()) {
        found->used = ++uses_;
        return found->paragraph;
    }
    QString around;
    if (before) around = QString::fromUcs4(&before, 1) + QChar(QChar::LineSeparator);
    const qsizetype start = around.size();
    const qsizetype end = start + text.size();
    around += text;
    if (!last) around += QChar(QChar::LineSeparator);
    auto laid = std::make_shared<Paragraph>(around, font);
    QTextLayout& layout = laid->layout;
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);  // the shaped glyphs are kept for the paints
    const qreal leading = QFontMetricsF(font).leading();
    qreal height = -leading;
    layout.beginLayout();
    laid->first = -1;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(0, width));
        // The letter before is on a line of its own; after the break that ends the paragraph
        // the layout begins an empty line.
        if (line.textStart() < start || line.textStart() > end) continue;
        if (laid->first < 0) laid->first = line.lineNumber();
        ++laid->count;
        height = std::ceil(height + leading);
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent();
        laid->width = std::max(laid->width, line.naturalTextWidth());
    }
    layout.endLayout();
    laid->first = std::max(laid->first, 0);
    laid->bottom = height;
    if (paragraphs_.size() >= kParagraphsKept) {
        // The older half goes.
        QList<quint64> uses;
        uses.reserve(paragraphs_.size());
        for (const Kept& kept : std::as_const(paragraphs_)) uses << kept.used;
        const auto middle = uses.begin() + uses.size() / 2;
        std::nth_element(uses.begin(), middle, uses.end());
        const quint64 cut = *middle;
        paragraphs_.removeIf([cut](const auto& it) { return it.value().used < cut; });
    }
    paragraphs_.insert(key, Kept{laid, ++uses_});
    return laid;
}

const LiveLabel::Measured* LiveLabel::known() const {
    const auto found = measured_.constFind(text());
    return found == measured_.cend() ? nullptr : &*found;
}

LiveLabel::Measured& LiveLabel::measured() const {
    if (measured_.size() > 16 && !measured_.contains(text())) measured_.clear();
    return measured_[text()];
}

}  // namespace vardo::mainwindow
