#include "about/form2.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "about/aboutinfo.h"
#include "about/linkcursor.h"
#include "core/datafile.h"
#include "core/version.h"
#include "widgets/messagebox.h"
#include "widgets/twips.h"
#include "widgets/windowfont.h"

using namespace Qt::Literals::StringLiterals;

// The icon lives in the library's resources; a static library must register them itself.
static void initAboutResources() {
    Q_INIT_RESOURCE(about);
}

namespace {

// Places are kept in twips; the windows' one rule turns them into pixels.
constexpr int px(int twips) {
    return vardo::widgets::twipsToPixels(twips);
}

const QColor kLightGrey(0xE0, 0xE0, 0xE0);  // &H00E0E0E0
const QColor kLineGrey(0xC0, 0xC0, 0xC0);   // &H00C0C0C0

enum class Kind { Frame, Picture, Label, Line, Button };
enum class Style { Regular, Bold, Italic, BoldItalic };

struct Control {
    QString name;
    Kind kind;
    QString text;
    bool inFrame;                  // placed in Frame1, else on the window
    int left, top, width, height;  // twips; a line's height is 0 (one pixel)
    Style style;
    double pointSize;
    bool greyBackground;
};

QFont formFont(Style style = Style::Regular, double pointSize = 8.25) {
    return vardo::widgets::windowFont(pointSize, style == Style::Bold || style == Style::BoldItalic,
                                      style == Style::Italic || style == Style::BoldItalic);
}

void paintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

Form2::Form2(QWidget* parent) : QWidget(parent) {
    initAboutResources();
    urlOpener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    messageSink_ = [this](const QString& text) { vardo::widgets::showMessageBox(this, text); };
    buildControls();
}

void Form2::setUrlOpener(UrlOpener opener) {
    urlOpener_ = std::move(opener);
}

void Form2::setMessageSink(MessageSink sink) {
    messageSink_ = std::move(sink);
}

void Form2::buildControls() {
    setObjectName(u"Form2"_s);
    setWindowTitle(u" "_s + vardo::version::programTitle());
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFont(formFont());
    paintBackground(this, kLightGrey);
    setFixedSize(px(4680), px(2925));
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

    using vardo::about::authorFirstName;
    using vardo::about::authorLine;
    using vardo::about::emailAddress;
    using vardo::about::webAddressText;
    // In stacking order; Frame1 comes first because the next seven lie in it.
    const Control controls[] = {
        {u"Frame1"_s, Kind::Frame, {}, false, 240, 120, 4215, 1935, Style::Regular, 8.25, true},
        {u"Picture1"_s, Kind::Picture, {}, true, 120, 240, 615, 615, Style::Regular, 8.25, true},
        {u"Label1"_s, Kind::Label, authorLine(), true, 1080, 240, 2895, 495, Style::BoldItalic,
         9.75, true},
        {u"Line1"_s, Kind::Line, {}, true, 120, 960, 4080 - 120, 0, Style::Regular, 8.25, false},
        {u"Label2"_s, Kind::Label, webAddressText(), true, 1080, 1080, 2055, 255, Style::Italic,
         8.25, true},
        {u"Label4"_s, Kind::Label, authorFirstName(), true, 120, 1320, 855, 375, Style::Regular,
         8.25, false},
        {u"Line2"_s, Kind::Line, {}, true, 840, 1440, 3240 - 840, 0, Style::Regular, 8.25, false},
        {u"Label3"_s, Kind::Label, emailAddress(), true, 1560, 1560, 1095, 255, Style::Italic, 8.25,
         true},
        {u"Command1"_s, Kind::Button, u"OK"_s, false, 360, 2160, 1215, 495, Style::Bold, 8.25,
         false},
        {u"Command2"_s, Kind::Button, u"Помощь"_s, false, 3120, 2160, 1335, 495, Style::Bold, 8.25,
         false},
    };

    QGroupBox* frame = nullptr;
    for (const Control& c : controls) {
        QWidget* parent = c.inFrame ? static_cast<QWidget*>(frame) : this;
        QWidget* widget = nullptr;
        QRect place(px(c.left), px(c.top), px(c.width), px(c.height));
        switch (c.kind) {
            case Kind::Frame:
                frame = new QGroupBox(parent);
                widget = frame;
                break;
            case Kind::Picture: {
                auto* picture = new QLabel(parent);
                picture->setPixmap(QPixmap(u":/about/vardo.png"_s));
                picture->setAlignment(Qt::AlignCenter);
                picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                widget = picture;
                break;
            }
            case Kind::Label: {
                auto* label = new QLabel(c.text, parent);
                label->setWordWrap(true);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                widget = label;
                break;
            }
            case Kind::Line:
                // A line from (left, top) to (left + width, top), both ends drawn.
                widget = new QWidget(parent);
                paintBackground(widget, kLineGrey);
                place = QRect(px(c.left), px(c.top), px(c.width) + 1, 1);
                break;
            case Kind::Button:
                widget = new QPushButton(c.text, parent);
                break;
        }
        widget->setObjectName(c.name);
        widget->setGeometry(place);
        if (c.kind != Kind::Line) widget->setFont(formFont(c.style, c.pointSize));
        if (c.greyBackground) paintBackground(widget, kLightGrey);
    }

    // An address must be read whole: where the system's font is wider than the one the places
    // were drawn for, a link label grows to the right to fit its text.
    for (const QString& name : {u"Label2"_s, u"Label3"_s}) {
        auto* label = findChild<QLabel*>(name);
        const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2;
        if (needed > label->width()) label->resize(needed, label->height());
    }

    auto* ok = findChild<QPushButton*>(u"Command1"_s);
    auto* help = findChild<QPushButton*>(u"Command2"_s);
    Label2_ = findChild<QLabel*>(u"Label2"_s);
    Label3_ = findChild<QLabel*>(u"Label3"_s);
    setTabOrder(ok, help);
    connect(ok, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(help, &QPushButton::clicked, this, &Form2::Command2_Click);
    Label2_->installEventFilter(this);
    Label3_->installEventFilter(this);

    // Form_Load: the two link labels get the link pointer.
    const QCursor linkCursor = vardo::about::loadLinkCursor();
    Label2_->setCursor(linkCursor);
    Label3_->setCursor(linkCursor);
    ok->setFocus();
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    // A label's click: the left button released over it.
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label2_) Label2_Click();
        if (watched == Label3_) Label3_Click();
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Command1_Click() {
    close();
}

void Form2::Command2_Click() {
    if (helpOpener_) {
        helpOpener_();
        return;
    }
    const QFileInfo help(vardo::locateDataFile(u"help.html"_s));
    if (!help.isFile()) {
        messageSink_(
            u"Файл справки help.html не найден: его нет ни в рабочей папке, ни рядом с "
            u"программой."_s);
        return;
    }
    open(QUrl::fromLocalFile(help.absoluteFilePath()));
}

void Form2::Label2_Click() {
    open(QUrl(vardo::about::webPageUrl()));
}

void Form2::Label3_Click() {
    // A new message to the address the label shows, with the subject field present and empty.
    open(QUrl(u"mailto:"_s + Label3_->text() + u"?Subject="_s));
}

void Form2::open(const QUrl& url) {
    if (!urlOpener_(url)) {
        messageSink_(u"Не удалось открыть «"_s + url.toDisplayString() +
                     u"»: в системе не нашлось программы, которая его открывает."_s);
    }
}
