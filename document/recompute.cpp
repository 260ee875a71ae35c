#include "document/recompute.h"
#include "core/catalogue.h"

#include "calc/procedures.h"
#include "core/messages.h"
#include "core/numbertext.h"
#include "document/memoryport.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

using calc::ProcedureEntry;
using calc::Stage;

// The road of a calculation, as the table has it: mid-span loads, left and right third (quarter)
// point loads, then the moments at mid-span and at the third (quarter) point. The governing
// Text21/Text22 are not worked out again: they are kept as saved.
bool recomputed(const ProcedureEntry& p) {
    return p.stage == Stage::Load || p.stage == Stage::Moment;
}

bool isNoData(const QString& message) {
    return message == messages::noData() || message == messages::noDataColon() ||
           message == messages::noDataColonSpace();
}

QString larger(const QString& a, const QString& b) {
    const Fixed x = parseFixed(a).value_or(Fixed());
    const Fixed y = parseFixed(b).value_or(Fixed());
    return formatFixed(x >= y ? x : y);
}

// The sheet of a saved calculation: its inputs, Мфс values and options.
void load(MemoryPort& port, const Calculation& calculation) {
    for (auto it = calculation.inputs.cbegin(); it != calculation.inputs.cend(); ++it)
        port.setText(it.key(), it.value());
    for (auto it = calculation.mfs.cbegin(); it != calculation.mfs.cend(); ++it)
        port.setText(it.key(), it.value());
    for (const QString& option : calculation.options)
        if (!option.isEmpty()) port.setChecked(option);
}

// Runs the procedures `which` takes, in the order of the road, each result computed when its
// procedure did not refuse.
template <typename Which>
void run(MemoryPort& port, Which which, Results& out) {
    const bool sectionChosen = port.isChecked(names::Option9) || port.isChecked(names::Option10);
    for (const ProcedureEntry& p : calc::resultProcedures()) {
        if (!recomputed(p) || !which(p)) continue;
        // The messages the procedure showed: the "message TEXT" effects it added.
        const qsizetype before = port.effects.size();
        p.run(port);
        bool refused = p.atSection && !sectionChosen;
        for (qsizetype i = before; i < port.effects.size(); ++i)
            if (const QString& e = port.effects[i]; e.startsWith(u"message "_s))
                refused = refused || isNoData(e.mid(8));
        out.insert(p.result, {port.text(p.result), !refused});
    }
}

}  // namespace

const QStringList& recomputedFields() {
    static const QStringList fields = [] {
        QStringList out;
        for (const ProcedureEntry& p : calc::resultProcedures())
            if (recomputed(p)) out << p.result;
        return out;
    }();
    return fields;
}

Recomputation recompute(const Calculation& calculation) {
    MemoryPort port;
    port.recording = false;  // only the messages are needed
    load(port, calculation);
    for (const QString kept :
         {names::kLoadSectionMoment, names::kIceLoadSectionMoment, names::kMfsIndicator})
        port.setText(kept, calculation.results.value(kept));

    Recomputation out;
    run(
        port, [](const ProcedureEntry&) { return true; }, out.results);
    for (const QString kept :
         {names::kLoadSectionMoment, names::kIceLoadSectionMoment, names::kMfsIndicator}) {
        const QString text = calculation.results.value(kept);
        out.results.insert(kept, {text, parseFixed(text).has_value()});
    }
    out.messages = port.messages();
    out.governingG = larger(port.text(names::kLoadLeftMoment), port.text(names::kLoadRightMoment));
    out.governingGice =
        larger(port.text(names::kIceLoadLeftMoment), port.text(names::kIceLoadRightMoment));
    return out;
}

calc::Trace traceOf(const Calculation& calculation) {
    calc::Trace trace;
    const calc::TraceScope scope(trace);
    recompute(calculation);
    return trace;
}

Results sectionLoads(const Calculation& calculation) {
    MemoryPort port;
    port.recording = false;
    load(port, calculation);
    Results out;
    run(
        port, [](const ProcedureEntry& p) { return p.stage == Stage::Load && p.atSection; }, out);
    return out;
}

Results designMomentsWith(const Calculation& calculation, const Results& loads, const QString& gp,
                          const QString& gpg, const QString& pp) {
    return MomentsWith(calculation)(loads, gp, gpg, pp);
}

MomentsWith::MomentsWith(const Calculation& calculation) : port_(std::make_unique<MemoryPort>()) {
    port_->recording = false;  // only the messages are needed
    load(*port_, calculation);
}

MomentsWith::~MomentsWith() = default;

Results MomentsWith::operator()(const Results& loads, const QString& gp, const QString& gpg,
                                const QString& pp) {
    MemoryPort& port = *port_;
    port.setText(names::txtGp, gp);
    port.setText(names::txtGpg, gpg);
    port.setText(names::txtPp, pp);
    // A load that was not computed reads as no data, so the moments that need it refuse.
    for (const QString name : {names::kLoadMidMoment, names::kIceLoadMidMoment,
                               names::kLoadSectionMoment, names::kIceLoadSectionMoment}) {
        const auto v = loads.constFind(name);
        port.setText(name, v != loads.cend() && v->computed ? v->text : QString());
    }
    // Only the messages of this run are looked at.
    port.effects.clear();
    Results out;
    run(
        port, [](const ProcedureEntry& p) { return p.stage == Stage::Moment; }, out);
    return out;
}

QStringList outOfDate(const Calculation& calculation) {
    const Results again = recompute(calculation).results;
    QStringList out;
    for (const QString& name : recomputedFields()) {
        const QString shown = calculation.results.value(name).trimmed();
        if (shown.isEmpty()) continue;  // never computed: nothing to be out of date
        const QString now = again.value(name).text;
        const std::optional<Fixed> a = parseFixed(shown);
        const std::optional<Fixed> b = parseFixed(now);
        if (a && b ? *a != *b : shown != now) out << name;
    }
    return out;
}

Results savedResults(const Calculation& calculation, const Results& recomputed) {
    Results out;
    for (const QString& name : resultFields()) {
        const QString text = calculation.results.value(name);
        bool computed = parseFixed(text).has_value();
        const auto again = recomputed.constFind(name);
        if (computed && text == u"0"_s && again != recomputed.cend() && !again->computed)
            computed = false;
        out.insert(name, {text, computed});
    }
    return out;
}

}  // namespace vardo::document
