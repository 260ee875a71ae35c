// Plain Qt, as a project that uses Vardo's core may write it: Qt's keywords, implicit casts from
// ASCII, a connection without a context object, a parameter left unused and a stray semicolon.

#include <QObject>
#include <QString>

#include "core/fixed.h"
#include "core/numbertext.h"

class Counter : public QObject {
    Q_OBJECT

  public:
    void add(int step) {
        value_ += step;
        emit changed(value_);
    }

  signals:
    void changed(int value);

  public slots:
    void reset(int unused) { value_ = 0; }

  private:
    int value_ = 0;
};

static int twice(int n) {
    return 2 * n;
};  // the stray semicolon is pedantic, not an error

int main() {
    QString s = "x";
    Counter counter;
    int seen = 0;
    QObject::connect(&counter, &Counter::changed, [&seen](int value) { seen = value; });
    counter.add(twice(1));
    const vardo::Fixed half = vardo::Fixed::fromRaw(5000);
    s += vardo::formatFixed(half + half);
    return seen == 2 && s == "x1" ? 0 : 1;
}

#include "consumer.moc"
