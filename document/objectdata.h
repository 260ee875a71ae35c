#pragma once
// The object data of a calculation: what the title block of its report names and an approver
// signs, and what a schedule of crossbeams lists beside the results.
//
//   Объект (станция, перегон) | Поперечина / опоры | Разработал | Проверил | Дата | Примечание
//
// Every field is free text as the user typed it (a date included: "12.03.2025", "март 2025" or
// nothing at all). The calculation file keeps them in its section "object" under the keys below.

#include <QString>
#include <span>

namespace vardo::document {

struct ObjectData {
    QString object;      // the station or stage the crossbeam stands on
    QString crossbeam;   // the number of the crossbeam or of its poles
    QString designedBy;  // "Разработал"
    QString checkedBy;   // "Проверил"
    QString date;
    QString note;
    bool isEmpty() const;
    friend bool operator==(const ObjectData&, const ObjectData&) = default;
};

struct ObjectField {
    const char16_t* key;      // its key in the file
    const char16_t* caption;  // what the dialog, the report and the schedule call it
    QString ObjectData::*member;
};

// The fields in the order the dialog, the report and the schedule show them.
std::span<const ObjectField> objectFields();

}  // namespace vardo::document
