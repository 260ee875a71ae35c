#pragma once
// The main window: the calculation sheet, the reference tables and every calculation button.
//
// How it fits together: the controls are built from the inventory tables (inventory.h,
// builder.h); WidgetSheet gives the procedures their view of the window by object name; every
// event of a named control is dispatched to one procedure (calc/: the calculations, selectors,
// input cells, allowable moments and navigation). Values live only as texts of controls.

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "mainwindow/documentcontroller.h"
#include "mainwindow/widgetsheet.h"

class QMenu;
class QPrinter;

namespace vardo::mainwindow {

class HelpWindow;
class SheetAssist;
class SheetHistory;
class WindowPort;

class Form1 : public QWidget {
    Q_OBJECT

  public:
    // Builds the window and runs its whole start-up, reading the workbooks from the working
    // directory (then from beside the executable).
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The window as the procedures see it.
    WidgetSheet& sheet() { return *sheet_; }
    // Where the main window's messages go; a modal message box unless replaced (tests do).
    void setMessageSink(WidgetSheet::MessageSink sink);

    // The Windows directory read at start-up; empty outside Windows.
    QString windowsDirectory() const { return windowsDirectory_; }
    // The workbooks that could not be read at start-up, as one message text (empty when all were).
    QString workbookReport() const { return workbookReport_; }

    // Starts the system calculator; replaceable so that tests start nothing.
    using CalculatorStarter = std::function<bool(const QString& windowsDirectory, QString* error)>;
    void setCalculatorStarter(CalculatorStarter starter) {
        calculatorStarter_ = std::move(starter);
    }

    // The program's own windows, while they are open (null otherwise).
    QWidget* aboutWindow() const;
    QWidget* calculatorWindow() const;
    // The marks on the sheet and the window "Подбор ригеля" (sheetassist.h).
    SheetAssist& assist() { return *assist_; }

    // Calculation files and the report: "Открыть", "Сохранить", "Отчет" (form1_documents.cpp).
    // ScheduleFolder asks for a folder, Schedule for the .xlsx or .csv file of its schedule.
    // Scheme asks for the .dxf file of the suspension scheme; SaveAs for a new name of the
    // calculation.
    enum class FileDialog {
        Open,
        Save,
        Report,
        ScheduleFolder,
        Schedule,
        TablesFolder,
        Scheme,
        SaveAs
    };
    // Asks for a file name, empty when cancelled; a file dialog unless replaced (tests do).
    using FileChooser = std::function<QString(FileDialog dialog, const QString& suggested)>;
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    // Shows a written report; the desktop's PDF viewer unless replaced.
    using ReportViewer = std::function<bool(const QString& pdfPath)>;
    void setReportViewer(ReportViewer viewer) { reportViewer_ = std::move(viewer); }
    // What "Отчет" does once the file is chosen. A failure is told in a message and returns
    // false.
    bool writeReport(const QString& pdfPath);
    // "Печать…" (Ctrl+P): the report in Qt's print preview, painted by the code that paints its
    // PDF; its print dialog chooses the printer. What the preview does is replaceable (tests do):
    // it is given the printer, set up for the report's pages, and what paints the report on a
    // printer, and says how it ended. Every end but Printed is told in a message.
    enum class PrintEnd { Printed, Cancelled, NoPrinter, Failed };
    using PrintPreview =
        std::function<PrintEnd(QPrinter& printer, const std::function<bool(QPrinter&)>& paint)>;
    void setPrintPreview(PrintPreview preview) { printPreview_ = std::move(preview); }
    bool printReport();
    // What the window reads at path, said as a message names it ("файл расчета «a.vardo»", ...):
    // the reference workbooks, and the open calculation when calculationToo; empty when nothing.
    QString readFileAt(const QString& path, bool calculationToo) const;

    // The calculation as a desktop program's document (documentcontroller.h): its file, title,
    // modified mark, object data, the question before unsaved changes are thrown away, and
    // opening and saving. The window shows its title and mark and answers its questions with
    // message boxes ("Сохранить", "Не сохранять", "Отмена"; "Заменить", "Сохранить как…",
    // "Отмена") unless a test replaced them.
    DocumentController& document() { return *document_; }
    const DocumentController& document() const { return *document_; }

    // The object data and the schedule of crossbeams: the menu of "…" (form1_object.cpp).
    // Opens "Данные объекта"; what is accepted there becomes the document's object data.
    void editObjectData();
    // The schedule of the calculation files (*.vardo) of `folder`, checked against the tables the
    // window shows, written to `path` (.xlsx or .csv). A failure, or files that could not be read,
    // are told in a message; returns whether the schedule was written.
    bool writeFolderSchedule(const QString& folder, const QString& path);
    // The suspension scheme of the sheet as it is now (schemedxf.h) written to `path` (.dxf).
    // Never over a file the window reads; a failure, or what is written, is told in a message.
    bool writeScheme(const QString& path);
    // The schedule's progress, told before each file: how many are done, of how many, and the
    // file; false stops the schedule, and nothing is written. A window-modal progress dialog with
    // "Отмена" unless replaced (tests do).
    using Progress = std::function<bool(qsizetype done, qsizetype total, const QString& file)>;
    void setProgress(Progress progress) { progress_ = std::move(progress); }
    // Keeps `folder` as the "Папка таблиц" (core/datafile.h): the organisation's own tables, read
    // from the next start on where the working folder and the program's folder have none. A
    // folder without a single reference workbook is refused. Says what was done in a message.
    bool chooseTablesFolder(const QString& folder);
    // The menu of recent files on the "Открыть" button's arrow (form1_files.cpp); before
    // "Выход", the close box, "Новый расчет" and "Открыть" (also a recent file or a dropped one)
    // would throw unsaved changes away, the document asks whether to save them.
    QMenu* recentMenu() const { return recentMenu_; }

    // Help (F1 in every window of the program, "Справка" in the menu "…"): the program's own help
    // window (helpwindow.h), opened at the section of the guide for the control that has the
    // focus, or at its top.
    void showHelp();
    QWidget* helpWindow() const;
    // Gives window (About, the calculator) the F1 key of the help window; About's "Помощь" opens
    // it too.
    void giveHelpKey(QWidget* window);

    // Undo and redo of every change of the sheet (sheethistory.h): "…" → "Правка" → "Отменить",
    // "Повторить"; Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, also while typing in a field
    // (form1_edit.cpp).
    SheetHistory& history() { return *history_; }
    // The inputs, the six design moments and the check of every grade as a table, a tab between
    // columns and each number as the window shows it, for a spreadsheet or a letter.
    QString resultsText() const;
    // "Копировать результаты" (Ctrl+C outside a text field): resultsText() to the clipboard.
    void copyResults();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void wireButtons();
    void wireFields();
    void wireOptions();
    void openDataSources();
    // The caption of the table row a pick into `field` copies from (the last source on display,
    // as the pick takes it); nothing when no source is on display.
    std::optional<QString> pickedRowCaption(const QString& field) const;
    void onButton(const QString& name);
    void onFieldClick(const QString& name);
    // A click on the control `name` as the user makes it: a button is clicked, a field's click
    // action runs; everything wired to the click follows.
    void clickAsUser(const QString& name);
    void onOptionSelected(const QString& name);
    // Shows the About window (Form2) or the calculator (Form3) kept in `window`.
    template <typename Window>
    void showOnly(QPointer<QWidget>& window);
    void startSystemCalculator();
    void wireDocuments();
    void onReport();
    QString chooseFile(FileDialog dialog, const QString& suggested);
    void wireObject();
    void onSchedule();
    void onScheme();
    void onTablesFolder();
    void wireFiles();
    void fillRecentMenu();
    void wireEdit();
    // A user's action on `control` begins: what was typed before is a step of its own, and the
    // step the action makes is named after the control.
    void beginAction(const QString& control);

    QHash<QString, QWidget*> controls_;
    std::unique_ptr<WidgetSheet> sheet_;
    QString windowsDirectory_;
    QString workbookReport_;
    bool shownOnce_ = false;
    QString lastToggled_;  // the option whose selection ran its action during the current click
    CalculatorStarter calculatorStarter_;
    QPointer<QWidget> about_;
    QPointer<QWidget> calculator_;
    FileChooser fileChooser_;
    ReportViewer reportViewer_;
    PrintPreview printPreview_;
    std::unique_ptr<WindowPort> port_;        // the sheet as the document sees it
    DocumentController* document_ = nullptr;  // a child of the window
    SheetAssist* assist_ = nullptr;           // a child of the window
    Progress progress_;
    QPointer<HelpWindow> help_;
    QMenu* recentMenu_ = nullptr;
    SheetHistory* history_ = nullptr;  // a child of the window
};

}  // namespace vardo::mainwindow

// The window by the name the program knows it by.
using Form1 = vardo::mainwindow::Form1;
