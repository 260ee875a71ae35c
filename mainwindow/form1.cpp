#include "mainwindow/form1.h"
#include "core/catalogue.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "calc/selectors.h"
#include "calc/startup.h"
#include "core/datafile.h"
#include "core/messages.h"
#include "core/version.h"
#include "mainwindow/builder.h"
#include "mainwindow/inventory.h"
#include "mainwindow/pickcursor.h"
#include "mainwindow/sheetassist.h"
#include "mainwindow/sheethistory.h"
#include "mainwindow/windowport.h"
#include "mainwindow/windowsdirectory.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(version::programTitle());
    setFont(baseFont());
    setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends when this window and every other window of it are closed.
    setAttribute(Qt::WA_QuitOnClose);

    controls_ = buildControls(this);
    sheet_ = std::make_unique<WidgetSheet>(this);
    port_ = std::make_unique<WindowPort>(*sheet_);
    document_ = new DocumentController(*port_, this);
    wireButtons();
    wireFields();
    wireOptions();
    wireDocuments();
    wireObject();

    windowsDirectory_ = readWindowsDirectory();
    const QCursor pickPointer = loadPickCursor();
    calc::runStartUp(*sheet_, [this, &pickPointer](const QString& field) {
        if (QWidget* w = controls_.value(field)) w->setCursor(pickPointer);
    });
    openDataSources();
    assist_ = new SheetAssist(this, *sheet_, [this](const QString& name) { clickAsUser(name); });
    wireFiles();
    document_->markUnchanged();
    wireEdit();

    // Centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

Form1::~Form1() {
    // Before the controls go: their last signals (a field losing the focus) record nothing.
    delete std::exchange(history_, nullptr);
}

void Form1::setMessageSink(WidgetSheet::MessageSink sink) {
    // While the message of an action waits for the user, the action is not yet a whole step.
    sheet_->setMessageSink([this, sink = std::move(sink)](const QString& text) {
        if (history_) history_->hold();
        if (sink) sink(text);
        if (history_) history_->release();
    });
}

void Form1::paintEvent(QPaintEvent*) {
    // The suspension-point diagram lies on the window's background, under every control.
    QPainter painter(this);
    for (const DiagramLine& line : diagramLines()) {
        painter.setPen(QPen(Qt::red, line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(twipsToPixels(line.x1), twipsToPixels(line.y1), twipsToPixels(line.x2),
                         twipsToPixels(line.y2));
    }
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // The first control in the tab order that takes the focus is "П"; an option that takes the
    // focus is selected.
    if (QWidget* first = controls_.value(names::Option1)) first->setFocus(Qt::OtherFocusReason);
    // What that selection changes belongs to the new calculation's start, not to the user.
    const bool untouched = document_->path().isEmpty() && !document_->isModified();
    calc::selectOnFirstFocus(*sheet_);
    if (untouched) {
        document_->markUnchanged();
        history_->restart();
    } else
        document_->refresh();
    if (!workbookReport_.isEmpty()) {
        // Told once, when the window is on screen behind the message.
        QMetaObject::invokeMethod(
            this, [this] { sheet_->message(workbookReport_); }, Qt::QueuedConnection);
    }
    // Settings that could not be read: the window works with the defaults, and says why.
    if (const QString problem = settingsProblem(); !problem.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, problem] { sheet_->message(problem); }, Qt::QueuedConnection);
}

}  // namespace vardo::mainwindow
