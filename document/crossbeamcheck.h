#pragma once
// The crossbeam check: every grade of the series in use against the design moments.
//
// A row of the allowable-moment table (т36.1.xls for "П", т36.2.xls for "ОП") is F1 the grade,
// F2 and F3 the allowable moments of the middle block (emergency "Мн нп"; ice and maximum wind
// "Мр вп"), F4 and F5 those of the end block at 1/3 (1/4) of the span, F6 the design lengths the
// grade is allowed for. Both the design moments (the labels show kgf·m / 1000) and the allowable
// moments are in tf·m, so the utilisation is their plain ratio:
//
//   middle block  |Label22| / F2, |Label23| / F3, |Label24| / F3
//   end block     |Label30| / F4, |Label31| / F5, |Label32| / F5
//
// Each grade is checked with its own design moments: the moments depend on the crossbeam's own
// weight, ice load and wind parameter, so a grade is set against moments computed with its own
// rows of т37Gp.xls, Т37Gрг.xls and т37gama.xls (graderows.h), the suspension loads and Мфс being
// the same for all. A grade whose rows cannot be found is not checked, and says why.
//
// A grade passes when all six are at most 100 % and Lр is among its design lengths; it fails when
// any is over 100 % or Lр is outside its lengths; otherwise (a moment not computed, Lр or its
// length list unreadable, a table cell that is not a positive number) the check is incomplete and
// the grade is not passed. The bands are exact comparisons in fixed point: up to 90 %, over 90 %
// up to 100 %, over 100 %.

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "core/catalogue.h"
#include "core/fixed.h"
#include "document/designlengths.h"
#include "document/graderows.h"
#include "document/recompute.h"
#include "tables/workbook.h"

namespace vardo::document {

enum class Band { Unknown, UpTo90, UpTo100, Over100 };

// The design moments that were computed, in tf·m: emergency, ice, maximum wind.
struct DesignMoments {
    std::array<std::optional<Fixed>, 3> middle;  // Label22, Label23, Label24
    std::array<std::optional<Fixed>, 3> end;     // Label30, Label31, Label32
};
DesignMoments designMoments(const Results& results);

struct Utilisation {
    // |M| / allowable, 1.0 is 100 %: the allowable moment holds for bending either way. Over 1
    // exactly when the band is Over100, however close the two moments are.
    std::optional<double> ratio;
    Band band = Band::Unknown;
};
Utilisation utilisation(std::optional<Fixed> moment, std::optional<Fixed> allowable);

enum class Verdict { Passes, Fails, Incomplete };
enum class LengthFit { Allowed, NotAllowed, Unknown };

struct GradeCheck {
    int row = 0;  // 0-based row of the table
    QString grade;
    std::array<QString, 4> allowableText;           // F2 .. F5 as the table shows them
    std::array<std::optional<Fixed>, 4> allowable;  // only positive numbers
    QString lengthsText;                            // F6
    LengthFit length = LengthFit::Unknown;
    // Middle block: emergency/F2, ice/F3, wind/F3; end block: emergency/F4, ice/F5, wind/F5.
    std::array<Utilisation, 6> use;
    Verdict verdict = Verdict::Incomplete;
    QStringList reasons;            // why it fails, or what is missing
    DesignMoments moments;          // the moments it was checked with
    std::optional<GradeRows> rows;  // its own gр, gрг, Pp, when it was checked with them
    QString notChecked;             // why it could not be checked at all; empty when it was
};

// What one grade is checked with: its moments and the rows they were computed with, or why there
// are none (then the grade is not checked).
struct GradeBasis {
    std::optional<DesignMoments> moments;
    std::optional<GradeRows> rows;
    QString why;
};
using GradeBasisOf = std::function<GradeBasis(const QString& grade)>;

// Which allowable moment (0..3 for F2..F5) each of the six utilisations is set against: the
// middle block's F2/F3, then the end block's F4/F5, as each mode's allowable column says.
inline constexpr std::array<int, 6> kAllowableOf = [] {
    std::array<int, 6> out{};
    for (int i = 0; i < 6; ++i) out[i] = i / 3 * 2 + catalogue::kModes[i % 3].allowableColumn;
    return out;
}();

struct CrossbeamCheck {
    QList<GradeCheck> grades;
    int firstPassing = -1;  // index into grades, -1 when none passes
    QStringList missing;    // what keeps every grade's check from being complete
};

CrossbeamCheck checkCrossbeams(const tables::Table& allowable, const GradeBasisOf& basisOf,
                               const QString& lpText);
// Every grade against the same moments.
CrossbeamCheck checkCrossbeams(const tables::Table& allowable, const DesignMoments& moments,
                               const QString& lpText);

// "87,3 %" (one decimal, the decimal comma). A ratio over 1 is never shown as 100,0 % or less: it
// is then rounded up to the shown digit, "100,1 %".
QString percentText(double ratio);

// The verdict of one grade as every view shows it: "проходит", "не проходит", "не проверена" (its
// rows could not be found) or "проверка неполная".
QString gradeVerdictText(const GradeCheck& grade);

}  // namespace vardo::document
