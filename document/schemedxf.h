#pragma once
// The suspension scheme for CAD: the report's diagram (diagram.h) as a DXF drawing.
//
//   Calculation --diagramModel--> DiagramModel --dxflib (DL_Dxf, into memory)--> DXF bytes
//              --writeFileAtomically--> FILE.dxf (the old file stays until the new one is complete)
//
// The drawing is in metres at 1:1 in model space: the left support at the origin, the beam along
// X, up is +Y. Each kind of object has its own layer: the beam, the supports, the points (a POINT
// on the beam, a mark and the point's number), the loads (an arrow and "G = …", "Gг = …"), the
// sections 1/2 and 1/3 (1/4), the arms as dimension lines (lines, serifs and the text "L1 = 3,5"),
// and the texts (title, units, notes). Texts, marks and arrows are sized for a sheet at the
// standard scale the report draws the diagram at (1:50, 1:100, ...).
//
// The file is DXF R2000 (AC1015), which every CAD program opens. Its texts are in the code page
// $DWGCODEPAGE ANSI_1251, the Cyrillic code page of R2000; a character that code page lacks is
// written as the DXF escape \U+XXXX. (R12 has the same code page rule and no line weights; UTF-8
// texts come only with R2007, which dxflib does not write.)

#include <QByteArray>
#include <QString>

#include "document/calculation.h"
#include "document/diagram.h"

namespace vardo::document {

// The layers, in the order the file lists them.
inline constexpr const char16_t* kSchemeLayers[] = {u"Ригель",  u"Опоры",   u"Точки",  u"Нагрузки",
                                                    u"Сечения", u"Размеры", u"Надписи"};

// The drawing of model; title heads its texts ("Схема подвеса").
QByteArray schemeDxf(const DiagramModel& model, const QString& title);

// The title of a calculation's scheme: "Схема подвеса", with the object and the crossbeam when
// the object data give them.
QString schemeTitle(const Calculation& calculation);

// Writes the scheme of calculation to path. On failure *error is a whole Russian message naming
// the file and saying what is kept.
bool writeSchemeDxf(const QString& path, const Calculation& calculation, QString* error);

}  // namespace vardo::document
