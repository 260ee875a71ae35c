#include "core/mapsheet.h"

#include <QStringBuilder>

#include "core/catalogue.h"

namespace vardo {

using namespace Qt::Literals::StringLiterals;

QString MapSheet::text(const QString& name) const {
    catalogue::checkKnown(name);
    return texts.value(name);
}

void MapSheet::setText(const QString& name, const QString& text) {
    catalogue::checkKnown(name);
    texts.insert(name, text);
    // One allocation for the record: a calculation file brought back writes over a hundred.
    if (recording) effects << QString(u"text " % name % u'=' % text);
}

bool MapSheet::isVisible(const QString& name) const {
    catalogue::checkKnown(name);
    return visible.value(name, false);
}

void MapSheet::setVisible(const QString& name, bool on) {
    catalogue::checkKnown(name);
    visible.insert(name, on);
    if (recording) effects << (on ? u"show "_s : u"hide "_s) + name;
}

bool MapSheet::isChecked(const QString& name) const {
    catalogue::checkKnown(name);
    return checked.contains(name);
}

void MapSheet::message(const QString& text) {
    // Messages are kept even when nothing else is: the report needs them to tell a refusal.
    effects << u"message "_s + text;
    if (onMessage) onMessage(text);
}

void MapSheet::setChecked(const QString& option) {
    catalogue::checkKnown(option);
    const QStringView group = catalogue::groupOf(option);
    for (const catalogue::OptionGroup& g : catalogue::optionGroups())
        if (g.key == group)
            for (const Name& other : g.options) checked.remove(other);
    checked.insert(option);
    if (recording) effects << u"check "_s + option;
    if (onSelect) onSelect(option);
}

QStringList MapSheet::messages() const {
    QStringList out;
    for (const QString& e : effects)
        if (e.startsWith(u"message "_s)) out << e.mid(8);
    return out;
}

void MapSheet::check(const QString& name, bool on) {
    if (on)
        checked.insert(name);
    else
        checked.remove(name);
}

}  // namespace vardo
