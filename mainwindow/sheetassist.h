#pragma once
// What the main window adds beside its sheet without changing it: the marks on the sheet
// (sheetmarks.h) and the window "Подбор ригеля" (gradewindow.h), both following the sheet live.
//
//   any text typed or written into a field or list, an option selected, a table row stepped,
//   a procedure run (the window reports ran()) --> one refresh on the next turn of the event loop
//   --> SheetMarks::refresh, GradeWindow::refresh
//
// Several changes in one turn (a table row writes many fields) make one refresh.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "mainwindow/gradewindow.h"
#include "mainwindow/sheetmarks.h"
#include "mainwindow/windowport.h"

class QWidget;

namespace vardo::mainwindow {

class SheetAssist : public QObject {
    Q_OBJECT

  public:
    // Watches every field, list, option and data source under `form`; wires the button
    // "Подбор ригеля" (cmdGrades), whose window clicks the sheet's controls with `click`.
    SheetAssist(QWidget* form, WidgetSheet& sheet, GradeWindow::Click click);
    ~SheetAssist() override;

    // A click on `control` ran its procedure.
    void ran(const QString& control);
    // A calculation file was opened into the sheet.
    void opened();
    // Changes seen so far are refreshed now rather than on the next turn.
    void refreshNow();

    SheetMarks& marks() { return *marks_; }
    // Opens (or brings forward) the window "Подбор ригеля"; it is the form's own window and goes
    // with it.
    GradeWindow* showGradeWindow();
    GradeWindow* gradeWindow() const { return gradeWindow_; }

  Q_SIGNALS:
    // The window "Подбор ригеля" was made (it is made when first opened).
    void gradeWindowCreated(GradeWindow* window);

  private:
    void changed();

    QWidget* form_;
    WindowPort port_;
    GradeWindow::Click click_;
    std::unique_ptr<SheetMarks> marks_;
    QPointer<GradeWindow> gradeWindow_;
    QTimer coalesce_;
};

}  // namespace vardo::mainwindow
