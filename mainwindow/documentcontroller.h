#pragma once
// The calculation as a desktop program's document: the file it belongs to, what that file held
// when it was last opened or saved here, whether the sheet now differs from it, the title that
// says both, and the flows that open, save or set it aside ("Открыть", "Сохранить", "Новый
// расчет", a recent file, a dropped file, the command line, the window closed).
//
// Data flow: the sheet is seen through a CalculationPort (the window's own, or a MemoryPort);
// document::capture of it, with the object data, is what a file keeps. "Modified" is that compared
// with the snapshot taken when the file was last opened or saved, so it is exact: undoing a change
// takes the mark away. The questions and the file names come through replaceable seams, and every
// message goes to the port's message(), so the whole life runs without a window; the window only
// shows the title and the mark it is told and answers the questions with message boxes.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/safefile.h"
#include "document/calculation.h"
#include "document/calculationport.h"
#include "document/objectdata.h"

namespace vardo::mainwindow {

class DocumentController : public QObject {
    Q_OBJECT

  public:
    // The sheet is the document's contents; it must outlive the controller.
    explicit DocumentController(document::CalculationPort& sheet, QObject* parent = nullptr);

    // "Сохранить изменения в «…»?": asked before unsaved changes would be thrown away.
    enum class SaveAnswer { Save, Discard, Cancel };
    using SaveQuestion = std::function<SaveAnswer(const QString& question)>;
    // Saving over the file after another program changed, replaced or deleted it since it was
    // opened or saved here.
    enum class ChangedFileAnswer { Overwrite, SaveAs, Cancel };
    using ChangedFileQuestion = std::function<ChangedFileAnswer(const QString& question)>;
    // The name of a calculation file to open or to save into; empty when the user gave none.
    enum class FileName { Open, Save, SaveAs };
    using FileNameChooser = std::function<QString(FileName purpose, const QString& suggested)>;
    // What else the program reads at `path`, said as a message names it ("справочную таблицу
    // «т36.1.xls»"); empty when nothing. A calculation is never saved over such a file.
    using ReadFiles = std::function<QString(const QString& path)>;
    // Without a seam no question is answered but with "Отмена" and no name is given, so nothing
    // is lost and nothing is written.
    void setSaveQuestion(SaveQuestion question) { saveQuestion_ = std::move(question); }
    void setChangedFileQuestion(ChangedFileQuestion question) {
        changedFileQuestion_ = std::move(question);
    }
    void setFileNameChooser(FileNameChooser chooser) { chooseName_ = std::move(chooser); }
    void setReadFiles(ReadFiles readFiles) { readFiles_ = std::move(readFiles); }

    // The calculation file last opened or saved, absolute; empty before and after "Новый расчет".
    QString path() const { return path_; }
    // "Без имени", or the name of the calculation file.
    QString name() const;
    // The window's title: the name first, as desktop programs write it, the modified mark "[*]",
    // then the program's caption.
    QString title() const;
    // Whether what a file keeps differs from the file as last opened or saved.
    bool isModified() const;
    // What a calculation file would keep of the sheet now.
    document::Calculation capture() const;
    // Brings back onto the sheet what capture() took (undo, redo), the object data included; the
    // file, and what it held when last opened or saved, stay as they are.
    void restore(const document::Calculation& calculation);

    // The object data is saved with the calculation, printed in the report's title block and
    // replaced by that of a file opened; "Новый расчет" keeps it.
    const document::ObjectData& objectData() const { return objectData_; }
    void setObjectData(const document::ObjectData& data);
    // A suspension load (one of document::pickedFields()) was picked from the table row
    // `caption`: kept with the text the field now holds, saved in the file and named in the
    // report. A file opened brings its own; "Новый расчет" forgets them with the loads.
    void recordPick(const QString& field, const QString& caption);

    // Checks again whether the sheet differs from the file and tells modifiedChanged when that
    // changed; nothing while a file is being brought onto the sheet.
    void refresh();
    // The sheet as it is now is the unchanged state (a new calculation's start).
    void markUnchanged();

    // Reads and checks the whole file, then brings it onto the sheet. A failure is told in a
    // message and returns false, the sheet as it was.
    bool open(const QString& path);
    // Writes the calculation into `path` (asking first when another program changed the file
    // since it was opened or saved here); a failure is told in a message and returns false.
    bool save(const QString& path);
    // Asks whether to save unsaved changes; true when the caller may go on (nothing changed,
    // "Не сохранять", or "Сохранить" and the file was written).
    bool maySetAside();
    // Opens a calculation file after the question above: a recent file, a dropped one. A file
    // that is gone is named in a message and dropped from the recent files.
    bool openWithQuestion(const QString& path);
    // Opens the first of the files given on the program's command line (the window is new, so
    // nothing is asked); further files are named in a message, as one window holds one
    // calculation.
    void openFromCommandLine(const QStringList& files);
    // "Открыть": the question first ("Отмена" there asks for no file), then the file's name.
    void openChosen();
    // "Сохранить": the file's name (the calculation's own suggested), then the save.
    void saveChosen();
    // "Сохранить как…": a name not taken yet beside the calculation's file is suggested, so that
    // the file stays as it is unless the user picks it; the window then works on the new file.
    void saveAsChosen();
    // "Новый расчет": after the question, the sheet emptied and the calculation of no file.
    bool startNew();

  Q_SIGNALS:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);
    // A file was brought onto the sheet.
    void opened();
    // "Новый расчет" emptied the sheet.
    void cleared();
    // The calculation was written into its file, path(); `sheet` is what it holds, the sheet as
    // it is now.
    void saved(const document::Calculation& sheet);

  private:
    // Every load field recorded as never picked: the start of a new calculation.
    static QMap<QString, document::PickedRow> nothingPicked();
    // The file holds `saved`; `sheet` is what capture() gives now.
    void markSaved(const document::Calculation& saved, const document::Calculation& sheet);
    void tellModified(bool modified);
    bool mayReplace(QString* path);
    bool saveBeforeGoingOn();
    QString chooseName(FileName purpose, const QString& suggested) const;

    document::CalculationPort& sheet_;
    SaveQuestion saveQuestion_;
    ChangedFileQuestion changedFileQuestion_;
    FileNameChooser chooseName_;
    ReadFiles readFiles_;
    QString path_;
    document::ObjectData objectData_;
    QMap<QString, document::PickedRow> picks_ = nothingPicked();
    document::Calculation saved_;  // what the file holds, as last opened or saved
    FileStamp stamp_;              // the file as last opened or saved here
    bool modified_ = false;        // as last told
    bool restoring_ = false;       // a file is being applied: no modified check meanwhile
};

}  // namespace vardo::mainwindow
