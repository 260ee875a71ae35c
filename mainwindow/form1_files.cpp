// Form1 as a desktop program's document window: the title names the calculation file and marks
// unsaved changes; the question before changes are thrown away; recent files on the "Открыть"
// button; a .vardo file dropped on the window or named on the command line; F1 for the help page.
//
// "Changed" is exact: what a calculation file would keep (document::capture) is compared with
// what the file held when it was opened or saved, after every action that can change the window.

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "calc/navigation.h"
#include "core/catalogue.h"
#include "core/datafile.h"
#include "core/messages.h"
#include "core/safefile.h"
#include "core/version.h"
#include "document/calculation.h"
#include "mainwindow/form1.h"
#include "mainwindow/helppage.h"
#include "mainwindow/recentfiles.h"
#include "mainwindow/sheetassist.h"
#include "mainwindow/taborder.h"
#include "tables/datasource.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The first calculation file among the dropped things: a local file named *.vardo.
QString droppedCalculation(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).suffix().compare(document::fileSuffix(), Qt::CaseInsensitive) == 0)
            return path;
    }
    return {};
}

// A text field takes dropped text itself; a dropped calculation file goes to the window instead
// of becoming the field's text.
class CalculationDrops : public QObject {
  public:
    CalculationDrops(QObject* parent, std::function<void(const QString&)> open)
        : QObject(parent), open_(std::move(open)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                if (droppedCalculation(drag->mimeData()).isEmpty()) break;
                drag->acceptProposedAction();
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const QString path = droppedCalculation(drop->mimeData());
                if (path.isEmpty()) break;
                drop->acceptProposedAction();
                open_(path);
                return true;
            }
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void(const QString&)> open_;
};

Form1::SaveAnswer askWithMessageBox(QWidget* parent, const QString& question) {
    QMessageBox box(parent);
    box.setWindowTitle(messages::appTitle());
    box.setText(question);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(u"Сохранить"_s);
    box.button(QMessageBox::Discard)->setText(u"Не сохранять"_s);
    box.button(QMessageBox::Cancel)->setText(u"Отмена"_s);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Form1::SaveAnswer::Save;
        case QMessageBox::Discard:
            return Form1::SaveAnswer::Discard;
        default:
            return Form1::SaveAnswer::Cancel;
    }
}

Form1::ChangedFileAnswer askChangedWithMessageBox(QWidget* parent, const QString& question) {
    QMessageBox box(parent);
    box.setWindowTitle(messages::appTitle());
    box.setText(question);
    box.setIcon(QMessageBox::NoIcon);
    QPushButton* overwrite = box.addButton(u"Заменить"_s, QMessageBox::DestructiveRole);
    QPushButton* saveAs = box.addButton(u"Сохранить как…"_s, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
    box.setDefaultButton(saveAs);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite) return Form1::ChangedFileAnswer::Overwrite;
    if (box.clickedButton() == saveAs) return Form1::ChangedFileAnswer::SaveAs;
    return Form1::ChangedFileAnswer::Cancel;
}

}  // namespace

void Form1::stampCalculationFile() {
    calculationStamp_ = calculationPath_.isEmpty()
                            ? FileStamp{}
                            : stampFile(calculationPath_, document::kMaxFileBytes);
}

bool Form1::mayReplace(QString* path) {
    // Only the file this window opened or saved is watched; any other name is saved as before.
    if (calculationStamp_.isEmpty() || calculationPath_.isEmpty()) return true;
    const QString target = QDir::cleanPath(QFileInfo(*path).absoluteFilePath());
    if (target != QDir::cleanPath(calculationPath_) && !isSameFile(target, calculationPath_))
        return true;
    const FileStamp now = stampFile(calculationPath_, document::kMaxFileBytes);
    if (now == calculationStamp_) return true;
    const QString what = !QFileInfo::exists(calculationPath_) ? u"удален"_s
                         : now.identity != calculationStamp_.identity ? u"заменен другим файлом"_s
                                                                      : u"изменен"_s;
    const QString question =
        u"Файл «%1» %2 после того, как расчет был открыт или сохранен в этом окне: его, "
        u"вероятно, изменила другая программа или другой пользователь. Заменить его этим "
        u"расчетом (сделанное там будет потеряно), сохранить расчет под другим именем или "
        u"отменить сохранение?"_s.arg(documentName(), what);
    const ChangedFileAnswer answer = changedFileQuestion_
                                         ? changedFileQuestion_(question)
                                         : askChangedWithMessageBox(this, question);
    switch (answer) {
        case ChangedFileAnswer::Overwrite:
            return true;
        case ChangedFileAnswer::SaveAs:
            // The name chosen now is the user's answer, even the same name again.
            *path = chooseFile(FileDialog::Save, calculationPath_);
            return !path->isEmpty();
        case ChangedFileAnswer::Cancel:
            break;
    }
    return false;
}

void Form1::wireFiles() {
    setAcceptDrops(true);
    auto* drops = new CalculationDrops(this, [this](const QString& path) {
        // Opened after the drop has ended, so that the question may wait for the user.
        QTimer::singleShot(0, this, [this, path] { openWithQuestion(path); });
    });
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->installEventFilter(drops);

    // Every change a user can make ends in one of these signals; each is connected after the
    // window's own action, so the check sees the window as the action left it.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &Form1::refreshModified);
    for (QComboBox* list : findChildren<QComboBox*>())
        connect(list, &QComboBox::editTextChanged, this, &Form1::refreshModified);
    for (QRadioButton* option : findChildren<QRadioButton*>()) {
        connect(option, &QRadioButton::toggled, this, &Form1::refreshModified);
        connect(option, &QRadioButton::clicked, this, &Form1::refreshModified);
    }
    for (QPushButton* button : findChildren<QPushButton*>())
        connect(button, &QPushButton::clicked, this, &Form1::refreshModified);
    for (tables::DataSource* source : findChildren<tables::DataSource*>())
        connect(source, &tables::DataSource::currentRowChanged, this, &Form1::refreshModified);

    // Recent files: the arrow at the right end of "Открыть", and its context menu.
    recentMenu_ = new QMenu(this);
    recentMenu_->setObjectName(u"recentMenu"_s);
    recentMenu_->setToolTipsVisible(true);
    connect(recentMenu_, &QMenu::aboutToShow, this, &Form1::fillRecentMenu);
    fillRecentMenu();
    QToolButton* recentArrow = nullptr;
    auto* open = qobject_cast<QPushButton*>(controls_.value(names::cmdOpen));
    if (open) {
        // Laid over the button's right end, so that no control of the window moves.
        auto* arrow = new QToolButton(this);
        arrow->setObjectName(u"cmdRecent"_s);
        arrow->setArrowType(Qt::DownArrow);
        arrow->setAutoRaise(true);
        arrow->setPopupMode(QToolButton::InstantPopup);
        arrow->setMenu(recentMenu_);
        arrow->setToolTip(u"Недавние расчеты"_s);
        arrow->setAccessibleName(u"Недавние расчеты"_s);
        arrow->setFocusPolicy(Qt::TabFocus);
        // In the button's lower right corner, clear of its centred caption.
        const int side = 9;
        arrow->setGeometry(open->x() + open->width() - side - 1,
                           open->y() + open->height() - side - 1, side, side);
        arrow->raise();
        recentArrow = arrow;
        arrow->setVisible(open->isVisibleTo(this));
        open->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(open, &QWidget::customContextMenuRequested, this,
                [this, open](const QPoint& at) { recentMenu_->popup(open->mapToGlobal(at)); });
    }

    // F1: the help page.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &Form1::showHelp);

    orderTabsByLayout(this);
    // The arrow is a part of "Открыть": the next stop after it.
    if (recentArrow) QWidget::setTabOrder(open, recentArrow);
}

void Form1::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = RecentFiles::files();
    if (files.isEmpty()) {
        recentMenu_->addAction(u"Недавних расчетов нет"_s)->setEnabled(false);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* action = recentMenu_->addAction(
            u"&%1 %2"_s.arg(i + 1).arg(QFileInfo(path).fileName().replace(u'&', u"&&"_s)));
        action->setToolTip(shown(path));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { openWithQuestion(path); });
    }
    recentMenu_->addSeparator();
    connect(recentMenu_->addAction(u"Очистить список"_s), &QAction::triggered, this,
            [] { RecentFiles::clear(); });
}

QString Form1::documentName() const {
    return calculationPath_.isEmpty() ? u"Без имени"_s : QFileInfo(calculationPath_).fileName();
}

bool Form1::isModified() const {
    return captureWindow() != saved_;
}

void Form1::refreshModified() {
    if (restoring_) return;
    setWindowModified(isModified());
}

void Form1::updateTitle() {
    // The name first, as desktop programs write it; the program's caption stays in view.
    setWindowTitle(documentName() + u"[*] — "_s + version::programTitle());
}

void Form1::markSaved(const document::Calculation& saved) {
    saved_ = saved;
    updateTitle();
    refreshModified();
}

bool Form1::maySetAside() {
    refreshModified();
    if (!isWindowModified()) return true;
    const QString question = u"Сохранить изменения в «%1»?"_s.arg(documentName());
    const SaveAnswer answer =
        saveQuestion_ ? saveQuestion_(question) : askWithMessageBox(this, question);
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

bool Form1::saveBeforeGoingOn() {
    // Into the file the calculation came from, else under a name the user gives; no name or a
    // failed save (told in its message) stops what was to follow.
    QString path = calculationPath_;
    if (path.isEmpty())
        path = chooseFile(FileDialog::Save,
                          RecentFiles::startFolder() + u"/Расчет."_s + document::fileSuffix());
    return !path.isEmpty() && saveCalculation(path);
}

void Form1::newCalculation() {
    if (!maySetAside()) return;
    calc::Command23_Click(*sheet_);
    assist_->ran(names::Command23);  // nothing is computed now, so nothing is out of date
    // A new calculation belongs to no file; what it shows now is its unchanged state.
    calculationPath_.clear();
    calculationStamp_ = {};
    markSaved(captureWindow());
}

bool Form1::openWithQuestion(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        const bool wasRecent = RecentFiles::files().contains(file.absoluteFilePath());
        RecentFiles::remove(path);
        QString text = u"Расчет «%1» не открыт: в папке «%2» такого файла больше нет."_s.arg(
            file.fileName(), shown(file.absolutePath()));
        if (wasRecent) text += u" Он убран из списка недавних расчетов."_s;
        sheet_->message(text);
        return false;
    }
    if (!maySetAside()) return false;
    return openCalculation(path);
}

void Form1::openFromCommandLine(const QStringList& files) {
    if (files.isEmpty()) return;
    openCalculation(QFileInfo(files.first()).absoluteFilePath());
    if (files.size() > 1) {
        QStringList others;
        for (qsizetype i = 1; i < files.size(); ++i)
            others << u"«"_s + QFileInfo(files[i]).fileName() + u"»"_s;
        sheet_->message(u"Окно держит один расчет: открыт только первый из файлов, не открыты "_s +
                        others.join(u", "_s) + u'.');
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!maySetAside()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedCalculation(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    if (!droppedCalculation(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QString path = droppedCalculation(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, path] { openWithQuestion(path); });
}

void Form1::showHelp() {
    QString error;
    if (!openHelpPage(helpViewer_, &error)) sheet_->message(error);
}

void Form1::giveHelpKey(QWidget* window) {
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), window);
    connect(help, &QShortcut::activated, window, [self = QPointer<Form1>(this), window] {
        if (self) {
            self->showHelp();
            return;
        }
        // The main window is closed: the window that asked tells it itself.
        QString error;
        if (!openHelpPage({}, &error)) showMessageBox(window, error);
    });
}

}  // namespace vardo::mainwindow
