#include "document/reportcontent.h"

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
               results() + crossbeamCheck() + sources() + u"</body></html>"_s;
    }

  private:
    QString titleBlock() const;
    QString inputs() const;
    QString diagram() const;
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
    // The object data, then the lines the designer and the checker sign.
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
         u"</td><td width=\"160\">Подпись</td><td width=\"100\">Дата</td></tr>"_s;
    h += u"<tr><td>Разработал</td><td>"_s + blankOr(object.designedBy) + u"</td><td></td><td>"_s +
         blankOr(object.date) + u"</td></tr>"_s;
    h += u"<tr><td>Проверил</td><td>"_s + blankOr(object.checkedBy) +
         u"</td><td></td><td>&nbsp;</td></tr>"_s;
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
    h += heading(3, u"3. Результаты"_s);
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
    h += heading(3, u"4. Проверка поперечин серии "_s + seriesName(c) + u" (таблица «"_s +
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
    h += heading(3, u"5. Источники справочных значений"_s);
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
         u"</td><td rowspan=\"2\">Возможные длины, м</td><td rowspan=\"2\">Lр</td>"
         u"<td rowspan=\"2\">Итог</td></tr>"_s;
    h += kHeaderRow;
    for (int b = 0; b < 2; ++b)
        h += u"<td>Мн нп, тс·м</td><td>авар.</td><td>Мр вп, тс·м</td><td>гол.</td>"
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
         u"<td>Марка</td><td>gр, кгс/м</td>"
         u"<td>gрг, кгс/м</td><td>Pp, кгс·с²/м³</td><td>авар., середина</td><td>гол., середина</td>"
         u"<td>V max, середина</td><td>авар., "_s +
         section + u"</td><td>гол., "_s + section + u"</td><td>V max, "_s + section +
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
                             u"), с которыми вычислены моменты раздела 3, — строки «"_s +
                             userText(owner->caption) + u"» серии "_s +
                             QString::fromUtf16(owner->series->name) + u"."_s;
        if (owner->series != &series(c))
            return u"<p style=\"color:#b00000\">"_s + text +
                   u" Это строки другой серии, а проверяется серия "_s + seriesName(c) +
                   u": моменты раздела 3 к проверяемым маркам не относятся; каждая марка "
                   u"ниже проверена со своими значениями.</p>"_s;
        return u"<p>"_s + text + u" Остальные марки проверены со своими значениями.</p>"_s;
    }
    return u"<p style=\"color:#a05000\">Значения листа расчета ("_s + values +
           u") не совпадают со строками ни одной марки в таблицах «т37Gp.xls», «Т37Gрг.xls», "
           u"«т37gama.xls» (при выбранной толщине гололеда): моменты раздела 3 вычислены с ними, "
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
