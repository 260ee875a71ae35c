#pragma once
// The main window: the calculation sheet, the reference tables and every calculation button.
//
// How it fits together: the controls are built from the inventory tables (inventory.h,
// builder.h); WidgetSheet gives the procedures their view of the window by object name; every
// event of a named control is dispatched to one procedure (calc/ for the calculations, selectors,
// input cells, allowable moments and navigation here). Values live only as texts of controls.

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/safefile.h"
#include "document/calculation.h"
#include "document/objectdata.h"
#include "mainwindow/widgetsheet.h"

class QMenu;

namespace vardo::mainwindow {

class SheetAssist;

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
    enum class FileDialog { Open, Save, Report, ScheduleFolder, Schedule, TablesFolder };
    // Asks for a file name, empty when cancelled; a file dialog unless replaced (tests do).
    using FileChooser = std::function<QString(FileDialog dialog, const QString& suggested)>;
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    // Shows a written report; the desktop's PDF viewer unless replaced.
    using ReportViewer = std::function<bool(const QString& pdfPath)>;
    void setReportViewer(ReportViewer viewer) { reportViewer_ = std::move(viewer); }
    // What the three buttons do once the file is chosen. A failure is told in a message and
    // returns false; a failed open leaves the sheet as it was.
    bool openCalculation(const QString& path);
    bool saveCalculation(const QString& path);
    bool writeReport(const QString& pdfPath);
    // What the window reads at path, said as a message names it ("файл расчета «a.vardo»", ...):
    // the reference workbooks, and the open calculation when calculationToo; empty when nothing.
    QString readFileAt(const QString& path, bool calculationToo) const;
    // The calculation file last opened or saved; empty before and after "Новый расчет".
    QString calculationPath() const { return calculationPath_; }

    // The object data and the schedule of crossbeams: the menu of "…" (form1_object.cpp).
    // The object data is saved with the calculation, printed in the report's title block and
    // replaced by that of a file opened; "Новый расчет" keeps it.
    const document::ObjectData& objectData() const { return objectData_; }
    void setObjectData(const document::ObjectData& data) { objectData_ = data; }
    // Opens "Данные объекта"; what is accepted there becomes the object data.
    void editObjectData();
    // The schedule of the calculation files (*.vardo) of `folder`, checked against the tables the
    // window shows, written to `path` (.xlsx or .csv). A failure, or files that could not be read,
    // are told in a message; returns whether the schedule was written.
    bool writeFolderSchedule(const QString& folder, const QString& path);
    // The schedule's progress, told before each file: how many are done, of how many, and the
    // file; false stops the schedule, and nothing is written. A window-modal progress dialog with
    // "Отмена" unless replaced (tests do).
    using Progress = std::function<bool(qsizetype done, qsizetype total, const QString& file)>;
    void setProgress(Progress progress) { progress_ = std::move(progress); }
    // Keeps `folder` as the "Папка таблиц" (core/datafile.h): the organisation's own tables, read
    // from the next start on where the working folder and the program's folder have none. A
    // folder without a single reference workbook is refused. Says what was done in a message.
    bool chooseTablesFolder(const QString& folder);
    // The calculation as a desktop program's document (form1_files.cpp). The title names it
    // ("Без имени" until it is opened or saved) with the modified mark once anything a file keeps
    // differs from the file as last opened or saved; before "Выход", the close box, "Новый
    // расчет" and "Открыть" (also a recent file or a dropped one) would throw such changes away,
    // the user is asked whether to save them.
    enum class SaveAnswer { Save, Discard, Cancel };
    // Asks the question; a message box with "Сохранить", "Не сохранять", "Отмена" unless
    // replaced (tests do).
    using SaveQuestion = std::function<SaveAnswer(const QString& question)>;
    void setSaveQuestion(SaveQuestion question) { saveQuestion_ = std::move(question); }
    // Saving over the calculation file after another program changed, replaced or deleted it
    // since it was opened or saved here: the user is asked first.
    enum class ChangedFileAnswer { Overwrite, SaveAs, Cancel };
    // A message box with "Заменить", "Сохранить как…", "Отмена" unless replaced (tests do).
    using ChangedFileQuestion = std::function<ChangedFileAnswer(const QString& question)>;
    void setChangedFileQuestion(ChangedFileQuestion question) {
        changedFileQuestion_ = std::move(question);
    }
    // "Без имени", or the name of the calculation file.
    QString documentName() const;
    // Whether what a file keeps differs from the file as last opened or saved.
    bool isModified() const;
    // Asks whether to save unsaved changes; true when the caller may go on (nothing changed,
    // "Не сохранять", or "Сохранить" and the file was written).
    bool maySetAside();
    // Opens a calculation file after the question above: a recent file, a dropped one. A recent
    // file that is gone is named in a message and dropped from the list.
    bool openWithQuestion(const QString& path);
    // Opens the first of the files given on the program's command line (the window is new, so
    // nothing is asked); further files are named in a message, as one window holds one
    // calculation.
    void openFromCommandLine(const QStringList& files);
    // The menu of recent files on the "Открыть" button's arrow.
    QMenu* recentMenu() const { return recentMenu_; }

    // Help (F1 in every window of the program): the help page, found as the workbooks are
    // (core/datafile.h), shown by the desktop's browser unless replaced (tests do). A page that
    // is missing or that no program shows is told in a message.
    using HelpViewer = std::function<bool(const QString& path)>;
    void setHelpViewer(HelpViewer viewer) { helpViewer_ = std::move(viewer); }
    void showHelp();
    // Gives window (About, the calculator) the F1 key of the help page.
    void giveHelpKey(QWidget* window);

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
    void onOpen();
    void onSave();
    void onReport();
    QString chooseFile(FileDialog dialog, const QString& suggested);
    void wireObject();
    void onSchedule();
    void onTablesFolder();
    document::Calculation captureWindow() const;
    void wireFiles();
    void markSaved(const document::Calculation& saved);
    void refreshModified();
    void updateTitle();
    void fillRecentMenu();
    bool saveBeforeGoingOn();
    bool mayReplace(QString* path);
    void stampCalculationFile();
    void newCalculation();

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
    QString calculationPath_;
    document::ObjectData objectData_;
    SheetAssist* assist_ = nullptr;  // a child of the window
    document::Calculation saved_;    // what the file holds, as last opened or saved
    bool restoring_ = false;         // a file is being applied: no modified check meanwhile
    SaveQuestion saveQuestion_;
    ChangedFileQuestion changedFileQuestion_;
    Progress progress_;
    FileStamp calculationStamp_;  // the calculation file as last opened or saved here
    HelpViewer helpViewer_;
    QMenu* recentMenu_ = nullptr;
};

}  // namespace vardo::mainwindow

// The window by the name the program knows it by.
using Form1 = vardo::mainwindow::Form1;
