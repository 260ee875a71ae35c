#include "mainwindow/builder.h"
#include "core/catalogue.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>

#include "mainwindow/inventory.h"
#include "mainwindow/listfield.h"
#include "tables/datasource.h"
#include "widgets/windowfont.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

QFont baseFont() {
    return widgets::windowFont();
}

namespace {

// The colours the window names: blue for the allowable moments, red for the design moments.
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);

// The options of "Ввод 1-2-3-4-5" are 25 pixels wide: a tighter gap between the indicator and the
// caption keeps their digits whole.
class OptionStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_RadioButtonLabelSpacing) return 4;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* optionStyle() {
    // One style object for all options; it lives as long as the application.
    static QPointer<OptionStyle> style;
    if (!style) style = new OptionStyle;
    if (!style->parent()) style->setParent(qApp);
    return style;
}

constexpr unsigned kFontMarks = BoldItalic | BlueBold | Indicator;

QWidget* create(const ControlRow& row, QWidget* parent) {
    switch (row.kind) {
        case Kind::Frame: {
            auto* frame = new QGroupBox(row.caption, parent);
            // A frame hides whatever lies under it, as the overlapping panels need.
            frame->setAutoFillBackground(true);
            return frame;
        }
        case Kind::Button:
            return new QPushButton(row.caption, parent);
        case Kind::Option: {
            auto* option = new QRadioButton(row.caption, parent);
            option->setStyle(optionStyle());
            return option;
        }
        case Kind::Text: {
            auto* edit = new QLineEdit(row.caption, parent);
            edit->setTextMargins(1, 0, 1, 0);
            return edit;
        }
        case Kind::Label: {
            auto* label = new QLabel(row.caption, parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setWordWrap(row.height > 300);
            return label;
        }
        case Kind::List:
            return new ListField(
                row.name == names::Combo1 ? catalogue::combo1Items() : catalogue::combo2Items(),
                row.caption, parent);
        case Kind::DataSource:
            return new tables::DataSource(parent);
    }
    return nullptr;
}

// A control takes the window's font unless its style marks another; what a bold frame holds is set
// back to the plain font, since a widget's font passes to its children.
void applyStyle(QWidget* widget, unsigned style, bool parentHasOwnFont) {
    if (style & kFontMarks) {
        QFont font = baseFont();
        font.setBold(true);
        if (style & BoldItalic) font.setItalic(true);
        if (style & Indicator) font.setPointSizeF(9.75);
        widget->setFont(font);
    } else if (parentHasOwnFont) {
        widget->setFont(baseFont());
    }
    if (style & (RedText | BlueBold | BlueCaption)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, (style & RedText) ? kRed : kBlue);
        palette.setColor(QPalette::Text, (style & RedText) ? kRed : kBlue);
        widget->setPalette(palette);
    }
}

}  // namespace

QHash<QString, QWidget*> buildControls(QWidget* form) {
    QHash<QString, QWidget*> byName;
    QHash<QWidget*, QList<QWidget*>> stacking;  // per container, upper first
    QSet<QWidget*> ownFont;                     // controls whose font differs from the window's
    for (const ControlRow& row : controls()) {
        QWidget* parent = row.container.isEmpty() ? form : byName.value(row.container);
        Q_ASSERT_X(parent, "buildControls", "a container is listed before what it holds");
        QWidget* widget = create(row, parent);
        widget->setObjectName(row.name);
        widget->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
        applyStyle(widget, row.style, ownFont.contains(parent));
        if (row.style & kFontMarks) ownFont.insert(widget);
        widget->setVisible(row.shown);
        byName.insert(row.name, widget);
        stacking[parent].append(widget);
    }
    // The options of one container form one group: selecting one clears the others.
    for (auto it = stacking.cbegin(); it != stacking.cend(); ++it) {
        QButtonGroup* group = nullptr;
        for (QWidget* w : it.value()) {
            auto* option = qobject_cast<QRadioButton*>(w);
            if (!option) continue;
            if (!group) group = new QButtonGroup(it.key());
            group->addButton(option);
        }
    }
    // Raising from the lowest up leaves the first-listed control on top of its container.
    for (const QList<QWidget*>& siblings : std::as_const(stacking))
        for (auto it = siblings.crbegin(); it != siblings.crend(); ++it) (*it)->raise();
    return byName;
}

}  // namespace vardo::mainwindow
