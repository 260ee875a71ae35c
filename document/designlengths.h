#pragma once
// The design lengths for which a crossbeam grade may be used, as the allowable-moment tables write
// them in their last column: single lengths, ranges, or both, in metres.
//
// Accepted: numbers with a decimal comma or point ("12", "12,5", "12.5"); ranges joined by a
// hyphen, an en or em dash, a minus sign, an ellipsis or ".." or the word "до" ("16–20",
// "12 - 18", "от 12 до 18"); items separated by ",", ";", "/", the word "и" or blanks
// ("12, 15, 18", "12; 15", "16–20, 24"); the unit "м" and brackets anywhere. A comma between two
// digits is a decimal comma ("12,5" is 12.5) unless the digits run on with more commas, which
// makes it a list ("12,15,18" is 12, 15 and 18). Anything else makes the whole text unreadable,
// so a grade is never passed on a length list the program did not understand: a range given
// backwards, a dangling dash, an empty item, a letter.

#include <QList>
#include <QStringView>
#include <optional>

#include "core/fixed.h"

namespace vardo::document {

struct LengthRange {
    Fixed from;
    Fixed to;  // == from for a single length
    friend bool operator==(const LengthRange&, const LengthRange&) = default;
};

struct DesignLengths {
    QList<LengthRange> ranges;
    bool contains(Fixed length) const;
};

std::optional<DesignLengths> parseDesignLengths(QStringView text);

}  // namespace vardo::document
