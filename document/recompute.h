#pragma once
// The results of a calculation worked out again from its inputs, by the window's own procedures
// (the table of calc/procedures.h) run in the order of the road of a calculation, on a MemoryPort:
//
//   Calculation (inputs, options, Мфс) --Command1..6--> Label10/11, Label14/15, Label20/21
//     + the governing Text21/Text22 as saved (the user may have typed them; the moments at 1/3
//       (1/4) read whatever they hold) --Command7..9, Command11..13--> Label22..24, Label30..32
//
// A result is "computed" when its procedure ran without the no-data message; one that refused
// shows "0" on the window but is reported as not computed, never as 0.

#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

#include "calc/trace.h"
#include "document/calculation.h"

namespace vardo::document {

class MemoryPort;

struct ResultValue {
    QString text;
    bool computed = false;
    friend bool operator==(const ResultValue&, const ResultValue&) = default;
};
using Results = QMap<QString, ResultValue>;

// The fields recompute() works out, in the order it does.
const QStringList& recomputedFields();

struct Recomputation {
    Results results;       // recomputedFields(), plus Text21/Text22 and Label49 as saved
    QStringList messages;  // every message the procedures showed, in order
    // The larger of the recomputed left and right values: what a click on Text21 / Text22 takes.
    QString governingG;
    QString governingGice;
};

Recomputation recompute(const Calculation& calculation);

// The steps recompute() computes, each with the inputs, factors and terms its procedure used: what
// the calculation note shows.
calc::Trace traceOf(const Calculation& calculation);

// The left and right loads at 1/3 (1/4) the inputs give now (Label14, Label15, Label20, Label21),
// each computed or not, whatever the sheet shows.
Results sectionLoads(const Calculation& calculation);

// The six design moments (Label22 .. Label24, Label30 .. Label32) of the calculation with the
// crossbeam's own values gр, gрг, Pp replaced: the suspension loads (Label10, Label11, Text21,
// Text22) are taken from `loads` where they are computed, the Мфс values, Lр, Vm, h/b and the
// section from the calculation. This is how every grade is checked with its own rows.
Results designMomentsWith(const Calculation& calculation, const Results& loads, const QString& gp,
                          const QString& gpg, const QString& pp);

// designMomentsWith for many grades of one calculation: the calculation is put on a sheet once,
// and only gр, gрг, Pp and the loads change from one grade to the next (the moment procedures
// read nothing else that changes, and write only their results, each time).
class MomentsWith {
  public:
    explicit MomentsWith(const Calculation& calculation);
    ~MomentsWith();
    MomentsWith(const MomentsWith&) = delete;
    MomentsWith& operator=(const MomentsWith&) = delete;

    Results operator()(const Results& loads, const QString& gp, const QString& gpg,
                       const QString& pp);

  private:
    std::unique_ptr<MemoryPort> port_;
};

// The results the calculation shows that its inputs now give otherwise, in the order of
// recomputedFields(): a shown (non-blank) result whose text is not the one its procedure writes
// from the saved inputs, a refusal's "0" included. The governing Text21/Text22 are not among them:
// they may be typed, so they are out of date only through the left and right values they come from.
QStringList outOfDate(const Calculation& calculation);

// The results as the sheet holds them. A blank or non-numeric result is not computed, and so is a
// "0" where the recomputation refuses for want of data (the window writes "0" after the no-data
// message).
Results savedResults(const Calculation& calculation, const Results& recomputed);

}  // namespace vardo::document
