#pragma once
// The window "Подбор ригеля": every grade of the series in use, checked live against the sheet.
//
//   sheet --capture--> Calculation --sheetResults, selectionMissing--> what is missing, or
//   --checkEveryGrade (document/gradeselection.h, the report's own check)--> one row per grade:
//   the six design moments with the grade's own gр, gрг, Pp, each with its utilisation coloured by
//   band (up to 90 %, up to 100 %, over 100 %), the design-length check against Lр, the verdict and
//   why a grade fails; the first grade that passes everything is marked.
//
// "Применить" (or a double click on a grade) puts the grade into the sheet as the user would:
// the navigators of т37Gp.xls, Т37Gрг.xls, т37gama.xls and of the allowable moments step to the
// grade's rows, the picks of gр, gрг, Pp copy them, and the six mode buttons compute the design
// moments; the sheet, the report and this window then agree on that grade. The window is
// modeless and follows the sheet: refresh() is called whenever the sheet changes; while hidden,
// it waits until it is shown.

#include <QWidget>
#include <functional>

#include "document/crossbeamcheck.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace vardo::mainwindow {

class WindowPort;

class GradeWindow : public QWidget {
    Q_OBJECT

  public:
    // Clicks a control of the sheet as the user does (the window's own click: the pick of a field,
    // the procedure of a button, and whatever follows a user's click).
    using Click = std::function<void(const QString& control)>;
    GradeWindow(WindowPort& port, Click click, QWidget* parent = nullptr);

    // Checks every grade against the sheet as it is now. staleResults names the sheet's results
    // that are out of date (the window says so above the grades).
    void refresh(const QStringList& staleResults = {});

    // What is shown: the check of every grade, or what is missing for it (then no grade rows).
    const document::CrossbeamCheck& check() const { return check_; }
    QStringList missing() const { return missing_; }
    // Puts grade `index` (into check().grades) into the sheet.
    void applyGrade(int index);

    // The six columns of moments, the design-length column, the verdict; below the table, a line
    // for each grade that does not pass says why.
    static constexpr int kFirstMomentColumn = 1;
    static constexpr int kLengthColumn = 7;
    static constexpr int kVerdictColumn = 8;

  Q_SIGNALS:
    // Putting grade `grade` into the sheet begins, and has ended: the clicks between are one
    // change of the sheet.
    void applying(const QString& grade);
    void applied();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fill();
    void applySelected();

    WindowPort& port_;
    Click click_;
    document::CrossbeamCheck check_;
    QStringList missing_;
    QStringList stale_;
    bool pending_ = true;
    QLabel* heading_;
    QLabel* notice_;
    QTableWidget* grades_;
    QLabel* reasons_;
    QLabel* verdict_;
    QPushButton* apply_;
};

}  // namespace vardo::mainwindow
