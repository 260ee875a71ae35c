#include "document/reportcontent.h"

#include "calc/trace.h"
#include "core/catalogue.h"
#include "core/numbertext.h"
#include "core/version.h"
#include "core/visibletext.h"
#include "document/diagram.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

// A text shown as it is: every character that would act unseen (a direction control, a
// zero-width or control character) as a visible mark, then HTML-escaped.
QString esc(const QString& text) {
    return markedText(text).toHtmlEscaped();
}

// Text that came from the user or a file: up to limit characters shown (the rest named, with its
// count), each character that would act unseen as a visible mark, HTML-escaped. Nothing in it is
// ever interpreted.
QString userText(const QString& text, qsizetype limit = kMaxShownText) {
    // Only blanks are trimmed: a control character at an end is shown, not dropped.
    qsizetype from = 0, to = text.size();
    while (from < to && text[from] == u' ') ++from;
    while (to > from && text[to - 1] == u' ') --to;
    QString t = text.sliced(from, to - from);
    const qsizetype length = t.size();
    if (length > limit) {
        t.truncate(limit);
        if (t.back().isHighSurrogate()) t.chop(1);
    }
    QString out = esc(t);
    if (length > limit)
        out += u"… <i>[сокращено: всего "_s + countText(length, u"знак", u"знака", u"знаков") +
               u"]</i>"_s;
    return out;
}

// A text of the program's own that names user text (a remark): whole, but as inert as userText.
QString inert(const QString& text) {
    QString t = text;
    for (QChar& ch : t) {
        const char16_t u = ch.unicode();
        if ((u >= 0xE000 && u <= 0xF8FF) || u == 0xFFFC || (u < 0x20 && u != u'\t')) ch = u'\uFFFD';
    }
    return esc(t);
}

// A field's text as the report shows it: as typed, "—" when empty.
QString shown(const QString& text) {
    return text.trimmed().isEmpty() ? u"—"_s : userText(text);
}
// The same in the title block, where a text wraps over the page's width.
QString shownTitle(const QString& text) {
    return text.trimmed().isEmpty() ? u"—"_s : userText(text, kMaxTitleText);
}

QString bandColour(Band band) {
    switch (band) {
        case Band::UpTo90:
            return u"#cdebc5"_s;
        case Band::UpTo100:
            return u"#fbe7a1"_s;
        case Band::Over100:
            return u"#f4b6b6"_s;
        case Band::Unknown:
            break;
    }
    return {};
}

// Headings: h3 for a section, h4 for the caption of a table; both are kept with what follows.
QString heading(int level, const QString& text) {
    const QString tag = u"h"_s + QString::number(level);
    const QString style =
        level == 4 ? u" style=\"font-size:9pt; font-weight:normal\""_s : QString();
    return u"<"_s + tag + style + u">"_s + text + u"</"_s + tag + u">"_s;
}

QString note(const QString& text) {
    return u"<p style=\"color:#a05000\">"_s + text + u"</p>"_s;
}

// The start of a header row, whose grey is how the page layout finds the rows it repeats on every
// page a table spans, and the start of a table.
const QString kHeaderRow = u"<tr style=\"background-color:#eeeeee\">"_s;
const QString kTable =
    u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
    u"style=\"border-collapse:collapse; border-color:#888888\""_s;
// The tables of the grades, in a smaller type to hold their many columns.
const QString kGradeTable =
    u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" style=\"border-collapse:"
    u"collapse; border-color:#888888; font-size:7.5pt\" width=\"100%\">"_s;

QString optionText(const Calculation& c, const QString& group,
                   const QList<std::pair<QString, QString>>& captions) {
    const QString chosen = c.options.value(group);
    for (const auto& [option, caption] : captions)
        if (option == chosen) return caption;
    return u"не выбрано"_s;
}

struct SourceRole {
    const char16_t* source;
    const char16_t* role;
};
constexpr SourceRole kSourceRoles[] = {
    {names::Data2.utf16(), u"G — нагрузка подвески без гололеда"},
    {names::Data4.utf16(), u"Gг — нагрузка подвески с гололедом"},
    {names::Data1.utf16(), u"gр — собственный вес ригеля"},
    {names::Data5.utf16(), u"gрг — гололедная нагрузка ригеля"},
    {names::Data3.utf16(), u"Pp — ветровой параметр ригеля"},
    {names::Data6.utf16(), u"Мфс — дополнительные моменты"},
};

bool sameNumber(const QString& a, const QString& b) {
    const std::optional<Fixed> x = parseFixed(a), y = parseFixed(b);
    return x && y && *x == *y;
}

// The report's text, section by section, from its input, the check and its remarks.
class ReportContent {
  public:
    ReportContent(const ReportInput& input, const CrossbeamCheck& check,
                  const QList<Remark>& remarks)
        : input_(input), check_(check), remarks_(remarks) {}

    QString html() const {
        return u"<html><body style=\"font-size:9pt\">"_s + titleBlock() + inputs() + diagram() +
               calculationNote() + results() + crossbeamCheck() + sources() + u"</body></html>"_s;
    }

  private:
    QString titleBlock() const;
    QString inputs() const;
    QString diagram() const;
    QString calculationNote() const;
    QString pointLoads(const calc::Trace& trace) const;
    QString loadSteps(const calc::Trace& trace) const;
    QString momentSteps(const calc::Trace& trace) const;
    QString factors() const;
    QString results() const;
    QString crossbeamCheck() const;
    QString sources() const;
    QString checkTable(const QString& section) const;
    QString gradeMomentsTable(const QString& section) const;
    QString sheetRowsNote() const;
    QString mfsNote() const;
    bool isShown(int grade) const;

    // An input field as the report shows it.
    QString in(const QString& name) const { return shown(input_.calculation.inputs.value(name)); }
    // "1/3" or "1/4": the section at the support.
    QString sectionText() const {
        return catalogue::sectionText(input_.calculation.options.value(names::Frame15) ==
                                      names::Option10);
    }
    QString verdict() const {
        return verdictText(check_, input_.calculation, input_.allowable, input_.allowableWorkbook,
                           input_.allowableError);
    }

    const ReportInput& input_;
    const CrossbeamCheck& check_;
    const QList<Remark>& remarks_;
};

}  // namespace

QString ReportContent::titleBlock() const {
    const Calculation& c = input_.calculation;
    QString h;
    h += u"<p style=\"font-size:16pt; font-weight:bold; margin-bottom:2pt\">"
         u"Расчет жесткой поперечины</p>"_s;
    h += u"<p style=\"color:#555555\">Отчет программы "_s +
         version::programTitle().toHtmlEscaped() + u"</p>"_s;
    h += u"<table cellspacing=\"0\" cellpadding=\"2\">"_s;
    h += u"<tr><td>Дата отчета:&nbsp;</td><td>"_s +
         esc(input_.date.toString(u"dd.MM.yyyy HH:mm"_s)) + u"</td></tr>"_s;
    h += u"<tr><td>Файл расчета:&nbsp;</td><td>"_s +
         (input_.fileName.isEmpty() ? u"не сохранен"_s : userText(input_.fileName, kMaxTitleText)) +
         u"</td></tr>"_s;
    // The object data, then who designed and who checks; they sign in the title block.
    const ObjectData& object = c.object;
    for (const ObjectField& f : objectFields()) {
        // The names and the date are in the table of signatures.
        if (f.member == &ObjectData::designedBy || f.member == &ObjectData::checkedBy ||
            f.member == &ObjectData::date)
            continue;
        h += u"<tr><td>"_s + QString::fromUtf16(f.caption) + u":&nbsp;</td><td><b>"_s +
             shownTitle(object.*f.member) + u"</b></td></tr>"_s;
    }
    h += u"</table>"_s;
    // A name or date left empty stays blank, to be written by hand.
    const auto blankOr = [](const QString& text) {
        return text.trimmed().isEmpty() ? u"&nbsp;"_s : userText(text, kMaxSignatureText);
    };
    h += u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"6\" style=\"border-collapse:"
         u"collapse; border-color:#888888; margin-top:6pt\">"_s;
    h += kHeaderRow +
         u"<td></td><td width=\"200\">Фамилия И. О."
         u"</td><td width=\"100\">Дата</td></tr>"_s;
    h += u"<tr><td>Разработал</td><td>"_s + blankOr(object.designedBy) + u"</td><td>"_s +
         blankOr(object.date) + u"</td></tr>"_s;
    h +=
        u"<tr><td>Проверил</td><td>"_s + blankOr(object.checkedBy) + u"</td><td>&nbsp;</td></tr>"_s;
    h += u"</table>"_s;
    return h;
}

QString ReportContent::inputs() const {
    const Calculation& c = input_.calculation;
    QString h;
    // Inputs, each with its unit.
    h += heading(3, u"1. Исходные данные"_s);
    h += kTable + u" width=\"100%\">"_s;
    const auto row2 = [&h](const QString& a, const QString& b, const QString& cc,
                           const QString& d) {
        h += u"<tr><td>"_s + a + u"</td><td>"_s + b + u"</td><td>"_s + cc + u"</td><td>"_s + d +
             u"</td></tr>"_s;
    };
    row2(u"Пролет l, м"_s, in(names::txtProlet), u"Серия ригеля"_s, seriesName(c));
    row2(u"Расчетная длина ригеля Lр, м"_s, in(names::txtLp), u"Толщина гололеда b, мм"_s,
         optionText(c, names::Frame7,
                    {{names::Option3, u"5"_s},
                     {names::Option4, u"10"_s},
                     {names::Option5, u"15"_s},
                     {names::Option6, u"20"_s}}));
    row2(u"Скорость ветра Vm, м/с"_s, in(names::txtVm), u"Сечение у опоры"_s,
         optionText(c, names::Frame15,
                    {{names::Option9, catalogue::sectionText(false)},
                     {names::Option10, catalogue::sectionText(true)}}));
    row2(u"h/b"_s, in(names::Combo1), u"Набор Мфс"_s,
         optionText(c, names::Frame11, {{names::Option7, u"пер"_s}, {names::Option8, u"пост"_s}}));
    row2(u"Вес точки подвеса Gт, кгс"_s, in(names::Combo2), u"Мфс аварийный, кгс·м"_s,
         shown(c.mfs.value(names::kEmergencyMfs)));
    row2(u"Собственный вес ригеля gр, кгс/м"_s, in(names::txtGp), u"Мфс гололед, кгс·м"_s,
         shown(c.mfs.value(names::kIceMfs)));
    row2(u"Гололедная нагрузка ригеля gрг, кгс/м"_s, in(names::txtGpg), u"Мфс V max, кгс·м"_s,
         shown(c.mfs.value(names::kMaxWindMfs)));
    // Pp times Vm² is a load per metre of beam (kgf/m), so Pp is in kgf·s²/m³.
    row2(u"Ветровой параметр Pp, кгс·с²/м³"_s, in(names::txtPp), QString(), QString());
    h += u"</table>"_s;

    h += heading(4,
                 u"Точки подвеса: плечи — от левой (л) и правой (п) опоры, м; нагрузки G и Gг "
                 u"— на 1 м пролета l, кгс/м"_s);
    h += kTable + u" width=\"100%\">"_s;
    h += kHeaderRow + u"<td>Точка</td>"_s;
    for (int i = 1; i <= 8; ++i) h += u"<td align=\"center\">"_s + QString::number(i) + u"</td>"_s;
    h += u"</tr>"_s;
    const QList<std::pair<QString, const NameSeries*>> pointRows = {
        {u"Плечо л, L, м"_s, &names::txtL},
        {u"Плечо п, П, м"_s, &names::txtP},
        {u"G, кгс/м"_s, &names::txtG},
        {u"Gг, кгс/м"_s, &names::txtGg}};
    for (const auto& [caption, series] : pointRows) {
        h += u"<tr><td>"_s + caption + u"</td>"_s;
        for (const QString& name : series->all())
            h += u"<td align=\"center\">"_s + in(name) + u"</td>"_s;
        h += u"</tr>"_s;
    }
    h += u"</table>"_s;
    return h;
}

QString ReportContent::diagram() const {
    const Calculation& c = input_.calculation;
    QString h;
    // The diagram.
    h += heading(3, u"2. Схема точек подвеса (в масштабе)"_s);
    h += u"<p>"_s + QChar(kDiagramMark) + u"</p>"_s;
    const DiagramModel model = diagramModel(c);
    for (const QString& n : model.notes) h += note(u"Примечание: "_s + esc(n) + u"."_s);
    return h;
}

namespace {

// A number of the note: a fixed-point value as the sheet writes it.
QString num(Fixed value) {
    return formatFixed(value);
}
// A double term of a formula, rounded to four places for reading (the sum is formed unrounded).
QString num(double value) {
    try {
        return formatFixed(Fixed::fromDouble(value));
    } catch (const CalcError&) {
        return QString::number(value, 'g', 12).replace(u'.', u',');
    }
}
// A factor of the method, with the decimal comma.
QString factor(double value) {
    return QString::number(value, 'g', 6).replace(u'.', u',');
}
// A value put into a formula: in brackets when negative, so that the signs read right.
QString put(Fixed value) {
    return value < Fixed() ? u"("_s + num(value) + u")"_s : num(value);
}
QString put(double value) {
    return value < 0 ? u"("_s + num(value) + u")"_s : num(value);
}

QString formula(const QString& text) {
    return u"<p style=\"margin-left:12pt\">"_s + text + u"</p>"_s;
}

const calc::LoadStep* loadStep(const calc::Trace& trace, QStringView result) {
    for (const calc::LoadStep& s : trace.loads)
        if (s.result == result) return &s;
    return nullptr;
}
const calc::MomentStep* momentStep(const calc::Trace& trace, QStringView result) {
    for (const calc::MomentStep& s : trace.moments)
        if (s.result == result) return &s;
    return nullptr;
}

}  // namespace

QString ReportContent::calculationNote() const {
    const calc::Trace trace = traceOf(input_.calculation);
    QString h;
    h += heading(3, u"3. Расчет"_s);
    h += u"<p>Формулы с подставленными значениями — те же вычисления и те же числа, что дают "
         u"результаты раздела 4 по исходным данным раздела 1. Промежуточные слагаемые показаны "
         u"округленными до 0,0001; сумма образуется из неокругленных, результат округлен до "
         u"0,0001. Моменты от подвески — в кгс·м, расчетные моменты ригеля — в тс·м.</p>"_s;
    h += pointLoads(trace);
    h += loadSteps(trace);
    h += momentSteps(trace);
    h += factors();
    return h;
}

QString ReportContent::pointLoads(const calc::Trace& trace) const {
    const Calculation& c = input_.calculation;
    // The point loads are the same in every section: those of the first step of each load.
    const calc::LoadStep* g = nullptr;
    const calc::LoadStep* gice = nullptr;
    for (const calc::LoadStep& s : trace.loads) {
        if (s.load == calc::Load::G && !g) g = &s;
        if (s.load == calc::Load::Gice && !gice) gice = &s;
    }
    // The suspension a load was picked as: the row's caption while the field still holds what
    // the pick copied.
    const auto suspension = [&](const QString& field) {
        const QString text = c.inputs.value(field);
        const std::optional<Fixed> value = parseFixed(text);
        if (value && value->isZero()) return u"—"_s;
        const auto pick = c.picks.constFind(field);
        if (pick == c.picks.cend()) return u"<i>не записано</i>"_s;
        if (pick->caption.trimmed().isEmpty() || pick->value != text)
            return u"<i>не из таблицы</i>"_s;
        return u"«"_s + userText(pick->caption) + u"»"_s;
    };
    QString h;
    h += heading(4,
                 u"3.1. Нагрузки точек подвеса: F = G·l + Gт без гололеда, Fг = (Gг − G)·l "
                 u"от гололеда, кгс"_s);
    if (!g && !gice) return h + note(u"Нагрузки не вычислены: пролет l равен 0 или не задан."_s);
    h += kTable + u" width=\"100%\">"_s;
    h += kHeaderRow +
         u"<td>Точка</td><td>Подвеска по<br>таблице G</td><td>Подвеска по<br>таблице Gг</td>"
         u"<td>F, кгс</td><td>Fг, кгс</td></tr>"_s;
    int shown = 0;
    for (int i = 0; i < calc::kPointCount; ++i) {
        const calc::SuspensionPoints& p = (g ? g : gice)->points;
        // A point with both arms 0 adds nothing to any sum.
        if (p.left[i].isZero() && p.right[i].isZero()) continue;
        ++shown;
        h += u"<tr><td align=\"center\">"_s + QString::number(i + 1) + u"</td><td>"_s +
             suspension(names::txtG[i + 1]) + u"</td><td>"_s + suspension(names::txtGg[i + 1]) +
             u"</td><td>"_s;
        if (g)
            h += put(g->points.load[i]) + u"·"_s + put(g->points.span) + u" + "_s +
                 put(g->points.pointWeight) + u" = <b>"_s + num(g->terms.pointLoads[i]) + u"</b>"_s;
        else
            h += u"<i>нет значения</i>"_s;
        h += u"</td><td>"_s;
        if (gice)
            h += u"("_s + num(gice->points.iceLoad[i]) + u" − "_s + num(gice->points.load[i]) +
                 u")·"_s + put(gice->points.span) + u" = <b>"_s + num(gice->terms.pointLoads[i]) +
                 u"</b>"_s;
        else
            h += u"<i>нет значения</i>"_s;
        h += u"</td></tr>"_s;
    }
    h += u"</table>"_s;
    if (shown < calc::kPointCount)
        h += u"<p style=\"font-size:8pt\">Точки, у которых оба плеча равны 0, в суммы моментов не "
             u"входят и не показаны.</p>"_s;
    return h;
}

QString ReportContent::loadSteps(const calc::Trace& trace) const {
    const bool quarter = input_.calculation.options.value(names::Frame15) == names::Option10;
    QString h;
    h += heading(4,
                 u"3.2. Моменты от нагрузок подвески: SL = Σ F·L, SP = Σ F·П, "
                 u"M = fL·SL + fP·SP, кгс·м"_s);
    const auto sum = [](const calc::LoadStep& s, bool left) {
        const auto& arms = left ? s.points.left : s.points.right;
        QString terms;
        for (int i = 0; i < calc::kPointCount; ++i)
            if (!arms[i].isZero())
                terms += (terms.isEmpty() ? QString() : u" + "_s) + put(s.terms.pointLoads[i]) +
                         u"·"_s + put(arms[i]);
        return (left ? u"SL = "_s : u"SP = "_s) + (terms.isEmpty() ? u"0"_s : terms) + u" = "_s +
               num(left ? s.terms.leftSum : s.terms.rightSum);
    };
    for (const QString name :
         {names::kLoadMidMoment, names::kIceLoadMidMoment, names::kLoadLeftMoment,
          names::kIceLoadLeftMoment, names::kLoadRightMoment, names::kIceLoadRightMoment}) {
        const QString caption = catalogue::resultCaption(name, quarter);
        const calc::LoadStep* s = loadStep(trace, name);
        if (!s) {
            h += formula(caption + u": <i>нет значения</i> (пролет l равен 0 или не задан)."_s);
            continue;
        }
        h += formula(u"<b>"_s + caption + u"</b>: "_s + sum(*s, true) + u"; "_s + sum(*s, false) +
                     u"; M = "_s + factor(s->factors.left) + u"·"_s + put(s->terms.leftSum) +
                     u" + "_s + factor(s->factors.right) + u"·"_s + put(s->terms.rightSum) +
                     u" = <b>"_s + num(s->terms.result) + u"</b>"_s);
    }
    // The governing values at 1/3 (1/4): the larger of left and right, as a click on the field
    // takes it; the moments read what the sheet holds.
    const auto governing = [&](const QString& field, const QString& larger, const QString& what) {
        const ResultValue v = input_.results.value(field);
        QString text = what + u" в сечении "_s + sectionText() + u" = max(слева; справа) = "_s +
                       (larger.isEmpty() ? u"—"_s : userText(larger));
        if (!v.computed)
            text += u"; в листе расчета не задано"_s;
        else if (!sameNumber(v.text, larger))
            text += u"; в листе расчета принято <b>"_s + userText(v.text) +
                    u"</b>, с этим значением вычислены моменты в сечении"_s;
        return formula(text + u"."_s);
    };
    h += governing(names::kLoadSectionMoment, input_.governingG, u"Расчетное G"_s);
    h += governing(names::kIceLoadSectionMoment, input_.governingGice, u"Расчетное Gг"_s);
    return h;
}

QString ReportContent::momentSteps(const calc::Trace& trace) const {
    QString h;
    h += heading(4, u"3.3. Расчетные изгибающие моменты ригеля, тс·м"_s);
    h += u"<p style=\"font-size:8pt\">M, Mг — моменты от подвески в сечении (в середине — G и Gг "
         u"п. 3.2, в сечении "_s +
         sectionText() +
         u" — расчетные G и Gг); kq, kc, kv, kq', kv' — коэффициенты сечения (п. 3.4).</p>"_s;
    for (int mode = 0; mode < catalogue::kModeCount; ++mode) {
        const catalogue::Mode& m = catalogue::kModes[mode];
        for (const QString& name : {QString(m.middle), QString(m.section)}) {
            const QString caption = name == m.middle ? u"середина"_s : sectionText();
            const calc::MomentStep* s = momentStep(trace, name);
            if (!s) {
                h += formula(QString::fromUtf16(m.caption) + u", "_s + caption +
                             u": <i>нет значения</i> (нет данных)."_s);
                continue;
            }
            const calc::MomentInputs& in = s->inputs;
            const calc::SectionFactors& f = s->factors;
            const calc::MomentTerms& t = s->terms;
            QString general, values;
            switch (s->mode) {
                case calc::Mode::Emergency:
                    general = u"[(gр + gрг)·kq·Lр² + kc·Lр·h/b + M + Mг + Мфс] / 1000"_s;
                    values = u"[("_s + put(in.gp) + u" + "_s + put(in.gpg) + u")·"_s +
                             factor(f.kq) + u"·"_s + put(in.lp) + u"² + "_s +
                             QString::number(f.kc) + u"·"_s + put(in.lp) + u"·"_s + put(in.hb) +
                             u" + "_s + put(in.m) + u" + "_s + put(in.mIce) + u" + "_s +
                             put(in.mfs) + u"] / 1000"_s;
                    break;
                case calc::Mode::Ice:
                    general =
                        u"[(1,1·gр + 1,26·gрг)·kq·Lр² + h/b·Lр²·(0,5·Vm)²·kv·Pp + 1,1·M + "
                        u"1,26·Mг + 1,1·Мфс] / 1000"_s;
                    values = u"[("_s + factor(calc::kWeightFactor) + u"·"_s + put(in.gp) +
                             u" + "_s + factor(calc::kIceFactor) + u"·"_s + put(in.gpg) + u")·"_s +
                             factor(f.kq) + u"·"_s + put(in.lp) + u"² + "_s + put(in.hb) + u"·"_s +
                             put(in.lp) + u"²·("_s + factor(calc::kIceWindSpeed) + u"·"_s +
                             put(in.vm) + u")²·"_s + factor(f.kv) + u"·"_s + put(in.pp) + u" + "_s +
                             factor(calc::kWeightFactor) + u"·"_s + put(in.m) + u" + "_s +
                             factor(calc::kIceFactor) + u"·"_s + put(in.mIce) + u" + "_s +
                             factor(calc::kWeightFactor) + u"·"_s + put(in.mfs) + u"] / 1000"_s;
                    break;
                case calc::Mode::MaxWind:
                    general = u"[kq'·gр·Lр² + h/b·Lр²·Vm²·Pp·kv' + 1,1·M + 1,1·Мфс] / 1000"_s;
                    values = u"["_s + factor(f.kqWind) + u"·"_s + put(in.gp) + u"·"_s + put(in.lp) +
                             u"² + "_s + put(in.hb) + u"·"_s + put(in.lp) + u"²·"_s + put(in.vm) +
                             u"²·"_s + put(in.pp) + u"·"_s + factor(f.kvWind) + u" + "_s +
                             factor(calc::kWeightFactor) + u"·"_s + put(in.m) + u" + "_s +
                             factor(calc::kWeightFactor) + u"·"_s + put(in.mfs) + u"] / 1000"_s;
                    break;
            }
            QString terms = put(t.distributed) + u" + "_s + put(t.second) + u" + "_s + put(t.load);
            if (s->mode != calc::Mode::MaxWind) terms += u" + "_s + put(t.iceLoad);
            terms += u" + "_s + put(t.mfs);
            h += formula(u"<b>"_s + QString::fromUtf16(m.caption) + u", "_s + caption +
                         u"</b>: M = "_s + general + u" = "_s + values + u" = ["_s + terms +
                         u"] / 1000 = "_s + num(t.sum) + u" / 1000 = <b>"_s + num(t.result) +
                         u"</b>"_s);
        }
    }
    return h;
}

QString ReportContent::factors() const {
    const bool quarter = input_.calculation.options.value(names::Frame15) == names::Option10;
    const calc::SectionFactors& end = quarter ? calc::kQuarterPoint : calc::kThirdPoint;
    QString h;
    h += heading(4, u"3.4. Нормативные коэффициенты расчета"_s);
    h += kTable + u" width=\"100%\">"_s;
    h += kHeaderRow + u"<td>Коэффициент</td><td>Середина</td><td>"_s + sectionText() +
         u"</td><td>Назначение</td></tr>"_s;
    const auto row = [&h](const QString& name, const QString& mid, const QString& atEnd,
                          const QString& role) {
        h += u"<tr><td>"_s + name + u"</td><td>"_s + mid + u"</td><td>"_s + atEnd + u"</td><td>"_s +
             role + u"</td></tr>"_s;
    };
    const auto both = [&](double mid, double atEnd) {
        return std::pair{factor(mid), factor(atEnd)};
    };
    auto [q1, q2] = both(calc::kMidSpan.kq, end.kq);
    row(u"kq"_s, q1, q2, u"доля Lр² в моменте от равномерной нагрузки (аварийный, гололед)"_s);
    row(u"kc"_s, QString::number(calc::kMidSpan.kc), QString::number(end.kc),
        u"сосредоточенный член на 1 м Lр (аварийный)"_s);
    auto [v1, v2] = both(calc::kMidSpan.kv, end.kv);
    row(u"kv"_s, v1, v2, u"ветровой член (гололед)"_s);
    auto [w1, w2] = both(calc::kMidSpan.kqWind, end.kqWind);
    row(u"kq'"_s, w1, w2, u"доля gр·Lр² (V max)"_s);
    auto [x1, x2] = both(calc::kMidSpan.kvWind, end.kvWind);
    row(u"kv'"_s, x1, x2, u"ветровой член (V max)"_s);
    row(u"fL / fP"_s, u"0,5 / 0,5"_s,
        quarter ? u"слева 0,75 / 0,25; справа 0,25 / 0,75"_s
                : u"слева 0,67 / 0,33; справа 0,33 / 0,67"_s,
        u"ординаты влияния сечения для сумм SL и SP"_s);
    row(u"γ веса"_s, factor(calc::kWeightFactor), factor(calc::kWeightFactor),
        u"коэффициент надежности к gр, M и Мфс (гололед, V max)"_s);
    row(u"γ гололеда"_s, factor(calc::kIceFactor), factor(calc::kIceFactor),
        u"коэффициент надежности к gрг и Mг (гололед)"_s);
    row(u"Vm в режиме гололеда"_s, factor(calc::kIceWindSpeed) + u"·Vm"_s,
        factor(calc::kIceWindSpeed) + u"·Vm"_s, u"скорость ветра при гололеде"_s);
    row(u"1000"_s, u"1000"_s, u"1000"_s, u"перевод кгс·м в тс·м"_s);
    h += u"</table>"_s;
    h += u"<p style=\"font-size:8pt\">Источники: коэффициенты — постоянные методики расчета, "
         u"заложенные в программу (те же в окне и в отчете); справочные значения G, Gг, gр, gрг, "
         u"Pp, Мфс и допускаемые моменты — таблицы и строки раздела 6.</p>"_s;
    return h;
}

QString ReportContent::results() const {
    const Calculation& c = input_.calculation;
    const QString section = sectionText();
    QString h;
    // Results.
    const bool quarter = c.options.value(names::Frame15) == names::Option10;
    const QString notComputed = u"<i>не вычислено</i>"_s;
    QStringList footnotes;
    const auto result = [&](const QString& name) {
        const ResultValue v = input_.results.value(name);
        QString cell = v.computed ? userText(v.text) : notComputed;
        const auto other = input_.comparison.constFind(name);
        if (other != input_.comparison.cend() && *other != v.text) {
            footnotes << catalogue::resultCaption(name, quarter) + u": "_s +
                             input_.comparisonCaption + u" — "_s +
                             (other->isEmpty() ? u"пусто"_s : userText(*other));
            cell += u"<sup>"_s + QString::number(footnotes.size()) + u"</sup>"_s;
        }
        return cell;
    };
    // Cells are made in reading order, so the footnotes are numbered in it.
    const auto cells = [&](const QStringList& fields) {
        QString row;
        for (const QString& f : fields) row += u"<td>"_s + result(f) + u"</td>"_s;
        return row;
    };
    h += heading(3, u"4. Результаты"_s);
    h += heading(4, u"Моменты от нагрузок подвески, кгс·м:"_s);
    h += kTable + u">"_s;
    h += kHeaderRow + u"<td></td><td>Середина</td><td>Слева "_s + section + u"</td><td>Справа "_s +
         section + u"</td><td>Расчетное "_s + section + u"</td></tr>"_s;
    h += u"<tr><td>G</td>"_s +
         cells({names::kLoadMidMoment, names::kLoadLeftMoment, names::kLoadRightMoment,
                names::kLoadSectionMoment}) +
         u"</tr>"_s;
    h += u"<tr><td>Gг</td>"_s +
         cells({names::kIceLoadMidMoment, names::kIceLoadLeftMoment, names::kIceLoadRightMoment,
                names::kIceLoadSectionMoment}) +
         u"</tr>"_s;
    h += u"</table>"_s;
    // The check does not take a governing value smaller than the inputs give: said here too.
    for (const Remark& r : remarks_)
        if (r.kind == RemarkKind::EndLoad) h += note(inert(r.text) + u"."_s);

    h += heading(4,
                 u"Расчетные изгибающие моменты ригеля (со значениями gр, gрг, Pp листа "
                 u"расчета), тс·м:"_s);
    h += kTable + u">"_s;
    h += kHeaderRow + u"<td>Режим</td><td>Середина</td><td>"_s + section + u" пролета</td></tr>"_s;
    for (const catalogue::Mode& m : catalogue::kModes)
        h += u"<tr><td>"_s + QString::fromUtf16(m.caption) + u"</td>"_s +
             cells({m.middle, m.section}) + u"</tr>"_s;
    h += u"</table>"_s;
    if (!input_.results.value(names::kMfsIndicator).text.isEmpty())
        h += u"<p>Индикатор Мфс: "_s + userText(input_.results.value(names::kMfsIndicator).text) +
             u"</p>"_s;
    if (!footnotes.isEmpty()) {
        h += u"<p style=\"font-size:8pt; color:#555555\">"_s;
        for (int i = 0; i < footnotes.size(); ++i)
            h += (i > 0 ? u"<br>"_s : QString()) + u"<sup>"_s + QString::number(i + 1) +
                 u"</sup> "_s + footnotes[i];
        h += u"</p>"_s;
    }
    return h;
}

QString ReportContent::crossbeamCheck() const {
    const Calculation& c = input_.calculation;
    const QString section = sectionText();
    QString h;
    // The crossbeam check.
    h += heading(3, u"5. Проверка поперечин серии "_s + seriesName(c) + u" (таблица «"_s +
                        userText(input_.allowableWorkbook) + u"»)"_s);
    if (!input_.allowableError.isEmpty()) {
        h += u"<p style=\"color:#b00000\">Таблица не прочитана: "_s +
             userText(input_.allowableError) + u". Проверка не выполнена.</p>"_s;
        h += u"<p><b>Вывод: "_s + esc(verdict()) + u".</b></p>"_s;
    } else {
        h += u"<p>Каждая марка проверена с расчетными моментами, вычисленными с ее собственными "
             u"значениями gр, gрг, Pp (строки марки в таблицах «т37Gp.xls», «Т37Gрг.xls», "
             u"«т37gama.xls»), при тех же нагрузках от подвески и Мфс. "
             u"Использование = |расчетный момент| / допускаемый момент; оба момента в тс·м; "
             u"допускаемый момент принят действительным для изгиба в обе стороны, момент любого "
             u"знака сравнивается с ним по модулю (знак момента показан). "
             u"Средний блок — моменты середины пролета, крайний блок — моменты в сечении "_s +
             section +
             u", вычисленные с наибольшим из расчетного значения листа и значений слева и справа, "
             u"которые дают исходные данные (и с наименьшим, если момент другого знака больше по "
             u"модулю). Lр = "_s +
             in(names::txtLp) + u" м.</p>"_s;
        h += sheetRowsNote();
        h += mfsNote();
        h += checkTable(section);
        h += u"<p style=\"font-size:8pt\">Цвет: <span style=\"background-color:"_s +
             bandColour(Band::UpTo90) +
             u"\">&nbsp;до 90 %&nbsp;</span> <span style=\"background-color:"_s +
             bandColour(Band::UpTo100) +
             u"\">&nbsp;90–100 %&nbsp;</span> <span style=\"background-color:"_s +
             bandColour(Band::Over100) +
             u"\">&nbsp;свыше 100 %&nbsp;</span>; «—» — момент не вычислен или в таблице нет "
             u"допускаемого значения; &#9654; — первая марка, прошедшая все проверки.</p>"_s;
        h += u"<p><b>Вывод: "_s + esc(verdict()) + u".</b></p>"_s;
        if (!remarks_.isEmpty()) {
            h += u"<p style=\"color:#a05000\">Замечания к выводу:"_s;
            for (const Remark& r : remarks_) h += u"<br>— "_s + inert(r.text) + u"."_s;
            h += u"</p>"_s;
        }
        for (const QString& m : check_.missing) h += note(u"Не хватает: "_s + esc(m) + u"."_s);
        for (int g = 0; g < check_.grades.size(); ++g) {
            const GradeCheck& grade = check_.grades[g];
            if (grade.verdict != Verdict::Passes && !grade.reasons.isEmpty() && isShown(g))
                h += u"<p style=\"font-size:8pt\">"_s + shown(grade.grade) + u": "_s +
                     esc(grade.reasons.join(u"; "_s)) + u".</p>"_s;
        }
        h += gradeMomentsTable(section);
    }
    return h;
}

QString ReportContent::sources() const {
    const Calculation& c = input_.calculation;
    QString h;
    // Where the reference values came from.
    h += heading(3, u"6. Источники справочных значений"_s);
    h += kTable + u" width=\"100%\">"_s;
    h += kHeaderRow + u"<td>Таблица</td><td>Файл</td><td>Строка</td></tr>"_s;
    const auto sourceRow = [&](const QString& source, const QString& role) {
        const SourceRow row = c.sources.value(source);
        const QString where =
            row.row < 0 ? u"нет строк (таблица не прочитана)"_s
                        : QString::number(row.row + 1) + u" — «"_s + userText(row.caption) + u"»"_s;
        h += u"<tr><td>"_s + role + u"</td><td>"_s + shown(row.workbook) + u"</td><td>"_s + where +
             u"</td></tr>"_s;
    };
    for (const SourceRole& r : kSourceRoles)
        sourceRow(QString::fromUtf16(r.source), QString::fromUtf16(r.role));
    for (const catalogue::Series& s : catalogue::kSeries)
        sourceRow(s.allowable.dataSource,
                  u"допускаемые моменты, серия "_s + QString::fromUtf16(s.name));
    h += u"</table>"_s;
    h += u"<p style=\"font-size:8pt; color:#555555\">Строки — те, что были показаны в таблицах "
         u"при сохранении расчета; значения полей ввода могли быть введены и вручную.</p>"_s;
    return h;
}

bool ReportContent::isShown(int grade) const {
    return grade < kMaxShownGrades || grade == check_.firstPassing;
}

QString ReportContent::checkTable(const QString& section) const {
    QString h;
    h += kGradeTable;
    h += kHeaderRow +
         u"<td rowspan=\"2\">Марка</td>"
         u"<td colspan=\"5\" align=\"center\">Средний блок</td>"
         u"<td colspan=\"5\" align=\"center\">Крайний блок "_s +
         section +
         u"</td><td rowspan=\"2\">Возможные<br>длины, м</td><td rowspan=\"2\">Lр</td>"
         u"<td rowspan=\"2\">Итог</td></tr>"_s;
    h += kHeaderRow;
    for (int b = 0; b < 2; ++b)
        h += u"<td>Мн нп,<br>тс·м</td><td>авар.</td><td>Мр вп,<br>тс·м</td><td>гол.</td>"
             u"<td>V max</td>"_s;
    h += u"</tr>"_s;
    for (int g = 0; g < check_.grades.size(); ++g) {
        if (!isShown(g)) continue;
        const GradeCheck& grade = check_.grades[g];
        const bool chosen = g == check_.firstPassing;
        h += chosen ? u"<tr style=\"font-weight:bold\">"_s : u"<tr>"_s;
        h += u"<td>"_s + (chosen ? u"&#9654; "_s : QString()) + shown(grade.grade) + u"</td>"_s;
        const auto use = [&](int i) {
            const Utilisation& u = grade.use[i];
            const QString colour = bandColour(u.band);
            const QString text = u.ratio ? percentText(*u.ratio) : u"—"_s;
            return colour.isEmpty() ? u"<td align=\"right\">"_s + text + u"</td>"_s
                                    : u"<td align=\"right\" bgcolor=\""_s + colour + u"\">"_s +
                                          text + u"</td>"_s;
        };
        for (int b = 0; b < 2; ++b) {
            h += u"<td align=\"right\">"_s + shown(grade.allowableText[2 * b]) + u"</td>"_s;
            h += use(3 * b);
            h += u"<td align=\"right\">"_s + shown(grade.allowableText[2 * b + 1]) + u"</td>"_s;
            h += use(3 * b + 1) + use(3 * b + 2);
        }
        h += u"<td>"_s + shown(grade.lengthsText) + u"</td>"_s;
        const QString fit = grade.length == LengthFit::Allowed      ? u"да"_s
                            : grade.length == LengthFit::NotAllowed ? u"нет"_s
                                                                    : u"?"_s;
        h += u"<td align=\"center\" bgcolor=\""_s +
             (grade.length == LengthFit::Allowed      ? bandColour(Band::UpTo90)
              : grade.length == LengthFit::NotAllowed ? bandColour(Band::Over100)
                                                      : u"#ffffff"_s) +
             u"\">"_s + fit + u"</td>"_s;
        h += u"<td>"_s + gradeVerdictText(grade) + (chosen ? u" — выбор"_s : QString()) +
             u"</td></tr>"_s;
    }
    h += u"</table>"_s;
    const qsizetype hidden =
        check_.grades.size() - std::min<qsizetype>(check_.grades.size(), kMaxShownGrades);
    if (hidden > 0)
        h += u"<p style=\"color:#a05000\">В таблице "_s +
             countText(check_.grades.size(), u"марка", u"марки", u"марок") +
             u"; все проверены, показаны первые "_s + QString::number(kMaxShownGrades) +
             (check_.firstPassing >= kMaxShownGrades ? u" и выбранная"_s : QString()) +
             u" (не показано: "_s +
             QString::number(hidden - (check_.firstPassing >= kMaxShownGrades)) + u").</p>"_s;
    return h;
}

QString ReportContent::gradeMomentsTable(const QString& section) const {
    QString h;
    h += heading(4, u"Расчетные моменты каждой марки (с ее gр, gрг, Pp), тс·м:"_s);
    h += kGradeTable;
    h += kHeaderRow +
         u"<td>Марка</td><td>gр,<br>кгс/м</td>"
         u"<td>gрг,<br>кгс/м</td><td>Pp,<br>кгс·с²/м³</td><td>авар.,<br>середина</td>"
         u"<td>гол.,<br>середина</td><td>V max,<br>середина</td><td>авар.,<br>"_s +
         section + u"</td><td>гол.,<br>"_s + section + u"</td><td>V max,<br>"_s + section +
         u"</td></tr>"_s;
    const auto moment = [](const std::optional<Fixed>& m) {
        return m ? formatFixed(*m) : u"<i>не вычислен</i>"_s;
    };
    for (int g = 0; g < check_.grades.size(); ++g) {
        if (!isShown(g)) continue;
        const GradeCheck& grade = check_.grades[g];
        h += u"<tr><td>"_s + shown(grade.grade) + u"</td>"_s;
        if (!grade.rows) {
            h += u"<td colspan=\"9\"><i>не проверена: "_s + esc(grade.notChecked) +
                 u"</i></td></tr>"_s;
            continue;
        }
        h += u"<td>"_s + shown(grade.rows->gp) + u"</td><td>"_s + shown(grade.rows->gpg) +
             u"</td><td>"_s + shown(grade.rows->pp) + u"</td>"_s;
        for (const auto& m : grade.moments.middle) h += u"<td>"_s + moment(m) + u"</td>"_s;
        for (const auto& m : grade.moments.end) h += u"<td>"_s + moment(m) + u"</td>"_s;
        h += u"</tr>"_s;
    }
    h += u"</table>"_s;
    return h;
}

QString ReportContent::sheetRowsNote() const {
    const Calculation& c = input_.calculation;
    const QString gp = c.inputs.value(names::txtGp), gpg = c.inputs.value(names::txtGpg),
                  pp = c.inputs.value(names::txtPp);
    const QString values =
        u"gр = "_s + shown(gp) + u", gрг = "_s + shown(gpg) + u", Pp = "_s + shown(pp);
    // Whose rows the sheet's values are: searched in both series' columns of the three tables.
    if (const std::optional<SheetRowsOwner> owner = sheetRowsOwner(c, input_.crossbeamTables)) {
        const QString text = u"Значения листа расчета ("_s + values +
                             u"), с которыми вычислены моменты раздела 4, — строки «"_s +
                             userText(owner->caption) + u"» серии "_s +
                             QString::fromUtf16(owner->series->name) + u"."_s;
        if (owner->series != &series(c))
            return u"<p style=\"color:#b00000\">"_s + text +
                   u" Это строки другой серии, а проверяется серия "_s + seriesName(c) +
                   u": моменты раздела 4 к проверяемым маркам не относятся; каждая марка "
                   u"ниже проверена со своими значениями.</p>"_s;
        return u"<p>"_s + text + u" Остальные марки проверены со своими значениями.</p>"_s;
    }
    return u"<p style=\"color:#a05000\">Значения листа расчета ("_s + values +
           u") не совпадают со строками ни одной марки в таблицах «т37Gp.xls», «Т37Gрг.xls», "
           u"«т37gama.xls» (при выбранной толщине гололеда): моменты раздела 4 вычислены с ними, "
           u"а каждая марка ниже проверена со своими значениями.</p>"_s;
}

QString ReportContent::mfsNote() const {
    const Calculation& c = input_.calculation;
    const QStringList values = {c.mfs.value(names::kEmergencyMfs), c.mfs.value(names::kIceMfs),
                                c.mfs.value(names::kMaxWindMfs)};
    QString shownValues;
    for (const QString& v : values)
        shownValues += (shownValues.isEmpty() ? QString() : u"; "_s) + shown(v);
    const QString head = u"<p>Мфс (аварийный; гололед; V max) = "_s + shownValues + u" кгс·м: "_s;
    bool allZero = true;
    for (const QString& v : values) allZero = allZero && sameNumber(v, u"0"_s);
    if (allZero) return head + u"Мфс = 0 во всех режимах (кнопка «Мфс =0»).</p>"_s;

    const tables::Table& t = input_.mfsTable;
    const QString workbook = QString::fromUtf16(kMfsWorkbook);
    if (t.rowCount() == 0)
        return head + u"таблица «"_s + workbook +
               u"» не прочитана, строка, из которой взяты значения, не проверена.</p>"_s;
    const bool per = c.options.value(names::Frame11) == names::Option7;
    const QString set = per ? u"пер"_s : u"пост"_s;
    const qsizetype lpColumn = t.header.indexOf(u"Lр"_s);
    const auto lpOf = [&](int r) { return userText(t.rows[r].value(lpColumn)); };
    const MfsRow row = mfsRowOf(c, t);
    if (row.matched < 0)
        return head + u"значения не совпадают ни с одной строкой таблицы «"_s + workbook +
               u"» набора «"_s + set + u"»: они заданы кнопкой «Мфс >0» или введены вручную.</p>"_s;
    QString text = head + u"строка Lр = "_s + lpOf(row.matched) + u" м таблицы «"_s + workbook +
                   u"», набор «"_s + set + u"»."_s;
    if (row.matched != row.shown && row.shown >= 0)
        text += u" <span style=\"color:#a05000\">Таблица показывает другую строку: Lр = "_s +
                lpOf(row.shown) + u" м.</span>"_s;
    for (const Remark& r : remarks_)
        if (r.kind == RemarkKind::MfsRow)
            text += u" <span style=\"color:#a05000\">"_s + inert(r.text) + u".</span>"_s;
    return text + u"</p>"_s;
}

QString reportHtml(const ReportInput& input, const CrossbeamCheck& check,
                   const QList<Remark>& remarks) {
    return ReportContent(input, check, remarks).html();
}

}  // namespace vardo::document
