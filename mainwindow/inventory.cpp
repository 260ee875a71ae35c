#include "mainwindow/inventory.h"
#include "core/catalogue.h"

#include <array>
#include <span>

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

// The mode buttons of the moment panel: emergency, ice, maximum wind.

// The suspension points' x positions on the window, in twips, points 1 to 8.
constexpr std::array<int, 8> kPointX = {960, 2160, 3360, 4800, 6120, 7320, 8520, 9720};

std::vector<ControlRow> buildControls() {
    std::vector<ControlRow> c;
    auto add = [&c](QString name, Kind kind, QString caption, int l, int t, int w, int h,
                    QString container = {}, bool shown = true, unsigned style = Plain) {
        c.push_back({std::move(name), kind, std::move(caption), l, t, w, h, std::move(container),
                     shown, style});
    };
    const QString none;
    // The Мфс fields and the "пост" boxes start with the start values of the three modes.
    const QStringList mfsStart = catalogue::mfsStartValues();

    // Window level, upper first.
    add(names::Option17, Kind::Option, u"vardo"_s, 3120, 6000, 975, 255);
    add(names::Option16, Kind::Option, u"windows"_s, 1800, 6000, 1215, 255);
    add(names::Command25, Kind::Button, u"Калькулятор"_s, 120, 5880, 1575, 375, none, false);
    add(names::Command24, Kind::Button, u"Калькулятор"_s, 120, 5880, 1575, 375);
    add(names::Command23, Kind::Button, u"Новый расчет"_s, 6960, 5880, 1695, 375);
    add(names::kMfsButtonsFrame, Kind::Frame, u"Мфс"_s, 6360, 360, 3735, 1815);
    add(names::Command19, Kind::Button, u"?"_s, 8760, 5880, 495, 375);
    add(names::Command18, Kind::Button, u"Выход"_s, 9360, 5880, 1215, 375);
    add(names::kAllowablePanel, Kind::Frame, u"Условно допустимые моменты, тсм"_s, 120, 240, 10455,
        3615, none, false, BlueCaption);
    add(names::Command10, Kind::Button, u"Сброс"_s, 240, 2760, 1335, 255);
    add(names::kBeamPanel, Kind::Frame, u"Мо от ригеля"_s, 120, 3960, 10455, 1815, none, false);
    add(names::Frame14, Kind::Frame, u"Мо от подвески"_s, 120, 3960, 10455, 1815);
    for (int i = 1; i <= 8; ++i)
        add(names::txtG[i], Kind::Text, u"0"_s, kPointX[i - 1] - 240, 3480, 500, 285);
    for (int i = 1; i <= 8; ++i)
        add(names::txtGg[i], Kind::Text, u"0"_s, kPointX[i - 1] - 240, 3480, 500, 285, none, false);
    for (int i = 1; i <= 8; ++i)
        add(names::txtL[i], Kind::Text, u"0"_s, kPointX[i - 1] - 480, 2500, 500, 285);
    for (int i = 1; i <= 8; ++i)
        add(names::txtP[i], Kind::Text, u"0"_s, kPointX[i - 1], i == 8 ? 2520 : 2500, 500, 285);
    add(names::Frame1, Kind::Frame, u"Ввод данных"_s, 360, 240, 9855, 2055);
    add(names::Label29, Kind::Label, u"л/п"_s, 120, 2520, 375, 255);
    add(names::kIceLoadRowCaption, Kind::Label, u"Gг"_s, 240, 3480, 255, 255, none, false);
    add(names::kLoadRowCaption, Kind::Label, u"G"_s, 240, 3480, 255, 255);
    // Calculation files and the report, in the free part of the bottom row; "…" opens the menu
    // of the object data and the schedule of crossbeams.
    add(names::cmdOpen, Kind::Button, u"Открыть"_s, 4140, 5880, 825, 375);
    add(names::cmdSave, Kind::Button, u"Сохранить"_s, 4995, 5880, 960, 375);
    add(names::cmdReport, Kind::Button, u"Отчет"_s, 5985, 5880, 630, 375);
    add(names::cmdMore, Kind::Button, u"…"_s, 6645, 5880, 270, 375);

    // The data-entry panel.
    const QString f1 = names::Frame1;
    add(names::txtVm, Kind::Text, u"0"_s, 120, 960, 735, 285, f1);
    add(names::Frame5, Kind::Frame, u"Ввод 1-2-3-4-5"_s, 3240, 120, 2655, 615, f1);
    add(names::txtLp, Kind::Text, u"0"_s, 120, 600, 735, 285, f1);
    add(names::kSectionFrame, Kind::Frame, u"Пр. ригеля"_s, 2160, 960, 1095, 975, f1);
    add(names::txtProlet, Kind::Text, u"0"_s, 120, 240, 735, 285, f1);
    add(names::Combo2, Kind::List, u"131"_s, 120, 1680, 735, 315, f1);
    add(names::kMfsPanel, Kind::Frame, u"Mфс"_s, 6000, 120, 3615, 1815, f1);
    add(names::Combo1, Kind::List, u"1,59"_s, 120, 1320, 735, 315, f1);
    add(names::frmF4, Kind::Frame, u"gрг"_s, 3600, 720, 2055, 1215, f1, false);
    add(names::Frame7, Kind::Frame, u"b мм"_s, 1320, 120, 855, 1815, f1);
    add(names::frmF2, Kind::Frame, u"Gг"_s, 3600, 720, 2055, 975, f1, false);
    add(names::frmF5, Kind::Frame, u"Pp"_s, 3600, 720, 2055, 1215, f1, false);
    add(names::frmF1, Kind::Frame, u"G"_s, 3600, 720, 2055, 975, f1);
    add(names::Frame3, Kind::Frame, u"П/ОП"_s, 2160, 120, 1095, 855, f1);
    add(names::frmF3, Kind::Frame, u"gр"_s, 3600, 720, 2055, 1215, f1, false);
    add(names::Label28, Kind::Label, u"Vm"_s, 960, 960, 255, 255, f1);
    add(names::Label19, Kind::Label, u"Gт"_s, 960, 1680, 255, 255, f1);
    add(names::Label18, Kind::Label, u"h/b"_s, 960, 1440, 255, 255, f1);
    add(names::Label17, Kind::Label, u"Lр"_s, 960, 600, 255, 255, f1);
    add(names::Label16, Kind::Label, u"l"_s, 960, 240, 135, 255, f1);

    // Selectors inside the data-entry panel.
    const QString fr5 = names::Frame5;
    add(names::Option15, Kind::Option, u"5"_s, 2160, 240, 375, 255, fr5);
    add(names::Option14, Kind::Option, u"4"_s, 1680, 240, 375, 255, fr5);
    add(names::Option13, Kind::Option, u"3"_s, 1200, 240, 375, 255, fr5);
    add(names::Option12, Kind::Option, u"2"_s, 600, 240, 375, 255, fr5);
    add(names::Option11, Kind::Option, u"1 "_s, 120, 240, 375, 255, fr5);
    add(names::Option10, Kind::Option, catalogue::sectionText(true), 120, 480, 615, 255,
        names::kSectionFrame);
    add(names::Option9, Kind::Option, catalogue::sectionText(false), 120, 240, 615, 255,
        names::kSectionFrame);
    const QString fr7 = names::Frame7;
    add(names::Option6, Kind::Option, u"20"_s, 120, 1320, 495, 255, fr7);
    add(names::Option5, Kind::Option, u"15"_s, 120, 960, 495, 255, fr7);
    add(names::Option4, Kind::Option, u"10"_s, 120, 600, 495, 255, fr7);
    add(names::Option3, Kind::Option, u"5"_s, 120, 240, 495, 255, fr7);
    add(names::Option2, Kind::Option, u"ОП"_s, 120, 480, 615, 255, names::Frame3);
    add(names::Option1, Kind::Option, u"П"_s, 120, 240, 495, 255, names::Frame3);

    // The Мфс table panel, under the Мфс buttons.
    const QString f11 = names::kMfsPanel;
    add(names::Command22, Kind::Button, u"Скрыть"_s, 240, 1440, 975, 255, f11);
    add(names::kMaxWindMfs, Kind::Text, mfsStart[2], 2880, 1080, 615, 285, f11, false);
    add(names::kIceMfs, Kind::Text, mfsStart[1], 2880, 720, 615, 285, f11, false);
    add(names::kEmergencyMfs, Kind::Text, mfsStart[0], 2880, 360, 615, 285, f11, false);
    add(names::Option8, Kind::Option, u"пост"_s, 720, 1080, 735, 255, f11);
    add(names::Option7, Kind::Option, u"пер"_s, 120, 1080, 855, 255, f11);
    add(names::Frame13, Kind::Frame, {}, 1440, 120, 880, 1335, f11);
    add(names::Frame12, Kind::Frame, {}, 1440, 120, 880, 1335, f11, false);
    add(names::Data6, Kind::DataSource, names::Data6, 120, 600, 1215, 375, f11);
    add(names::Label27, Kind::Label, u"Vmax"_s, 2400, 1080, 495, 255, f11);
    add(names::Label26, Kind::Label, u"Гололед."_s, 2400, 720, 1095, 255, f11);
    add(names::Label25, Kind::Label, u"Аварийный."_s, 2400, 360, 975, 255, f11);
    add(names::Label9, Kind::Label, names::Label9, 120, 240, 1335, 255, f11);
    add(names::txtMnv2, Kind::Text, mfsStart[2], 120, 960, 610, 285, names::Frame13);
    add(names::txtMn2, Kind::Text, mfsStart[1], 120, 600, 610, 285, names::Frame13);
    add(names::txtMa2, Kind::Text, mfsStart[0], 120, 240, 610, 285, names::Frame13);
    // The set "пер" shows the texts it was drawn with until Data6 reads its row.
    add(names::txtMnv1, Kind::Text, u"Text22"_s, 120, 960, 610, 285, names::Frame12);
    add(names::txtMn1, Kind::Text, u"Text21"_s, 120, 600, 610, 285, names::Frame12);
    add(names::txtMa1, Kind::Text, u"Text20"_s, 120, 240, 610, 285, names::Frame12);

    // The Мфс buttons.
    const QString f29 = names::kMfsButtonsFrame;
    add(names::Command21, Kind::Button, u"Мфс >0"_s, 360, 960, 1095, 375, f29);
    add(names::Command20, Kind::Button, u"Мфс =0"_s, 360, 360, 1095, 375, f29);
    add(names::kMfsIndicator, Kind::Label, {}, 1560, 360, 255, 255, f29, true, Indicator);

    // The five table panels; fields of one panel on the same place are alternatives.
    add(names::Data2, Kind::DataSource, names::Data2, 120, 480, 1215, 375, names::frmF1);
    add(names::Label3, Kind::Label, names::Label3, 120, 240, 1215, 255, names::frmF1);
    add(names::kLoadValue, Kind::Text, names::kLoadValue, 1320, 480, 611, 345, names::frmF1);

    add(names::Data4, Kind::DataSource, names::Data4, 120, 480, 1215, 375, names::frmF2);
    add(names::Label6, Kind::Label, names::Label6, 120, 240, 1215, 255, names::frmF2);
    // The ice-thickness columns: 5, 10, 15, 20 mm of "Gг", then of "gрг" П and ОП.
    const std::span<const Name> ice = catalogue::kIceFields;
    for (const Name& field : ice.subspan(0, 4))
        add(field, Kind::Text, field, 1320, 480, 611, 345, names::frmF2);

    add(names::Data1, Kind::DataSource, names::Data1, 120, 480, 1215, 375, names::frmF3);
    add(names::Label1, Kind::Label, {}, 120, 240, 1600, 255, names::frmF3);
    add(names::Label2, Kind::Label, names::Label2, 120, 240, 1600, 255, names::frmF3);
    add(names::kWeightP, Kind::Text, names::kWeightP, 1320, 480, 611, 345, names::frmF3);
    add(names::kWeightOp, Kind::Text, names::kWeightOp, 1320, 480, 611, 345, names::frmF3);
    add(names::txtGp, Kind::Text, u"0"_s, 120, 840, 1815, 285, names::frmF3);

    add(names::Data3, Kind::DataSource, names::Data3, 120, 480, 1215, 375, names::frmF5);
    add(names::Label4, Kind::Label, names::Label4, 120, 240, 1455, 255, names::frmF5);
    add(names::Label5, Kind::Label, names::Label5, 120, 240, 1455, 255, names::frmF5);
    add(names::kWindP, Kind::Text, names::kWindP, 1320, 480, 611, 345, names::frmF5);
    add(names::kWindOp, Kind::Text, names::kWindOp, 1320, 480, 611, 345, names::frmF5);
    add(names::txtPp, Kind::Text, u"0"_s, 120, 840, 1815, 285, names::frmF5);

    add(names::Data5, Kind::DataSource, names::Data5, 120, 480, 1215, 375, names::frmF4);
    add(names::Label7, Kind::Label, names::Label7, 120, 240, 1815, 255, names::frmF4);
    add(names::Label8, Kind::Label, names::Label8, 120, 240, 1455, 255, names::frmF4);
    add(names::Frame9, Kind::Frame, {}, 1320, 360, 615, 495, names::frmF4);
    add(names::Frame10, Kind::Frame, {}, 1320, 360, 615, 495, names::frmF4);
    add(names::txtGpg, Kind::Text, u"0"_s, 120, 840, 1815, 285, names::frmF4);
    for (const Name& field : ice.subspan(4, 4))
        add(field, Kind::Text, field, 0, 120, 611, 345, names::Frame9);
    for (const Name& field : ice.subspan(8, 4))
        add(field, Kind::Text, field, 0, 120, 611, 345, names::Frame10);

    // The suspension moments.
    const QString f14 = names::Frame14;
    add(names::Command14, Kind::Button, u"Выбор ригеля"_s, 4200, 1440, 2535, 255, f14);
    add(names::Frame19, Kind::Frame, u"Середина"_s, 4080, 240, 2655, 1095, f14, true, BoldItalic);
    add(names::Frame8, Kind::Frame, u"Gг-1/3(1/4)"_s, 2880, 840, 1215, 615, f14);
    add(names::Frame6, Kind::Frame, u"G-1/3(1/4)"_s, 2880, 240, 1215, 615, f14);
    add(names::Frame17, Kind::Frame, u"Справа"_s, 7680, 240, 2655, 1095, f14, true, BoldItalic);
    add(names::Frame16, Kind::Frame, u"Слева"_s, 120, 240, 2655, 1095, f14, true, BoldItalic);
    add(names::Command2, Kind::Button, u"Gг"_s, 120, 600, 1095, 375, names::Frame19);
    add(names::Command1, Kind::Button, u"G"_s, 120, 240, 1095, 375, names::Frame19);
    add(names::kIceLoadMidMoment, Kind::Label, u"0"_s, 1320, 600, 975, 255, names::Frame19);
    add(names::kLoadMidMoment, Kind::Label, u"0"_s, 1320, 240, 1095, 255, names::Frame19);
    add(names::kIceLoadSectionMoment, Kind::Text, u"0"_s, 120, 240, 975, 285, names::Frame8, false,
        BoldItalic);
    add(names::kLoadSectionMoment, Kind::Text, u"0"_s, 120, 240, 975, 285, names::Frame6, false,
        BoldItalic);
    add(names::Command6, Kind::Button, u"Gг-1/3(1/4)"_s, 120, 600, 1095, 375, names::Frame17,
        false);
    add(names::Command5, Kind::Button, u"G-1/3(1/4)"_s, 120, 240, 1095, 375, names::Frame17, false);
    add(names::kIceLoadRightMoment, Kind::Label, {}, 1320, 600, 1215, 255, names::Frame17);
    add(names::kLoadRightMoment, Kind::Label, {}, 1320, 240, 1215, 255, names::Frame17);
    add(names::Command4, Kind::Button, u"Gг-1/3(1/4)"_s, 120, 600, 1095, 375, names::Frame16,
        false);
    add(names::Command3, Kind::Button, u"G-1/3(1/4)"_s, 120, 240, 1095, 375, names::Frame16, false);
    add(names::kIceLoadLeftMoment, Kind::Label, {}, 1320, 600, 1095, 255, names::Frame16);
    add(names::kLoadLeftMoment, Kind::Label, {}, 1320, 240, 1095, 255, names::Frame16);

    // The crossbeam moments.
    const QString f2 = names::kBeamPanel;
    // The live check of every grade, above "Сравнить" in the free part of the panel.
    add(names::cmdGrades, Kind::Button, u"Подбор ригеля"_s, 4200, 720, 2535, 255, f2);
    add(names::Command16, Kind::Button, u"Сравнить"_s, 4200, 1080, 2535, 255, f2);
    add(names::Command15, Kind::Button, u"Назад"_s, 4200, 1440, 2535, 255, f2);
    add(names::Frame18, Kind::Frame, u"1/3 (1/4)"_s, 6840, 240, 3495, 1455, f2, true, BoldItalic);
    add(names::Frame4, Kind::Frame, u"Середина"_s, 120, 240, 3495, 1455, f2, true, BoldItalic);
    // The buttons' captions, in the order of catalogue::kModes.
    const QString modes[] = {u"Аварийный Мн нп"_s, u"Гололед Мр вп"_s, u"V max Мр вп"_s};
    const int modeTop[] = {240, 600, 960};
    for (int m = catalogue::kModeCount - 1; m >= 0; --m) {
        add(catalogue::kModes[m].sectionButton, Kind::Button, modes[m], 120, modeTop[m], 1935, 375,
            names::Frame18);
        add(catalogue::kModes[m].middleButton, Kind::Button, modes[m], 120, modeTop[m], 1935, 375,
            names::Frame4);
    }
    for (int m = catalogue::kModeCount - 1; m >= 0; --m) {
        add(catalogue::kModes[m].section, Kind::Label, {}, 2160, modeTop[m], 1215, 375,
            names::Frame18, true, RedText);
        add(catalogue::kModes[m].middle, Kind::Label, {}, 2160, modeTop[m], 1215, 375,
            names::Frame4, true, RedText);
    }

    // The allowable moments of the crossbeam grades, over the upper part of the window.
    const QString f20 = names::kAllowablePanel;
    add(names::Command17, Kind::Button, u"Назад"_s, 4080, 3240, 2415, 255, f20);
    add(names::Data8, Kind::DataSource, names::Data8, 4560, 1680, 1215, 420, f20, false);
    add(names::Data7, Kind::DataSource, names::Data7, 4560, 1680, 1215, 420, f20);
    add(names::Frame28, Kind::Frame, u"Возможные расч. длины поперечены, м"_s, 3360, 840, 4455, 855,
        f20);
    add(names::Frame27, Kind::Frame, u"Марка поперечены"_s, 3360, 120, 4455, 735, f20);
    add(names::Frame22, Kind::Frame, u"Крайний блок 1/3 (1/4)"_s, 6720, 1920, 3615, 1575, f20);
    add(names::Frame21, Kind::Frame, u"Средний блок"_s, 240, 1920, 3375, 1575, f20);
    add(names::Frame26, Kind::Frame, {}, 120, 840, 2295, 615, names::Frame22);
    add(names::Frame25, Kind::Frame, {}, 120, 240, 2295, 615, names::Frame22);
    add(names::Label40, Kind::Label, u"Мр вп"_s, 2520, 1080, 975, 255, names::Frame22);
    add(names::Label39, Kind::Label, u"Мн нп"_s, 2520, 480, 975, 255, names::Frame22);
    add(names::Frame24, Kind::Frame, {}, 120, 840, 2055, 615, names::Frame21);
    add(names::Frame23, Kind::Frame, {}, 120, 240, 2055, 615, names::Frame21);
    add(names::Label38, Kind::Label, u"Мр вп"_s, 2280, 960, 975, 255, names::Frame21);
    add(names::Label37, Kind::Label, u"Мн нп"_s, 2280, 480, 975, 255, names::Frame21);
    // Each field has a label per series on the same place; the series selector shows one, at start
    // the first series'. F1 .. F6
    // of a set: grade, the middle block's two moments, the end block's two, the design lengths.
    struct Place {
        Name frame;
        int width, height;
    };
    constexpr Place places[6] = {{names::Frame27, 4215, 375}, {names::Frame23, 1815, 255},
                                 {names::Frame24, 1815, 255}, {names::Frame25, 2055, 255},
                                 {names::Frame26, 2055, 255}, {names::Frame28, 4215, 495}};
    // In the order of the window's stacking: grade, lengths, then the four moments.
    for (int f : {0, 5, 1, 2, 3, 4}) {
        const Place& at = places[f];
        for (int s = std::ssize(catalogue::kSeries) - 1; s >= 0; --s) {
            const QString label = catalogue::kSeries[s].allowable.labels[f];
            add(label, Kind::Label, label, 120, 240, at.width, at.height, at.frame, s == 0,
                BlueBold);
        }
    }
    return c;
}

std::vector<BindingRow> buildBindings() {
    std::vector<BindingRow> b;
    for (const catalogue::Binding& binding : catalogue::bindings())
        b.push_back({binding.dataSource, binding.field, binding.column,
                     binding.header ? QString::fromUtf16(binding.header) : QString()});
    return b;
}

}  // namespace

const std::vector<ControlRow>& controls() {
    static const std::vector<ControlRow> table = buildControls();
    return table;
}

const std::vector<BindingRow>& bindings() {
    static const std::vector<BindingRow> table = buildBindings();
    return table;
}

const std::vector<SourceRow>& sources() {
    static const std::vector<SourceRow> table = [] {
        std::vector<SourceRow> rows;
        for (const catalogue::DataSourceInfo& d : catalogue::dataSources())
            rows.push_back({d.name, QString::fromUtf16(d.workbook)});
        return rows;
    }();
    return table;
}

const std::vector<DiagramLine>& diagramLines() {
    static const std::vector<DiagramLine> table = [] {
        std::vector<DiagramLine> lines{{names::Line1, 120, 3120, 10560, 3120, 3}};
        for (int i = 0; i < 8; ++i)
            lines.push_back({names::kPointMarks[i], kPointX[i], 2880, kPointX[i], 3480, 2});
        return lines;
    }();
    return table;
}

}  // namespace vardo::mainwindow
