#pragma once
// A main window for GUI tests: built in a chosen working directory (the sample workbooks by
// default), its messages captured instead of shown, shown offscreen and exposed. A modal dialog
// that still appears fails the test instead of hanging it (modalguard.h).

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <memory>

#include "mainwindow/form1.h"
#include "tests/support/modalguard.h"

namespace vardo::testing {

class Form1Fixture {
  public:
    explicit Form1Fixture(const QString& workingDirectory = QStringLiteral(VARDO_SAMPLE_DATA)) {
        // A control the window asks for that the catalogue does not know is a fault.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("is not in the catalogue")));
        previous_ = QDir::currentPath();
        QDir::setCurrent(workingDirectory);
        window = std::make_unique<Form1>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->setMessageSink([this](const QString& text) {
            messages << text;
            if (onMessage) onMessage(text);
        });
        window->setCalculatorStarter([this](const QString& dir, QString*) {
            calculatorStarts << dir;
            return true;
        });
        // The question before unsaved changes are thrown away is recorded and answered with
        // saveAnswer ("Не сохранять" unless a test says otherwise), so the buttons then do what
        // they always did.
        window->document().setSaveQuestion([this](const QString& question) {
            questions << question;
            return saveAnswer;
        });
        // So is the question before a file another program changed is saved over ("Отмена"
        // unless a test says otherwise), and the schedule's progress ("Отмена" at stopAt).
        window->document().setChangedFileQuestion([this](const QString& question) {
            questions << question;
            return changedAnswer;
        });
        window->setProgress([this](qsizetype done, qsizetype, const QString&) {
            progress << done;
            return done != stopAt;
        });
    }
    ~Form1Fixture() {
        // The windows the main window opened are deleted with it, not left for an event loop
        // that no longer runs.
        if (window) {
            delete window->aboutWindow();
            delete window->calculatorWindow();
            delete window->helpWindow();
        }
        window.reset();
        QDir::setCurrent(previous_);
    }

    bool show() {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    template <class W = QWidget>
    W* get(const QString& name) const {
        return window->findChild<W*>(name);
    }
    QString text(const QString& name) const { return window->sheet().text(name); }
    bool shown(const QString& name) const { return window->sheet().isVisible(name); }
    bool checked(const QString& name) const { return window->sheet().isChecked(name); }

    // A left mouse click on the control, as the user makes it.
    void click(const QString& name) {
        QWidget* w = get(name);
        QVERIFY2(w, qPrintable(name));
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    }
    void type(const QString& name, const QString& text) {
        auto* edit = get<QLineEdit>(name);
        QVERIFY2(edit, qPrintable(name));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Types into an editable list as the user does: the list takes the focus, Ctrl+A selects its
    // text, the keys replace it. What ends the entry (Tab, Enter) is the test's own key.
    void typeInList(const QString& name, const QString& text) {
        auto* list = get<QComboBox>(name);
        QVERIFY2(list && list->isEditable(), qPrintable(name));
        list->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(list, text);
    }

    // Declared first: it watches from before the window is built until after it is gone.
    ModalGuard modalGuard;
    std::unique_ptr<Form1> window;
    QStringList messages;
    QStringList calculatorStarts;
    QStringList questions;
    using Document = vardo::mainwindow::DocumentController;
    Document::SaveAnswer saveAnswer = Document::SaveAnswer::Discard;
    Document::ChangedFileAnswer changedAnswer = Document::ChangedFileAnswer::Cancel;
    QList<qsizetype> progress;
    qsizetype stopAt = -1;
    std::function<void(const QString&)> onMessage;

  private:
    QString previous_;
};

}  // namespace vardo::testing
