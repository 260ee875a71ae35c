#include "mainwindow/documentcontroller.h"

#include <QDir>
#include <QFileInfo>

#include "calc/navigation.h"
#include "core/version.h"
#include "mainwindow/recentfiles.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString newFileSuggestion() {
    return RecentFiles::startFolder() + u"/Расчет."_s + document::fileSuffix();
}

}  // namespace

DocumentController::DocumentController(document::CalculationPort& sheet, QObject* parent)
    : QObject(parent), sheet_(sheet) {}

QString DocumentController::name() const {
    return path_.isEmpty() ? u"Без имени"_s : QFileInfo(path_).fileName();
}

QString DocumentController::title() const {
    return name() + u"[*] — "_s + version::programTitle();
}

document::Calculation DocumentController::capture() const {
    document::Calculation c = document::capture(sheet_);
    c.object = objectData_;
    c.picks = picks_;
    return c;
}

void DocumentController::restore(const document::Calculation& calculation) {
    restoring_ = true;
    document::apply(sheet_, calculation);
    objectData_ = calculation.object;
    picks_ = calculation.picks;
    restoring_ = false;
    refresh();
}

QMap<QString, document::PickedRow> DocumentController::nothingPicked() {
    QMap<QString, document::PickedRow> out;
    for (const QString& field : document::pickedFields()) out.insert(field, {});
    return out;
}

void DocumentController::recordPick(const QString& field, const QString& caption) {
    picks_.insert(field, {caption, sheet_.text(field)});
    refresh();
}

bool DocumentController::isModified() const {
    return capture() != saved_;
}

void DocumentController::setObjectData(const document::ObjectData& data) {
    objectData_ = data;
    refresh();  // the object data is kept in the file like everything else
}

void DocumentController::refresh() {
    if (restoring_) return;
    tellModified(isModified());
}

void DocumentController::tellModified(bool modified) {
    if (modified == modified_) return;
    modified_ = modified;
    Q_EMIT modifiedChanged(modified_);
}

void DocumentController::markSaved(const document::Calculation& saved,
                                   const document::Calculation& sheet) {
    saved_ = saved;
    Q_EMIT titleChanged(title());
    tellModified(sheet != saved_);
}

void DocumentController::markUnchanged() {
    const document::Calculation sheet = capture();
    markSaved(sheet, sheet);
}

QString DocumentController::chooseName(FileName purpose, const QString& suggested) const {
    return chooseName_ ? chooseName_(purpose, suggested) : QString();
}

bool DocumentController::open(const QString& path) {
    // The whole file is read and checked before the first control changes.
    QString error;
    FileStamp stamp;
    const std::optional<document::Calculation> calculation =
        document::readFile(path, &error, &stamp);
    if (!calculation) {
        sheet_.message(error);
        return false;
    }
    restoring_ = true;
    const QStringList warnings = document::apply(sheet_, *calculation);
    objectData_ = calculation->object;
    picks_ = calculation->picks;
    restoring_ = false;
    path_ = QFileInfo(path).absoluteFilePath();
    stamp_ = std::move(stamp);
    RecentFiles::add(path_);
    Q_EMIT opened();
    // Unchanged is the sheet as the file brought it back (a row found by its caption at another
    // index, an option group the file leaves unchosen). A row that is gone is not the file's:
    // compared with the file itself, that is a change to save.
    const document::Calculation sheet = capture();
    markSaved(warnings.isEmpty() ? sheet : *calculation, sheet);
    if (!warnings.isEmpty())
        sheet_.message(u"Расчет «%1» открыт, но строки таблиц восстановлены не все:\n%2."_s.arg(
            QFileInfo(path).fileName(), warnings.join(u";\n"_s)));
    return true;
}

bool DocumentController::mayReplace(QString* path) {
    // Only the file this document was opened from or saved to is watched; any other name is
    // saved as before.
    if (stamp_.isEmpty() || path_.isEmpty()) return true;
    const QString target = QDir::cleanPath(QFileInfo(*path).absoluteFilePath());
    if (target != QDir::cleanPath(path_) && !isSameFile(target, path_)) return true;
    const FileStamp now = stampFile(path_, document::kMaxFileBytes);
    if (now == stamp_) return true;
    const QString what = !QFileInfo::exists(path_)         ? u"удален"_s
                         : now.identity != stamp_.identity ? u"заменен другим файлом"_s
                                                           : u"изменен"_s;
    const QString question =
        u"Файл «%1» %2 после того, как расчет был открыт или сохранен в этом окне: его, "
        u"вероятно, изменила другая программа или другой пользователь. Заменить его этим "
        u"расчетом (сделанное там будет потеряно), сохранить расчет под другим именем или "
        u"отменить сохранение?"_s.arg(name(), what);
    const ChangedFileAnswer answer =
        changedFileQuestion_ ? changedFileQuestion_(question) : ChangedFileAnswer::Cancel;
    switch (answer) {
        case ChangedFileAnswer::Overwrite:
            return true;
        case ChangedFileAnswer::SaveAs:
            // The name chosen now is the user's answer, even the same name again.
            *path = chooseName(FileName::Save, path_);
            return !path->isEmpty();
        case ChangedFileAnswer::Cancel:
            break;
    }
    return false;
}

bool DocumentController::save(const QString& chosenPath) {
    // Another program's change to the calculation file is not lost without a word.
    QString path = chosenPath;
    if (!mayReplace(&path)) return false;
    // A file the program reads is never replaced by what it writes.
    if (const QString used = readFiles_ ? readFiles_(path) : QString(); !used.isEmpty()) {
        sheet_.message(u"Расчет не сохранен: файл «"_s + QFileInfo(path).fileName() +
                       u"» — это "_s + used +
                       u", которую читает программа. Выберите другое имя."_s);
        return false;
    }
    const document::Calculation calculation = capture();
    QString error;
    FileStamp stamp;
    if (!document::writeFile(path, calculation, &error, &stamp)) {
        sheet_.message(error);
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    stamp_ = std::move(stamp);
    RecentFiles::add(path_);
    markSaved(calculation, calculation);
    Q_EMIT saved(calculation);
    return true;
}

bool DocumentController::maySetAside() {
    refresh();
    if (!modified_) return true;
    const QString question = u"Сохранить изменения в «%1»?"_s.arg(name());
    const SaveAnswer answer = saveQuestion_ ? saveQuestion_(question) : SaveAnswer::Cancel;
    switch (answer) {
        case SaveAnswer::Save:
            return saveBeforeGoingOn();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

bool DocumentController::saveBeforeGoingOn() {
    // Into the file the calculation came from, else under a name the user gives; no name or a
    // failed save (told in its message) stops what was to follow.
    const QString path = path_.isEmpty() ? chooseName(FileName::Save, newFileSuggestion()) : path_;
    return !path.isEmpty() && save(path);
}

bool DocumentController::openWithQuestion(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        const bool wasRecent = RecentFiles::files().contains(file.absoluteFilePath());
        RecentFiles::remove(path);
        QString text = u"Расчет «%1» не открыт: в папке «%2» такого файла больше нет."_s.arg(
            file.fileName(), shown(file.absolutePath()));
        if (wasRecent) text += u" Он убран из списка недавних расчетов."_s;
        sheet_.message(text);
        return false;
    }
    if (!maySetAside()) return false;
    return open(path);
}

void DocumentController::openFromCommandLine(const QStringList& files) {
    if (files.isEmpty()) return;
    open(QFileInfo(files.first()).absoluteFilePath());
    if (files.size() > 1) {
        QStringList others;
        for (qsizetype i = 1; i < files.size(); ++i)
            others << u"«"_s + QFileInfo(files[i]).fileName() + u"»"_s;
        sheet_.message(u"Окно держит один расчет: открыт только первый из файлов, не открыты "_s +
                       others.join(u", "_s) + u'.');
    }
}

void DocumentController::openChosen() {
    if (!maySetAside()) return;
    const QString path = chooseName(FileName::Open, RecentFiles::startFolder());
    if (!path.isEmpty()) open(path);
}

void DocumentController::saveChosen() {
    const QString path = chooseName(FileName::Save, path_.isEmpty() ? newFileSuggestion() : path_);
    if (!path.isEmpty()) save(path);
}

void DocumentController::saveAsChosen() {
    QString suggested = newFileSuggestion();
    if (!path_.isEmpty()) {
        // "Расчет (2).vardo": the first name of that form not yet taken in the file's folder.
        const QFileInfo file(path_);
        for (int i = 2; i < 1000; ++i) {
            suggested = file.dir().filePath(
                u"%1 (%2).%3"_s.arg(file.completeBaseName()).arg(i).arg(document::fileSuffix()));
            if (!QFileInfo::exists(suggested)) break;
        }
    }
    const QString path = chooseName(FileName::SaveAs, suggested);
    if (!path.isEmpty()) save(path);
}

bool DocumentController::startNew() {
    if (!maySetAside()) return false;
    calc::Command23_Click(sheet_);
    picks_ = nothingPicked();
    Q_EMIT cleared();
    // A new calculation belongs to no file; what it shows now is its unchanged state.
    path_.clear();
    stamp_ = {};
    markUnchanged();
    return true;
}

}  // namespace vardo::mainwindow
