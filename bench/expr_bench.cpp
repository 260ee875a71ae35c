// The calculator's evaluator, one-shot: set an expression and evaluate it, as the calculator window
// does for every "=". Yardstick: muparser doing the same (SetExpr, then Eval, which parses the
// text again and evaluates it) on the same expressions, written with the decimal point and its own
// name of pi. Both objects are created once; each iteration parses and evaluates afresh. A second
// pair of cases creates the object in every iteration too.
#include <muParser.h>
#include <QString>
#include <cmath>
#include <cstdio>
#include <string>

#include "bench/summary.h"
#include "exprcalc/cexpressionevaluator.h"

namespace {

struct Expression {
    const char* name;
    QString ours;        // the decimal comma, as the calculator's user types it
    std::string theirs;  // the same for muparser: decimal point, "_pi", "log" is also natural
};

const Expression kExpressions[] = {
    {"short", u"2+3*4"_qs, "2+3*4"},
    {"decimals", u"(1,5+2)^2/3"_qs, "(1.5+2)^2/3"},
    {"functions", u"sin(pi/6)+cos(0)"_qs, "sin(_pi/6)+cos(0)"},
    {"long", u"12,5*(3,75+4,25)-2^3/4+sin(pi/4)*cos(pi/3)-exp(1,5)/(7-2,5)+log(10)*3"_qs,
     "12.5*(3.75+4.25)-2^3/4+sin(_pi/4)*cos(_pi/3)-exp(1.5)/(7-2.5)+log(10)*3"},
};

void silent(const QString&, const QString&) {}

void oursOneShot(benchmark::State& state, const Expression& e) {
    CExpressionEvaluator evaluator(&silent);
    for (auto _ : state) {
        vardo::bench::counted([&] {
            evaluator.SetExpression(e.ours);
            benchmark::DoNotOptimize(evaluator.Evaluate());
        });
    }
}

void muparserOneShot(benchmark::State& state, const Expression& e) {
    mu::Parser parser;
    for (auto _ : state) {
        vardo::bench::counted([&] {
            parser.SetExpr(e.theirs);
            benchmark::DoNotOptimize(parser.Eval());
        });
    }
}

void oursFresh(benchmark::State& state, const Expression& e) {
    for (auto _ : state) {
        vardo::bench::counted([&] {
            CExpressionEvaluator evaluator(&silent);
            evaluator.SetExpression(e.ours);
            benchmark::DoNotOptimize(evaluator.Evaluate());
        });
    }
}

void muparserFresh(benchmark::State& state, const Expression& e) {
    for (auto _ : state) {
        vardo::bench::counted([&] {
            mu::Parser parser;
            parser.SetExpr(e.theirs);
            benchmark::DoNotOptimize(parser.Eval());
        });
    }
}

// Both must compute the same values, or the comparison means nothing. Our pi has 15 digits.
bool sameValues() {
    bool same = true;
    for (const Expression& e : kExpressions) {
        int errors = 0;
        CExpressionEvaluator evaluator([&errors](const QString&, const QString&) { ++errors; });
        evaluator.SetExpression(e.ours);
        const double ours = evaluator.Evaluate();
        mu::Parser parser;
        parser.SetExpr(e.theirs);
        const double theirs = parser.Eval();
        const bool ok = errors == 0 && std::fabs(ours - theirs) <= 1e-9 * std::fabs(theirs);
        std::printf("%-10s %s\n           ours %.15g, muparser %.15g: %s\n", e.name,
                    qPrintable(e.ours), ours, theirs, ok ? "the same" : "DIFFERENT");
        same = same && ok;
    }
    return same;
}

}  // namespace

int main(int argc, char** argv) {
    if (!sameValues()) return 2;
    for (const Expression& e : kExpressions) {
        const std::string name = e.name;
        benchmark::RegisterBenchmark(("ours/" + name).c_str(), oursOneShot, e);
        benchmark::RegisterBenchmark(("muparser/" + name).c_str(), muparserOneShot, e);
        benchmark::RegisterBenchmark(("ours_fresh/" + name).c_str(), oursFresh, e);
        benchmark::RegisterBenchmark(("muparser_fresh/" + name).c_str(), muparserFresh, e);
    }

    vardo::bench::MedianCollector collector;
    if (!vardo::bench::runBenchmarks(argc, argv, collector)) return 1;

    using vardo::bench::format;
    constexpr double kTarget = 4.0;
    // Rows per expression for the one-shot cases, then the four expressions together for both
    // kinds of case; a ratio is how many times as many evaluations per second as muparser.
    for (const char* prefix : {"", "_fresh"}) {
        const bool fresh = *prefix != '\0';
        double oursAll = 0;
        double theirsAll = 0;
        int counted = 0;
        for (const Expression& e : kExpressions) {
            const std::string ours = std::string("ours") + prefix + "/" + e.name;
            const std::string theirs = std::string("muparser") + prefix + "/" + e.name;
            if (!collector.has(ours) || !collector.has(theirs)) continue;
            const double o = collector.cpuSeconds(ours);
            const double t = collector.cpuSeconds(theirs);
            oursAll += o;
            theirsAll += t;
            ++counted;
            if (fresh) continue;
            const std::string shown = e.ours.size() <= 20
                                          ? qPrintable(e.ours)
                                          : format("%s, %d characters", e.name, int(e.ours.size()));
            vardo::bench::printRow({format("evaluator one-shot: %s", shown.c_str()),
                                    format("%.0f /s", 1 / o), format("%.0f /s muparser", 1 / t),
                                    format("%.2fx", t / o), ">= 4x", t / o >= kTarget, false, ours,
                                    theirs});
        }
        if (counted == 0) continue;
        vardo::bench::printRow(
            {format(fresh ? "evaluator new object + one-shot, %d expressions"
                          : "evaluator one-shot, %d expressions together",
                    counted),
             format("%.0f /s", counted / oursAll), format("%.0f /s muparser", counted / theirsAll),
             format("%.2fx", theirsAll / oursAll), ">= 4x", theirsAll / oursAll >= kTarget});
    }
    return 0;
}
