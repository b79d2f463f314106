#pragma once

// The "General" tab of the single-value components (sliders, progress bars, dials, gauges,
// value displays, the play control and the grid): the title, the cell the value is bound to,
// the orientation, and the component's help movie.

#include "pages/FieldPage.h"
#include "platform/controls/InPlaceEdit.h"

#include <array>
#include <cstdint>
#include <string>

namespace pages {

// The single-value symbols the help tables know, by exact symbol name: 0 sliders, 1 progress
// bars, 2 dial, 3 gauge, 4 value display, 5 play control; -1 for any other symbol.
int SingleValueTypeIndex(const std::string& symbol);

// One help topic per single-value type; -1 where the type has no topic of its own.
using SingleValueTopics = std::array<int, 6>;
inline int TopicFor(const SingleValueTopics& topics, int typeIndex)
{
    return typeIndex < 0 || typeIndex >= static_cast<int>(topics.size()) ? -1 : topics[typeIndex];
}

} // namespace pages

class CSingleValueGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 237,
        IDC_TITLE_GROUP = 2000,
        IDC_TITLE = 2001,
        IDC_DATA_LABEL = 2002,
        IDC_DATA = 2003,
        IDC_DATA_LINK = 2004,
        IDC_HORIZONTAL = 2005,
        IDC_VERTICAL = 2006,
        IDC_DATA_GROUP = 2007,
        IDC_ORIENTATION_GROUP = 2008,
        IDC_HELP_MOVIE = 2009,
        IDC_TITLE_LINK = 2010,
    };
    // A grid of more cells than this asks before it is linked.
    static constexpr std::uint32_t kGridCellLimit = 81;
    static constexpr const char* kLargeRangeTip = "TIP: You may want to consider a smaller range. The current "
                                                  "selection you have made may impact your computer's performance.";

    static DialogTemplate MakeTemplate();

    CSingleValueGeneralPage();
    ~CSingleValueGeneralPage() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    void OnLinkToCell();

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CParameter* Value() const;
    void ShowValue();
    void CommitValue();

    CInPlaceEdit m_data;
};
