#include "core/quantities.h"

#include <QHash>

#include "core/catalogue.h"

namespace vardo::catalogue {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kMetre = u"м"_s;
const QString kKgfPerMetre = u"кгс/м"_s;
const QString kKgfMetre = u"кгс·м"_s;
const QString kTfMetre = u"тс·м"_s;

QString withUnit(const QString& name, const QString& unit) {
    return unit.isEmpty() ? name : name + u", "_s + unit;
}

const QHash<QString, QString>& quantities() {
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> q;
        const auto add = [&q](const QString& control, const QString& name, const QString& unit) {
            q.insert(control, withUnit(name, unit));
        };
        // The inputs of the sheet.
        // l multiplies the loads per metre of the contact line into the loads of the points: it
        // is the span of the overhead line along the track, not the crossbeam (that is Lр).
        q.insert(names::txtProlet,
                 withUnit(u"Пролет контактной подвески l"_s, kMetre) +
                     u"\nДлина пролета подвески вдоль пути: на нее умножаются нагрузки G и Gг "
                     u"(на 1 м пролета) точек подвеса. Это не длина ригеля (она — Lр)."_s);
        add(names::txtLp, u"Расчетная длина ригеля Lр"_s, kMetre);
        add(names::txtVm, u"Скорость ветра Vm"_s, u"м/с"_s);
        add(names::Combo1, u"h/b"_s, {});
        add(names::Combo2, u"Вес точки подвеса Gт"_s, u"кгс"_s);
        add(names::txtGp, u"Собственный вес ригеля gр"_s, kKgfPerMetre);
        add(names::txtGpg, u"Гололедная нагрузка ригеля gрг"_s, kKgfPerMetre);
        add(names::txtPp, u"Ветровой параметр Pp"_s, u"кгс·с²/м³"_s);
        for (int i = 1; i <= 8; ++i) {
            const QString point = u" точки "_s + QString::number(i);
            // The moment at a section sums each load times its arm, the left arms weighted by
            // 1 - s and the right ones by s (s: the section's place from the left support), which
            // is the influence line of a simple beam for a point left of the section (л) or right
            // of it (п). So a point has one arm, by the side of the middle it is on.
            q.insert(names::txtL[i],
                     withUnit(u"Плечо"_s + point + u" от левой опоры (л)"_s, kMetre) +
                         u"\nРасстояние от точки до левой опоры ригеля, для точки левее его "
                         u"середины; у точки правее середины л = 0 (задается п)."_s);
            q.insert(names::txtP[i],
                     withUnit(u"Плечо"_s + point + u" от правой опоры (п)"_s, kMetre) +
                         u"\nРасстояние от точки до правой опоры ригеля, для точки правее его "
                         u"середины; у точки левее середины п = 0 (задается л)."_s);
            add(names::txtG[i], u"Нагрузка G"_s + point + u" без гололеда, на 1 м пролета"_s,
                kKgfPerMetre);
            add(names::txtGg[i], u"Нагрузка Gг"_s + point + u" с гололедом, на 1 м пролета"_s,
                kKgfPerMetre);
        }
        // The value fields of the reference tables, which the user may type over.
        add(names::kWeightP, u"gр, серия П (т37Gp.xls)"_s, kKgfPerMetre);
        add(names::kWeightOp, u"gр, серия ОП (т37Gp.xls)"_s, kKgfPerMetre);
        add(names::kLoadValue, u"G (т11.1.xls)"_s, kKgfPerMetre);
        add(names::kWindP, u"Pp, серия П (т37gama.xls)"_s, u"кгс·с²/м³"_s);
        add(names::kWindOp, u"Pp, серия ОП (т37gama.xls)"_s, u"кгс·с²/м³"_s);
        const int mm[] = {5, 10, 15, 20};
        for (int k = 0; k < 4; ++k) {
            const QString b = u", b = "_s + QString::number(mm[k]) + u" мм"_s;
            add(kIceFields[k], u"Gг (т11.2.xls)"_s + b, kKgfPerMetre);
            add(kIceFields[4 + k], u"gрг, серия П (Т37Gрг.xls)"_s + b, kKgfPerMetre);
            add(kIceFields[8 + k], u"gрг, серия ОП (Т37Gрг.xls)"_s + b, kKgfPerMetre);
        }
        for (const MfsBox& box : kMfsBoxes) {
            const int mode = static_cast<int>(&box - kMfsBoxes) % kModeCount;
            const QString set = box.frame.view() == kMfsSetPer.view() ? u"пер"_s : u"пост"_s;
            add(box.box,
                u"Мфс "_s + QString::fromUtf16(kModes[mode].name) + u", набор «"_s + set +
                    u"» (т38.1.xls)"_s,
                kKgfMetre);
        }
        // The results.
        add(names::kLoadMidMoment, u"Момент от нагрузок подвески G, середина пролета"_s, kKgfMetre);
        add(names::kIceLoadMidMoment, u"Момент от гололеда на подвеске Gг, середина пролета"_s,
            kKgfMetre);
        add(names::kLoadLeftMoment, u"Момент от нагрузок подвески G, слева 1/3 (1/4)"_s, kKgfMetre);
        add(names::kIceLoadLeftMoment, u"Момент от гололеда на подвеске Gг, слева 1/3 (1/4)"_s,
            kKgfMetre);
        add(names::kLoadRightMoment, u"Момент от нагрузок подвески G, справа 1/3 (1/4)"_s,
            kKgfMetre);
        add(names::kIceLoadRightMoment, u"Момент от гололеда на подвеске Gг, справа 1/3 (1/4)"_s,
            kKgfMetre);
        add(names::kLoadSectionMoment,
            u"Расчетный момент G 1/3 (1/4): больший из левого и правого"_s, kKgfMetre);
        add(names::kIceLoadSectionMoment,
            u"Расчетный момент Gг 1/3 (1/4): больший из левого и правого"_s, kKgfMetre);
        add(names::kEmergencyMidMoment,
            u"Расчетный момент ригеля, аварийный режим (Мн нп), середина"_s, kTfMetre);
        add(names::kIceMidMoment, u"Расчетный момент ригеля, гололед (Мр вп), середина"_s,
            kTfMetre);
        add(names::kMaxWindMidMoment, u"Расчетный момент ригеля, V max (Мр вп), середина"_s,
            kTfMetre);
        add(names::kEmergencySectionMoment,
            u"Расчетный момент ригеля, аварийный режим (Мн нп), 1/3 (1/4)"_s, kTfMetre);
        add(names::kIceSectionMoment, u"Расчетный момент ригеля, гололед (Мр вп), 1/3 (1/4)"_s,
            kTfMetre);
        add(names::kMaxWindSectionMoment, u"Расчетный момент ригеля, V max (Мр вп), 1/3 (1/4)"_s,
            kTfMetre);
        return q;
    }();
    return table;
}

}  // namespace

QString quantityText(QStringView control) {
    return quantities().value(control.toString());
}

QStringList quantityControls() {
    return quantities().keys();
}

}  // namespace vardo::catalogue
