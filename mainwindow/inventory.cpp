#include "mainwindow/inventory.h"

#include <array>

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

// The suspension points' x positions on the window, in twips, points 1 to 8.
constexpr std::array<int, 8> kPointX = {960, 2160, 3360, 4800, 6120, 7320, 8520, 9720};

QString numbered(const QString& stem, int i) {
    return stem + QString::number(i);
}

std::vector<ControlRow> buildControls() {
    std::vector<ControlRow> c;
    auto add = [&c](QString name, Kind kind, QString caption, int l, int t, int w, int h,
                    QString container = {}, bool shown = true, unsigned style = Plain) {
        c.push_back({std::move(name), kind, std::move(caption), l, t, w, h, std::move(container),
                     shown, style});
    };
    const QString none;

    // Window level, upper first.
    add(u"Option17"_s, Kind::Option, u"vardo"_s, 3120, 6000, 975, 255);
    add(u"Option16"_s, Kind::Option, u"windows"_s, 1800, 6000, 1215, 255);
    add(u"Command25"_s, Kind::Button, u"Калькулятор"_s, 120, 5880, 1575, 375, none, false);
    add(u"Command24"_s, Kind::Button, u"Калькулятор"_s, 120, 5880, 1575, 375);
    add(u"Command23"_s, Kind::Button, u"Новый расчет"_s, 6960, 5880, 1695, 375);
    add(u"Frame29"_s, Kind::Frame, u"Мфс"_s, 6360, 360, 3735, 1815);
    add(u"Command19"_s, Kind::Button, u"?"_s, 8760, 5880, 495, 375);
    add(u"Command18"_s, Kind::Button, u"Выход"_s, 9360, 5880, 1215, 375);
    add(u"Frame20"_s, Kind::Frame, u"Условно допустимые моменты, тсм"_s, 120, 240, 10455, 3615,
        none, false, BlueCaption);
    add(u"Command10"_s, Kind::Button, u"Сброс"_s, 240, 2760, 1335, 255);
    add(u"Frame2"_s, Kind::Frame, u"Мо от ригеля"_s, 120, 3960, 10455, 1815, none, false);
    add(u"Frame14"_s, Kind::Frame, u"Мо от подвески"_s, 120, 3960, 10455, 1815);
    for (int i = 1; i <= 8; ++i)
        add(numbered(u"txtG"_s, i), Kind::Text, u"0"_s, kPointX[i - 1] - 240, 3480, 500, 285);
    for (int i = 1; i <= 8; ++i)
        add(numbered(u"txtGg"_s, i), Kind::Text, u"0"_s, kPointX[i - 1] - 240, 3480, 500, 285, none,
            false);
    for (int i = 1; i <= 8; ++i)
        add(numbered(u"txtL"_s, i), Kind::Text, u"0"_s, kPointX[i - 1] - 480, 2500, 500, 285);
    for (int i = 1; i <= 8; ++i)
        add(numbered(u"txtP"_s, i), Kind::Text, u"0"_s, kPointX[i - 1], i == 8 ? 2520 : 2500, 500,
            285);
    add(u"Frame1"_s, Kind::Frame, u"Ввод данных"_s, 360, 240, 9855, 2055);
    add(u"Label29"_s, Kind::Label, u"л/п"_s, 120, 2520, 375, 255);
    add(u"Label13"_s, Kind::Label, u"Gг"_s, 240, 3480, 255, 255, none, false);
    add(u"Label12"_s, Kind::Label, u"G"_s, 240, 3480, 255, 255);
    // Calculation files and the report, in the free part of the bottom row.
    add(u"cmdOpen"_s, Kind::Button, u"Открыть"_s, 4140, 5880, 855, 375);
    add(u"cmdSave"_s, Kind::Button, u"Сохранить"_s, 5040, 5880, 960, 375);
    add(u"cmdReport"_s, Kind::Button, u"Отчет"_s, 6045, 5880, 855, 375);

    // The data-entry panel.
    const QString f1 = u"Frame1"_s;
    add(u"txtVm"_s, Kind::Text, u"0"_s, 120, 960, 735, 285, f1);
    add(u"Frame5"_s, Kind::Frame, u"Ввод 1-2-3-4-5"_s, 3240, 120, 2655, 615, f1);
    add(u"txtLp"_s, Kind::Text, u"0"_s, 120, 600, 735, 285, f1);
    add(u"Frame15"_s, Kind::Frame, u"Пр. ригеля"_s, 2160, 960, 1095, 975, f1);
    add(u"txtProlet"_s, Kind::Text, u"0"_s, 120, 240, 735, 285, f1);
    add(u"Combo2"_s, Kind::List, u"131"_s, 120, 1680, 735, 315, f1);
    add(u"Frame11"_s, Kind::Frame, u"Mфс"_s, 6000, 120, 3615, 1815, f1);
    add(u"Combo1"_s, Kind::List, u"1,59"_s, 120, 1320, 735, 315, f1);
    add(u"frmF4"_s, Kind::Frame, u"gрг"_s, 3600, 720, 2055, 1215, f1, false);
    add(u"Frame7"_s, Kind::Frame, u"b мм"_s, 1320, 120, 855, 1815, f1);
    add(u"frmF2"_s, Kind::Frame, u"Gг"_s, 3600, 720, 2055, 975, f1, false);
    add(u"frmF5"_s, Kind::Frame, u"Pp"_s, 3600, 720, 2055, 1215, f1, false);
    add(u"frmF1"_s, Kind::Frame, u"G"_s, 3600, 720, 2055, 975, f1);
    add(u"Frame3"_s, Kind::Frame, u"П/ОП"_s, 2160, 120, 1095, 855, f1);
    add(u"frmF3"_s, Kind::Frame, u"gр"_s, 3600, 720, 2055, 1215, f1, false);
    add(u"Label28"_s, Kind::Label, u"Vm"_s, 960, 960, 255, 255, f1);
    add(u"Label19"_s, Kind::Label, u"Gт"_s, 960, 1680, 255, 255, f1);
    add(u"Label18"_s, Kind::Label, u"h/b"_s, 960, 1440, 255, 255, f1);
    add(u"Label17"_s, Kind::Label, u"Lр"_s, 960, 600, 255, 255, f1);
    add(u"Label16"_s, Kind::Label, u"l"_s, 960, 240, 135, 255, f1);

    // Selectors inside the data-entry panel.
    const QString fr5 = u"Frame5"_s;
    add(u"Option15"_s, Kind::Option, u"5"_s, 2160, 240, 375, 255, fr5);
    add(u"Option14"_s, Kind::Option, u"4"_s, 1680, 240, 375, 255, fr5);
    add(u"Option13"_s, Kind::Option, u"3"_s, 1200, 240, 375, 255, fr5);
    add(u"Option12"_s, Kind::Option, u"2"_s, 600, 240, 375, 255, fr5);
    add(u"Option11"_s, Kind::Option, u"1 "_s, 120, 240, 375, 255, fr5);
    add(u"Option10"_s, Kind::Option, u"1/4"_s, 120, 480, 615, 255, u"Frame15"_s);
    add(u"Option9"_s, Kind::Option, u"1/3"_s, 120, 240, 615, 255, u"Frame15"_s);
    const QString fr7 = u"Frame7"_s;
    add(u"Option6"_s, Kind::Option, u"20"_s, 120, 1320, 495, 255, fr7);
    add(u"Option5"_s, Kind::Option, u"15"_s, 120, 960, 495, 255, fr7);
    add(u"Option4"_s, Kind::Option, u"10"_s, 120, 600, 495, 255, fr7);
    add(u"Option3"_s, Kind::Option, u"5"_s, 120, 240, 495, 255, fr7);
    add(u"Option2"_s, Kind::Option, u"ОП"_s, 120, 480, 615, 255, u"Frame3"_s);
    add(u"Option1"_s, Kind::Option, u"П"_s, 120, 240, 495, 255, u"Frame3"_s);

    // The Мфс table panel, under the Мфс buttons.
    const QString f11 = u"Frame11"_s;
    add(u"Command22"_s, Kind::Button, u"Скрыть"_s, 240, 1440, 975, 255, f11);
    add(u"Text20"_s, Kind::Text, u"500"_s, 2880, 1080, 615, 285, f11, false);
    add(u"Text19"_s, Kind::Text, u"380"_s, 2880, 720, 615, 285, f11, false);
    add(u"Text18"_s, Kind::Text, u"320"_s, 2880, 360, 615, 285, f11, false);
    add(u"Option8"_s, Kind::Option, u"пост"_s, 720, 1080, 735, 255, f11);
    add(u"Option7"_s, Kind::Option, u"пер"_s, 120, 1080, 855, 255, f11);
    add(u"Frame13"_s, Kind::Frame, {}, 1440, 120, 880, 1335, f11);
    add(u"Frame12"_s, Kind::Frame, {}, 1440, 120, 880, 1335, f11, false);
    add(u"Data6"_s, Kind::DataSource, u"Data6"_s, 120, 600, 1215, 375, f11);
    add(u"Label27"_s, Kind::Label, u"Vmax"_s, 2400, 1080, 495, 255, f11);
    add(u"Label26"_s, Kind::Label, u"Гололед."_s, 2400, 720, 1095, 255, f11);
    add(u"Label25"_s, Kind::Label, u"Аварийный."_s, 2400, 360, 975, 255, f11);
    add(u"Label9"_s, Kind::Label, u"Label9"_s, 120, 240, 1335, 255, f11);
    add(u"txtMnv2"_s, Kind::Text, u"500"_s, 120, 960, 610, 285, u"Frame13"_s);
    add(u"txtMn2"_s, Kind::Text, u"380"_s, 120, 600, 610, 285, u"Frame13"_s);
    add(u"txtMa2"_s, Kind::Text, u"320"_s, 120, 240, 610, 285, u"Frame13"_s);
    add(u"txtMnv1"_s, Kind::Text, u"Text22"_s, 120, 960, 610, 285, u"Frame12"_s);
    add(u"txtMn1"_s, Kind::Text, u"Text21"_s, 120, 600, 610, 285, u"Frame12"_s);
    add(u"txtMa1"_s, Kind::Text, u"Text20"_s, 120, 240, 610, 285, u"Frame12"_s);

    // The Мфс buttons.
    const QString f29 = u"Frame29"_s;
    add(u"Command21"_s, Kind::Button, u"Мфс >0"_s, 360, 960, 1095, 375, f29);
    add(u"Command20"_s, Kind::Button, u"Мфс =0"_s, 360, 360, 1095, 375, f29);
    add(u"Label49"_s, Kind::Label, {}, 1560, 360, 255, 255, f29, true, Indicator);

    // The five table panels; fields of one panel on the same place are alternatives.
    add(u"Data2"_s, Kind::DataSource, u"Data2"_s, 120, 480, 1215, 375, u"frmF1"_s);
    add(u"Label3"_s, Kind::Label, u"Label3"_s, 120, 240, 1215, 255, u"frmF1"_s);
    add(u"Text3"_s, Kind::Text, u"Text3"_s, 1320, 480, 611, 345, u"frmF1"_s);

    add(u"Data4"_s, Kind::DataSource, u"Data4"_s, 120, 480, 1215, 375, u"frmF2"_s);
    add(u"Label6"_s, Kind::Label, u"Label6"_s, 120, 240, 1215, 255, u"frmF2"_s);
    for (int i = 6; i <= 9; ++i)
        add(numbered(u"Text"_s, i), Kind::Text, numbered(u"Text"_s, i), 1320, 480, 611, 345,
            u"frmF2"_s);

    add(u"Data1"_s, Kind::DataSource, u"Data1"_s, 120, 480, 1215, 375, u"frmF3"_s);
    add(u"Label1"_s, Kind::Label, {}, 120, 240, 1600, 255, u"frmF3"_s);
    add(u"Label2"_s, Kind::Label, u"Label2"_s, 120, 240, 1600, 255, u"frmF3"_s);
    add(u"Text1"_s, Kind::Text, u"Text1"_s, 1320, 480, 611, 345, u"frmF3"_s);
    add(u"Text2"_s, Kind::Text, u"Text2"_s, 1320, 480, 611, 345, u"frmF3"_s);
    add(u"txtGp"_s, Kind::Text, u"0"_s, 120, 840, 1815, 285, u"frmF3"_s);

    add(u"Data3"_s, Kind::DataSource, u"Data3"_s, 120, 480, 1215, 375, u"frmF5"_s);
    add(u"Label4"_s, Kind::Label, u"Label4"_s, 120, 240, 1455, 255, u"frmF5"_s);
    add(u"Label5"_s, Kind::Label, u"Label5"_s, 120, 240, 1455, 255, u"frmF5"_s);
    add(u"Text4"_s, Kind::Text, u"Text4"_s, 1320, 480, 611, 345, u"frmF5"_s);
    add(u"Text5"_s, Kind::Text, u"Text5"_s, 1320, 480, 611, 345, u"frmF5"_s);
    add(u"txtPp"_s, Kind::Text, u"0"_s, 120, 840, 1815, 285, u"frmF5"_s);

    add(u"Data5"_s, Kind::DataSource, u"Data5"_s, 120, 480, 1215, 375, u"frmF4"_s);
    add(u"Label7"_s, Kind::Label, u"Label7"_s, 120, 240, 1815, 255, u"frmF4"_s);
    add(u"Label8"_s, Kind::Label, u"Label8"_s, 120, 240, 1455, 255, u"frmF4"_s);
    add(u"Frame9"_s, Kind::Frame, {}, 1320, 360, 615, 495, u"frmF4"_s);
    add(u"Frame10"_s, Kind::Frame, {}, 1320, 360, 615, 495, u"frmF4"_s);
    add(u"txtGpg"_s, Kind::Text, u"0"_s, 120, 840, 1815, 285, u"frmF4"_s);
    for (int i = 10; i <= 13; ++i)
        add(numbered(u"Text"_s, i), Kind::Text, numbered(u"Text"_s, i), 0, 120, 611, 345,
            u"Frame9"_s);
    for (int i = 14; i <= 17; ++i)
        add(numbered(u"Text"_s, i), Kind::Text, numbered(u"Text"_s, i), 0, 120, 611, 345,
            u"Frame10"_s);

    // The suspension moments.
    const QString f14 = u"Frame14"_s;
    add(u"Command14"_s, Kind::Button, u"Выбор ригеля"_s, 4200, 1440, 2535, 255, f14);
    add(u"Frame19"_s, Kind::Frame, u"Середина"_s, 4080, 240, 2655, 1095, f14, true, BoldItalic);
    add(u"Frame8"_s, Kind::Frame, u"Gг-1/3(1/4)"_s, 2880, 840, 1215, 615, f14);
    add(u"Frame6"_s, Kind::Frame, u"G-1/3(1/4)"_s, 2880, 240, 1215, 615, f14);
    add(u"Frame17"_s, Kind::Frame, u"Справа"_s, 7680, 240, 2655, 1095, f14, true, BoldItalic);
    add(u"Frame16"_s, Kind::Frame, u"Слева"_s, 120, 240, 2655, 1095, f14, true, BoldItalic);
    add(u"Command2"_s, Kind::Button, u"Gг"_s, 120, 600, 1095, 375, u"Frame19"_s);
    add(u"Command1"_s, Kind::Button, u"G"_s, 120, 240, 1095, 375, u"Frame19"_s);
    add(u"Label11"_s, Kind::Label, u"0"_s, 1320, 600, 975, 255, u"Frame19"_s);
    add(u"Label10"_s, Kind::Label, u"0"_s, 1320, 240, 1095, 255, u"Frame19"_s);
    add(u"Text22"_s, Kind::Text, u"0"_s, 120, 240, 975, 285, u"Frame8"_s, false, BoldItalic);
    add(u"Text21"_s, Kind::Text, u"0"_s, 120, 240, 975, 285, u"Frame6"_s, false, BoldItalic);
    add(u"Command6"_s, Kind::Button, u"Gг-1/3(1/4)"_s, 120, 600, 1095, 375, u"Frame17"_s, false);
    add(u"Command5"_s, Kind::Button, u"G-1/3(1/4)"_s, 120, 240, 1095, 375, u"Frame17"_s, false);
    add(u"Label21"_s, Kind::Label, {}, 1320, 600, 1215, 255, u"Frame17"_s);
    add(u"Label20"_s, Kind::Label, {}, 1320, 240, 1215, 255, u"Frame17"_s);
    add(u"Command4"_s, Kind::Button, u"Gг-1/3(1/4)"_s, 120, 600, 1095, 375, u"Frame16"_s, false);
    add(u"Command3"_s, Kind::Button, u"G-1/3(1/4)"_s, 120, 240, 1095, 375, u"Frame16"_s, false);
    add(u"Label15"_s, Kind::Label, {}, 1320, 600, 1095, 255, u"Frame16"_s);
    add(u"Label14"_s, Kind::Label, {}, 1320, 240, 1095, 255, u"Frame16"_s);

    // The crossbeam moments.
    const QString f2 = u"Frame2"_s;
    add(u"Command16"_s, Kind::Button, u"Сравнить"_s, 4200, 1080, 2535, 255, f2);
    add(u"Command15"_s, Kind::Button, u"Назад"_s, 4200, 1440, 2535, 255, f2);
    add(u"Frame18"_s, Kind::Frame, u"1/3 (1/4)"_s, 6840, 240, 3495, 1455, f2, true, BoldItalic);
    add(u"Frame4"_s, Kind::Frame, u"Середина"_s, 120, 240, 3495, 1455, f2, true, BoldItalic);
    const QString modes[] = {u"Аварийный Мн нп"_s, u"Гололед Мр вп"_s, u"V max Мр вп"_s};
    const int modeTop[] = {240, 600, 960};
    for (int m = 2; m >= 0; --m) {
        add(numbered(u"Command"_s, 11 + m), Kind::Button, modes[m], 120, modeTop[m], 1935, 375,
            u"Frame18"_s);
        add(numbered(u"Command"_s, 7 + m), Kind::Button, modes[m], 120, modeTop[m], 1935, 375,
            u"Frame4"_s);
    }
    for (int m = 2; m >= 0; --m) {
        add(numbered(u"Label"_s, 30 + m), Kind::Label, {}, 2160, modeTop[m], 1215, 375,
            u"Frame18"_s, true, RedText);
        add(numbered(u"Label"_s, 22 + m), Kind::Label, {}, 2160, modeTop[m], 1215, 375, u"Frame4"_s,
            true, RedText);
    }

    // The allowable moments of the crossbeam grades, over the upper part of the window.
    const QString f20 = u"Frame20"_s;
    add(u"Command17"_s, Kind::Button, u"Назад"_s, 4080, 3240, 2415, 255, f20);
    add(u"Data8"_s, Kind::DataSource, u"Data8"_s, 4560, 1680, 1215, 420, f20, false);
    add(u"Data7"_s, Kind::DataSource, u"Data7"_s, 4560, 1680, 1215, 420, f20);
    add(u"Frame28"_s, Kind::Frame, u"Возможные расч. длины поперечены, м"_s, 3360, 840, 4455, 855,
        f20);
    add(u"Frame27"_s, Kind::Frame, u"Марка поперечены"_s, 3360, 120, 4455, 735, f20);
    add(u"Frame22"_s, Kind::Frame, u"Крайний блок 1/3 (1/4)"_s, 6720, 1920, 3615, 1575, f20);
    add(u"Frame21"_s, Kind::Frame, u"Средний блок"_s, 240, 1920, 3375, 1575, f20);
    add(u"Frame26"_s, Kind::Frame, {}, 120, 840, 2295, 615, u"Frame22"_s);
    add(u"Frame25"_s, Kind::Frame, {}, 120, 240, 2295, 615, u"Frame22"_s);
    add(u"Label40"_s, Kind::Label, u"Мр вп"_s, 2520, 1080, 975, 255, u"Frame22"_s);
    add(u"Label39"_s, Kind::Label, u"Мн нп"_s, 2520, 480, 975, 255, u"Frame22"_s);
    add(u"Frame24"_s, Kind::Frame, {}, 120, 840, 2055, 615, u"Frame21"_s);
    add(u"Frame23"_s, Kind::Frame, {}, 120, 240, 2055, 615, u"Frame21"_s);
    add(u"Label38"_s, Kind::Label, u"Мр вп"_s, 2280, 960, 975, 255, u"Frame21"_s);
    add(u"Label37"_s, Kind::Label, u"Мн нп"_s, 2280, 480, 975, 255, u"Frame21"_s);
    // Each field has a label per series on the same place; the series selector shows one.
    struct Allowable {
        const char16_t* p;
        const char16_t* op;
        const char16_t* frame;
        int width, height;
    };
    const Allowable allowable[] = {
        {u"Label41", u"Label47", u"Frame27", 4215, 375},
        {u"Label42", u"Label48", u"Frame28", 4215, 495},
        {u"Label33", u"Label43", u"Frame23", 1815, 255},
        {u"Label34", u"Label44", u"Frame24", 1815, 255},
        {u"Label35", u"Label45", u"Frame25", 2055, 255},
        {u"Label36", u"Label46", u"Frame26", 2055, 255},
    };
    for (const Allowable& a : allowable) {
        const QString p = QString::fromUtf16(a.p), op = QString::fromUtf16(a.op);
        add(op, Kind::Label, op, 120, 240, a.width, a.height, QString::fromUtf16(a.frame), false,
            BlueBold);
        add(p, Kind::Label, p, 120, 240, a.width, a.height, QString::fromUtf16(a.frame), true,
            BlueBold);
    }
    return c;
}

std::vector<BindingRow> buildBindings() {
    std::vector<BindingRow> b;
    auto column = [&b](QString source, QString field, int f) {
        b.push_back({std::move(source), std::move(field), f, {}});
    };
    auto header = [&b](QString field, QString text) {
        b.push_back({u"Data6"_s, std::move(field), 0, std::move(text)});
    };
    column(u"Data2"_s, u"Label3"_s, 1);
    column(u"Data2"_s, u"Text3"_s, 2);
    column(u"Data4"_s, u"Label6"_s, 1);
    for (int f = 2; f <= 5; ++f) column(u"Data4"_s, numbered(u"Text"_s, f + 4), f);
    column(u"Data1"_s, u"Label1"_s, 1);
    column(u"Data1"_s, u"Text1"_s, 2);
    column(u"Data1"_s, u"Label2"_s, 3);
    column(u"Data1"_s, u"Text2"_s, 4);
    column(u"Data5"_s, u"Label7"_s, 1);
    for (int f = 2; f <= 5; ++f) column(u"Data5"_s, numbered(u"Text"_s, f + 8), f);
    column(u"Data5"_s, u"Label8"_s, 6);
    for (int f = 7; f <= 10; ++f) column(u"Data5"_s, numbered(u"Text"_s, f + 7), f);
    column(u"Data3"_s, u"Label4"_s, 1);
    column(u"Data3"_s, u"Text4"_s, 2);
    column(u"Data3"_s, u"Label5"_s, 3);
    column(u"Data3"_s, u"Text5"_s, 4);
    header(u"Label9"_s, u"Lр"_s);
    header(u"txtMa1"_s, u"авар"_s);
    header(u"txtMn1"_s, u"норм гв"_s);
    header(u"txtMnv1"_s, u"норм в"_s);
    header(u"txtMa2"_s, u"авар1"_s);
    header(u"txtMn2"_s, u"норм гв1"_s);
    header(u"txtMnv2"_s, u"норм в1"_s);
    const char16_t* series7[] = {u"Label41", u"Label33", u"Label34",
                                 u"Label35", u"Label36", u"Label42"};
    const char16_t* series8[] = {u"Label47", u"Label43", u"Label44",
                                 u"Label45", u"Label46", u"Label48"};
    for (int f = 1; f <= 6; ++f) column(u"Data7"_s, QString::fromUtf16(series7[f - 1]), f);
    for (int f = 1; f <= 6; ++f) column(u"Data8"_s, QString::fromUtf16(series8[f - 1]), f);
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
    static const std::vector<SourceRow> table = {
        {u"Data1"_s, u"т37Gp.xls"_s}, {u"Data2"_s, u"т11.1.xls"_s},  {u"Data3"_s, u"т37gama.xls"_s},
        {u"Data4"_s, u"т11.2.xls"_s}, {u"Data5"_s, u"Т37Gрг.xls"_s}, {u"Data6"_s, u"т38.1.xls"_s},
        {u"Data7"_s, u"т36.1.xls"_s}, {u"Data8"_s, u"т36.2.xls"_s},
    };
    return table;
}

QStringList combo1Items() {
    return {u"1,59"_s, u"1,66"_s};
}
QStringList combo2Items() {
    return {u"114"_s, u"118"_s, u"38"_s, u"43"_s, u"131"_s};
}

QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

const std::vector<DiagramLine>& diagramLines() {
    static const std::vector<DiagramLine> table = [] {
        std::vector<DiagramLine> lines{{u"Line1"_s, 120, 3120, 10560, 3120, 3}};
        for (int i = 0; i < 8; ++i)
            lines.push_back({numbered(u"Line"_s, i + 2), kPointX[i], 2880, kPointX[i], 3480, 2});
        return lines;
    }();
    return table;
}

}  // namespace vardo::mainwindow
