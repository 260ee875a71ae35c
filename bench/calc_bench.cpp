// The calculation procedures, one click at a time, over a map-based sheet holding the inputs of the
// worked examples (the two suspension points on a 70 m span, the 18 m crossbeam, "1/3" selected).
//
// Yardstick of each click: the same click's traffic through the Sheet port alone, replayed without
// the procedure (every text it reads fetched and converted, every text it writes written, every
// option it tests tested). The ratio says how much the arithmetic and the formatting add to the
// cost that any procedure over this port must pay. The target is absolute: under 20 µs of CPU.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/summary.h"
#include "calc/procedures.h"
#include "core/mapsheet.h"
#include "core/numbertext.h"
#include "core/sheet.h"

namespace {

using vardo::Sheet;

// The program's map-backed sheet, recording nothing but messages (as if each were closed at once).
class MapSheet : public vardo::MapSheet {
  public:
    MapSheet() { recording = false; }
};

// The port traffic of one click, in order, as a tracing sheet saw it.
struct Traffic {
    enum Kind { Read, Write, Show, Check, Message };
    struct Effect {
        Kind kind;
        QString name;
        QString text;
        bool on = false;
    };
    QList<Effect> effects;
};

class TracingSheet : public MapSheet {
  public:
    mutable Traffic traffic;

    QString text(const QString& name) const override {
        traffic.effects.append({Traffic::Read, name, {}, false});
        return MapSheet::text(name);
    }
    void setText(const QString& name, const QString& text) override {
        traffic.effects.append({Traffic::Write, name, text, false});
        MapSheet::setText(name, text);
    }
    void setVisible(const QString& name, bool on) override {
        traffic.effects.append({Traffic::Show, name, {}, on});
        MapSheet::setVisible(name, on);
    }
    bool isChecked(const QString& name) const override {
        traffic.effects.append({Traffic::Check, name, {}, false});
        return MapSheet::isChecked(name);
    }
    void message(const QString& text) override {
        traffic.effects.append({Traffic::Message, {}, text, false});
        MapSheet::message(text);
    }
};

// The inputs of the worked examples, and "1/3" selected; the results of the load buttons that the
// governing-value clicks compare are in place.
void fillWorkedExample(MapSheet& sheet) {
    for (const vardo::NameSeries* series :
         {&vardo::names::txtL, &vardo::names::txtP, &vardo::names::txtG, &vardo::names::txtGg})
        for (const QString& name : series->all()) sheet.texts.insert(name, u"0"_qs);
    const QStringList inputs = {
        // suspension points, span and point weight
        u"txtL1=5"_qs, u"txtP2=4,5"_qs, u"txtG1=1,59"_qs, u"txtG2=1,66"_qs, u"txtGg1=2,5"_qs,
        u"txtGg2=2,6"_qs, u"txtProlet=70"_qs, u"Combo2=131"_qs,
        // results of the left and right load buttons with "1/3"
        u"Label14=1178,797"_qs, u"Label20=1145,103"_qs, u"Label15=311,108"_qs,
        u"Label21=303,492"_qs,
        // the crossbeam and the suspension moments it carries
        u"txtLp=18"_qs, u"txtGp=55"_qs, u"txtGpg=21,5"_qs, u"Combo1=1,59"_qs, u"Label10=4200"_qs,
        u"Label11=1350,5"_qs, u"Text21=3900"_qs, u"Text22=1200,5"_qs, u"txtPp=0,35"_qs,
        u"txtVm=25"_qs, u"Text18=320"_qs, u"Text19=380"_qs, u"Text20=500"_qs};
    for (const QString& entry : inputs) {
        const qsizetype eq = entry.indexOf(u'=');
        sheet.texts.insert(entry.left(eq), entry.mid(eq + 1));
    }
    sheet.checked.insert(u"Option9"_qs);
}

using Click = void (*)(Sheet&);
struct Procedure {
    std::string name;
    Click click;
};
// Every procedure of the calculation, by the control whose click runs it.
const std::vector<Procedure> kProcedures = [] {
    std::vector<Procedure> out;
    for (const vardo::calc::ProcedureEntry& p : vardo::calc::procedures())
        out.push_back({p.control.toString().toStdString(), p.run});
    return out;
}();

void clickBenchmark(benchmark::State& state, Click click) {
    MapSheet sheet;
    fillWorkedExample(sheet);
    for (auto _ : state) {
        vardo::bench::counted([&] { click(sheet); });
        benchmark::ClobberMemory();
    }
}

// The click's port traffic without the procedure: what it reads is fetched and converted, what it
// writes is written (the texts it wrote), what it tests is tested.
void replay(Sheet& port, const Traffic& traffic) {
    for (const Traffic::Effect& effect : traffic.effects) {
        switch (effect.kind) {
            case Traffic::Read: {
                std::optional<vardo::Fixed> value = vardo::parseFixed(port.text(effect.name));
                benchmark::DoNotOptimize(value);
                break;
            }
            case Traffic::Write:
                port.setText(effect.name, effect.text);
                break;
            case Traffic::Show:
                port.setVisible(effect.name, effect.on);
                break;
            case Traffic::Check: {
                bool on = port.isChecked(effect.name);
                benchmark::DoNotOptimize(on);
                break;
            }
            case Traffic::Message:
                port.message(effect.text);
                break;
        }
    }
}

void trafficBenchmark(benchmark::State& state, const Traffic& traffic) {
    MapSheet sheet;
    fillWorkedExample(sheet);
    Sheet& port = sheet;
    for (auto _ : state) {
        vardo::bench::counted([&] { replay(port, traffic); });
        benchmark::ClobberMemory();
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Trace each click once: its traffic is the yardstick, and what it wrote shows that it
    // computed the worked example rather than a refusal.
    QList<Traffic> traffics;
    for (const Procedure& p : kProcedures) {
        TracingSheet tracer;
        fillWorkedExample(tracer);
        p.click(tracer);
        int reads = 0;
        QStringList written;
        for (const Traffic::Effect& e : tracer.traffic.effects) {
            if (e.kind == Traffic::Read) ++reads;
            if (e.kind == Traffic::Write) written << e.name + u'=' + e.text;
        }
        std::printf("%-10s reads %2d texts, messages %d, writes %s\n", p.name.c_str(), reads,
                    int(tracer.messages().size()), qPrintable(written.join(u", "_qs)));
        traffics.append(tracer.traffic);
    }
    for (qsizetype i = 0; i < traffics.size(); ++i) {
        const std::string name = kProcedures[i].name;
        benchmark::RegisterBenchmark(("click/" + name).c_str(), clickBenchmark,
                                     kProcedures[i].click);
        benchmark::RegisterBenchmark(("port/" + name).c_str(), trafficBenchmark, traffics[i]);
    }

    vardo::bench::MedianCollector collector;
    if (!vardo::bench::runBenchmarks(argc, argv, collector)) return 1;

    constexpr double kTargetSeconds = 20e-6;
    for (const Procedure& p : kProcedures) {
        const std::string click = std::string("click/") + p.name;
        const std::string port = std::string("port/") + p.name;
        if (!collector.has(click) || !collector.has(port)) continue;
        const double ours = collector.cpuSeconds(click);
        const double yard = collector.cpuSeconds(port);
        using vardo::bench::format;
        vardo::bench::printRow(
            {format("%s click (CPU)", p.name.c_str()), format("%.2f us", ours * 1e6),
             format("%.2f us port traffic", yard * 1e6), format("%.2fx", ours / yard), "< 20 us",
             ours < kTargetSeconds, false, click, port});
    }
    return 0;
}
