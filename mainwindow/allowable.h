#pragma once
// The Мфс block and the allowable-moment panel.
//
// Data flow: the Мфс table (data source Data6) writes the current row into six bound boxes, two
// sets of three: the "пер" set in Frame12 and the "пост" set in Frame13, of which the option group
// "пер"/"пост" shows one. A change of a box of the set on display copies its text, unchanged, into
// the hidden field that carries the Мфс value of its design mode (Text18 emergency, Text19 ice,
// Text20 maximum wind), which the moment procedures read. A box of the hidden set changes nothing,
// so stepping the table never mixes the two sets.
//
// The allowable-moment panel (Frame20) only shows the reference rows; the user compares them with
// the computed moments, no code does.

#include <array>

#include <QString>
#include <QStringView>

#include "core/sheet.h"

namespace vardo::mainwindow {

// One bound Мфс box: the frame that holds its set and the Мфс field of its mode.
struct MfsBox {
    QStringView box;
    QStringView frame;
    QStringView target;
};

inline constexpr QStringView kMfsSetPer = u"Frame12";  // "пер": columns "авар", "норм гв", "норм в"
inline constexpr QStringView kMfsSetPost = u"Frame13";  // "пост": "авар1", "норм гв1", "норм в1"

inline constexpr std::array<MfsBox, 6> kMfsBoxes{{
    {u"txtMa1", kMfsSetPer, u"Text18"},
    {u"txtMn1", kMfsSetPer, u"Text19"},
    {u"txtMnv1", kMfsSetPer, u"Text20"},
    {u"txtMa2", kMfsSetPost, u"Text18"},
    {u"txtMn2", kMfsSetPost, u"Text19"},
    {u"txtMnv2", kMfsSetPost, u"Text20"},
}};

// Change actions of the six boxes: raised by typing and by every row change of Data6. Each copies
// the box's text into its Мфс field when the box's frame is shown, and does nothing otherwise.
void txtMa1_Change(Sheet& sheet);
void txtMn1_Change(Sheet& sheet);
void txtMnv1_Change(Sheet& sheet);
void txtMa2_Change(Sheet& sheet);
void txtMn2_Change(Sheet& sheet);
void txtMnv2_Change(Sheet& sheet);
// The change action of the box `name`; false (and nothing done) when it is none of the six.
bool mfsBoxChange(Sheet& sheet, const QString& name);

// Copies every box of the set held by `frame` into its Мфс field, whether the frame is shown or
// not: Text18, Text19, Text20 in this order. The "пер"/"пост" options do this after switching.
void copyMfsSet(Sheet& sheet, QStringView frame);

// "Сравнить": the allowable-moment panel Frame20 is shown, then the Мфс buttons Frame29 hidden
// (the panel covers the place where they stand).
void Command16_Click(Sheet& sheet);

}  // namespace vardo::mainwindow
