#include "pages/InputTextBehaviorPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"

using namespace pages;

namespace {

constexpr const char* kTextAreaSymbol = "KVTextAreaInputSymbol";

} // namespace

DialogTemplate CInputTextBehaviorPage::MakeTemplate(bool textArea)
{
    // Each layout hides what its component does not have, in the place the other one uses.
    const DWORD areaOnly = textArea ? 0 : WS_VISIBLE;
    const DWORD inputOnly = textArea ? WS_VISIBLE : 0;
    DialogTemplate t = CCommonBehaviorPage::MakeTemplate();
    t.id = textArea ? IDD_TEXT_AREA : IDD_INPUT;
    t.Add("Button", "Behavior Options", IDC_OPTIONS_GROUP, 7, 120, 241, textArea ? 76 : 48, kGroupStyle)
        .Add("Button", "HTML", IDC_HTML, 14, 133, 70, 10, kCheckStyle & ~areaOnly)
        .Add("Edit", "", IDC_MAX_CHARS, 196, 131, 44, 13, kEditStyle);
    AddScrollGroups(t, 14, 146, 227);
    for (auto& item : t.items)
        if (item.id >= IDC_H_ENABLE && item.id <= IDC_V_GROUP)
            item.style &= ~areaOnly;
    t.Add("Static", "Characters Allowed ", IDC_RESTRICT_LABEL, 14, 151, 80, 8, kLabelStyle & ~inputOnly)
        .Add("Edit", "", IDC_RESTRICT, 98, 149, 122, 13, kEditStyle & ~inputOnly)
        .Add("Button", "...", IDC_RESTRICT_LINK, 224, 149, 16, 13, kTab & ~inputOnly)
        .Add("Button", "Password Input", IDC_PASSWORD, 14, 133, 80, 10, kCheckStyle & ~inputOnly)
        .Add("Button", "Maximum Characters", IDC_USE_MAX_CHARS, 98, 133, 94, 10, kCheckStyle);
    return t;
}

namespace {

bool IsInput(const CFieldPage& page)
{
    return page.GetOwnerComponentType() == "KVInputTextSymbol";
}

std::vector<ParamField> OptionRows()
{
    using Page = CInputTextBehaviorPage;
    CLinkedValueEdit::Policy restrict;
    restrict.emptyOnClear = true;
    ParamField restrictRow = LinkedRow(Page::IDC_RESTRICT, Page::IDC_RESTRICT_LINK, "restrict", {});
    restrictRow.policy.linked = restrict;
    restrictRow.ids.push_back(Page::IDC_RESTRICT_LABEL);
    std::vector<ParamField> rows = {
        CheckRow(Page::IDC_HTML, "html"),
        CheckRow(Page::IDC_PASSWORD, "password"),
        restrictRow,
        CheckRow(Page::IDC_USE_MAX_CHARS, "useMaxChars"),
        // Without the switch the limit is always usable.
        EnabledWhen(NumberRow(Page::IDC_MAX_CHARS, "maxChars"),
                    [](const CFieldPage& page) {
                        const CParameterSet* set = page.FieldSet();
                        const CParameter* use = set != nullptr ? set->FindParameter("useMaxChars") : nullptr;
                        return use == nullptr || use->GetBool();
                    }),
    };
    for (ParamField& row : rows)
        row.help = [](const CFieldPage& page) { return IsInput(page) ? 2826 : 2791; };
    return rows;
}

} // namespace

CInputTextBehaviorPage::CInputTextBehaviorPage()
    : CLabelBehaviorPage(
          [](const CFieldPage& page) {
              return MakeTemplate(page.GetOwnerComponentType() == kTextAreaSymbol);
          },
          2793, 2792, OptionRows(), [](const CFieldPage& page) { return IsInput(page) ? 2825 : 2790; })
{
}

bool CInputTextBehaviorPage::WrapsText() const
{
    // The text inputs keep "wordWrap" in one of their groups (Behavior or Appearance).
    const CParameter* wrap = FindInComponent(GetRootSet(), "wordWrap");
    return wrap != nullptr && wrap->GetBool();
}
