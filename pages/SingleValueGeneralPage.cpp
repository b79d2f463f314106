#include "pages/SingleValueGeneralPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/TextUtil.h"
#include "model/ValueList.h"
#include "pages/HelpMovieDialog.h"
#include "pages/PageKit.h"

#include <cstdio>

using namespace pages;
using model::ParamType;

namespace pages {

int SingleValueTypeIndex(const std::string& symbol)
{
    struct Entry {
        const char* symbol;
        int index;
    };
    static const Entry kTypes[] = {
        {"KVSliderVSymbol", 0},      {"KVSliderHSymbol", 0},    {"KVProgressBarVSymbol", 1},
        {"KVProgressBarHSymbol", 1}, {"KVDialSymbol", 2},       {"KVGaugeSymbol", 3},
        {"KVValueDisplaySymbol", 4}, {"KVPlayNormalSymbol", 5},
    };
    for (const Entry& entry : kTypes)
        if (symbol == entry.symbol)
            return entry.index;
    return -1;
}

} // namespace pages

namespace {

// The unlinked value as the data edit shows it: numbers in five significant digits, so that a
// long computed value stays readable.
std::string ValueText(const CParameter& value)
{
    if (value.IsUndefined() || model::IsIndexedList(value.GetType()))
        return {};
    switch (value.GetType()) {
    case ParamType::Number:
        return FormatDouble(value.GetDouble(), 5);
    case ParamType::Integer:
        return std::to_string(value.GetInt());
    case ParamType::Text:
    case ParamType::OtherText:
        return value.GetString();
    default:
        return value.GetValueText();
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CSingleValueGeneralPage, CFieldPage)
    .Command(IDC_DATA_LINK, &CSingleValueGeneralPage::OnLinkToCell) END_MESSAGE_MAP()

        DialogTemplate CSingleValueGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Title", IDC_TITLE_GROUP, 7, 7, 241, 34, kGroupStyle)
        .Add("Edit", "", IDC_TITLE, 14, 20, 200, 13, kEditStyle)
        .Add("Static", "Link to Cell: ", IDC_DATA_LABEL, 14, 64, 64, 8, kLabelStyle)
        .Add("Edit", "", IDC_DATA, 80, 62, 134, 13, kEditStyle)
        .Add("Button", "...", IDC_DATA_LINK, 218, 62, 16, 13, kLinkStyle)
        .Add("Button", "Horizontal", IDC_HORIZONTAL, 14, 103, 70, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Vertical", IDC_VERTICAL, 100, 103, 70, 10, kRadioStyle)
        .Add("Button", "Data", IDC_DATA_GROUP, 7, 48, 241, 36, kGroupStyle)
        .Add("Button", "Orientation", IDC_ORIENTATION_GROUP, 7, 90, 241, 30, kGroupStyle)
        .Add("Button", "?", IDC_HELP_MOVIE, 226, 166, 22, 20, kTab)
        .Add("Button", "...", IDC_TITLE_LINK, 218, 20, 16, 13, kLinkStyle);
    return t;
}

namespace {

// The topic of a control by the component's type.
CFieldPage::HelpTopic TypeTopic(const SingleValueTopics& topics)
{
    return [&topics](const CFieldPage& page) {
        return TopicFor(topics, SingleValueTypeIndex(page.GetOwnerComponentType()));
    };
}

const SingleValueTopics kDataTopics = {1060, 1120, 1180, 1250, 1315, 1365};
const SingleValueTopics kTitleTopics = {1055, 1115, 1175, 1245, 1310, 1355};
const SingleValueTopics kOtherTopics = {1050, 1110, 1165, 1240, 1305, 1350};

std::vector<ParamField> Rows()
{
    using Page = CSingleValueGeneralPage;
    FieldPolicy hide;
    hide.hideMissing = true;
    std::vector<ParamField> rows = {
        LinkedRow(Page::IDC_TITLE, Page::IDC_TITLE_LINK, "title"),
        // The value typed or linked, with the grid's size check and typing by the bound type.
        OwnRow({Page::IDC_DATA, Page::IDC_DATA_LINK}, {"mv"}),
        RadioRow({Page::IDC_HORIZONTAL, Page::IDC_VERTICAL, Page::IDC_ORIENTATION_GROUP}, "orientation",
                 {"Horizontal", "Vertical"}, hide),
        CommandRow(Page::IDC_HELP_MOVIE,
                   [](CFieldPage& page) {
                       CHelpMovieDialog help(&page);
                       help.SetComponent(page.GetRootSet(), page.GetOwnerComponentType());
                       help.DoModal();
                   }),
    };
    rows[0].help = TypeTopic(kTitleTopics);
    rows[1].help = TypeTopic(kDataTopics);
    return rows;
}

} // namespace

CSingleValueGeneralPage::CSingleValueGeneralPage()
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), TypeTopic(kOtherTopics))
{
}

CSingleValueGeneralPage::~CSingleValueGeneralPage()
{
    // The data edit commits what was typed when it loses the focus, and it reports to this
    // page: it must go while the page is still whole.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

CParameter* CSingleValueGeneralPage::Value() const
{
    CParameter* value = FieldSet() != nullptr ? FieldSet()->FindParameter("mv") : nullptr;
    return value != nullptr && value->GetBinding() != nullptr ? value : nullptr;
}

BOOL CSingleValueGeneralPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    ReplaceControl(m_data, IDC_DATA, GetDialogFont());
    return TRUE;
}

BOOL CSingleValueGeneralPage::OnSetActive()
{
    ShowValue();
    return CFieldPage::OnSetActive();
}

void CSingleValueGeneralPage::ShowValue()
{
    const CParameter* value = Value();
    std::string text;
    bool typable = value != nullptr;
    if (value != nullptr) {
        const CCellBinding& binding = *value->GetBinding();
        if (binding.IsBound())
            text = binding.GetTexts().GetRangeText();
        else
            text = ValueText(binding.GetValue());
        // A list of values can only come from cells.
        typable = !model::IsIndexedList(binding.GetValue().GetType());
    }
    m_data.SetWindowText(text);
    m_data.SetBaseline(text);
    m_data.EnableWindow(typable ? TRUE : FALSE);
    EnableItems(*this, {IDC_DATA_LINK}, value != nullptr);
}

void CSingleValueGeneralPage::OnLinkToCell()
{
    CParameter* value = Value();
    if (value == nullptr)
        return;
    CRangeCheck gridCheck;
    gridCheck.askToContinue = true;
    gridCheck.checks = CRangeCheck::kMaxCells;
    gridCheck.limit = kGridCellLimit;
    gridCheck.message = kLargeRangeTip;
    const bool grid = GetOwnerComponentType() == "KVGridSymbol";
    if (!PickCells(*this, value, IDC_DATA, &m_data, grid ? &gridCheck : nullptr))
        return;
    ShowValue();
    NotifyOwnerChanged();
}

void CSingleValueGeneralPage::CommitValue()
{
    CParameter* value = Value();
    if (value == nullptr)
        return;
    const std::string text = m_data.GetWindowText();
    CParameter& bound = value->GetBinding()->GetValue();
    const ParamType type = bound.GetType();
    const bool isText = model::IsStringType(type);
    // Only a text or a number can be typed; anything else keeps its link and its value rather
    // than losing the link for nothing.
    if (!text.empty() && !isText && type != ParamType::Number && type != ParamType::Integer) {
        ShowValue();
        return;
    }
    Unlink(value);
    if (text.empty())
        bound.SetUndefined(true);
    else if (isText)
        bound.SetString(text, true);
    else if (type == ParamType::Number)
        bound.SetDouble(ParseDouble(text), true);
    else
        bound.SetInt(ParseInt(text), true);
    ShowValue();
    NotifyOwnerChanged();
}

LRESULT CSingleValueGeneralPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INPLACE_NOTIFY && static_cast<int>(lParam) == IDC_DATA) {
        CommitValue();
        return 0;
    }
    return CFieldPage::WindowProc(message, wParam, lParam);
}
