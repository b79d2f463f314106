#pragma once

#include <string>

namespace sheet {

enum class RangePickOutcome {
    Picked,    // the text holds the selection
    Cleared,   // the user emptied the selection
    Cancelled, // the user gave up; the previous binding stands
    Failed,    // the picker could not show the workbook
};

struct RangePickAnswer {
    RangePickOutcome outcome = RangePickOutcome::Cancelled;
    // The selected areas as A1 texts joined with ",", each sheet-qualified, e.g.
    // 'Sheet1'!$A$1:$B$4,'Sheet1'!$D$2.
    std::string rangeText;
};

// The window in which the user picks cells of the imported workbook. The user-interface
// layer shows the grid; the host only asks it for an answer.
class IRangePicker {
public:
    virtual ~IRangePicker() = default;
    // False when there is nothing to pick from (no window, no workbook).
    virtual bool CanStart() const = 0;
    // Runs until the user has answered, starting from the given selection.
    virtual RangePickAnswer PickRange(const std::string& startText, bool multipleAreasAllowed) = 0;
    // Shown beside the Data dialog for as long as it is open.
    virtual void ShowSession(bool show) = 0;
};

} // namespace sheet
