#pragma once

#include "sheet/host/RangePicker.h"

#include <deque>
#include <string>
#include <vector>

namespace sheet {

// A range picker that gives prepared answers in order, for tests of the code that picks
// ranges; it records what it was asked.
class CScriptedRangePicker : public IRangePicker {
public:
    void Answer(RangePickOutcome outcome, std::string text = {})
    {
        answers_.push_back({outcome, std::move(text)});
    }
    void SetCanStart(bool canStart) { canStart_ = canStart; }

    bool CanStart() const override { return canStart_; }
    RangePickAnswer PickRange(const std::string& startText, bool multipleAreasAllowed) override
    {
        startTexts.push_back(startText);
        multipleFlags.push_back(multipleAreasAllowed);
        if (answers_.empty())
            return {RangePickOutcome::Cancelled, {}};
        RangePickAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    void ShowSession(bool show) override { sessionShown = show; }

    std::vector<std::string> startTexts;
    std::vector<bool> multipleFlags;
    bool sessionShown = false;

private:
    std::deque<RangePickAnswer> answers_;
    bool canStart_ = true;
};

} // namespace sheet
