#pragma once
// A calculation sheet without widgets for the tests: controls are entries of maps, and every effect
// a procedure has on the sheet (a text written, a control shown or hidden, a message) is recorded
// in order, so a test can check both the end state and the order of effects.

#include <functional>

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "core/sheet.h"

namespace vardo::testing {

class RecordingSheet : public Sheet {
  public:
    // Effects are recorded as "text NAME=VALUE", "show NAME", "hide NAME", "message TEXT".
    QStringList effects;
    QHash<QString, QString> texts;
    QHash<QString, bool> visible;
    QSet<QString> checked;
    // Called when a message is shown, before the procedure goes on (a test may change the sheet
    // there, as a user could not, to check that the procedure reads its inputs before the message).
    std::function<void(const QString&)> onMessage;

    QString text(const QString& name) const override { return texts.value(name); }
    void setText(const QString& name, const QString& text) override {
        texts.insert(name, text);
        effects << QStringLiteral("text %1=%2").arg(name, text);
    }
    bool isVisible(const QString& name) const override { return visible.value(name, false); }
    void setVisible(const QString& name, bool on) override {
        visible.insert(name, on);
        effects << (on ? QStringLiteral("show ") : QStringLiteral("hide ")) + name;
    }
    bool isChecked(const QString& name) const override { return checked.contains(name); }
    void message(const QString& text) override {
        effects << QStringLiteral("message ") + text;
        if (onMessage) onMessage(text);
    }

    QStringList messages() const {
        QStringList out;
        for (const QString& e : effects)
            if (e.startsWith(QStringLiteral("message "))) out << e.mid(8);
        return out;
    }
    void check(const QString& name, bool on = true) {
        if (on)
            checked.insert(name);
        else
            checked.remove(name);
    }
};

}  // namespace vardo::testing
