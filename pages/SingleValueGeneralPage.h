#pragma once

// The "General" tab of the single-value components (sliders, progress bars, dials, gauges,
// value displays, the play control and the grid): the title, the cell the value is bound to,
// the orientation, and the component's help movie.

#include "pages/PageBlocks.h"
#include "pages/TemplatePage.h"
#include "platform/controls/InPlaceEdit.h"
#include "propui/ComponentPage.h"

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

class CSingleValueGeneralPage : public CComponentPage {
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

    ~CSingleValueGeneralPage() override;

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override {}
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    int GetTypeIndex() const { return m_typeIndex; }

    void OnHorizontal() { StoreOrientation("Horizontal"); }
    void OnVertical() { StoreOrientation("Vertical"); }
    void OnLinkToCell();
    void OnTitleCell() { m_title.OnLink(); }
    void OnHelpMovie();
    LRESULT OnEditCommitted(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* Group() const { return pages::PageGroup(*this, "General"); }
    CParameter* Value() const;
    void ShowTitle();
    void ShowValue();
    void ShowOrientation();
    void StoreOrientation(const char* text);
    void CommitValue();

    pages::CLinkedValueEdit m_title;
    CInPlaceEdit m_data;
    int m_typeIndex = -1;
};
