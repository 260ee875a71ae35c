#include "document/schemedxf.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/messages.h"
#include "core/numbertext.h"
#include "core/safefile.h"
#include "core/visibletext.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

// Windows-1251 from 0x80 to 0xBF (0xC0..0xFF are А..я, U+0410..U+044F in order); 0x98 is unused.
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFF, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// A text of the program (UTF-8) as the file holds it: ANSI_1251, anything else as \U+XXXX. A
// control character would end the line of the group and break the file: it becomes "?".
QByteArray ansi1251(const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    QByteArray out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x20 || c == 0x7F) {
            out += '?';
        } else if (c < 0x80) {
            out += char(c);
        } else if (c >= 0x0410 && c <= 0x044F) {
            out += char(0xC0 + (c - 0x0410));
        } else if (const char16_t* at =
                       std::find(std::begin(kCp1251High), std::end(kCp1251High), char16_t(c));
                   c <= 0xFFFF && at != std::end(kCp1251High)) {
            out += char(0x80 + (at - std::begin(kCp1251High)));
        } else if (c <= 0xFFFF) {
            out += "\\U+" + QByteArray::number(uint(c), 16).toUpper().rightJustified(4, '0');
        } else {
            out += '?';  // beyond the escape's four digits
        }
    }
    return out;
}

// dxflib's writer, into memory instead of a file: numbers in the C form whatever the locale
// (std::to_chars), the texts in the drawing's code page. Its file stream is never opened.
class MemoryWriter final : public DL_WriterA {
  public:
    MemoryWriter() : DL_WriterA("", DL_VERSION_2000) {}

    void dxfReal(int gc, double value) const override {
        char text[64];
        if (!std::isfinite(value)) value = 0.0;
        const auto [end, ec] =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
        std::string s = ec == std::errc() ? std::string(text, end) : std::string("0");
        if (s.find('.') == std::string::npos) s += ".0";
        dxfString(gc, s);
    }
    void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        dxfString(gc, QByteArray::number(uint(value), 16).toUpper().toStdString());
    }
    void dxfString(int gc, const char* value) const override {
        dxfString(gc, std::string(value ? value : ""));
    }
    void dxfString(int gc, const std::string& value) const override {
        const QByteArray code = QByteArray::number(gc);
        out_ += QByteArray(3 - std::min<qsizetype>(3, code.size()), ' ') + code + '\n';
        out_ += ansi1251(value) + '\n';
    }

    QByteArray bytes() const { return out_; }

  private:
    mutable QByteArray out_;
};

std::string utf8(const QString& text) {
    return text.toStdString();
}

// AutoCAD colour indices of the layers.
constexpr int kLayerColours[] = {7, 8, 1, 5, 3, 8, 7};

enum Layer { Beam, Supports, Points, Loads, Sections, Dimensions, Texts };

class Drawing {
  public:
    Drawing(DL_Dxf& dxf, MemoryWriter& w, double mm) : dxf_(dxf), w_(w), mm_(mm) {}

    double mm() const { return mm_; }
    double textHeight() const { return 2.5 * mm_; }

    void line(Layer layer, double x1, double y1, double x2, double y2) {
        dxf_.writeLine(w_, DL_LineData(x1, y1, 0.0, x2, y2, 0.0), on(layer));
    }
    void point(Layer layer, double x, double y) {
        dxf_.writePoint(w_, DL_PointData(x, y, 0.0), on(layer));
    }
    void triangle(Layer layer, double x1, double y1, double x2, double y2, double x3, double y3) {
        dxf_.writePolyline(w_, DL_PolylineData(3, 0, 0, 1), on(layer));
        dxf_.writeVertex(w_, DL_VertexData(x1, y1, 0.0, 0.0));
        dxf_.writeVertex(w_, DL_VertexData(x2, y2, 0.0, 0.0));
        dxf_.writeVertex(w_, DL_VertexData(x3, y3, 0.0, 0.0));
        dxf_.writePolylineEnd(w_);
    }
    void filledTriangle(Layer layer, double x1, double y1, double x2, double y2, double x3,
                        double y3) {
        // A SOLID's fourth corner repeats its third: a triangle.
        dxf_.writeSolid(w_, DL_SolidData(x1, y1, 0.0, x2, y2, 0.0, x3, y3, 0.0, x3, y3, 0.0, 0.0),
                        on(layer));
    }
    enum class Align { Left, Centre };
    void text(Layer layer, double x, double y, const QString& text, Align align = Align::Left) {
        const int h = align == Align::Centre ? 1 : 0;
        dxf_.writeText(w_,
                       DL_TextData(x, y, 0.0, x, y, 0.0, textHeight(), 1.0, 0, h, 0, utf8(text),
                                   "Standard", 0.0),
                       on(layer));
    }
    // About how wide a text is drawn (a proportional font's average letter).
    double width(const QString& text) const { return 0.62 * textHeight() * text.size(); }

  private:
    DL_Attributes on(Layer layer) const {
        return DL_Attributes(utf8(QString::fromUtf16(kSchemeLayers[layer])), 256, -1, -1,
                             "BYLAYER");
    }

    DL_Dxf& dxf_;
    MemoryWriter& w_;
    double mm_;
};

void writeTables(DL_Dxf& dxf, MemoryWriter& w, double mm) {
    dxf.writeHeader(w);
    // Metres; the texts' code page; metric measurement.
    w.dxfString(9, "$INSUNITS");
    w.dxfInt(70, 6);
    w.dxfString(9, "$MEASUREMENT");
    w.dxfInt(70, 1);
    w.dxfString(9, "$DWGCODEPAGE");
    w.dxfString(3, "ANSI_1251");
    w.dxfString(9, "$TEXTSTYLE");
    w.dxfString(7, "Standard");
    w.sectionEnd();

    w.sectionTables();
    dxf.writeVPort(w);
    w.tableLinetypes(3);
    dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    w.tableEnd();
    w.tableLayers(1 + int(std::size(kSchemeLayers)));
    dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, 100, "CONTINUOUS", 1.0));
    for (std::size_t i = 0; i < std::size(kSchemeLayers); ++i)
        dxf.writeLayer(w, DL_LayerData(utf8(QString::fromUtf16(kSchemeLayers[i])), 0),
                       DL_Attributes("", kLayerColours[i], 100, "CONTINUOUS", 1.0));
    w.tableEnd();
    // A TrueType font, which has the Cyrillic letters the SHX font "txt" lacks.
    w.tableStyle(1);
    dxf.writeStyle(w, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5 * mm, "arial.ttf", ""));
    w.tableEnd();
    dxf.writeView(w);
    dxf.writeUcs(w);
    w.tableAppid(1);
    dxf.writeAppid(w, "ACAD");
    w.tableEnd();
    dxf.writeDimStyle(w, 2.5 * mm, 1.25 * mm, 0.625 * mm, 0.625 * mm, 2.5 * mm);
    dxf.writeBlockRecord(w);
    w.tableEnd();
    w.sectionEnd();

    w.sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(w, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(w, block);
    }
    w.sectionEnd();
}

// The scheme itself; the same places as the report's diagram, with +Y up and the beam at Y = 0.
void writeEntities(Drawing& d, const DiagramModel& m, const QString& title, double scaleN) {
    const double u = d.mm();
    const double textH = d.textHeight();
    const double beamLength = m.length.toDouble();

    d.line(Beam, 0.0, 0.0, beamLength, 0.0);
    for (double x : {0.0, beamLength})
        d.triangle(Supports, x, 0.0, x - 2.2 * u, -4 * u, x + 2.2 * u, -4 * u);

    // The arms, one level each above the beam, the first the highest; serifs at 45 degrees.
    const QList<DiagramDimension> dims = diagramDimensions(m);
    const double level = textH + 2.5 * u;
    for (qsizetype k = 0; k < dims.size(); ++k) {
        const DiagramDimension& dim = dims[k];
        const double y = 5 * u + double(dims.size() - 1 - k) * level;
        const double x1 = std::min(dim.from, dim.to), x2 = std::max(dim.from, dim.to);
        d.line(Dimensions, x1, y, x2, y);
        for (double x : {x1, x2}) {
            d.line(Dimensions, x, 0.0, x, y + 1.0 * u);
            d.line(Dimensions, x - 0.7 * u, y - 0.7 * u, x + 0.7 * u, y + 0.7 * u);
        }
        // Too short for its text: the text beside its end.
        if (d.width(dim.text) + 2 * u > x2 - x1)
            d.text(Dimensions, x2 + 1.5 * u, y + 0.6 * u, dim.text);
        else
            d.text(Dimensions, (x1 + x2) / 2, y + 0.6 * u, dim.text, Drawing::Align::Centre);
    }

    // The points: a POINT on the beam, its mark and number; the load arrow below, its labels.
    const double arrowLength = 7 * u;
    const double labelTop = -(arrowLength + 1.5 * u);
    const double lineStep = 1.5 * textH;
    QList<double> placed;
    for (const DiagramPoint& p : m.points) {
        if (!p.x) continue;
        const double x = p.x->toDouble();
        d.point(Points, x, 0.0);
        d.line(Points, x, -0.5 * u, x, 3 * u);
        d.text(Points, x + 0.6 * u, 1.2 * u, QString::number(p.number));
        d.line(Loads, x, -0.5 * u, x, -arrowLength + 1.6 * u);
        d.filledTriangle(Loads, x, -arrowLength - 0.6 * u, x - 0.9 * u, -arrowLength + 1.6 * u,
                         x + 0.9 * u, -arrowLength + 1.6 * u);
        const QString g = loadLabel(p), gg = iceLoadLabel(p);
        const double w = std::max(d.width(g), d.width(gg));
        int row = 0;
        for (double other : placed)
            if (std::abs(other - x) < w + 2 * u) row = 1 - row;
        placed << x;
        const double y = labelTop - textH - row * 2 * lineStep;
        d.text(Loads, x, y, g, Drawing::Align::Centre);
        d.text(Loads, x, y - lineStep, gg, Drawing::Align::Centre);
    }

    // The sections stop above the load labels and go on below them down to their names.
    const double labelsBottom = labelTop - 4 * lineStep - 1 * u;
    const double sectionNameY = labelsBottom - 3 * u - textH;
    for (const auto& [x, name] : diagramSections(m)) {
        d.line(Sections, x, 3 * u, x, labelTop + 0.2 * textH);
        d.line(Sections, x, labelsBottom, x, sectionNameY + textH + 0.5 * u);
        d.text(Sections, x, sectionNameY, name, Drawing::Align::Centre);
    }

    // The texts under the scheme.
    QStringList lines{title,
                      u"Размеры в метрах, масштаб чертежа 1:1; надписи для листа М 1:"_s +
                          formatSignificant(scaleN, 6),
                      u"Плечи L, П — м; нагрузки G, Gг — кгс/м пролета"_s};
    for (const QString& note : m.notes) lines << u"Примечание: "_s + note;
    double y = sectionNameY - 3 * textH;
    for (const QString& line : lines) {
        d.text(Texts, 0.0, y, line);
        y -= lineStep;
    }
}

}  // namespace

QString schemeTitle(const Calculation& c) {
    // Typed text: what would act unseen is shown as a mark; a long text is shortened.
    const auto shown = [](const QString& text) {
        constexpr int kMax = 120;
        const QString marked = markedText(text.simplified());
        return marked.size() > kMax ? marked.left(kMax) + u"…"_s : marked;
    };
    QString title = u"Схема подвеса"_s;
    if (!c.object.object.trimmed().isEmpty()) title += u" — "_s + shown(c.object.object);
    if (!c.object.crossbeam.trimmed().isEmpty())
        title += u", поперечина "_s + shown(c.object.crossbeam);
    return title;
}

QByteArray schemeDxf(const DiagramModel& model, const QString& title) {
    // The range the points take, at the standard scale the report would draw it at on a sheet
    // 180 mm wide: one millimetre of that sheet is `mm` metres of the drawing.
    double xmin = 0.0, xmax = model.length.toDouble();
    for (const DiagramPoint& p : model.points)
        if (p.x) {
            xmin = std::min(xmin, p.x->toDouble());
            xmax = std::max(xmax, p.x->toDouble());
        }
    const double scaleN = standardScale(std::max(xmax - xmin, 1.0), 180.0);
    const double mm = scaleN / 1000.0;

    DL_Dxf dxf;
    MemoryWriter w;
    writeTables(dxf, w, mm);
    w.sectionEntities();
    Drawing drawing(dxf, w, mm);
    writeEntities(drawing, model, title, scaleN);
    w.sectionEnd();
    dxf.writeObjects(w);
    dxf.writeObjectsEnd(w);
    w.dxfEOF();
    return w.bytes();
}

bool writeSchemeDxf(const QString& path, const Calculation& calculation, QString* error) {
    const QFileInfo info(path);
    const bool existed = info.exists();
    const auto fail = [&](const QString& why) {
        if (error)
            *error = u"Не удалось записать схему «%1»: %2. %3"_s.arg(info.fileName(), why,
                                                                     messages::fileKept(existed));
        return false;
    };
    if (const QString what = describeNonRegular(path); !what.isEmpty())
        return fail(what + u"; записывается только обычный файл"_s);
    const QByteArray bytes = schemeDxf(diagramModel(calculation), schemeTitle(calculation));
    if (QString why; !writeFileAtomically(path, bytes, &why)) return fail(why);
    return true;
}

}  // namespace vardo::document
