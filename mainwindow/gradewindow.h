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
// it waits until it is shown. Only what changed is shown again: the table's cells are kept and
// rewritten in place, and a check that gives what is shown already changes nothing on screen
// (a keystroke must not cost a layout of the whole window).
//
// It is a tool window of the main window: it stays above it, and opens fully on the screen the
// main window is on, beside it where there is room, tall enough for up to kRowsShown grades
// without a scrollbar; the reasons below the table scroll when the screen is too small for them.

#include <QColor>
#include <QWidget>
#include <functional>

#include "document/crossbeamcheck.h"

class QLabel;
class QPushButton;
class QPlainTextEdit;
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
    // Shows the window above `mainWindow`, checked; the first time, or when the main window is on
    // another screen than the one it was left on, it is placed anew on the main window's screen.
    void showFor(const QWidget* mainWindow);

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
    // Up to this many grades are shown without a scrollbar.
    static constexpr int kRowsShown = 8;

  Q_SIGNALS:
    // Putting grade `grade` into the sheet begins, and has ended: the clicks between are one
    // change of the sheet.
    void applying(const QString& grade);
    void applied();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // What the table shows, cell by cell: compared with what it shows already before anything is
    // written into it.
    struct Cell {
        QString text;
        QString toolTip;
        QColor background;  // none when not valid
        bool bold = false;
        bool operator==(const Cell&) const = default;
    };
    struct Table {
        QStringList headers;
        QList<QList<Cell>> rows;
        bool operator==(const Table&) const = default;
    };

    void recheck();
    Table tableOfCheck() const;
    void fill();
    void showTable(const Table& table);
    void fitTable();
    void fitWindow();
    void place(const QWidget* mainWindow);
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
    QPlainTextEdit* reasons_;
    QString reasonsText_;
    QPlainTextEdit* keptReasons_;  // hidden, with the reasons shown before
    QString keptReasonsText_;
    Table shown_;
    // The headers' own widths and height, as shown_.headers gives them.
    QList<int> headerWidths_;
    int headerHeight_ = 0;
    bool placed_ = false;
    QLabel* verdict_;
    QPushButton* apply_;
};

}  // namespace vardo::mainwindow
