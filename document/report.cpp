#include "document/report.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextObjectInterface>
#include <QtMath>

#include "core/numbertext.h"
#include "core/safefile.h"
#include "document/diagram.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kUnitsPerMm = Report::kDpi / 25.4;
constexpr int kDiagramObject = QTextFormat::UserObject + 1;
const QString kDiagramMark = u"@@diagram@@"_s;

const QSizeF kPage = QPageSize(QPageSize::A4).size(QPageSize::Millimeter) * kUnitsPerMm;
constexpr double kMarginMm = 15.0;
constexpr double kBottomMarginMm = 20.0;  // room for the page number

QString esc(const QString& text) {
    return text.toHtmlEscaped();
}

// A field's text as the report shows it: as typed, "—" when empty.
QString shown(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() ? u"—"_s : esc(t);
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

QFont reportFont(double pointSize) {
    QFont font;
    font.setFamilies({u"Liberation Sans"_s, u"DejaVu Sans"_s, u"Arial"_s});
    font.setPointSizeF(pointSize);
    return font;
}

// The suspension-point diagram as an object in the text, drawn with the painter of the page.
class DiagramObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    DiagramObject(DiagramModel model, QSizeF size) : model_(std::move(model)), size_(size) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override { return size_; }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat&) override {
        paintDiagram(*painter, rect, model_, kUnitsPerMm);
    }

  private:
    DiagramModel model_;
    QSizeF size_;
};

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
    {u"Data2", u"G — нагрузка подвески без гололеда"},
    {u"Data4", u"Gг — нагрузка подвески с гололедом"},
    {u"Data1", u"gр — собственный вес ригеля"},
    {u"Data5", u"gрг — гололедная нагрузка ригеля"},
    {u"Data3", u"Pp — ветровой параметр ригеля"},
    {u"Data6", u"Мфс — дополнительные моменты"},
    {u"Data7", u"допускаемые моменты, серия П"},
    {u"Data8", u"допускаемые моменты, серия ОП"},
};

}  // namespace

QString allowableSource(const Calculation& c) {
    return c.options.value(u"Frame3"_s) == u"Option2"_s ? u"Data8"_s : u"Data7"_s;
}

QString seriesName(const Calculation& c) {
    return c.options.value(u"Frame3"_s) == u"Option2"_s ? u"ОП"_s : u"П"_s;
}

Report::Report(ReportInput input) : input_(std::move(input)) {
    check_ = checkCrossbeams(input_.allowable, designMoments(input_.results),
                             input_.calculation.inputs.value(u"txtLp"_s));

    // Laid out for a 300 dpi page; the same device resolution is used to paint.
    layoutDevice_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(kDpi / 0.0254);
    layoutDevice_->setDotsPerMeterX(dotsPerMetre);
    layoutDevice_->setDotsPerMeterY(dotsPerMetre);

    document_ = std::make_unique<QTextDocument>();
    document_->documentLayout()->setPaintDevice(layoutDevice_.get());
    document_->setDefaultFont(reportFont(9));
    document_->setPageSize(kPage);
    document_->setHtml(html());
    // Lengths in text formats are pixels of 96 dpi, which the layout scales to its device.
    constexpr double kFormatUnitsPerMm = 96.0 / 25.4;
    QTextFrameFormat frame = document_->rootFrame()->frameFormat();
    frame.setLeftMargin(kMarginMm * kFormatUnitsPerMm);
    frame.setRightMargin(kMarginMm * kFormatUnitsPerMm);
    frame.setTopMargin(kMarginMm * kFormatUnitsPerMm);
    frame.setBottomMargin(kBottomMarginMm * kFormatUnitsPerMm);
    document_->rootFrame()->setFrameFormat(frame);

    // The diagram takes the place of its mark.
    const DiagramModel model = diagramModel(input_.calculation);
    const QSizeF size((kPage.width() - 2 * kMarginMm * kUnitsPerMm) * 0.98,
                      diagramHeightMm(model) * kUnitsPerMm);
    diagram_ = std::make_unique<DiagramObject>(model, size);
    document_->documentLayout()->registerHandler(kDiagramObject, diagram_.get());
    QTextCursor mark = document_->find(kDiagramMark);
    if (!mark.isNull()) {
        QTextCharFormat object;
        object.setObjectType(kDiagramObject);
        mark.insertText(QString(QChar::ObjectReplacementCharacter), object);
    }
}

Report::~Report() = default;

QString Report::verdict() const {
    const QString series = seriesName(input_.calculation);
    if (!input_.allowableError.isEmpty() || input_.allowable.rowCount() == 0)
        return u"проверка не выполнена: таблица допускаемых моментов «%1» не прочитана"_s.arg(
            input_.allowableWorkbook);
    if (check_.firstPassing >= 0)
        return u"подходит марка %1 серии %2 (первая, прошедшая все проверки)"_s.arg(
            check_.grades[check_.firstPassing].grade, series);
    bool incomplete = false;
    for (const GradeCheck& g : check_.grades)
        incomplete = incomplete || g.verdict == Verdict::Incomplete;
    if (incomplete && !check_.missing.isEmpty())
        return u"проверка неполная: "_s + check_.missing.join(u"; "_s);
    if (incomplete) return u"проверка неполная: не все марки удалось проверить"_s;
    return u"ни одна марка серии %1 не проходит"_s.arg(series);
}

QString Report::plainText() const {
    return document_->toPlainText();
}

int Report::pageCount() const {
    return document_->pageCount();
}

void Report::paintPage(QPainter& painter, int page) const {
    painter.save();
    painter.translate(0, -page * kPage.height());
    document_->drawContents(&painter, QRectF(QPointF(0, page * kPage.height()), kPage));
    painter.restore();
    painter.save();
    painter.setFont(reportFont(8));
    painter.setPen(QColor(90, 90, 90));
    const QString footer =
        u"Vardo v1.0 — отчет о расчете жесткой поперечины%1 — стр. %2 из %3"_s
            .arg(input_.fileName.isEmpty() ? QString() : u" «"_s + input_.fileName + u"»"_s)
            .arg(page + 1)
            .arg(pageCount());
    const QRectF line(kMarginMm * kUnitsPerMm, kPage.height() - 12 * kUnitsPerMm,
                      kPage.width() - 2 * kMarginMm * kUnitsPerMm, 6 * kUnitsPerMm);
    painter.drawText(line, Qt::AlignCenter, footer);
    painter.restore();
}

bool Report::writePdf(const QString& path, QString* error) const {
    const auto fail = [&](const QString& why) {
        if (error)
            *error = u"Не удалось записать отчет «%1»: %2."_s.arg(QFileInfo(path).fileName(), why);
        return false;
    };
    // The whole PDF is made in memory first; the file is then written in one checked step, so a
    // full disk never leaves a report cut short under its name.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(u"Расчет жесткой поперечины"_s);
        writer.setCreator(u"Vardo v1.0"_s);
        QPainter painter;
        if (!painter.begin(&writer)) return fail(u"PDF не создается"_s);
        for (int page = 0; page < pageCount(); ++page) {
            if (page > 0) writer.newPage();
            paintPage(painter, page);
        }
        if (!painter.end()) return fail(u"PDF не создается"_s);
    }
    QString why;
    const bool existed = QFileInfo::exists(path);
    if (!writeFileAtomically(path, pdf, &why))
        return fail(why + (existed ? u"; прежний файл не изменен"_s : u"; файл не записан"_s));
    return true;
}

QImage Report::pageImage(int page, int dpi) const {
    const double scale = static_cast<double>(dpi) / kDpi;
    QImage image(qCeil(kPage.width() * scale), qCeil(kPage.height() * scale), QImage::Format_RGB32);
    // The page's fonts are sized for 300 dpi; the painter scales the whole page down.
    image.setDotsPerMeterX(layoutDevice_->dotsPerMeterX());
    image.setDotsPerMeterY(layoutDevice_->dotsPerMeterY());
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    paintPage(painter, page);
    painter.end();
    return image;
}

QString Report::html() const {
    const Calculation& c = input_.calculation;
    const auto in = [&c](const QString& name) { return shown(c.inputs.value(name)); };
    QString h;
    h += u"<html><body style=\"font-size:9pt\">"_s;
    h += u"<p style=\"font-size:16pt; font-weight:bold; margin-bottom:2pt\">"
         u"Расчет жесткой поперечины</p>"_s;
    h += u"<p style=\"color:#555555\">Отчет программы Vardo v1.0</p>"_s;
    h += u"<table cellspacing=\"0\" cellpadding=\"2\">"_s;
    h += u"<tr><td>Дата отчета:&nbsp;</td><td>%1</td></tr>"_s.arg(
        esc(input_.date.toString(u"dd.MM.yyyy HH:mm"_s)));
    h += u"<tr><td>Файл расчета:&nbsp;</td><td>%1</td></tr>"_s.arg(
        input_.fileName.isEmpty() ? u"не сохранен"_s : esc(input_.fileName));
    h += u"</table>"_s;

    // Inputs.
    const QString table =
        u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
        u"style=\"border-collapse:collapse; border-color:#888888\""_s;
    h += u"<h3>1. Исходные данные</h3>"_s;
    h += table + u" width=\"100%\">"_s;
    const auto row2 = [&h](const QString& a, const QString& b, const QString& cc,
                           const QString& d) {
        h += u"<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>"_s.arg(a, b, cc, d);
    };
    row2(u"Пролет l"_s, in(u"txtProlet"_s), u"Серия ригеля"_s, seriesName(c));
    row2(u"Расчетная длина ригеля Lр, м"_s, in(u"txtLp"_s), u"Толщина гололеда b, мм"_s,
         optionText(c, u"Frame7"_s,
                    {{u"Option3"_s, u"5"_s},
                     {u"Option4"_s, u"10"_s},
                     {u"Option5"_s, u"15"_s},
                     {u"Option6"_s, u"20"_s}}));
    row2(u"Скорость ветра Vm"_s, in(u"txtVm"_s), u"Сечение у опоры"_s,
         optionText(c, u"Frame15"_s, {{u"Option9"_s, u"1/3"_s}, {u"Option10"_s, u"1/4"_s}}));
    row2(u"h/b"_s, in(u"Combo1"_s), u"Набор Мфс"_s,
         optionText(c, u"Frame11"_s, {{u"Option7"_s, u"пер"_s}, {u"Option8"_s, u"пост"_s}}));
    row2(u"Вес точки подвеса Gт"_s, in(u"Combo2"_s), u"Мфс аварийный"_s,
         shown(c.mfs.value(u"Text18"_s)));
    row2(u"Собственный вес ригеля gр"_s, in(u"txtGp"_s), u"Мфс гололед"_s,
         shown(c.mfs.value(u"Text19"_s)));
    row2(u"Гололедная нагрузка ригеля gрг"_s, in(u"txtGpg"_s), u"Мфс V max"_s,
         shown(c.mfs.value(u"Text20"_s)));
    row2(u"Ветровой параметр Pp"_s, in(u"txtPp"_s), QString(), QString());
    h += u"</table>"_s;

    h += u"<p style=\"margin-top:6pt\">Точки подвеса (плечи — от левой (л) и правой (п) опоры; "
         u"нагрузки — на единицу пролета l):</p>"_s;
    h += table + u" width=\"100%\">"_s;
    h += u"<tr style=\"background-color:#eeeeee\"><td>Точка</td>"_s;
    for (int i = 1; i <= 8; ++i) h += u"<td align=\"center\">%1</td>"_s.arg(i);
    h += u"</tr>"_s;
    const QList<std::pair<QString, QString>> pointRows = {{u"Плечо л, L"_s, u"txtL"_s},
                                                          {u"Плечо п, П"_s, u"txtP"_s},
                                                          {u"G"_s, u"txtG"_s},
                                                          {u"Gг"_s, u"txtGg"_s}};
    for (const auto& [caption, stem] : pointRows) {
        h += u"<tr><td>%1</td>"_s.arg(caption);
        for (int i = 1; i <= 8; ++i)
            h += u"<td align=\"center\">%1</td>"_s.arg(in(stem + QString::number(i)));
        h += u"</tr>"_s;
    }
    h += u"</table>"_s;

    // The diagram.
    h += u"<h3>2. Схема точек подвеса (в масштабе)</h3>"_s;
    h += u"<p>"_s + kDiagramMark + u"</p>"_s;
    const DiagramModel model = diagramModel(c);
    for (const QString& note : model.notes)
        h += u"<p style=\"color:#a05000\">Примечание: %1.</p>"_s.arg(esc(note));

    // Results.
    const QString section = c.options.value(u"Frame15"_s) == u"Option10"_s ? u"1/4"_s : u"1/3"_s;
    const QMap<QString, QString> names = {
        {u"Label10"_s, u"G, середина"_s},         {u"Label11"_s, u"Gг, середина"_s},
        {u"Label14"_s, u"G слева "_s + section},  {u"Label15"_s, u"Gг слева "_s + section},
        {u"Label20"_s, u"G справа "_s + section}, {u"Label21"_s, u"Gг справа "_s + section},
        {u"Label22"_s, u"аварийный, середина"_s}, {u"Label23"_s, u"гололед, середина"_s},
        {u"Label24"_s, u"V max, середина"_s},     {u"Label30"_s, u"аварийный, "_s + section},
        {u"Label31"_s, u"гололед, "_s + section}, {u"Label32"_s, u"V max, "_s + section}};
    const QString notComputed = u"<i>не вычислено</i>"_s;
    QStringList footnotes;
    const auto result = [&](const QString& name) {
        const ResultValue v = input_.results.value(name);
        QString cell = v.computed ? esc(v.text) : notComputed;
        const auto other = input_.comparison.constFind(name);
        if (other != input_.comparison.cend() && *other != v.text) {
            footnotes << u"%1: %2 — %3"_s.arg(names.value(name, name), input_.comparisonCaption,
                                              other->isEmpty() ? u"пусто"_s : esc(*other));
            cell += u"<sup>%1</sup>"_s.arg(footnotes.size());
        }
        return cell;
    };
    // Cells are made in reading order, so the footnotes are numbered in it.
    const auto cells = [&](const QStringList& fields) {
        QString row;
        for (const QString& f : fields) row += u"<td>"_s + result(f) + u"</td>"_s;
        return row;
    };
    h += u"<h3>3. Результаты</h3>"_s;
    h += u"<p>Нагрузки от подвески:</p>"_s;
    h += table + u">"_s;
    h += u"<tr style=\"background-color:#eeeeee\"><td></td><td>Середина</td><td>Слева %1</td>"
         u"<td>Справа %1</td><td>Расчетное %1</td></tr>"_s.arg(section);
    h += u"<tr><td>G</td>"_s + cells({u"Label10"_s, u"Label14"_s, u"Label20"_s, u"Text21"_s}) +
         u"</tr>"_s;
    h += u"<tr><td>Gг</td>"_s + cells({u"Label11"_s, u"Label15"_s, u"Label21"_s, u"Text22"_s}) +
         u"</tr>"_s;
    h += u"</table>"_s;
    const auto governingNote = [&](const QString& field, const QString& expected,
                                   const QString& what) {
        const ResultValue v = input_.results.value(field);
        if (!v.computed || expected.isEmpty()) return;
        if (parseFixed(v.text) != parseFixed(expected))
            h += u"<p style=\"color:#a05000\">Расчетное значение %1 (%2) не равно большему из "
                 u"значений слева и справа (%3): оно введено вручную или не обновлено.</p>"_s.arg(
                     what, esc(v.text), esc(expected));
    };
    governingNote(u"Text21"_s, input_.governingG, u"G-%1"_s.arg(section));
    governingNote(u"Text22"_s, input_.governingGice, u"Gг-%1"_s.arg(section));

    h += u"<p>Расчетные изгибающие моменты ригеля, тс·м:</p>"_s;
    h += table + u">"_s;
    h += u"<tr style=\"background-color:#eeeeee\"><td>Режим</td><td>Середина</td>"
         u"<td>%1 пролета</td></tr>"_s.arg(section);
    const QString modes[] = {u"Аварийный (Мн нп)"_s, u"Гололед (Мр вп)"_s, u"V max (Мр вп)"_s};
    for (int m = 0; m < 3; ++m)
        h += u"<tr><td>"_s + modes[m] + u"</td>"_s +
             cells({u"Label"_s + QString::number(22 + m), u"Label"_s + QString::number(30 + m)}) +
             u"</tr>"_s;
    h += u"</table>"_s;
    if (!input_.results.value(u"Label49"_s).text.isEmpty())
        h += u"<p>Индикатор Мфс: %1</p>"_s.arg(esc(input_.results.value(u"Label49"_s).text));
    if (!footnotes.isEmpty()) {
        h += u"<p style=\"font-size:8pt; color:#555555\">"_s;
        for (int i = 0; i < footnotes.size(); ++i)
            h += u"%1<sup>%2</sup> %3"_s.arg(i > 0 ? u"<br>"_s : QString())
                     .arg(i + 1)
                     .arg(footnotes[i]);
        h += u"</p>"_s;
    }

    // The crossbeam check.
    h += u"<h3>4. Проверка поперечин серии %1 (таблица «%2»)</h3>"_s.arg(
        seriesName(c), esc(input_.allowableWorkbook));
    if (!input_.allowableError.isEmpty()) {
        h += u"<p style=\"color:#b00000\">Таблица не прочитана: %1. Проверка не выполнена.</p>"_s
                 .arg(esc(input_.allowableError));
    } else {
        h += u"<p>Использование = |расчетный момент| / допускаемый момент. Средний блок — "
             u"моменты середины пролета, крайний блок — моменты в сечении %1. "
             u"Lр = %2 м.</p>"_s.arg(section, in(u"txtLp"_s));
        h += table + u" width=\"100%\" style=\"font-size:7.5pt\">"_s;
        h += u"<tr style=\"background-color:#eeeeee\"><td rowspan=\"2\">Марка</td>"
             u"<td colspan=\"5\" align=\"center\">Средний блок</td>"
             u"<td colspan=\"5\" align=\"center\">Крайний блок %1</td>"
             u"<td rowspan=\"2\">Возможные длины, м</td><td rowspan=\"2\">Lр</td>"
             u"<td rowspan=\"2\">Итог</td></tr>"_s.arg(section);
        h += u"<tr style=\"background-color:#eeeeee\">"_s;
        for (int b = 0; b < 2; ++b)
            h += u"<td>Мн нп</td><td>авар.</td><td>Мр вп</td><td>гол.</td><td>V max</td>"_s;
        h += u"</tr>"_s;
        for (int g = 0; g < check_.grades.size(); ++g) {
            const GradeCheck& grade = check_.grades[g];
            const bool chosen = g == check_.firstPassing;
            h += chosen ? u"<tr style=\"font-weight:bold\">"_s : u"<tr>"_s;
            h += u"<td>%1%2</td>"_s.arg(chosen ? u"&#9654; "_s : QString(), shown(grade.grade));
            const auto use = [&](int i) {
                const Utilisation& u = grade.use[i];
                const QString colour = bandColour(u.band);
                const QString text = u.ratio ? percentText(*u.ratio) : u"—"_s;
                return colour.isEmpty()
                           ? u"<td align=\"right\">%1</td>"_s.arg(text)
                           : u"<td align=\"right\" bgcolor=\"%1\">%2</td>"_s.arg(colour, text);
            };
            for (int b = 0; b < 2; ++b) {
                h += u"<td align=\"right\">%1</td>"_s.arg(shown(grade.allowableText[2 * b]));
                h += use(3 * b);
                h += u"<td align=\"right\">%1</td>"_s.arg(shown(grade.allowableText[2 * b + 1]));
                h += use(3 * b + 1) + use(3 * b + 2);
            }
            h += u"<td>%1</td>"_s.arg(shown(grade.lengthsText));
            const QString fit = grade.length == LengthFit::Allowed      ? u"да"_s
                                : grade.length == LengthFit::NotAllowed ? u"нет"_s
                                                                        : u"?"_s;
            h += u"<td align=\"center\" bgcolor=\"%1\">%2</td>"_s.arg(
                grade.length == LengthFit::Allowed      ? bandColour(Band::UpTo90)
                : grade.length == LengthFit::NotAllowed ? bandColour(Band::Over100)
                                                        : u"#ffffff"_s,
                fit);
            const QString verdict = grade.verdict == Verdict::Passes  ? u"проходит"_s
                                    : grade.verdict == Verdict::Fails ? u"не проходит"_s
                                                                      : u"не проверена"_s;
            h += u"<td>%1%2</td></tr>"_s.arg(verdict, chosen ? u" — выбор"_s : QString());
        }
        h += u"</table>"_s;
        h += u"<p style=\"font-size:8pt\">Цвет: <span style=\"background-color:%1\">&nbsp;до 90 "
             u"%&nbsp;</span> <span style=\"background-color:%2\">&nbsp;90–100 %&nbsp;</span> "
             u"<span style=\"background-color:%3\">&nbsp;свыше 100 %&nbsp;</span>; «—» — момент "
             u"не вычислен или в таблице нет допускаемого значения; &#9654; — первая марка, "
             u"прошедшая все проверки.</p>"_s.arg(
                 bandColour(Band::UpTo90), bandColour(Band::UpTo100), bandColour(Band::Over100));
        h += u"<p><b>Вывод: %1.</b></p>"_s.arg(esc(verdict()));
        for (const QString& m : check_.missing)
            h += u"<p style=\"color:#a05000\">Не хватает: %1.</p>"_s.arg(esc(m));
        for (const GradeCheck& grade : check_.grades)
            if (grade.verdict != Verdict::Passes && !grade.reasons.isEmpty())
                h += u"<p style=\"font-size:8pt\">%1: %2.</p>"_s.arg(
                    shown(grade.grade), esc(grade.reasons.join(u"; "_s)));
    }

    // Where the reference values came from.
    h += u"<h3>5. Источники справочных значений</h3>"_s;
    h += table + u" width=\"100%\">"_s;
    h += u"<tr style=\"background-color:#eeeeee\"><td>Таблица</td><td>Файл</td>"
         u"<td>Строка</td></tr>"_s;
    for (const SourceRole& r : kSourceRoles) {
        const SourceRow row = c.sources.value(QString::fromUtf16(r.source));
        const QString where = row.row < 0 ? u"нет строк (таблица не прочитана)"_s
                                          : u"%1 — «%2»"_s.arg(row.row + 1).arg(esc(row.caption));
        h += u"<tr><td>%1</td><td>%2</td><td>%3</td></tr>"_s.arg(QString::fromUtf16(r.role),
                                                                 shown(row.workbook), where);
    }
    h += u"</table>"_s;
    h += u"<p style=\"font-size:8pt; color:#555555\">Строки — те, что были показаны в таблицах "
         u"при сохранении расчета; значения полей ввода могли быть введены и вручную.</p>"_s;
    h += u"</body></html>"_s;
    return h;
}

}  // namespace vardo::document

#include "report.moc"
