#include "document/gradeselection.h"

#include "core/catalogue.h"
#include "core/numbertext.h"
#include "document/report.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

Results sheetResults(const Calculation& calculation) {
    return savedResults(calculation, recompute(calculation).results);
}

QStringList selectionMissing(const Calculation& calculation, const Results& results) {
    QStringList missing;
    const bool quarter = calculation.options.value(names::Frame15) == names::Option10;
    // A governing field is shown by the last load button of its row; hidden, it holds no result
    // of this calculation (its start text, or what "Новый расчет" left).
    for (const Name& load : {names::Label10, names::Label11, names::Text21, names::Text22})
        if (!results.value(load).computed || !calculation.view.value(load, true))
            missing << u"не вычислен момент от нагрузок подвески: "_s +
                           catalogue::resultCaption(load.view(), quarter);
    const QString modes[] = {u"аварийный"_s, u"гололед"_s, u"V max"_s};
    for (int m = 0; m < 3; ++m)
        if (!parseFixed(calculation.mfs.value(catalogue::kMfsFields[m])))
            missing << u"Мфс ("_s + modes[m] + u") не задан числом"_s;
    return missing;
}

CrossbeamCheck checkEveryGrade(const Calculation& c, const Results& results,
                               const tables::Table& allowable,
                               const CrossbeamTables& crossbeamTables) {
    const auto basisOf = [&](const QString& grade) {
        GradeBasis basis;
        QString why;
        basis.rows = findGradeRows(crossbeamTables, series(c), grade, iceColumn(c), &why);
        if (!basis.rows) {
            basis.why = why;
            return basis;
        }
        basis.moments = designMoments(
            designMomentsWith(c, results, basis.rows->gp, basis.rows->gpg, basis.rows->pp));
        return basis;
    };
    return checkCrossbeams(allowable, basisOf, c.inputs.value(names::txtLp));
}

}  // namespace vardo::document
