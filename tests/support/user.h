#pragma once
// The main window driven as a user drives it: clicks, typing, the navigation bars of the data
// sources, options from the keyboard, and whole lists of such steps. Each action returns false,
// with the reason logged, when the user could not do it.
//
// A user who reaches controls as seen (the default) clicks a control only where it is on screen
// and not covered by another control, and checks that a typed field shows what was typed. A user
// who reaches them directly clicks the control's centre and types into it with the focus moved
// there and its text selected (Form1Fixture::click and type), wherever it lies.

#include <QAbstractButton>
#include <QTest>

#include "tables/datasource.h"
#include "tests/support/form1fixture.h"

namespace vardo::testing {

class User {
  public:
    enum class Reach { AsSeen, Direct };

    explicit User(Form1Fixture& f, Reach reach = Reach::AsSeen) : f_(f), reach_(reach) {}

    bool click(const QString& name) { return clickWidget(f_.get(name), name); }

    // A button of a data source's navigation bar: moveFirst, movePrevious, moveNext, moveLast.
    bool step(const QString& source, const QString& button) {
        auto* ds = f_.get<tables::DataSource>(source);
        if (!ds) return fail(source + QStringLiteral(" does not exist"));
        return clickWidget(ds->findChild<QAbstractButton*>(button), source + u':' + button);
    }

    // An option selected from the keyboard: the focus moved onto it, then the space bar. This
    // also reaches an option that lies under another control.
    bool selectByKeyboard(const QString& option) {
        auto* button = f_.get<QAbstractButton>(option);
        if (!button) return fail(option + QStringLiteral(" does not exist"));
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        return true;
    }

    // A typed value. As seen: the click empties the field, then the keys, and the field shows
    // them. Directly: the focus, the text selected, the keys.
    bool enter(const QString& field, const QString& text) {
        if (reach_ == Reach::Direct) {
            if (!f_.get(field)) return fail(field + QStringLiteral(" does not exist"));
            f_.type(field, text);
            return true;
        }
        if (!click(field)) return false;
        QTest::keyClicks(f_.get(field), text);
        return f_.text(field) == text || fail(field + QStringLiteral(" shows ") + f_.text(field));
    }

    // "Name" clicks the control, "Name=text" types the text into the field, "Data6:moveNext" a
    // navigation button, "key:Option8" selects the option from the keyboard.
    bool run(const QStringList& steps) {
        for (const QString& s : steps) {
            const qsizetype equals = s.indexOf(u'=');
            const bool done = equals > 0 ? enter(s.first(equals), s.sliced(equals + 1))
                              : s.startsWith(QStringLiteral("key:")) ? selectByKeyboard(s.sliced(4))
                              : s.contains(u':') ? step(s.section(u':', 0, 0), s.section(u':', 1))
                                                 : click(s);
            if (!done) return false;
        }
        return true;
    }

    // Steps the source with moveNext until the field shows the text; false at the last row.
    bool stepUntil(const QString& source, const QString& field, const QString& text) {
        auto* ds = f_.get<tables::DataSource>(source);
        if (!ds) return fail(source + QStringLiteral(" does not exist"));
        for (int i = 0; i < ds->rowCount() && f_.text(field) != text; ++i)
            if (!step(source, QStringLiteral("moveNext"))) return false;
        return f_.text(field) == text || fail(source + QStringLiteral(" has no row with ") + text);
    }

  private:
    static bool isOrContains(const QWidget* outer, const QWidget* inner) {
        for (const QWidget* w = inner; w; w = w->parentWidget())
            if (w == outer) return true;
        return false;
    }

    bool clickWidget(QWidget* w, const QString& what) {
        if (!w) return fail(what + QStringLiteral(" does not exist"));
        if (reach_ == Reach::AsSeen) {
            if (!w->isVisible()) return fail(what + QStringLiteral(" is not on screen"));
            const QWidget* hit = f_.window->childAt(w->mapTo(f_.window.get(), w->rect().center()));
            if (!isOrContains(w, hit))
                return fail(what + QStringLiteral(" is covered by ") +
                            (hit ? hit->objectName() : QStringLiteral("nothing")));
        }
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        return true;
    }
    static bool fail(const QString& why) {
        qWarning("%s", qPrintable(why));
        return false;
    }

    Form1Fixture& f_;
    Reach reach_;
};

}  // namespace vardo::testing
