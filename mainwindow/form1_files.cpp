// Form1 as a desktop program's document window: the title and the modified mark its document
// (documentcontroller.h) tells, checked again after every action that can change the window; the
// questions as message boxes; recent files on the "Открыть" button; a .vardo file dropped on the
// window; F1 for the help window.

#include <QApplication>
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

#include "about/form2.h"
#include "core/catalogue.h"
#include "core/datafile.h"
#include "core/messages.h"
#include "document/calculation.h"
#include "mainwindow/form1.h"
#include "mainwindow/gradewindow.h"
#include "mainwindow/helpwindow.h"
#include "mainwindow/recentfiles.h"
#include "mainwindow/sheetassist.h"
#include "mainwindow/taborder.h"
#include "tables/datasource.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

// The section of the guide (its anchor in help.html) that explains a control or the container it
// lies in.
struct HelpSection {
    Name control;
    const char16_t* section;
};
constexpr HelpSection kHelpSections[]{
    {names::txtProlet, u"arms"},
    {names::Combo2, u"arms"},
    {names::Command10, u"arms"},
    {names::Frame5, u"loads"},
    {names::Frame7, u"loads"},
    {names::frmF1, u"loads"},
    {names::frmF2, u"loads"},
    {names::Frame19, u"middle"},
    {names::Frame16, u"section"},
    {names::Frame17, u"section"},
    {names::Frame6, u"section"},
    {names::Frame8, u"section"},
    {names::kSectionFrame, u"section"},
    {names::Frame14, u"middle"},
    {names::Command14, u"beam"},
    {names::Frame3, u"beam"},
    {names::frmF3, u"beam"},
    {names::frmF4, u"beam"},
    {names::frmF5, u"beam"},
    {names::txtLp, u"beam"},
    {names::txtVm, u"beam"},
    {names::Combo1, u"beam"},
    {names::kMfsPanel, u"mfs"},
    {names::kMfsButtonsFrame, u"mfs"},
    {names::Command16, u"allowable"},
    {names::kAllowablePanel, u"allowable"},
    {names::cmdGrades, u"grades"},
    {names::Frame4, u"moments"},
    {names::Frame18, u"moments"},
    {names::kBeamPanel, u"moments"},
    {names::Frame1, u"beam"},
    {names::cmdOpen, u"files"},
    {names::cmdSave, u"files"},
    {names::Command23, u"new"},
    {names::cmdReport, u"report"},
    {names::cmdMore, u"object"},
    {names::Command24, u"calculator"},
    {names::Command25, u"calculator"},
    {names::Option16, u"calculator"},
    {names::Option17, u"calculator"},
    {u"Form3", u"calculator"},
    {u"GradeWindow", u"grades"},
};

QString helpSectionOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QString name = widget->objectName();
        if (names::txtL.numberOf(name) || names::txtP.numberOf(name)) return u"arms"_s;
        if (names::txtG.numberOf(name) || names::txtGg.numberOf(name)) return u"loads"_s;
        for (const HelpSection& s : kHelpSections)
            if (name == s.control.view()) return QString::fromUtf16(s.section);
    }
    return {};
}

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

DocumentController::SaveAnswer askWithMessageBox(QWidget* parent, const QString& question) {
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
            return DocumentController::SaveAnswer::Save;
        case QMessageBox::Discard:
            return DocumentController::SaveAnswer::Discard;
        default:
            return DocumentController::SaveAnswer::Cancel;
    }
}

DocumentController::ChangedFileAnswer askChangedWithMessageBox(QWidget* parent,
                                                               const QString& question) {
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
    using Answer = DocumentController::ChangedFileAnswer;
    if (box.clickedButton() == overwrite) return Answer::Overwrite;
    if (box.clickedButton() == saveAs) return Answer::SaveAs;
    return Answer::Cancel;
}

}  // namespace

void Form1::wireFiles() {
    // The document's title and mark are the window's; its questions are message boxes over it.
    connect(document_, &DocumentController::titleChanged, this, &QWidget::setWindowTitle);
    connect(document_, &DocumentController::modifiedChanged, this, &QWidget::setWindowModified);
    // After a file is opened the user goes on typing: the focus is on the sheet's first field,
    // not left on a navigator the file stepped.
    connect(document_, &DocumentController::opened, this, [this] {
        assist_->opened();
        if (QWidget* first = firstInputField(this)) first->setFocus(Qt::OtherFocusReason);
    });
    // Nothing is computed after "Новый расчет", so nothing is out of date.
    connect(document_, &DocumentController::cleared, this,
            [this] { assist_->ran(names::Command23); });
    document_->setSaveQuestion(
        [this](const QString& question) { return askWithMessageBox(this, question); });
    document_->setChangedFileQuestion(
        [this](const QString& question) { return askChangedWithMessageBox(this, question); });
    document_->setFileNameChooser(
        [this](DocumentController::FileName purpose, const QString& suggested) {
            using Name = DocumentController::FileName;
            return chooseFile(purpose == Name::Open     ? FileDialog::Open
                              : purpose == Name::SaveAs ? FileDialog::SaveAs
                                                        : FileDialog::Save,
                              suggested);
        });
    document_->setReadFiles([this](const QString& path) { return readFileAt(path, false); });

    setAcceptDrops(true);
    auto* drops = new CalculationDrops(this, [this](const QString& path) {
        // Opened after the drop has ended, so that the question may wait for the user.
        QTimer::singleShot(0, this, [this, path] { document_->openWithQuestion(path); });
    });
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->installEventFilter(drops);

    // Every change a user can make ends in one of these signals; each is connected after the
    // window's own action, so the check sees the window as the action left it.
    const auto refresh = [this] { document_->refresh(); };
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, refresh);
    for (QComboBox* list : findChildren<QComboBox*>())
        connect(list, &QComboBox::editTextChanged, this, refresh);
    for (QRadioButton* option : findChildren<QRadioButton*>()) {
        connect(option, &QRadioButton::toggled, this, refresh);
        connect(option, &QRadioButton::clicked, this, refresh);
    }
    for (QPushButton* button : findChildren<QPushButton*>())
        connect(button, &QPushButton::clicked, this, refresh);
    for (tables::DataSource* source : findChildren<tables::DataSource*>())
        connect(source, &tables::DataSource::currentRowChanged, this, refresh);

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

    // F1, and "Справка" at the end of the menu "…": the help window.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &Form1::showHelp);
    QWidget* more = controls_.value(names::cmdMore);
    if (auto* menu = more ? more->findChild<QMenu*>() : nullptr) {
        menu->addSeparator();
        QAction* guide = menu->addAction(u"Справка"_s);
        guide->setObjectName(u"actionHelp"_s);
        guide->setShortcut(QKeySequence(Qt::Key_F1));
        guide->setShortcutContext(Qt::WidgetShortcut);  // F1 of the window is the shortcut above
        connect(guide, &QAction::triggered, this, [this] { showHelpWindow(help_, QString()); });
    }
    // The grade window is a tool window of this one: the F1 above reaches it too (a key of its own
    // would make F1 ambiguous there, and neither would answer).

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
        connect(action, &QAction::triggered, this,
                [this, path] { document_->openWithQuestion(path); });
    }
    recentMenu_->addSeparator();
    connect(recentMenu_->addAction(u"Очистить список"_s), &QAction::triggered, this,
            [] { RecentFiles::clear(); });
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!document_->maySetAside()) {
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
    QTimer::singleShot(0, this, [this, path] { document_->openWithQuestion(path); });
}

void Form1::showHelp() {
    showHelpWindow(help_, helpSectionOf(QApplication::focusWidget()));
}

QWidget* Form1::helpWindow() const {
    return help_;
}

void Form1::giveHelpKey(QWidget* window) {
    // Once the main window is closed, the window that asks keeps a help window of its own.
    auto open = [self = QPointer<Form1>(this), own = std::make_shared<QPointer<HelpWindow>>()] {
        if (self)
            self->showHelp();
        else
            showHelpWindow(*own, QString());
    };
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setObjectName(u"helpKey"_s);
    connect(key, &QShortcut::activated, window, open);
    if (auto* about = qobject_cast<Form2*>(window)) about->setHelpOpener(open);
}

}  // namespace vardo::mainwindow
