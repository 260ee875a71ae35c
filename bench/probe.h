#pragma once
// What the two start-up probes share. Each probe marks the moments of its start-up on the
// CLOCK_MONOTONIC clock, which the driver (startup_bench) shares with its child processes, as
// lines "mark <phase> <ns>" on standard output:
//   main         main() entered: the program and its libraries are loaded and linked
//   application  the QApplication exists
//   window       the window is built (for the main window: its whole start-up)
//   shown        show() has returned
//   exposed      the first expose of the window has been handled: it is on screen and painted
// then it leaves the event loop and exits 0. Both print their window's size ("size WxH"), so that
// the driver can check that like is compared with like.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace vardo::bench {

inline void mark(const char* phase) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("mark %s %lld\n", phase,
                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
}

class ExposeProbe : public QObject {
  public:
    explicit ExposeProbe(QWindow* window) : window_(window) {}

    // After the expose event now being delivered has been handled, with its painting.
    void reportSoon() {
        if (scheduled_) return;
        scheduled_ = true;
        QMetaObject::invokeMethod(this, &ExposeProbe::report, Qt::QueuedConnection);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Expose && window_->isExposed())
            reportSoon();
        return false;
    }

  private:
    void report() {
        mark("exposed");
        QCoreApplication::exit(0);
    }

    QWindow* window_;
    bool scheduled_ = false;
};

// Shows the built window and runs the event loop until the window is on screen.
inline int runProbe(QWidget& window) {
    mark("window");
    std::printf("size %dx%d\n", window.width(), window.height());
    window.show();
    mark("shown");
    QWindow* handle = window.windowHandle();
    if (!handle) return 4;
    ExposeProbe probe(handle);
    handle->installEventFilter(&probe);
    if (handle->isExposed()) probe.reportSoon();
    // A window that never comes on screen must not hang the benchmark.
    QTimer::singleShot(30000, &probe, [] {
        std::fprintf(stderr, "the window was not exposed within 30 s\n");
        QCoreApplication::exit(5);
    });
    return QApplication::exec();
}

}  // namespace vardo::bench
