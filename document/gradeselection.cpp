#include "document/gradeselection.h"

#include "core/catalogue.h"
#include "core/numbertext.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

Results sheetResults(const Calculation& calculation) {
    return savedResults(calculation, recompute(calculation).results);
}

QStringList selectionMissing(const Calculation& calculation, const Results& results) {
    QStringList missing;
    const bool quarter = calculation.options.value(names::Frame15) == names::Option10;
    // A governing field is shown by the last load button of its row; hidden, it holds no result
    // of this calculation (its start text, or what "Новый расчет" left).
    for (const Name& load : {names::kLoadMidMoment, names::kIceLoadMidMoment,
                             names::kLoadSectionMoment, names::kIceLoadSectionMoment})
        if (!results.value(load).computed || !calculation.view.value(load, true))
            missing << u"не вычислен момент от нагрузок подвески: "_s +
                           catalogue::resultCaption(load.view(), quarter);
    for (const catalogue::Mode& m : catalogue::kModes)
        if (!parseFixed(calculation.mfs.value(m.mfs)))
            missing << u"Мфс ("_s + QString::fromUtf16(m.name) + u") не задан числом"_s;
    return missing;
}

EndLoads endLoads(const Calculation& c, const Results& results) {
    const Results now = sectionLoads(c);
    const struct {
        Name field, left, right;
    } kLoads[] = {
        {names::kLoadSectionMoment, names::kLoadLeftMoment, names::kLoadRightMoment},
        {names::kIceLoadSectionMoment, names::kIceLoadLeftMoment, names::kIceLoadRightMoment}};
    EndLoads out;
    for (int k = 0; k < 2; ++k) {
        EndLoad& e = out[k];
        e.field = kLoads[k].field;
        const auto value = [](const ResultValue& v) {
            return v.computed ? parseFixed(v.text) : std::nullopt;
        };
        e.saved = value(results.value(e.field));
        e.left = value(now.value(kLoads[k].left));
        e.right = value(now.value(kLoads[k].right));
        if (!e.saved) continue;
        e.largest = e.smallest = e.saved;
        for (const std::optional<Fixed>& v : {e.left, e.right}) {
            if (!v) continue;
            e.largest = std::max(*e.largest, *v);
            e.smallest = std::min(*e.smallest, *v);
        }
    }
    return out;
}

CrossbeamCheck checkEveryGrade(const Calculation& c, const Results& results,
                               const tables::Table& allowable,
                               const CrossbeamTables& crossbeamTables,
                               std::span<const catalogue::Series> seriesTable,
                               const EndLoads* ends) {
    // The loads the end block is checked with: the largest, and the smallest when they differ.
    Results largest = results, smallest = results;
    bool bothWays = false;
    for (const EndLoad& e : ends ? *ends : endLoads(c, results)) {
        if (!e.largest) continue;
        largest.insert(e.field, {formatFixed(*e.largest), true});
        smallest.insert(e.field, {formatFixed(*e.smallest), true});
        bothWays = bothWays || *e.smallest != *e.largest;
    }
    MomentsWith momentsWith(c);
    const auto basisOf = [&](const QString& grade) {
        GradeBasis basis;
        QString why;
        basis.rows =
            findGradeRows(crossbeamTables, series(c, seriesTable), grade, iceColumn(c), &why);
        if (!basis.rows) {
            basis.why = why;
            return basis;
        }
        const GradeRows& r = *basis.rows;
        DesignMoments m = designMoments(momentsWith(largest, r.gp, r.gpg, r.pp));
        if (bothWays) {
            // A moment of the other sign, larger in size, governs in its place.
            const DesignMoments other = designMoments(momentsWith(smallest, r.gp, r.gpg, r.pp));
            const auto size = [](Fixed f) { return f.raw() < 0 ? -Int128(f.raw()) : f.raw(); };
            for (int i = 0; i < 3; ++i)
                if (m.end[i] && other.end[i] && size(*other.end[i]) > size(*m.end[i]))
                    m.end[i] = other.end[i];
        }
        basis.moments = m;
        return basis;
    };
    return checkCrossbeams(allowable, basisOf, c.inputs.value(names::txtLp));
}

MfsRow mfsRowOf(const Calculation& c, const tables::Table& t) {
    MfsRow out;
    const QStringList values = {c.mfs.value(names::kEmergencyMfs), c.mfs.value(names::kIceMfs),
                                c.mfs.value(names::kMaxWindMfs)};
    out.allZero = true;
    for (const QString& v : values) out.allZero = out.allZero && parseFixed(v) == Fixed();
    const int shown = c.sources.value(names::Data6).row;
    if (shown >= 0 && shown < t.rowCount()) out.shown = shown;
    if (out.allZero) return out;
    const bool per = c.options.value(names::Frame11) == names::Option7;
    const QStringList columns = per ? QStringList{u"авар"_s, u"норм гв"_s, u"норм в"_s}
                                    : QStringList{u"авар1"_s, u"норм гв1"_s, u"норм в1"_s};
    const auto matches = [&](int r) {
        for (int k = 0; k < 3; ++k) {
            const qsizetype col = t.header.indexOf(columns[k]);
            const std::optional<Fixed> cell = parseFixed(t.rows[r].value(col));
            if (col < 0 || !cell || cell != parseFixed(values[k])) return false;
        }
        return true;
    };
    if (out.shown >= 0 && matches(out.shown)) out.matched = out.shown;
    for (int r = 0; out.matched < 0 && r < t.rowCount(); ++r)
        if (matches(r)) out.matched = r;
    return out;
}

std::optional<SheetRowsOwner> sheetRowsOwner(const Calculation& c, const CrossbeamTables& t,
                                             std::span<const catalogue::Series> seriesTable) {
    // A row's values are the sheet's when each is the same number; a sheet value that is no
    // number is no row's.
    const std::optional<Fixed> gp = parseFixed(c.inputs.value(names::txtGp)),
                               gpg = parseFixed(c.inputs.value(names::txtGpg)),
                               pp = parseFixed(c.inputs.value(names::txtPp));
    if (!gp || !gpg || !pp) return std::nullopt;
    const auto same = [](const QString& cell, Fixed sheet) {
        const std::optional<Fixed> x = parseFixed(cell);
        return x && *x == sheet;
    };
    const catalogue::Series& own = series(c, seriesTable);
    QList<const catalogue::Series*> order{&own};
    for (const catalogue::Series& s : seriesTable)
        if (&s != &own) order << &s;
    for (const catalogue::Series* s : order) {
        for (int r = 0; r < t.weight.rowCount(); ++r) {
            const QString caption = t.weight.rows[r].value(s->weight.caption);
            if (caption.trimmed().isEmpty()) continue;
            const std::optional<GradeRows> rows =
                findGradeRows(t, *s, caption, iceColumn(c), nullptr);
            if (rows && same(rows->gp, *gp) && same(rows->gpg, *gpg) && same(rows->pp, *pp))
                return SheetRowsOwner{s, caption};
        }
    }
    return std::nullopt;
}

QString namesList(const QStringList& names) {
    constexpr qsizetype kNamed = 10;
    if (names.size() <= kNamed) return names.join(u", "_s);
    return names.first(kNamed).join(u", "_s) + u" и еще "_s +
           QString::number(names.size() - kNamed);
}

QList<Remark> remarks(const Calculation& c, const Results& results, const CrossbeamCheck& check,
                      const CrossbeamTables& crossbeamTables, const tables::Table& mfsTable,
                      const Results* recomputed, const EndLoads* ends) {
    QList<Remark> out;
    const bool quarter = c.options.value(names::Frame15) == names::Option10;
    // A text from a user or a workbook, as long as the report shows it.
    const auto brief = [](const QString& text) {
        const QString t = text.trimmed();
        return t.size() <= kMaxShownText ? t : t.left(kMaxShownText) + u"…"_s;
    };
    const auto quoted = [&brief](const QString& text) { return u"«"_s + brief(text) + u"»"_s; };

    for (const EndLoad& e : ends ? *ends : endLoads(c, results)) {
        if (!e.saved || (!e.left && !e.right)) continue;
        const QString caption = catalogue::resultCaption(e.field, quarter);
        const Fixed sides =
            e.left && e.right ? std::max(*e.left, *e.right) : *(e.left ? e.left : e.right);
        if (*e.saved < sides)
            out << Remark{
                RemarkKind::EndLoad,
                caption + u" на листе ("_s + formatFixed(*e.saved) +
                    u") меньше большего из значений слева и справа по исходным данным ("_s +
                    formatFixed(sides) + u"): крайний блок проверен с "_s + formatFixed(sides)};
        else if (*e.saved > sides)
            out << Remark{RemarkKind::EndLoad,
                          caption + u" на листе ("_s + formatFixed(*e.saved) +
                              u") больше значений слева и справа по исходным данным ("_s +
                              formatFixed(sides) +
                              u"): оно введено вручную или не обновлено, крайний блок проверен "
                              u"с ним"_s};
    }

    QStringList stale;
    const Results now = recomputed ? *recomputed : recompute(c).results;
    for (const QString& field : recomputedFields()) {
        const ResultValue v = now.value(field);
        const QString saved = c.results.value(field).trimmed();
        if (v.computed && !saved.isEmpty() && parseFixed(saved) != parseFixed(v.text))
            stale << quoted(catalogue::resultCaption(field, quarter));
    }
    if (!stale.isEmpty())
        out << Remark{
            RemarkKind::Stale,
            u"Результаты листа устарели, исходные данные дают сейчас другие значения: "_s +
                stale.join(u", "_s)};

    if (const std::optional<SheetRowsOwner> owner = sheetRowsOwner(c, crossbeamTables);
        owner && owner->series != &series(c))
        out << Remark{RemarkKind::OtherSeriesRows,
                      u"Значения gр, gрг, Pp листа расчета — строки "_s + quoted(owner->caption) +
                          u" серии "_s + QString::fromUtf16(owner->series->name) +
                          u", а проверяется серия "_s + seriesName(c) +
                          u": моменты листа к проверяемым маркам не относятся, каждая марка "
                          u"проверена со своими значениями"_s};

    const MfsRow mfs = mfsRowOf(c, mfsTable);
    if (mfs.matched >= 0) {
        const qsizetype lpColumn = mfsTable.header.indexOf(u"Lр"_s);
        const QString rowLp = mfsTable.rows[mfs.matched].value(lpColumn);
        const QString lp = c.inputs.value(names::txtLp);
        const std::optional<Fixed> a = parseFixed(rowLp.trimmed()), b = parseFixed(lp.trimmed());
        if (!a || !b || *a != *b)
            out << Remark{RemarkKind::MfsRow, u"Строка Мфс относится к Lр = "_s + brief(rowLp) +
                                                  u" м, а расчетная длина Lр = "_s + brief(lp) +
                                                  u" м"_s};
    }

    QStringList unchecked;
    for (const GradeCheck& g : check.grades)
        if (g.verdict == Verdict::Incomplete)
            unchecked << brief(g.grade) + u" — "_s + gradeVerdictText(g);
    if (!unchecked.isEmpty())
        out << Remark{RemarkKind::Unchecked, u"Проверены не до конца: "_s + namesList(unchecked)};

    QStringList negative;
    for (int i = 0; i < 6; ++i)
        for (const GradeCheck& g : check.grades) {
            const std::optional<Fixed> m = i < 3 ? g.moments.middle[i] : g.moments.end[i - 3];
            if (m && *m < Fixed()) {
                negative << quoted(
                    (i < 3 ? u"середина, "_s : catalogue::sectionText(quarter) + u", "_s) +
                    QString::fromUtf16(catalogue::kModes[i % 3].name));
                break;
            }
        }
    if (!negative.isEmpty())
        out << Remark{RemarkKind::Negative,
                      u"Отрицательные расчетные моменты ("_s + negative.join(u", "_s) +
                          u") проверены по модулю: допускаемый момент принят действительным для "
                          u"изгиба в обе стороны"_s};
    return out;
}

QString allowableSource(const Calculation& c) {
    return series(c).allowable.dataSource;
}

QString seriesName(const Calculation& c) {
    return QString::fromUtf16(series(c).name);
}

const catalogue::Series& series(const Calculation& c, std::span<const catalogue::Series> table) {
    return catalogue::seriesOf(c.options.value(names::Frame3), table);
}

int iceColumn(const Calculation& c) {
    const QString chosen = c.options.value(names::Frame7);
    for (int k = 0; k < catalogue::kThicknesses; ++k)
        if (chosen == catalogue::kThicknessOptions[k]) return k;
    return -1;
}

QString allowableWorkbookName(const Calculation& c) {
    return QString::fromUtf16(series(c).allowable.workbook);
}

QString verdictText(const CrossbeamCheck& check, const Calculation& calculation,
                    const tables::Table& allowable, const QString& allowableWorkbook,
                    const QString& allowableError) {
    const QString series = seriesName(calculation);
    if (!allowableError.isEmpty() || allowable.rowCount() == 0)
        return u"проверка не выполнена: таблица допускаемых моментов «"_s + allowableWorkbook +
               u"» не прочитана"_s;
    if (check.firstPassing >= 0) {
        // A lighter grade before it that could not be checked may pass too: named, never hidden.
        QStringList before;
        for (int g = 0; g < check.firstPassing; ++g)
            if (check.grades[g].verdict == Verdict::Incomplete)
                before << check.grades[g].grade.trimmed().left(kMaxShownText) + u" — "_s +
                              gradeVerdictText(check.grades[g]);
        return u"подходит марка "_s + check.grades[check.firstPassing].grade + u" серии "_s +
               series + u" (первая, прошедшая все проверки"_s +
               (before.isEmpty() ? QString()
                                 : u"; перед ней проверены не до конца: "_s + namesList(before)) +
               u")"_s;
    }
    bool incomplete = false;
    for (const GradeCheck& g : check.grades)
        incomplete = incomplete || g.verdict == Verdict::Incomplete;
    if (incomplete && !check.missing.isEmpty())
        return u"проверка неполная: "_s + check.missing.join(u"; "_s);
    if (incomplete) return u"проверка неполная: не все марки удалось проверить"_s;
    return u"ни одна марка серии "_s + series + u" не проходит"_s;
}

}  // namespace vardo::document
