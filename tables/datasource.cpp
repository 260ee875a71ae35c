#include "tables/datasource.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPolygonF>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <utility>

namespace vardo::tables {

namespace {

// A navigation button with a drawn arrow, so it looks the same whatever fonts are installed.
class NavButton : public QAbstractButton {
  public:
    enum class Glyph { First, Previous, Next, Last };

    NavButton(Glyph glyph, const QString& name, const QString& toolTip, QWidget* parent)
        : QAbstractButton(parent), glyph_(glyph) {
        setObjectName(name);
        setToolTip(toolTip);
        setAccessibleName(toolTip);
        // The bar is one stop of the window's tab order, not four: its arrow keys press these.
        setFocusPolicy(Qt::NoFocus);
    }

    QSize sizeHint() const override { return {15, 25}; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        option.initFrom(this);
        option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
        painter.drawPrimitive(QStyle::PE_PanelButtonCommand, option);

        // A triangle twice as high as wide, pointing left or right; First and Last add a bar at
        // the tip's side.
        const qreal w = std::max(3.0, std::min(width(), height()) * 0.3);
        const qreal h = 2 * w;
        const bool bar = glyph_ == Glyph::First || glyph_ == Glyph::Last;
        const qreal barWidth = bar ? std::max(1.0, w / 3) : 0;
        const bool left = glyph_ == Glyph::First || glyph_ == Glyph::Previous;
        const QPointF c = QRectF(rect()).center() + (isDown() ? QPointF(1, 1) : QPointF());
        const qreal x0 = c.x() - (w + barWidth) / 2;  // left edge of the whole glyph
        const qreal triangleLeft = left ? x0 + barWidth : x0;
        const qreal tipX = left ? triangleLeft : triangleLeft + w;
        const qreal baseX = left ? triangleLeft + w : triangleLeft;

        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                         QPalette::ButtonText));
        painter.drawPolygon(QPolygonF(
            {QPointF(tipX, c.y()), QPointF(baseX, c.y() - h / 2), QPointF(baseX, c.y() + h / 2)}));
        if (bar) {
            const qreal barX = left ? x0 : triangleLeft + w;
            painter.drawRect(QRectF(barX, c.y() - h / 2, barWidth, h));
        }
    }

  private:
    Glyph glyph_;
};

void setFieldText(QWidget* field, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setText(text);  // raises textChanged when the text differs
    } else if (auto* label = qobject_cast<QLabel*>(field)) {
        label->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        // setPlainText raises textChanged even for the same text; a change event means a change.
        if (plain->toPlainText() != text) plain->setPlainText(text);
    } else {
        field->setProperty("text", text);
    }
}

}  // namespace

DataSource::DataSource(QWidget* parent) : QWidget(parent) {
    // Reached with Tab like any control; the arrow keys then step through the rows.
    setFocusPolicy(Qt::StrongFocus);
    using Glyph = NavButton::Glyph;
    first_ = new NavButton(Glyph::First, QStringLiteral("moveFirst"),
                           QStringLiteral("Первая строка (Home)"), this);
    previous_ = new NavButton(Glyph::Previous, QStringLiteral("movePrevious"),
                              QStringLiteral("Предыдущая строка (←)"), this);
    next_ = new NavButton(Glyph::Next, QStringLiteral("moveNext"),
                          QStringLiteral("Следующая строка (→)"), this);
    last_ = new NavButton(Glyph::Last, QStringLiteral("moveLast"),
                          QStringLiteral("Последняя строка (End)"), this);
    captionLabel_ = new QLabel(this);
    captionLabel_->setObjectName(QStringLiteral("caption"));
    captionLabel_->setAlignment(Qt::AlignCenter);
    // The caption is highlighted while the bar has the focus (a frame would narrow its room);
    // the roles are set only then: a highlight background alone would draw the text in the
    // highlight's text colour, pale on the bar's grey.

    connect(first_, &QAbstractButton::clicked, this, &DataSource::moveFirst);
    connect(previous_, &QAbstractButton::clicked, this, &DataSource::movePrevious);
    connect(next_, &QAbstractButton::clicked, this, &DataSource::moveNext);
    connect(last_, &QAbstractButton::clicked, this, &DataSource::moveLast);
    connect(this, &QObject::objectNameChanged, this, [this] { updateCaption(); });
    updateCaption();
    layoutChildren();
}

bool DataSource::open(const QString& path, const QString& sheetName) {
    fileName_ = path;
    ReadResult result = readWorkbook(path, sheetName);
    if (!result.ok()) {
        errorText_ = result.errorText;
        table_ = {};
        const bool hadRow = currentRow_ >= 0;
        currentRow_ = -1;
        setToolTip(QStringLiteral("%1: %2").arg(path, errorText_));
        if (hadRow) Q_EMIT currentRowChanged(currentRow_);
        return false;
    }
    errorText_.clear();
    setToolTip(path);
    setTable(std::move(result.table));
    return true;
}

void DataSource::setTable(Table table) {
    table_ = std::move(table);
    currentRow_ = table_.rows.isEmpty() ? -1 : 0;
    showCurrentRow();
    Q_EMIT currentRowChanged(currentRow_);
}

QString DataSource::value(int column) const {
    if (currentRow_ < 0 || column < 0 || column >= columnCount()) return {};
    return table_.rows[currentRow_][column];
}

int DataSource::columnOf(const QString& headerText) const {
    const QStringList& header = table_.header;
    for (int i = 0; i < header.size(); ++i)
        if (header[i] == headerText) return i;
    const QString wanted = headerText.trimmed();
    for (int i = 0; i < header.size(); ++i)
        if (header[i].trimmed().compare(wanted, Qt::CaseInsensitive) == 0) return i;
    // A column without a header text is known as F and its number, as in the database engines
    // that read worksheets as tables.
    if (wanted.size() > 1 && (wanted[0] == u'F' || wanted[0] == u'f')) {
        bool ok = false;
        const int number = wanted.sliced(1).toInt(&ok);
        if (ok && number >= 1 && number <= header.size() && wanted[1].isDigit() &&
            header[number - 1].trimmed().isEmpty())
            return number - 1;
    }
    return -1;
}

void DataSource::bindField(QWidget* field, int column) {
    bind({field, column, QString()});
}

void DataSource::bindField(QWidget* field, const QString& headerText) {
    bind({field, -1, headerText});
}

void DataSource::bind(Binding binding) {
    if (!binding.field) return;
    bindings_.removeIf([&](const Binding& b) { return b.field == binding.field || !b.field; });
    bindings_.append(binding);
    if (currentRow_ >= 0) showRow(binding);
}

int DataSource::columnOf(const Binding& binding) const {
    return binding.headerText.isEmpty() ? binding.column : columnOf(binding.headerText);
}

void DataSource::showRow(const Binding& binding) const {
    if (!binding.field) return;
    const int column = columnOf(binding);
    if (column < 0 || column >= columnCount()) return;
    setFieldText(binding.field, table_.rows[currentRow_][column]);
}

void DataSource::showCurrentRow() const {
    if (currentRow_ < 0) return;
    // A field's change action may bind or unbind fields; walk a copy.
    const QList<Binding> bindings = bindings_;
    for (const Binding& b : bindings) showRow(b);
}

void DataSource::moveFirst() {
    moveTo(0);
}

void DataSource::movePrevious() {
    moveTo(std::max(currentRow_ - 1, 0));
}

void DataSource::moveNext() {
    moveTo(std::min(currentRow_ + 1, rowCount() - 1));
}

void DataSource::moveLast() {
    moveTo(rowCount() - 1);
}

void DataSource::moveTo(int row) {
    if (row < 0 || row >= rowCount()) return;
    const bool changed = row != currentRow_;
    currentRow_ = row;
    showCurrentRow();
    if (changed) Q_EMIT currentRowChanged(currentRow_);
}

QString DataSource::caption() const {
    return captionSet_ ? caption_ : objectName();
}

void DataSource::setCaption(const QString& caption) {
    caption_ = caption;
    captionSet_ = true;
    updateCaption();
}

void DataSource::updateCaption() {
    captionLabel_->setText(caption());
}

QSize DataSource::sizeHint() const {
    return {81, 25};
}

void DataSource::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void DataSource::keyPressEvent(QKeyEvent* event) {
    // A key presses its step button, as a click does.
    QAbstractButton* step = nullptr;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            step = previous_;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            step = next_;
            break;
        case Qt::Key_Home:
        case Qt::Key_PageUp:
            step = first_;
            break;
        case Qt::Key_End:
        case Qt::Key_PageDown:
            step = last_;
            break;
        default:
            break;
    }
    if (!step || event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    step->click();
    event->accept();
}

void DataSource::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    captionLabel_->setBackgroundRole(QPalette::Highlight);
    captionLabel_->setForegroundRole(QPalette::HighlightedText);
    captionLabel_->setAutoFillBackground(true);
}

void DataSource::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // Without the focus the caption reads as any label's text again.
    captionLabel_->setBackgroundRole(QPalette::Window);
    captionLabel_->setForegroundRole(QPalette::WindowText);
    captionLabel_->setAutoFillBackground(false);
}

void DataSource::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) fitCaption();
}

// |< < [caption] > >|: the buttons about half as wide as the bar is high, narrower when the bar is
// short of width, so that the caption keeps at least three sevenths of it.
void DataSource::layoutChildren() {
    const int w = width();
    const int h = height();
    const int button = std::max(1, std::min(h / 2, w / 7));
    first_->setGeometry(0, 0, button, h);
    previous_->setGeometry(button, 0, button, h);
    captionLabel_->setGeometry(2 * button, 0, std::max(0, w - 4 * button), h);
    next_->setGeometry(w - 2 * button, 0, button, h);
    last_->setGeometry(w - button, 0, button, h);
    fitCaption();
}

// The bar is narrow (81 pixels at 96 dpi); a caption wider than its room is set in a smaller
// font, down to 6 points, rather than cut.
void DataSource::fitCaption() {
    QFont font = this->font();
    const int room = captionLabel_->contentsRect().width() - 2;
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).horizontalAdvance(captionLabel_->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    captionLabel_->setFont(font);
}

}  // namespace vardo::tables
