#pragma once
// The suspension-point diagram of the report, drawn to scale: the crossbeam of design length Lр
// between its two supports, each suspension point at its arm from the support it is measured
// from, the arms as dimension lines, the loads G and Gг as arrows, and the sections the moments
// are computed at (mid-span and 1/3 or 1/4 of the span).
//
// A point's left arm Li is its distance from the left support, its right arm Pi the distance from
// the right support; a point gives one of them (both: it is drawn at Li and both arms are shown).
// A point with loads but no arm cannot be placed and is named in the notes, as is a point beyond
// the beam. Without a usable Lр the beam is drawn as long as the arms need.

#include <QList>
#include <QRectF>
#include <QStringList>
#include <optional>

#include "core/fixed.h"
#include "document/calculation.h"

class QPainter;

namespace vardo::document {

struct DiagramPoint {
    int number = 0;  // 1 .. 8
    Fixed left, right, load, iceLoad;
    QString leftText, rightText, loadText, iceLoadText;
    std::optional<Fixed> x;  // distance from the left support; none when it has no arm
};

struct DiagramModel {
    Fixed length;                // the beam drawn: Lр, or what the arms need
    bool lengthGiven = false;    // Lр was a positive number
    int sectionDivisor = 0;      // 3 for "1/3", 4 for "1/4", 0 when none is chosen
    QList<DiagramPoint> points;  // the points that take part (a field not 0)
    QStringList notes;
};

DiagramModel diagramModel(const Calculation& calculation);

// The height the diagram needs, in millimetres of paper (its width is the text width).
double diagramHeightMm(const DiagramModel& model);

// The largest standard scale (1:N with N = 1, 2, 2.5 or 5 times a power of ten) at which a length
// of rangeMetres fits paperMm millimetres of paper; returns N.
double standardScale(double rangeMetres, double paperMm);

// The arms as dimension lines, in metres from the left support, with their labels ("L1 = 3,5"):
// each point's left arm, then its right arm. The report draws them and the DXF scheme writes them.
struct DiagramDimension {
    double from, to;
    QString text;
};
QList<DiagramDimension> diagramDimensions(const DiagramModel& model);

// The sections the moments are computed at: mid-span "1/2", and 1/3 (1/4) from each support.
struct DiagramSection {
    double x;  // metres from the left support
    QString name;
};
QList<DiagramSection> diagramSections(const DiagramModel& model);

// A point's load labels as drawn under its arrow: "G = 120" and "Gг = 80".
QString loadLabel(const DiagramPoint& point);
QString iceLoadLabel(const DiagramPoint& point);

// Draws into rect; unitsPerMm is the painter's units per millimetre of paper (line widths, gaps).
void paintDiagram(QPainter& painter, const QRectF& rect, const DiagramModel& model,
                  double unitsPerMm);

}  // namespace vardo::document
