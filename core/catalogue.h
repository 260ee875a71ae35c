#pragma once
// The sheet's catalogue: the name of every control of the main window, grouped by role, and what
// the window, the calculation files and the report know about those names. It is the one place a
// control's name is written; everything else refers to it:
//
//   names::txtProlet, names::txtL[3], ...  --> the window's inventory (places, captions, stacking)
//   option groups, data sources (workbooks, caption columns), bound fields, pick fields and their
//   candidates, Мфс boxes, allowable-moment sets, start values, the fields a calculation file
//   keeps, the captions of the results in a report
//
// A rename of a control is one edit here. A name the program uses that is not here is a fault:
// isKnown() says so, and the sheets warn about it (tests fail on that warning).

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <span>

namespace vardo {

// The name of one control. Converts to QString where one is needed.
class Name {
  public:
    template <qsizetype N>
    constexpr Name(const char16_t (&text)[N]) : text_(text), size_(N - 1) {}

    constexpr QStringView view() const { return QStringView(text_, size_); }
    constexpr const char16_t* utf16() const { return text_; }
    // The literal itself, not a copy: a name is looked up on every read of the sheet.
    QString toString() const {
        return QString::fromRawData(reinterpret_cast<const QChar*>(text_), size_);
    }
    operator QString() const { return toString(); }

  private:
    const char16_t* text_;
    qsizetype size_;
};

// A numbered series of controls, the stem followed by the number: txtL[1] is "txtL1".
class NameSeries {
  public:
    constexpr NameSeries(const char16_t* stem, int first, int last)
        : stem_(stem), first_(first), last_(last) {}

    QString operator[](int i) const;
    QStringList all() const;
    constexpr int first() const { return first_; }
    constexpr int last() const { return last_; }
    // The number of `name` in the series; 0 when it is not one of them.
    int numberOf(QStringView name) const;

  private:
    const char16_t* stem_;
    int first_, last_;
};

namespace names {

// --- What the controls hold ---
// The controls that hold a value, by their role; the other controls follow under their ids.

// The moments of the suspension loads (kgf·m): G and Gг at mid-span, at 1/3 (1/4) from the left and
// from the right, and the governing one at 1/3 (1/4), the larger of the two.
inline constexpr Name kLoadMidMoment{u"Label10"};
inline constexpr Name kIceLoadMidMoment{u"Label11"};
inline constexpr Name kLoadLeftMoment{u"Label14"};
inline constexpr Name kIceLoadLeftMoment{u"Label15"};
inline constexpr Name kLoadRightMoment{u"Label20"};
inline constexpr Name kIceLoadRightMoment{u"Label21"};
inline constexpr Name kLoadSectionMoment{u"Text21"};
inline constexpr Name kIceLoadSectionMoment{u"Text22"};

// The design moments of the crossbeam (tf·m) in the emergency, ice and maximum-wind modes, at
// mid-span and at 1/3 (1/4); the Мфс of each mode (kgf·m) and the indicator of the Мфс chosen.
inline constexpr Name kEmergencyMidMoment{u"Label22"};
inline constexpr Name kIceMidMoment{u"Label23"};
inline constexpr Name kMaxWindMidMoment{u"Label24"};
inline constexpr Name kEmergencySectionMoment{u"Label30"};
inline constexpr Name kIceSectionMoment{u"Label31"};
inline constexpr Name kMaxWindSectionMoment{u"Label32"};
inline constexpr Name kEmergencyMfs{u"Text18"};
inline constexpr Name kIceMfs{u"Text19"};
inline constexpr Name kMaxWindMfs{u"Text20"};
inline constexpr Name kMfsIndicator{u"Label49"};

// The value fields of the reference tables: gр and Pp of each series, G, then Gг and gрг of each
// series for b = 5, 10, 15, 20 mm.
inline constexpr Name kWeightP{u"Text1"};
inline constexpr Name kWeightOp{u"Text2"};
inline constexpr Name kLoadValue{u"Text3"};
inline constexpr Name kWindP{u"Text4"};
inline constexpr Name kWindOp{u"Text5"};
inline constexpr Name kIceLoad5{u"Text6"};
inline constexpr Name kIceLoad10{u"Text7"};
inline constexpr Name kIceLoad15{u"Text8"};
inline constexpr Name kIceLoad20{u"Text9"};
inline constexpr Name kIceWeightP5{u"Text10"};
inline constexpr Name kIceWeightP10{u"Text11"};
inline constexpr Name kIceWeightP15{u"Text12"};
inline constexpr Name kIceWeightP20{u"Text13"};
inline constexpr Name kIceWeightOp5{u"Text14"};
inline constexpr Name kIceWeightOp10{u"Text15"};
inline constexpr Name kIceWeightOp15{u"Text16"};
inline constexpr Name kIceWeightOp20{u"Text17"};

// The allowable moments (tf·m) of the grade shown of each series: the grade, Мн нп and Мр вп of the
// middle block, of the end block, and the design lengths.
inline constexpr Name kGradeP{u"Label41"};
inline constexpr Name kMidEmergencyAllowableP{u"Label33"};
inline constexpr Name kMidIceWindAllowableP{u"Label34"};
inline constexpr Name kEndEmergencyAllowableP{u"Label35"};
inline constexpr Name kEndIceWindAllowableP{u"Label36"};
inline constexpr Name kLengthsP{u"Label42"};
inline constexpr Name kGradeOp{u"Label47"};
inline constexpr Name kMidEmergencyAllowableOp{u"Label43"};
inline constexpr Name kMidIceWindAllowableOp{u"Label44"};
inline constexpr Name kEndEmergencyAllowableOp{u"Label45"};
inline constexpr Name kEndIceWindAllowableOp{u"Label46"};
inline constexpr Name kLengthsOp{u"Label48"};

// --- What the panels and captions do ---
// The panel "Мо от ригеля" (the crossbeam's own values), the panel of the allowable moments, the
// frame of the Мфс buttons and the Мфс table panel ("пер"/"пост" and the three Мфс values), the
// frame "Пр. ригеля" that holds the section options, and the captions of the load rows G and Gг.
inline constexpr Name kBeamPanel{u"Frame2"};
inline constexpr Name kAllowablePanel{u"Frame20"};
inline constexpr Name kMfsButtonsFrame{u"Frame29"};
inline constexpr Name kMfsPanel{u"Frame11"};
inline constexpr Name kSectionFrame{u"Frame15"};
inline constexpr Name kLoadRowCaption{u"Label12"};
inline constexpr Name kIceLoadRowCaption{u"Label13"};

// The frames.
inline constexpr Name Frame1{u"Frame1"};
inline constexpr Name Frame3{u"Frame3"};
inline constexpr Name Frame4{u"Frame4"};
inline constexpr Name Frame5{u"Frame5"};
inline constexpr Name Frame6{u"Frame6"};
inline constexpr Name Frame7{u"Frame7"};
inline constexpr Name Frame8{u"Frame8"};
inline constexpr Name Frame9{u"Frame9"};
inline constexpr Name Frame10{u"Frame10"};
inline constexpr Name Frame12{u"Frame12"};
inline constexpr Name Frame13{u"Frame13"};
inline constexpr Name Frame14{u"Frame14"};
inline constexpr Name Frame16{u"Frame16"};
inline constexpr Name Frame17{u"Frame17"};
inline constexpr Name Frame18{u"Frame18"};
inline constexpr Name Frame19{u"Frame19"};
inline constexpr Name Frame21{u"Frame21"};
inline constexpr Name Frame22{u"Frame22"};
inline constexpr Name Frame23{u"Frame23"};
inline constexpr Name Frame24{u"Frame24"};
inline constexpr Name Frame25{u"Frame25"};
inline constexpr Name Frame26{u"Frame26"};
inline constexpr Name Frame27{u"Frame27"};
inline constexpr Name Frame28{u"Frame28"};
// The report, the grade selection, the schedule and the grade window still read the option groups
// by these ids; the two go when those files take the role names.
inline constexpr Name Frame11 = kMfsPanel;
inline constexpr Name Frame15 = kSectionFrame;
inline constexpr Name frmF1{u"frmF1"};
inline constexpr Name frmF2{u"frmF2"};
inline constexpr Name frmF3{u"frmF3"};
inline constexpr Name frmF4{u"frmF4"};
inline constexpr Name frmF5{u"frmF5"};

// The buttons.
inline constexpr Name Command1{u"Command1"};
inline constexpr Name Command2{u"Command2"};
inline constexpr Name Command3{u"Command3"};
inline constexpr Name Command4{u"Command4"};
inline constexpr Name Command5{u"Command5"};
inline constexpr Name Command6{u"Command6"};
inline constexpr Name Command7{u"Command7"};
inline constexpr Name Command8{u"Command8"};
inline constexpr Name Command9{u"Command9"};
inline constexpr Name Command10{u"Command10"};
inline constexpr Name Command11{u"Command11"};
inline constexpr Name Command12{u"Command12"};
inline constexpr Name Command13{u"Command13"};
inline constexpr Name Command14{u"Command14"};
inline constexpr Name Command15{u"Command15"};
inline constexpr Name Command16{u"Command16"};
inline constexpr Name Command17{u"Command17"};
inline constexpr Name Command18{u"Command18"};
inline constexpr Name Command19{u"Command19"};
inline constexpr Name Command20{u"Command20"};
inline constexpr Name Command21{u"Command21"};
inline constexpr Name Command22{u"Command22"};
inline constexpr Name Command23{u"Command23"};
inline constexpr Name Command24{u"Command24"};
inline constexpr Name Command25{u"Command25"};
inline constexpr Name cmdMore{u"cmdMore"};
inline constexpr Name cmdOpen{u"cmdOpen"};
inline constexpr Name cmdReport{u"cmdReport"};
inline constexpr Name cmdSave{u"cmdSave"};
// Opens the window "Подбор ригеля" (the grades of the series checked live).
inline constexpr Name cmdGrades{u"cmdGrades"};

// The option buttons.
inline constexpr Name Option1{u"Option1"};
inline constexpr Name Option2{u"Option2"};
inline constexpr Name Option3{u"Option3"};
inline constexpr Name Option4{u"Option4"};
inline constexpr Name Option5{u"Option5"};
inline constexpr Name Option6{u"Option6"};
inline constexpr Name Option7{u"Option7"};
inline constexpr Name Option8{u"Option8"};
inline constexpr Name Option9{u"Option9"};
inline constexpr Name Option10{u"Option10"};
inline constexpr Name Option11{u"Option11"};
inline constexpr Name Option12{u"Option12"};
inline constexpr Name Option13{u"Option13"};
inline constexpr Name Option14{u"Option14"};
inline constexpr Name Option15{u"Option15"};
inline constexpr Name Option16{u"Option16"};
inline constexpr Name Option17{u"Option17"};

// The text fields.
inline constexpr Name txtGp{u"txtGp"};
inline constexpr Name txtGpg{u"txtGpg"};
inline constexpr Name txtLp{u"txtLp"};
inline constexpr Name txtMa1{u"txtMa1"};
inline constexpr Name txtMa2{u"txtMa2"};
inline constexpr Name txtMn1{u"txtMn1"};
inline constexpr Name txtMn2{u"txtMn2"};
inline constexpr Name txtMnv1{u"txtMnv1"};
inline constexpr Name txtMnv2{u"txtMnv2"};
inline constexpr Name txtPp{u"txtPp"};
inline constexpr Name txtProlet{u"txtProlet"};
inline constexpr Name txtVm{u"txtVm"};

// The labels.
inline constexpr Name Label1{u"Label1"};
inline constexpr Name Label2{u"Label2"};
inline constexpr Name Label3{u"Label3"};
inline constexpr Name Label4{u"Label4"};
inline constexpr Name Label5{u"Label5"};
inline constexpr Name Label6{u"Label6"};
inline constexpr Name Label7{u"Label7"};
inline constexpr Name Label8{u"Label8"};
inline constexpr Name Label9{u"Label9"};
inline constexpr Name Label16{u"Label16"};
inline constexpr Name Label17{u"Label17"};
inline constexpr Name Label18{u"Label18"};
inline constexpr Name Label19{u"Label19"};
inline constexpr Name Label25{u"Label25"};
inline constexpr Name Label26{u"Label26"};
inline constexpr Name Label27{u"Label27"};
inline constexpr Name Label28{u"Label28"};
inline constexpr Name Label29{u"Label29"};
inline constexpr Name Label37{u"Label37"};
inline constexpr Name Label38{u"Label38"};
inline constexpr Name Label39{u"Label39"};
inline constexpr Name Label40{u"Label40"};

// The lists.
inline constexpr Name Combo1{u"Combo1"};
inline constexpr Name Combo2{u"Combo2"};

// The data sources.
inline constexpr Name Data1{u"Data1"};
inline constexpr Name Data2{u"Data2"};
inline constexpr Name Data3{u"Data3"};
inline constexpr Name Data4{u"Data4"};
inline constexpr Name Data5{u"Data5"};
inline constexpr Name Data6{u"Data6"};
inline constexpr Name Data7{u"Data7"};
inline constexpr Name Data8{u"Data8"};

// The lines of the diagram.
inline constexpr Name Line1{u"Line1"};
inline constexpr Name Line2{u"Line2"};
inline constexpr Name Line3{u"Line3"};
inline constexpr Name Line4{u"Line4"};
inline constexpr Name Line5{u"Line5"};
inline constexpr Name Line6{u"Line6"};
inline constexpr Name Line7{u"Line7"};
inline constexpr Name Line8{u"Line8"};
inline constexpr Name Line9{u"Line9"};
// The crossbeam is Line1; the marks of the suspension points 1 .. 8 follow.
inline constexpr Name kPointMarks[]{Line2, Line3, Line4, Line5, Line6, Line7, Line8, Line9};
// The suspension points 1 .. 8: left and right arms, loads without and with ice.
inline constexpr NameSeries txtL{u"txtL", 1, 8};
inline constexpr NameSeries txtP{u"txtP", 1, 8};
inline constexpr NameSeries txtG{u"txtG", 1, 8};
inline constexpr NameSeries txtGg{u"txtGg", 1, 8};

}  // namespace names

namespace catalogue {

// Every control name of the main window.
const QStringList& allNames();
bool isKnown(QStringView name);
// In a debug build, warns "… is not in the catalogue" when `name` is not one of allNames(): a sheet
// asked for a control that does not exist. (Tests fail on that warning; a release build skips it.)
void checkKnown(QStringView name);

// --- Option groups ---

// The options of one frame; selecting one deselects the others. The key is the group's name in a
// calculation file (the frame's name; "Form1" for the launcher options on the window itself).
struct OptionGroup {
    QStringView key;
    std::span<const Name> options;
};
std::span<const OptionGroup> optionGroups();
// The key of the group that holds `option`; empty when it is in none.
QStringView groupOf(QStringView option);

inline constexpr Name kTablePanels[]{names::frmF1, names::frmF2, names::frmF3, names::frmF4,
                                     names::frmF5};
// "Ввод 1-2-3-4-5", "b мм" (5, 10, 15, 20 mm), "П/ОП", "пер"/"пост", "Пр. ригеля", launchers.
inline constexpr Name kInputOptions[]{names::Option11, names::Option12, names::Option13,
                                      names::Option14, names::Option15};
inline constexpr Name kThicknessOptions[]{names::Option3, names::Option4, names::Option5,
                                          names::Option6};
inline constexpr Name kSeriesOptions[]{names::Option1, names::Option2};  // those of kSeries
inline constexpr Name kMfsOptions[]{names::Option7, names::Option8};
inline constexpr Name kSectionOptions[]{names::Option9, names::Option10};
inline constexpr Name kLauncherOptions[]{names::Option16, names::Option17};
// The options selected at start-up, in this order, and the one selected on the first focus.
inline constexpr Name kStartOptions[]{names::Option4, names::Option11, names::Option9,
                                      names::Option8};
inline constexpr Name kFirstFocusOption = names::Option1;

// The text of the section chosen with "1/3" (Option9) or "1/4" (Option10).
inline QString sectionText(bool quarter) {
    return quarter ? QStringLiteral("1/4") : QStringLiteral("1/3");
}

// --- Typed inputs ---

inline constexpr Name kBeamInputs[]{names::txtProlet, names::txtLp, names::txtVm};
// Emptied by a click, for a new entry: l, Lр, Vm and the sixteen arms.
QStringList clearOnClickFields();
// The two lists and their entries; the text each shows at start.
inline QStringList combo1Items() {
    return {QStringLiteral("1,59"), QStringLiteral("1,66")};
}
inline QStringList combo2Items() {
    return {QStringLiteral("114"), QStringLiteral("118"), QStringLiteral("38"),
            QStringLiteral("43"), QStringLiteral("131")};
}

// --- Reference tables ---

// The workbooks of the reference tables, by bare name.
inline constexpr const char16_t* kWorkbookWeight = u"т37Gp.xls";  // gр, Data1
inline constexpr const char16_t* kWorkbookG = u"т11.1.xls";       // G, Data2
inline constexpr const char16_t* kWorkbookWind = u"т37gama.xls";  // Pp, Data3
inline constexpr const char16_t* kWorkbookGice = u"т11.2.xls";    // Gг, Data4
inline constexpr const char16_t* kWorkbookIce = u"Т37Gрг.xls";    // gрг, Data5
inline constexpr const char16_t* kWorkbookMfs = u"т38.1.xls";     // Мфс, Data6

// A data source, the workbook it reads (bare name) and the column that names a row: a position
// (1 is F1) or, where the sheet's columns are addressed by header, the header's text.
struct DataSourceInfo {
    Name name;
    const char16_t* workbook;
    int captionColumn;  // 1-based; 0 when captionHeader names it
    const char16_t* captionHeader;
};
std::span<const DataSourceInfo> dataSources();
QString workbookOf(QStringView dataSource);
QStringList dataSourceNames();

// A field bound to a column of a data source: by position (F1 is 1) or by the header's text.
struct Binding {
    Name dataSource;
    Name field;
    int column;  // 1-based, 0 when addressed by header
    const char16_t* header;
};
std::span<const Binding> bindings();

// The value fields of the tables a user may type over (saved in a calculation file).
QStringList tableFields();

// The ice-thickness columns shown by "b мм": three groups of four (5, 10, 15, 20 mm): table "Gг",
// "gрг" П, "gрг" ОП.
inline constexpr Name kIceFields[]{
    names::kIceLoad5,     names::kIceLoad10,     names::kIceLoad15,     names::kIceLoad20,
    names::kIceWeightP5,  names::kIceWeightP10,  names::kIceWeightP15,  names::kIceWeightP20,
    names::kIceWeightOp5, names::kIceWeightOp10, names::kIceWeightOp15, names::kIceWeightOp20};
inline constexpr int kThicknesses = 4;

// The allowable-moment set of a series: the data source, its workbook and its six labels F1 .. F6
// (grade, Мн нп and Мр вп of the middle block, of the end block, the design lengths).
struct AllowableSet {
    Name dataSource;
    const char16_t* workbook;
    std::array<Name, 6> labels;
};

// --- Series ---

// The columns (0-based) of a series in one of the crossbeam's own tables: the row caption that
// names the grade, and its value (for "gрг" that of b = 5 mm, the other thicknesses follow).
struct GradeColumns {
    int caption;
    int value;
};

// A series of crossbeam grades: its name, the option of "П/ОП" that chooses it, its allowable
// moments, its columns in the crossbeam's own tables (gр т37Gp.xls, gрг Т37Gрг.xls, Pp
// т37gama.xls), and the controls shown while it is chosen (the row captions and value fields of
// "gр" and "Pp", the value frame and row caption of "gрг"). The selector, the start-up, the check,
// the report and the schedule walk this table; the inventory places the controls it names, and
// the picks list the value fields (pickSources).
struct Series {
    const char16_t* name;
    Name option;
    AllowableSet allowable;
    GradeColumns weight, ice, wind;
    std::array<Name, 6> shown;
};
inline constexpr Series kSeries[]{
    {u"П",
     names::Option1,
     {names::Data7,
      u"т36.1.xls",
      {names::kGradeP, names::kMidEmergencyAllowableP, names::kMidIceWindAllowableP,
       names::kEndEmergencyAllowableP, names::kEndIceWindAllowableP, names::kLengthsP}},
     {0, 1},
     {0, 1},
     {0, 1},
     {names::Label1, names::kWeightP, names::Label4, names::kWindP, names::Frame9, names::Label7}},
    {u"ОП",
     names::Option2,
     {names::Data8,
      u"т36.2.xls",
      {names::kGradeOp, names::kMidEmergencyAllowableOp, names::kMidIceWindAllowableOp,
       names::kEndEmergencyAllowableOp, names::kEndIceWindAllowableOp, names::kLengthsOp}},
     {2, 3},
     {5, 6},
     {2, 3},
     {names::Label2, names::kWeightOp, names::Label5, names::kWindOp, names::Frame10,
      names::Label8}},
};
// The series `option` chooses in `table`; the first one when it chooses none.
const Series& seriesOf(QStringView option, std::span<const Series> table = kSeries);
// The data source of an allowable-moment set, then its labels F2 .. F5, F1, F6: what "Сравнить"
// shows and the other series' sets hide.
QStringList allowableControls(const AllowableSet& set);

// --- Picks ---

// A table field a pick may copy from, and the frame that must be shown with it (empty: none).
struct PickSource {
    Name field;
    Name frame;  // u"" when none
};
// The pick fields (the load rows and the crossbeam's own values), in the order of the pick pointer.
QStringList pickFields();
// The table fields a pick into `field` may copy from; the one on display is copied.
std::span<const PickSource> pickSources(QStringView field);

// --- Мфс ---

// One bound Мфс box: the frame that holds its set and the hidden Мфс field of its mode.
struct MfsBox {
    Name box;
    Name frame;
    Name target;
};
inline constexpr Name kMfsSetPer = names::Frame12;  // "пер": "авар", "норм гв", "норм в"
inline constexpr Name kMfsSetPost = names::Frame13;  // "пост": "авар1", "норм гв1", "норм в1"
inline constexpr MfsBox kMfsBoxes[]{
    {names::txtMa1, kMfsSetPer, names::kEmergencyMfs},
    {names::txtMn1, kMfsSetPer, names::kIceMfs},
    {names::txtMnv1, kMfsSetPer, names::kMaxWindMfs},
    {names::txtMa2, kMfsSetPost, names::kEmergencyMfs},
    {names::txtMn2, kMfsSetPost, names::kIceMfs},
    {names::txtMnv2, kMfsSetPost, names::kMaxWindMfs},
};
// The start values (kgf·m) of the Мфс of the three modes (kModes), which "Мфс >0" also restores.
inline QStringList mfsStartValues() {
    return {QStringLiteral("320"), QStringLiteral("380"), QStringLiteral("500")};
}

// --- Modes ---

// The three modes of the design moments, in the order of their buttons and results: the name in
// a sentence, the caption of a table's column, which allowable moment of a block the mode is set
// against (0 "Мн нп": F2 of the middle block, F4 of the end block; 1 "Мр вп": F3, F5), its design
// moments at mid-span and at 1/3 (1/4) and the buttons that compute them, and its Мфс field.
struct Mode {
    const char16_t* name;
    const char16_t* caption;
    int allowableColumn;
    Name middle, section;
    Name middleButton, sectionButton;
    Name mfs;
};
inline constexpr Mode kModes[]{
    {u"аварийный", u"Аварийный (Мн нп)", 0, names::kEmergencyMidMoment,
     names::kEmergencySectionMoment, names::Command7, names::Command11, names::kEmergencyMfs},
    {u"гололед", u"Гололед (Мр вп)", 1, names::kIceMidMoment, names::kIceSectionMoment,
     names::Command8, names::Command12, names::kIceMfs},
    {u"V max", u"V max (Мр вп)", 1, names::kMaxWindMidMoment, names::kMaxWindSectionMoment,
     names::Command9, names::Command13, names::kMaxWindMfs},
};
inline constexpr int kModeCount = static_cast<int>(std::size(kModes));

// --- Results ---

// The results: loads at mid-span and at the section, the governing fields, the design moments, the
// Мфс indicator; each with its caption in a report (the section's text follows when atSection).
struct ResultField {
    Name name;
    const char16_t* caption;
    bool atSection;
};
std::span<const ResultField> resultFieldInfo();
QStringList resultFields();
// Caption of a result in a report, e.g. "G слева 1/3".
QString resultCaption(QStringView field, bool quarter);

// --- Calculation files ---

// Typed, listed or picked inputs: l, Lр, Vm, h/b, Gт, gр, gрг, Pp, then the 32 point fields.
QStringList inputFields();
QStringList mfsFields();
// Panels and chain buttons whose visibility a file keeps: Label13 is the ice-load row of the
// diagram; Command24/Command25 the calculator launcher the user chose.
QStringList viewFields();

}  // namespace catalogue
}  // namespace vardo
