#pragma once
// The main window's port without widgets for the tests: the map-backed sheet whose option
// selection runs the option's click action, as the window's does, so the action's effects follow
// the "check NAME" line.

#include "calc/selectors.h"
#include "core/mapsheet.h"

namespace vardo::testing {

class RecordingForm : public MapSheet {
  public:
    // The form itself, for code written against its earlier "sheet" member.
    MapSheet& sheet = *this;

    RecordingForm() {
        onSelect = [this](const QString& option) { calc::optionClick(*this, option); };
    }
    RecordingForm(const RecordingForm&) = delete;
    RecordingForm& operator=(const RecordingForm&) = delete;
};

}  // namespace vardo::testing
