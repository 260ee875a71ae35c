#include "document/diagram.h"
#include "core/catalogue.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/numbertext.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

Fixed valueOf(const QString& text) {
    return parseFixed(text).value_or(Fixed());
}

QFont diagramFont(double pointSize, bool bold = false) {
    QFont font;
    font.setFamilies({u"Liberation Sans"_s, u"DejaVu Sans"_s, u"Arial"_s});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// A round length near a fifth of the range: 1, 2 or 5 times a power of ten metres.
double scaleStep(double range) {
    const double target = range / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * power >= target) return f * power;
    return 10.0 * power;
}

QString metres(double value) {
    return formatSignificant(value, 6);
}

// A number as typed, shortened for a label of the drawing.
QString labelText(const QString& text) {
    constexpr int kMax = 16;
    return text.size() > kMax ? text.left(kMax) + u"…"_s : text;
}

}  // namespace

QList<DiagramDimension> diagramDimensions(const DiagramModel& m) {
    QList<DiagramDimension> dims;
    const double beamLength = m.length.toDouble();
    for (const DiagramPoint& p : m.points) {
        if (!p.left.isZero())
            dims << DiagramDimension{
                0.0, p.left.toDouble(),
                u"L"_s + QString::number(p.number) + u" = "_s + labelText(p.leftText)};
        if (!p.right.isZero())
            dims << DiagramDimension{
                beamLength - p.right.toDouble(), beamLength,
                u"П"_s + QString::number(p.number) + u" = "_s + labelText(p.rightText)};
    }
    return dims;
}

QList<DiagramSection> diagramSections(const DiagramModel& m) {
    const double beamLength = m.length.toDouble();
    QList<DiagramSection> sections = {{beamLength / 2, u"1/2"_s}};
    if (m.sectionDivisor > 0) {
        const QString name = u"1/%1"_s.arg(m.sectionDivisor);
        sections << DiagramSection{beamLength / m.sectionDivisor, name}
                 << DiagramSection{beamLength - beamLength / m.sectionDivisor, name};
    }
    return sections;
}

QString loadLabel(const DiagramPoint& p) {
    return u"G = "_s + (p.loadText.isEmpty() ? u"0"_s : labelText(p.loadText));
}

QString iceLoadLabel(const DiagramPoint& p) {
    return u"Gг = "_s + (p.iceLoadText.isEmpty() ? u"0"_s : labelText(p.iceLoadText));
}

DiagramModel diagramModel(const Calculation& c) {
    DiagramModel m;
    const std::optional<Fixed> lp = parseFixed(c.inputs.value(names::txtLp));
    m.lengthGiven = lp && *lp > Fixed();
    if (c.options.value(names::kSectionFrame) == names::Option9) m.sectionDivisor = 3;
    if (c.options.value(names::kSectionFrame) == names::Option10) m.sectionDivisor = 4;

    Fixed needed;
    for (int i = 1; i <= 8; ++i) {
        DiagramPoint p;
        p.number = i;
        p.leftText = c.inputs.value(names::txtL[i]).trimmed();
        p.rightText = c.inputs.value(names::txtP[i]).trimmed();
        p.loadText = c.inputs.value(names::txtG[i]).trimmed();
        p.iceLoadText = c.inputs.value(names::txtGg[i]).trimmed();
        p.left = valueOf(p.leftText);
        p.right = valueOf(p.rightText);
        p.load = valueOf(p.loadText);
        p.iceLoad = valueOf(p.iceLoadText);
        if (p.left.isZero() && p.right.isZero() && p.load.isZero() && p.iceLoad.isZero()) continue;
        if (p.left < Fixed() || p.right < Fixed())
            m.notes << u"точка %1: отрицательное плечо"_s.arg(i);
        needed = std::max({needed, p.left, p.right});
        m.points << p;
    }
    m.length = m.lengthGiven ? *lp : needed;
    for (DiagramPoint& p : m.points) {
        if (!p.left.isZero())
            p.x = p.left;
        else if (!p.right.isZero())
            p.x = m.length - p.right;
        if (!p.x) {
            m.notes << u"точка %1: плечи равны 0, точка не нанесена"_s.arg(p.number);
        } else if (m.lengthGiven && (*p.x < Fixed() || *p.x > m.length)) {
            m.notes << u"точка %1 лежит за пределами длины Lр"_s.arg(p.number);
        }
    }
    if (!m.lengthGiven) m.notes << u"Lр не задана: длина ригеля на схеме взята по плечам"_s;
    return m;
}

double diagramHeightMm(const DiagramModel& m) {
    int dims = 0;
    for (const DiagramPoint& p : m.points) dims += (!p.left.isZero()) + (!p.right.isZero());
    return 44.0 + 4.6 * dims;
}

double standardScale(double rangeMetres, double paperMm) {
    if (!(rangeMetres > 0.0) || !(paperMm > 0.0) || !std::isfinite(rangeMetres)) return 1.0;
    const double needed = rangeMetres * 1000.0 / paperMm;
    // 1, 2, 2.5 and 5 times a power of ten: 1:50, 1:100, 1:200, 1:250, 1:500, 1:1000, ...
    for (double power = 1.0; std::isfinite(power); power *= 10.0)
        for (double f : {1.0, 2.0, 2.5, 5.0})
            if (f * power >= needed) return f * power;
    return needed;
}

void paintDiagram(QPainter& painter, const QRectF& rect, const DiagramModel& m, double u) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(rect);

    const QFont small = diagramFont(6.5);
    const QFontMetricsF fm(small, painter.device());
    const double textH = fm.height();

    // The range drawn: the beam and every placed point.
    double xmin = 0.0, xmax = m.length.toDouble();
    for (const DiagramPoint& p : m.points)
        if (p.x) {
            xmin = std::min(xmin, p.x->toDouble());
            xmax = std::max(xmax, p.x->toDouble());
        }
    if (xmax - xmin <= 0.0) xmax = xmin + 1.0;
    // Drawn at the largest standard scale that fits the width: a length on paper is its length
    // on the beam divided by the scale.
    const double left = rect.left() + 12 * u;
    const double scaleN = standardScale(xmax - xmin, (rect.width() - 24 * u) / u);
    const double right = left + (xmax - xmin) * 1000.0 / scaleN * u;
    const auto X = [&](double metresFromLeft) {
        return left + (metresFromLeft - xmin) / (xmax - xmin) * (right - left);
    };

    // Dimension lines of the arms, one level each, above the beam.
    const QList<DiagramDimension> dims = diagramDimensions(m);
    const double beamLength = m.length.toDouble();
    const double level = textH + 1.6 * u;
    const double dimTop = rect.top() + 2 * u + textH;
    const double beamY = dimTop + dims.size() * level + textH + 3 * u;

    painter.setFont(small);
    QPen thin(QColor(60, 60, 60), 0.15 * u);
    for (int k = 0; k < dims.size(); ++k) {
        const DiagramDimension& d = dims[k];
        const double y = dimTop + k * level;
        const double x1 = X(std::min(d.from, d.to)), x2 = X(std::max(d.from, d.to));
        painter.setPen(thin);
        painter.drawLine(QPointF(x1, y), QPointF(x2, y));
        for (double x : {x1, x2}) {
            painter.drawLine(QPointF(x, y - 1.0 * u), QPointF(x, y + 1.0 * u));
            QPen dotted = thin;
            dotted.setStyle(Qt::DotLine);
            painter.setPen(dotted);
            painter.drawLine(QPointF(x, y), QPointF(x, beamY));
            painter.setPen(thin);
        }
        const double w = fm.horizontalAdvance(d.text);
        double tx = (x1 + x2 - w) / 2;
        if (w + 2 * u > x2 - x1) tx = x2 + 1 * u;  // too short for its text: beside its end
        painter.setPen(Qt::black);
        painter.drawText(QPointF(tx, y - 0.5 * u), d.text);
    }

    // The beam and its supports.
    painter.setPen(QPen(QColor(40, 40, 40), 0.8 * u, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(X(0), beamY), QPointF(X(beamLength), beamY));
    painter.setPen(QPen(Qt::black, 0.2 * u));
    painter.setBrush(QColor(220, 220, 220));
    for (double x : {X(0), X(beamLength)}) {
        QPainterPath support;
        support.moveTo(x, beamY + 0.4 * u);
        support.lineTo(x - 2.2 * u, beamY + 4 * u);
        support.lineTo(x + 2.2 * u, beamY + 4 * u);
        support.closeSubpath();
        painter.drawPath(support);
    }
    painter.setBrush(Qt::NoBrush);

    // The sections: mid-span and 1/3 (1/4) from each support.
    QPen sectionPen(QColor(0, 110, 0), 0.2 * u, Qt::DashLine);
    const QList<DiagramSection> sections = diagramSections(m);
    const double arrowLen = 7 * u;
    const double labelTop = beamY + arrowLen + 1 * u;
    // The load labels take two rows of two lines under the arrows; a section line stops above
    // them and goes on below them down to its name, so it never runs through a label.
    const double labelsBottom = labelTop + 4 * textH + 0.8 * u;
    const double sectionNameY = labelsBottom + 3 * u + textH;
    for (const auto& [x, name] : sections) {
        painter.setPen(sectionPen);
        painter.drawLine(QPointF(X(x), beamY - 3 * u), QPointF(X(x), labelTop - textH * 0.2));
        painter.drawLine(QPointF(X(x), labelsBottom), QPointF(X(x), sectionNameY - textH));
        painter.setPen(QColor(0, 110, 0));
        const double w = fm.horizontalAdvance(name);
        painter.drawText(QPointF(X(x) - w / 2, sectionNameY), name);
    }

    // The points: a red mark on the beam, the load arrow below, number and loads beside it.
    QList<double> placed;
    for (const DiagramPoint& p : m.points) {
        if (!p.x) continue;
        const double x = X(p.x->toDouble());
        painter.setPen(QPen(Qt::red, 0.7 * u, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(x, beamY - 3 * u), QPointF(x, beamY + 0.5 * u));
        painter.setPen(Qt::black);
        painter.setFont(diagramFont(6.5, true));
        painter.drawText(QPointF(x + 0.6 * u, beamY - 1.2 * u), QString::number(p.number));
        painter.setFont(small);
        QPen arrow(QColor(0, 0, 160), 0.3 * u);
        painter.setPen(arrow);
        painter.drawLine(QPointF(x, beamY + 0.5 * u), QPointF(x, beamY + arrowLen));
        QPainterPath head;
        head.moveTo(x, beamY + arrowLen + 0.6 * u);
        head.lineTo(x - 0.9 * u, beamY + arrowLen - 1.6 * u);
        head.lineTo(x + 0.9 * u, beamY + arrowLen - 1.6 * u);
        head.closeSubpath();
        painter.fillPath(head, QColor(0, 0, 160));
        // Labels of close points take the second row.
        const QString g = loadLabel(p);
        const QString gg = iceLoadLabel(p);
        const double w = std::max(fm.horizontalAdvance(g), fm.horizontalAdvance(gg));
        int row = 0;
        for (double other : placed)
            if (std::abs(other - x) < w + 2 * u) row = 1 - row;
        placed << x;
        const double ty = labelTop + textH + row * 2 * textH;
        painter.setPen(QColor(0, 0, 160));
        painter.drawText(QPointF(x - w / 2, ty), g);
        painter.drawText(QPointF(x - w / 2, ty + textH), gg);
    }

    // Scale bar and the scale of the drawing.
    const double range = xmax - xmin;
    const double step = scaleStep(range);
    const double barY = rect.bottom() - 2 * u;
    const double barX = rect.left() + 2 * u;
    const double barW = step / range * (right - left);
    painter.setPen(QPen(Qt::black, 0.25 * u));
    painter.drawLine(QPointF(barX, barY), QPointF(barX + barW, barY));
    for (double x : {barX, barX + barW}) painter.drawLine(QPointF(x, barY - u), QPointF(x, barY));
    const QString barText = metres(step) + u" м"_s;
    painter.drawText(QPointF(barX + barW + 1.2 * u, barY), barText);
    const QString units = u"Плечи L, П — м; нагрузки G, Gг — кгс/м пролета"_s;
    painter.drawText(QPointF(barX + barW + 4 * u + fm.horizontalAdvance(barText), barY), units);
    const QString scale = u"М 1:"_s + metres(scaleN);
    painter.drawText(QPointF(rect.right() - fm.horizontalAdvance(scale) - 2 * u, barY), scale);
    painter.restore();
}

}  // namespace vardo::document
