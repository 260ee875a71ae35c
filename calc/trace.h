#pragma once
// What the calculation procedures computed, told as they compute it, so that a calculation note can
// show every step with the very numbers the procedure used: the inputs it read, the factors of its
// section and the terms of its formula.
//
//   TraceScope scope(trace); run procedures ... --> trace.loads, trace.moments (in order, keyed by
//   the result field each step writes)
//
// Outside a TraceScope the procedures tell nobody. A step abandoned (the no-data message, an
// overflow) is not in the trace.

#include <QList>
#include <QString>

#include "calc/loads.h"
#include "calc/moments.h"

namespace vardo::calc {

struct LoadStep {
    QString result;  // Label10, Label11, Label14, Label15, Label20 or Label21
    Load load;
    ArmFactors factors;
    SuspensionPoints points;
    LoadMomentTerms terms;
};

struct MomentStep {
    QString result;  // Label22 .. Label24, Label30 .. Label32
    Mode mode;
    SectionFactors factors;
    MomentInputs inputs;
    MomentTerms terms;
};

struct Trace {
    QList<LoadStep> loads;
    QList<MomentStep> moments;
};

// While it lives, the procedures of this thread add each step they compute to `trace`.
class TraceScope {
  public:
    explicit TraceScope(Trace& trace);
    ~TraceScope();
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

  private:
    Trace* previous_;
};

// The trace of the current scope; nullptr outside one.
Trace* currentTrace();

}  // namespace vardo::calc
