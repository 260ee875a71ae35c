#include "mainwindow/sheetmarks.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "calc/procedures.h"
#include "core/catalogue.h"
#include "core/numbertext.h"
#include "core/quantities.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

SheetMarks::SheetMarks(WidgetSheet& sheet, QObject* parent) : QObject(parent), sheet_(sheet) {
    for (const QString& name : catalogue::quantityControls())
        if (QWidget* w = sheet_.widget(name)) w->setToolTip(catalogue::quantityText(name));
}

QString SheetMarks::staleText() {
    return u"Исходные данные изменились — пересчитайте"_s;
}

QColor SheetMarks::staleColour() {
    return QColor(0xdd, 0xd5, 0xee);  // pale violet: none of the band colours
}

QColor SheetMarks::problemColour() {
    return QColor(0xff, 0xc4, 0xc4);
}

QStringList SheetMarks::typedFields() {
    return catalogue::inputFields() + catalogue::tableFields() +
           QStringList{names::kLoadSectionMoment, names::kIceLoadSectionMoment};
}

QString SheetMarks::valueOf(const QString& name) const {
    // An option is read as the procedures test it: checked or not.
    if (!catalogue::groupOf(name).isEmpty()) return sheet_.isChecked(name) ? u"1"_s : u"0"_s;
    return sheet_.text(name);
}

void SheetMarks::snapshot(const QString& result) {
    outOfDateOnOpening_.remove(result);
    QHash<QString, QString>& kept = snapshots_[result];
    kept.clear();
    if (const calc::ProcedureEntry* p = calc::producerOf(result))
        for (const QString& input : p->inputs) kept.insert(input, valueOf(input));
}

void SheetMarks::ran(const QString& control) {
    if (control == names::Command23) {
        snapshots_.clear();
        outOfDateOnOpening_.clear();
        return;
    }
    const calc::ProcedureEntry* p = calc::findProcedure(control);
    if (p && !p->result.view().isEmpty()) snapshot(p->result);
}

void SheetMarks::takeAllAsComputed(const QStringList& outOfDate) {
    snapshots_.clear();
    for (const calc::ProcedureEntry& r : calc::resultProcedures())
        if (!sheet_.text(r.result).trimmed().isEmpty()) snapshot(r.result);
    outOfDateOnOpening_ = QSet<QString>(outOfDate.cbegin(), outOfDate.cend());
}

QStringList SheetMarks::staleResults() const {
    QStringList out;
    for (const calc::ProcedureEntry& r : calc::resultProcedures())
        if (stale_.contains(r.result)) out << r.result;
    return out;
}

void SheetMarks::refresh() {
    // In the order of the road: a result read by another is decided before that one.
    stale_.clear();
    for (const calc::ProcedureEntry& r : calc::resultProcedures()) {
        const auto kept = snapshots_.constFind(r.result);
        if (kept == snapshots_.cend()) continue;
        if (outOfDateOnOpening_.contains(r.result)) {
            stale_.insert(r.result);
            continue;
        }
        for (const QString& input : r.inputs) {
            if (stale_.contains(input) || kept->value(input) != valueOf(input)) {
                stale_.insert(r.result);
                break;
            }
        }
    }
    problems_.clear();
    for (const QString& field : typedFields()) {
        const QString text = sheet_.text(field);
        // An emptied field is one about to be typed into, not a mistake.
        if (text.trimmed().isEmpty()) continue;
        const QString why = numberProblem(text);
        if (!why.isEmpty()) problems_.insert(field, why);
    }
    for (auto it = problems_.begin(); it != problems_.end(); ++it)
        *it = u"Не число: "_s + *it + u". В расчете такой текст считается равным 0."_s;
    for (int i = 1; i <= 8; ++i) {
        const QString why =
            bothArmsText(i, sheet_.text(names::txtL[i]), sheet_.text(names::txtP[i]));
        if (why.isEmpty()) continue;
        problems_.insert(names::txtL[i], why);
        problems_.insert(names::txtP[i], why);
    }
    for (const calc::ProcedureEntry& r : calc::resultProcedures())
        show(r.result, stale_.contains(r.result), problems_.value(r.result));
    for (const QString& field : typedFields()) {
        if (!calc::producerOf(field))  // a result is shown above
            show(field, false, problems_.value(field));
    }
}

QString SheetMarks::bothArmsText(int point, const QString& left, const QString& right) {
    // Each arm is the point's distance to one support, taken with that side's influence factor;
    // a point is on one side of the middle, so one of its arms is 0. With both, its load counts
    // twice: at the middle with л = п = half the crossbeam, the point's share of G is doubled.
    const std::optional<Fixed> l = parseFixed(left);
    const std::optional<Fixed> p = parseFixed(right);
    if (!l || !p || l->isZero() || p->isZero()) return {};
    return u"У точки %1 заданы оба плеча (л = %2, п = %3): ее нагрузка входит в момент дважды, "
           u"с каждым плечом. Задайте одно плечо: л — для точки левее середины ригеля, "
           u"п — правее; другое — 0. Расчет считает оба, как введено."_s.arg(point)
               .arg(formatFixed(*l), formatFixed(*p));
}

void SheetMarks::show(const QString& name, bool stale, const QString& problem) {
    QWidget* w = sheet_.widget(name);
    if (!w) return;
    const QString state =
        stale || !problem.isEmpty() ? (stale ? u"s"_s : QString()) + u'|' + problem : QString();
    if (shownState_.value(name) == state) return;
    shownState_.insert(name, state);

    const QString quantity = catalogue::quantityText(name);
    if (state.isEmpty()) {
        // Taken back exactly: the palette the control had (its own, or none), its filling.
        const auto original = originals_.constFind(name);
        if (original != originals_.cend()) {
            w->setPalette(original->ownPalette ? original->palette : QPalette());
            w->setAttribute(Qt::WA_SetPalette, original->ownPalette);
            w->setAutoFillBackground(original->autoFill);
            originals_.erase(original);
        }
        w->setToolTip(quantity);
        return;
    }
    if (!originals_.contains(name))
        originals_.insert(
            name, {w->palette(), w->testAttribute(Qt::WA_SetPalette), w->autoFillBackground()});
    QPalette palette = originals_.value(name).palette;
    const QColor colour = problem.isEmpty() ? staleColour() : problemColour();
    const bool edits = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
    palette.setColor(edits ? QPalette::Base : QPalette::Window, colour);
    w->setPalette(palette);
    if (!edits) w->setAutoFillBackground(true);

    QStringList tip;
    if (!problem.isEmpty()) tip << problem;
    if (stale) tip << staleText();
    if (!quantity.isEmpty()) tip << quantity;
    w->setToolTip(tip.join(u'\n'));
}

}  // namespace vardo::mainwindow
