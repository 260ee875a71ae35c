#include "mainwindow/sheetassist.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/catalogue.h"
#include "document/calculation.h"
#include "document/recompute.h"
#include "tables/datasource.h"

namespace vardo::mainwindow {

SheetAssist::SheetAssist(QWidget* form, WidgetSheet& sheet, GradeWindow::Click click)
    : QObject(form),
      form_(form),
      port_(sheet),
      click_(std::move(click)),
      marks_(std::make_unique<SheetMarks>(sheet)) {
    coalesce_.setSingleShot(true);
    coalesce_.setInterval(0);
    connect(&coalesce_, &QTimer::timeout, this, &SheetAssist::refreshNow);

    for (QLineEdit* edit : form->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &SheetAssist::changed);
    for (QComboBox* list : form->findChildren<QComboBox*>()) {
        connect(list, &QComboBox::editTextChanged, this, &SheetAssist::changed);
        connect(list, &QComboBox::currentTextChanged, this, &SheetAssist::changed);
    }
    for (QRadioButton* option : form->findChildren<QRadioButton*>())
        connect(option, &QAbstractButton::toggled, this, &SheetAssist::changed);
    for (tables::DataSource* source : form->findChildren<tables::DataSource*>())
        connect(source, &tables::DataSource::currentRowChanged, this, &SheetAssist::changed);
    if (auto* button = qobject_cast<QPushButton*>(sheet.widget(names::cmdGrades)))
        connect(button, &QPushButton::clicked, this, &SheetAssist::showGradeWindow);
    marks_->refresh();
}

SheetAssist::~SheetAssist() = default;

void SheetAssist::changed() {
    coalesce_.start();
}

void SheetAssist::ran(const QString& control) {
    marks_->ran(control);
    changed();
}

void SheetAssist::opened() {
    // What the file shows is checked against what its inputs give now: a file saved after an
    // input changed opens with those results marked, as they were marked when it was saved.
    marks_->takeAllAsComputed(document::outOfDate(document::capture(port_)));
    changed();
}

void SheetAssist::refreshNow() {
    coalesce_.stop();
    marks_->refresh();
    if (gradeWindow_) gradeWindow_->refresh(marks_->staleResults());
}

GradeWindow* SheetAssist::showGradeWindow() {
    if (!gradeWindow_) {
        gradeWindow_ = new GradeWindow(port_, click_, form_);
        Q_EMIT gradeWindowCreated(gradeWindow_);
    }
    gradeWindow_->refresh(marks_->staleResults());
    gradeWindow_->showFor(form_);
    return gradeWindow_;
}

}  // namespace vardo::mainwindow
