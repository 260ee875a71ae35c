#include "exprcalc/form3.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "exprcalc/answertext.h"
#include "widgets/twips.h"
#include "widgets/windowfont.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Places are kept in twips; the windows' one rule turns them into pixels.
using vardo::widgets::twipsRect;

enum class Kind { MultiLineText, LineText, Label, Button };

struct Control {
    const char16_t* name;
    Kind kind;
    const char16_t* caption;
    int left, top, width, height;  // twips
};

// Creation order is stacking order: the legend lies over the expression box.
constexpr Control kControls[] = {
    {u"txtExpression", Kind::MultiLineText, u"", 120, 120, 4575, 1560},
    {u"Text1", Kind::MultiLineText,
     u"* -умножение\n/ -деление\n+ -сложение\n- -вычитание\n^ -степень\n( ) -скобки\n", 1800, 240,
     1935, 1335},
    {u"Label1", Kind::Label, u"Ответ:", 120, 1680, 615, 255},
    {u"Text2", Kind::LineText, u"", 960, 1680, 3735, 285},
    {u"cmdCalc", Kind::Button, u"Вычислить", 0, 2040, 1215, 375},
    {u"cmdOp", Kind::Button, u"Очистить", 1320, 2040, 1215, 375},
    {u"Command1", Kind::Button, u"Выход", 2640, 2040, 1215, 375},
    {u"Command2", Kind::Button, u"?", 4080, 2040, 495, 375},
};

// Focus order by tab index; the label takes no focus.
constexpr const char16_t* kTabOrder[] = {u"cmdOp",    u"cmdCalc",  u"txtExpression", u"Text1",
                                         u"Command1", u"Command2", u"Text2"};

constexpr QSize kClientSize = twipsRect(0, 0, 4800, 2490).size();

QFont formFont(bool bold) {
    return vardo::widgets::windowFont(8.25, bold);
}

}  // namespace

Form3::Form3(QWidget* parent) : QWidget(parent), evaluator_() {
    buildControls();
}

Form3::Form3(QWidget* parent, CExpressionEvaluator::ErrorSink errorSink)
    : QWidget(parent), evaluator_(std::move(errorSink)) {
    buildControls();
}

void Form3::buildControls() {
    setObjectName(u"Form3"_s);
    setWindowTitle(u"калькулятор"_s);
    // A sizable tool window with a close box but no minimise or maximise button.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(formFont(false));
    resize(kClientSize);

    for (const Control& c : kControls) {
        const QString name = QString::fromUtf16(c.name);
        const QString caption = QString::fromUtf16(c.caption);
        QWidget* widget = nullptr;
        switch (c.kind) {
            case Kind::MultiLineText: {
                auto* edit = new QPlainTextEdit(caption, this);
                edit->setTabChangesFocus(true);
                widget = edit;
                break;
            }
            case Kind::LineText:
                widget = new QLineEdit(caption, this);
                break;
            case Kind::Label:
                widget = new QLabel(caption, this);
                widget->setFont(formFont(true));
                break;
            case Kind::Button:
                widget = new QPushButton(caption, this);
                widget->setFont(formFont(true));
                break;
        }
        widget->setObjectName(name);
        widget->setGeometry(twipsRect(c.left, c.top, c.width, c.height));
    }

    txtExpression_ = findChild<QPlainTextEdit*>(u"txtExpression"_s);
    Text1_ = findChild<QPlainTextEdit*>(u"Text1"_s);
    Text2_ = findChild<QLineEdit*>(u"Text2"_s);
    cmdCalc_ = findChild<QPushButton*>(u"cmdCalc"_s);
    cmdOp_ = findChild<QPushButton*>(u"cmdOp"_s);
    Command1_ = findChild<QPushButton*>(u"Command1"_s);
    Command2_ = findChild<QPushButton*>(u"Command2"_s);

    QWidget* previous = nullptr;
    for (const char16_t* name : kTabOrder) {
        QWidget* next = findChild<QWidget*>(QString::fromUtf16(name));
        if (previous) setTabOrder(previous, next);
        previous = next;
    }

    connect(cmdCalc_, &QPushButton::clicked, this, &Form3::cmdCalc_Click);
    connect(cmdOp_, &QPushButton::clicked, this, &Form3::cmdOp_Click);
    connect(Command1_, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2_, &QPushButton::clicked, this, &Form3::Command2_Click);
    // A text box's click is the release of the mouse button over its text area.
    txtExpression_->viewport()->installEventFilter(this);
    Text1_->viewport()->installEventFilter(this);
    Text2_->installEventFilter(this);

    // The legend is a fixed text: no scroll bars over it.
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Form_Load: the legend is hidden and "Очистить" has the focus.
    Text1_->hide();
    cmdOp_->setFocus();
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == txtExpression_->viewport()) txtExpression_Click();
        if (watched == Text1_->viewport()) Text1_Click();
    } else if (event->type() == QEvent::FocusIn && watched == Text2_) {
        Text2_GotFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void Form3::cmdCalc_Click() {
    evaluator_.SetExpression(txtExpression_->toPlainText());
    const double value = evaluator_.Evaluate();
    Text2_->setText(vardo::exprcalc::answerText(value));
    // The new answer is selected even when the answer box kept the focus (no focus event then).
    const bool hadFocus = Text2_->hasFocus();
    Text2_->setFocus();
    if (hadFocus) Text2_GotFocus();
}

void Form3::cmdOp_Click() {
    txtExpression_->clear();
    txtExpression_->setFocus();
}

void Form3::Command1_Click() {
    close();
}

void Form3::Command2_Click() {
    Text1_->show();
}

void Form3::Text1_Click() {
    Text1_->hide();
    txtExpression_->setFocus();
}

void Form3::txtExpression_Click() {
    Text1_->hide();
}

void Form3::Text2_GotFocus() {
    Text2_->selectAll();
}
