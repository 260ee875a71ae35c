#include "document/crossbeamcheck.h"

#include <cmath>

#include "core/catalogue.h"
#include "core/numbertext.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<Fixed> computed(const Results& results, const QString& name) {
    const auto it = results.constFind(name);
    if (it == results.cend() || !it->computed) return std::nullopt;
    return parseFixed(it->text);
}

std::optional<Fixed> positive(const QString& text) {
    const std::optional<Fixed> value = parseFixed(text);
    if (!value || *value <= Fixed()) return std::nullopt;
    return value;
}

QString useName(int i) {
    return (i < 3 ? u"средний блок, "_s : u"крайний блок, "_s) +
           QString::fromUtf16(catalogue::kModes[i % 3].name);
}

}  // namespace

DesignMoments designMoments(const Results& results) {
    DesignMoments m;
    for (int i = 0; i < catalogue::kModeCount; ++i) {
        m.middle[i] = computed(results, catalogue::kModes[i].middle);
        m.end[i] = computed(results, catalogue::kModes[i].section);
    }
    return m;
}

Utilisation utilisation(std::optional<Fixed> moment, std::optional<Fixed> allowable) {
    if (!moment || !allowable || *allowable <= Fixed()) return {};
    // Exact comparisons on the ten-thousandths: |M| * 10 <= A * 9 is "up to 90 %".
    const Int128 m = moment->raw() < 0 ? -static_cast<Int128>(moment->raw()) : moment->raw();
    const Int128 a = allowable->raw();
    Utilisation u;
    u.ratio = static_cast<double>(m) / static_cast<double>(a);
    u.band = m * 10 <= a * 9 ? Band::UpTo90 : (m <= a ? Band::UpTo100 : Band::Over100);
    // Moments beyond 2^53 ten-thousandths may be one double apart or none.
    if (u.band == Band::Over100 && *u.ratio <= 1.0) u.ratio = std::nextafter(1.0, 2.0);
    return u;
}

CrossbeamCheck checkCrossbeams(const tables::Table& table, const GradeBasisOf& basisOf,
                               const QString& lpText) {
    CrossbeamCheck check;
    const std::optional<Fixed> lp = parseFixed(lpText);
    const bool lpKnown = lp && !lp->isZero();
    if (!lpKnown) check.missing << u"расчетная длина Lр не задана числом"_s;
    const auto addMissing = [&check](const QString& what) {
        if (!check.missing.contains(what)) check.missing << what;
    };

    for (int r = 0; r < table.rowCount(); ++r) {
        const QStringList& row = table.rows[r];
        GradeCheck g;
        g.row = r;
        g.grade = row.value(0);
        for (int k = 0; k < 4; ++k) {
            g.allowableText[k] = row.value(k + 1);
            g.allowable[k] = positive(g.allowableText[k]);
        }
        g.lengthsText = row.value(5);
        const std::optional<DesignLengths> lengths = parseDesignLengths(g.lengthsText);
        if (lengths && lpKnown)
            g.length = lengths->contains(*lp) ? LengthFit::Allowed : LengthFit::NotAllowed;

        const GradeBasis basis = basisOf(g.grade);
        g.rows = basis.rows;
        bool fails = false;
        bool unknown = false;
        if (!basis.moments) {
            g.notChecked = basis.why;
            g.reasons << u"не проверена: "_s + basis.why;
            unknown = true;
        } else {
            g.moments = *basis.moments;
            std::array<std::optional<Fixed>, 6> m;
            for (int i = 0; i < 3; ++i) {
                m[i] = g.moments.middle[i];
                m[i + 3] = g.moments.end[i];
            }
            // The moments over their allowable ones, by block: "средний блок — гололед 117,6 %".
            QStringList over[2];
            for (int i = 0; i < 6; ++i) {
                if (!m[i]) addMissing(u"не вычислен момент: "_s + useName(i));
                g.use[i] = utilisation(m[i], g.allowable[kAllowableOf[i]]);
                if (g.use[i].band == Band::Over100) {
                    fails = true;
                    over[i / 3] << QString::fromUtf16(catalogue::kModes[i % 3].name) + u' ' +
                                       percentText(*g.use[i].ratio);
                } else if (g.use[i].band == Band::Unknown) {
                    unknown = true;
                }
            }
            QStringList blocks;
            if (!over[0].isEmpty()) blocks << u"средний блок — "_s + over[0].join(u", "_s);
            if (!over[1].isEmpty()) blocks << u"крайний блок — "_s + over[1].join(u", "_s);
            if (!blocks.isEmpty())
                g.reasons << u"превышен допускаемый момент: "_s + blocks.join(u"; "_s);
        }
        for (int k = 0; k < 4; ++k)
            if (!g.allowable[k])
                g.reasons << u"в таблице нет допускаемого момента F"_s + QString::number(k + 2);
        if (g.length == LengthFit::NotAllowed) {
            fails = true;
            g.reasons << u"Lр = "_s + lpText.trimmed() +
                             u" м не входит в возможные расчетные длины"_s;
        } else if (g.length == LengthFit::Unknown) {
            unknown = true;
            if (!lengths) g.reasons << u"возможные расчетные длины не распознаны"_s;
        }
        g.verdict = fails ? Verdict::Fails : (unknown ? Verdict::Incomplete : Verdict::Passes);
        if (g.verdict == Verdict::Passes && check.firstPassing < 0)
            check.firstPassing = static_cast<int>(check.grades.size());
        check.grades << g;
    }
    return check;
}

CrossbeamCheck checkCrossbeams(const tables::Table& table, const DesignMoments& moments,
                               const QString& lpText) {
    return checkCrossbeams(
        table,
        [&moments](const QString&) {
            return GradeBasis{moments, std::nullopt, {}};
        },
        lpText);
}

QString percentText(double ratio) {
    static const QString hundred = formatDecimals(100.0, 1);
    QString text = formatDecimals(ratio * 100.0, 1);
    if (ratio > 1.0 && text == hundred) text = formatDecimals(100.1, 1);
    return text + u" %"_s;
}

QString gradeVerdictText(const GradeCheck& grade) {
    switch (grade.verdict) {
        case Verdict::Passes:
            return u"проходит"_s;
        case Verdict::Fails:
            return u"не проходит"_s;
        case Verdict::Incomplete:
            break;
    }
    return grade.notChecked.isEmpty() ? u"проверка неполная"_s : u"не проверена"_s;
}

}  // namespace vardo::document
