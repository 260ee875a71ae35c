// The program's life, run in the application's own event loop as the program runs it: the main
// window opened as the program opens it, "Выход" pressed while another window of the program is
// open, and the loop watched for the moment it ends.

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "mainwindow/form1.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Longer than any deferred close or quit of the toolkit takes.
constexpr int kSettleMs = 500;
// The loop is ended by force after this; a test that needs it has failed.
constexpr int kWatchdogMs = 10000;
constexpr int kWatchdogExit = 77;

void click(QWidget* window, const QString& name) {
    auto* w = window->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// One run of the application's event loop. `steps` run one after another, kSettleMs apart, the
// first as soon as the loop runs; the loop's exit code is returned, or kWatchdogExit.
class LoopRun {
  public:
    LoopRun() {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &guard_,
                         [this] { quitAfterStep_ = stepsRun_; });
    }

    int run(const QList<std::function<void()>>& steps) {
        steps_ = steps;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, &guard_,
                         [] { QCoreApplication::exit(kWatchdogExit); });
        watchdog.start(kWatchdogMs);
        timer_.setInterval(kSettleMs);
        QObject::connect(&timer_, &QTimer::timeout, &guard_, [this] { next(); });
        QTimer::singleShot(0, &guard_, [this] { next(); });
        return QCoreApplication::exec();
    }

    int stepsRun() const { return stepsRun_; }
    // How many steps had run when the application was about to quit; -1 when it did not.
    int quitAfterStep() const { return quitAfterStep_; }

  private:
    void next() {
        if (stepsRun_ >= steps_.size()) {
            timer_.stop();
            return;
        }
        steps_[stepsRun_++]();
        if (!timer_.isActive()) timer_.start();
    }

    QObject guard_;  // the connections end with the run
    QTimer timer_;
    QList<std::function<void()>> steps_;
    int stepsRun_ = 0;
    int quitAfterStep_ = -1;
};

}  // namespace

class LifetimeTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void exitWaitsForTheLastWindow_data();
    void exitWaitsForTheLastWindow();
    void otherWindowClosedFirst_data();
    void otherWindowClosedFirst();
    void exitAloneEndsTheProgram();

  private:
    // The main window as the program opens it: it deletes itself when closed.
    Form1* openMainWindow();
    // Opens the About window ("?") or the calculator ("vardo", then "Калькулятор").
    QWidget* openOther(Form1* window, const QString& which);

    QList<QPointer<QWidget>> opened_;
};

void LifetimeTest::initTestCase() {
    QDir::setCurrent(QStringLiteral(VARDO_SAMPLE_DATA));
    // The program relies on the toolkit's rule: it ends when its last window is closed.
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
}

void LifetimeTest::cleanup() {
    // Whatever a failed test left open must not keep the next test's program alive.
    for (const QPointer<QWidget>& w : std::as_const(opened_)) delete w.data();
    opened_.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Form1* LifetimeTest::openMainWindow() {
    auto* window = new Form1;
    window->setMessageSink([](const QString& text) { QFAIL(qPrintable(text)); });
    window->setCalculatorStarter([](const QString&, QString*) { return true; });
    // Choosing the calculator's option is a change a file keeps; "Выход" then asks, and these
    // tests answer "Не сохранять", after which "Выход" does what it always did.
    window->document().setSaveQuestion(
        [](const QString&) { return vardo::mainwindow::DocumentController::SaveAnswer::Discard; });
    window->show();
    opened_ << window;
    return window;
}

QWidget* LifetimeTest::openOther(Form1* window, const QString& which) {
    if (which == u"calculator"_s) {
        click(window, u"Option17"_s);
        click(window, u"Command25"_s);
        opened_ << window->calculatorWindow();
        return window->calculatorWindow();
    }
    click(window, u"Command19"_s);
    opened_ << window->aboutWindow();
    return window->aboutWindow();
}

void LifetimeTest::exitWaitsForTheLastWindow_data() {
    QTest::addColumn<QString>("other");
    QTest::newRow("calculator") << u"calculator"_s;
    QTest::newRow("About") << u"about"_s;
}

void LifetimeTest::exitWaitsForTheLastWindow() {
    // State: the main window and another window of the program open. Action: "Выход", a wait,
    // then the other window closed. Expected: the program runs on after "Выход" with the other
    // window still there, and ends once that window is closed.
    QFETCH(QString, other);
    QPointer<Form1> window = openMainWindow();
    QPointer<QWidget> second;
    bool mainGone = false, secondThere = false, secondShown = false;
    LoopRun loop;
    const int code = loop.run({
        [&] {
            second = openOther(window, other);
            QVERIFY(second);
            click(window, u"Command18"_s);
        },
        [&] {
            mainGone = window.isNull();
            secondThere = !second.isNull();
            secondShown = second && second->isVisible();
            if (second) second->close();
        },
    });
    QCOMPARE(loop.stepsRun(), 2);
    QVERIFY2(loop.quitAfterStep() != 1, "the program ended while a window of it was open");
    QVERIFY(mainGone);
    QVERIFY(secondThere);
    QVERIFY(secondShown);
    QCOMPARE(code, 0);
    QCOMPARE(loop.quitAfterStep(), 2);  // it ended when the last window was closed
}

void LifetimeTest::otherWindowClosedFirst_data() {
    QTest::addColumn<QString>("other");
    QTest::newRow("calculator") << u"calculator"_s;
    QTest::newRow("About") << u"about"_s;
}

void LifetimeTest::otherWindowClosedFirst() {
    // State: the main window and another window open. Action: the other window closed, a wait,
    // then "Выход". Expected: the program runs on with the main window, and ends with it.
    QFETCH(QString, other);
    QPointer<Form1> window = openMainWindow();
    bool mainShown = false;
    LoopRun loop;
    const int code = loop.run({
        [&] {
            QWidget* second = openOther(window, other);
            QVERIFY(second);
            second->close();
        },
        [&] {
            mainShown = window && window->isVisible();
            if (window) click(window, u"Command18"_s);
        },
    });
    QCOMPARE(loop.stepsRun(), 2);
    QVERIFY(mainShown);
    QCOMPARE(code, 0);
    QCOMPARE(loop.quitAfterStep(), 2);
}

void LifetimeTest::exitAloneEndsTheProgram() {
    // State: only the main window. Action: "Выход". Expected: the program ends.
    QPointer<Form1> window = openMainWindow();
    LoopRun loop;
    const int code = loop.run({[&] { click(window, u"Command18"_s); }});
    QCOMPARE(code, 0);
    QCOMPARE(loop.quitAfterStep(), 1);
    QVERIFY(window.isNull());
}

QTEST_MAIN(LifetimeTest)
#include "lifetime_test.moc"
