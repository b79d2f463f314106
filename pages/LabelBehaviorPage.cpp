#include "pages/LabelBehaviorPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"

using namespace pages;

void CLabelBehaviorPage::AddScrollGroups(DialogTemplate& t, int left, int top, int width)
{
    const int box = (width - 6) / 2;
    const int right = left + box + 6;
    // The first button of each triplet and the box after it bound the radio groups.
    t.Add("Button", "Enable", IDC_H_ENABLE, left + 7, top + 11, box - 14, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Disable", IDC_H_DISABLE, left + 7, top + 22, box - 14, 10, kRadioStyle)
        .Add("Button", "Auto Hide", IDC_H_AUTOHIDE, left + 7, top + 33, box - 14, 10, kRadioStyle)
        .Add("Button", "Horizontal Scroll Behavior", IDC_H_GROUP, left, top, box, 47, kGroupStyle | WS_GROUP)
        .Add("Button", "Enable", IDC_V_ENABLE, right + 7, top + 11, box - 14, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Disable", IDC_V_DISABLE, right + 7, top + 22, box - 14, 10, kRadioStyle)
        .Add("Button", "Auto Hide", IDC_V_AUTOHIDE, right + 7, top + 33, box - 14, 10, kRadioStyle)
        .Add("Button", "Vertical Scroll Behavior", IDC_V_GROUP, right, top, box, 47, kGroupStyle | WS_GROUP);
}

DialogTemplate CLabelBehaviorPage::MakeTemplate()
{
    DialogTemplate t = CCommonBehaviorPage::MakeTemplate();
    t.id = IDD;
    AddScrollGroups(t, 7, 124, 241);
    return t;
}

std::vector<ParamField> CLabelBehaviorPage::ScrollRows(int horizontalTopic, int verticalTopic,
                                                       std::vector<ParamField> more)
{
    // The horizontal choice follows the Appearance tab's "Wrap Text", so it is read again
    // whenever this tab is shown.
    std::vector<ParamField> rows = {
        EnabledWhen(
            WithHelp(
                ScrollRow({IDC_H_ENABLE, IDC_H_DISABLE, IDC_H_AUTOHIDE, IDC_H_GROUP}, "hScrollBarBehavior"),
                horizontalTopic),
            [](const CFieldPage& page) { return !static_cast<const CLabelBehaviorPage&>(page).WrapsText(); }),
        WithHelp(ScrollRow({IDC_V_ENABLE, IDC_V_DISABLE, IDC_V_AUTOHIDE, IDC_V_GROUP}, "vScrollBarBehavior"),
                 verticalTopic)};
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

CLabelBehaviorPage::CLabelBehaviorPage()
    : CCommonBehaviorPage([](const CFieldPage&) { return MakeTemplate(); }, ScrollRows(1447, 1426, {}), {})
{
}

CLabelBehaviorPage::CLabelBehaviorPage(TemplateMaker makeTemplate, int horizontalTopic, int verticalTopic,
                                       std::vector<ParamField> more, HelpTopic defaultHelp)
    : CCommonBehaviorPage(std::move(makeTemplate),
                          ScrollRows(horizontalTopic, verticalTopic, std::move(more)), std::move(defaultHelp))
{
}

bool CLabelBehaviorPage::WrapsText() const
{
    const CParameter* format = FindInComponent(GetRootSet(), "formatValue");
    return format != nullptr && format->GetSet() != nullptr && BoolOf(format->GetSet(), "AWrapText");
}

void CLabelBehaviorPage::OnFieldChanged(const ParamField& row)
{
    if (row.kind == FieldKind::TypedVisibility)
        NotifyOwnerChanged();
}
