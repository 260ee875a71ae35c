#pragma once
// A calculation sheet of maps: the one sheet without widgets. The command-line report recomputes a
// saved calculation on it (through document::MemoryPort), tests use it as a window double that
// records every effect in order, and the benchmarks time the procedures on it.
//
// Effects are recorded as "text NAME=VALUE", "show NAME", "hide NAME", "check NAME" and
// "message TEXT" (unless recording is off). Selecting an option unchecks the other options of its
// group (the catalogue's groups), records "check NAME", then runs onSelect, the option's click
// action, when one is set: without it the maps hold what the action would show.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/sheet.h"

namespace vardo {

class MapSheet : public virtual FormPort {
  public:
    QStringList effects;
    QHash<QString, QString> texts;
    QHash<QString, bool> visible;
    QSet<QString> checked;
    bool recording = true;
    // Called when a message is shown, before the procedure goes on (a test may change the sheet
    // there, as a user could not, to check that a procedure reads its inputs before the message).
    std::function<void(const QString& text)> onMessage;
    // The click action of an option, run after it is selected.
    std::function<void(const QString& option)> onSelect;

    QString text(const QString& name) const override;
    void setText(const QString& name, const QString& text) override;
    bool isVisible(const QString& name) const override;
    void setVisible(const QString& name, bool on) override;
    bool isChecked(const QString& name) const override;
    void message(const QString& text) override;
    void setChecked(const QString& option) override;

    // The messages shown, in order.
    QStringList messages() const;
    // Checks or unchecks an option without selecting it (no group, no action, no effect).
    void check(const QString& name, bool on = true);
};

}  // namespace vardo
