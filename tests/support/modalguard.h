#pragma once
// The guard of every GUI test fixture against modal dialogs nobody expects. A window under test
// tells its messages to the test instead of in a message box, and its file dialogs are the test's
// own; a modal dialog that still appears would wait for a user who never comes, and the test would
// hang. While a guard lives it closes every modal dialog that appears, so that the code that
// opened it goes on, and fails the current test naming the dialog: when the guard ends and when
// the test checks it. The check also closes and names a modal dialog still open.
//
// A test that opens a modal dialog on purpose does it without a guard (see form3_test's
// errorInMessageBox).

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace vardo::testing {

class ModalGuard : public QObject {
  public:
    ModalGuard() { qApp->installEventFilter(this); }
    ~ModalGuard() override {
        qApp->removeEventFilter(this);
        verify();
    }
    ModalGuard(const ModalGuard&) = delete;
    ModalGuard& operator=(const ModalGuard&) = delete;

    // The unexpected dialogs seen so far, each "class «title» text", handed over: the test that
    // takes them answers for them, and they no longer fail it.
    QStringList takeSeen() { return std::exchange(seen_, {}); }

    // Fails the current test when a modal dialog appeared or is open, closing an open one; true
    // when none did. Each dialog fails the test once.
    bool verify() {
        closeOpenModal(&seen_);
        const QStringList seen = std::exchange(seen_, {});
        return failIfAny(seen);
    }

    // For a test class's cleanup(), also where no guard watched: closes the modal dialog open
    // now, if any, and fails the current test naming it; true when none was open.
    static bool verifyNoneOpen() {
        QStringList seen;
        closeOpenModal(&seen);
        return failIfAny(seen);
    }

    static QString describe(const QWidget* dialog) {
        QString text = QString::fromLatin1(dialog->metaObject()->className()) +
                       QStringLiteral(" «") + dialog->windowTitle() + QStringLiteral("»");
        if (const auto* box = qobject_cast<const QMessageBox*>(dialog)) text += u' ' + box->text();
        return text;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->isModal()) {
                seen_ << describe(widget);
                // Closed from its own event loop, which then returns to the code that opened it.
                QTimer::singleShot(0, this, [dialog = QPointer<QWidget>(widget)] {
                    if (dialog) dialog->close();
                });
            }
        }
        return false;
    }

  private:
    static void closeOpenModal(QStringList* seen) {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen->append(describe(modal));
            modal->close();
        }
    }
    static bool failIfAny(const QStringList& seen) {
        if (seen.isEmpty()) return true;
        const QString text = QStringLiteral("an unexpected modal dialog was open: ") +
                             seen.join(QStringLiteral("; "));
        QTest::qFail(qPrintable(text), __FILE__, __LINE__);
        return false;
    }

    QStringList seen_;
};

}  // namespace vardo::testing
