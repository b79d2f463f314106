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
        {"KVSliderVSymbol", 0}, {"KVSliderHSymbol", 0},      {"KVProgressBarVSymbol", 1},
        {"KVProgressBarHSymbol", 1}, {"KVDialSymbol", 2},     {"KVGaugeSymbol", 3},
        {"KVValueDisplaySymbol", 4}, {"KVPlayNormalSymbol", 5},
    };
    for (const Entry& entry : kTypes)
        if (symbol == entry.symbol)
            return entry.index;
    return -1;
}

} // namespace pages

namespace {

bool IsListValue(ParamType type)
{
    return type == ParamType::List || type == ParamType::CellList || type == ParamType::CellTable;
}

// The unlinked value as the data edit shows it: numbers in five significant digits, so that a
// long computed value stays readable.
std::string ValueText(const CParameter& value)
{
    if (value.IsUndefined() || IsListValue(value.GetType()))
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

BEGIN_MESSAGE_MAP(CSingleValueGeneralPage, CComponentPage)
    .Command(IDC_HORIZONTAL, &CSingleValueGeneralPage::OnHorizontal)
    .Command(IDC_VERTICAL, &CSingleValueGeneralPage::OnVertical)
    .Command(IDC_DATA_LINK, &CSingleValueGeneralPage::OnLinkToCell)
    .Command(IDC_TITLE_LINK, &CSingleValueGeneralPage::OnTitleCell)
    .Command(IDC_HELP_MOVIE, &CSingleValueGeneralPage::OnHelpMovie)
    .Message(WM_INPLACE_NOTIFY, &CSingleValueGeneralPage::OnEditCommitted) END_MESSAGE_MAP()

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

CSingleValueGeneralPage::~CSingleValueGeneralPage()
{
    // The controls commit what was typed when they lose the focus, and they report to this
    // page: they must go while the page is still whole.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CSingleValueGeneralPage::Create(CParameterSet* group, const std::string& title, bool modal,
                                     IPropertyOwner* owner, CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate());
    m_typeIndex = SingleValueTypeIndex(GetOwnerComponentType());
    return TRUE;
}

CParameter* CSingleValueGeneralPage::Value() const
{
    CParameter* value = Group() != nullptr ? Group()->FindParameter("mv") : nullptr;
    return value != nullptr && value->GetBinding() != nullptr ? value : nullptr;
}

BOOL CSingleValueGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    m_title.Attach(*this, Group()->FindParameter("title"), IDC_TITLE, IDC_TITLE_LINK, CLinkedValueEdit::Policy{});
    ReplaceControl(m_data, IDC_DATA, GetDialogFont());
    return TRUE;
}

BOOL CSingleValueGeneralPage::OnSetActive()
{
    // Another page (or the workbook) may have changed any of them since the last time.
    ShowTitle();
    ShowValue();
    ShowOrientation();
    return CComponentPage::OnSetActive();
}

void CSingleValueGeneralPage::ShowTitle()
{
    m_title.Show();
    const CParameter* title = m_title.Parameter();
    m_title.Enable(title != nullptr);
    // A plain text title can only be typed.
    if (title != nullptr && title->GetBinding() == nullptr)
        EnableItems(*this, {IDC_TITLE_LINK}, false);
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
        typable = !IsListValue(binding.GetValue().GetType());
    }
    m_data.SetWindowText(text);
    m_data.SetBaseline(text);
    m_data.EnableWindow(typable ? TRUE : FALSE);
    EnableItems(*this, {IDC_DATA_LINK}, value != nullptr);
}

void CSingleValueGeneralPage::ShowOrientation()
{
    const CParameter* orientation = Group()->FindParameter("orientation");
    ShowItems(*this, {IDC_HORIZONTAL, IDC_VERTICAL, IDC_ORIENTATION_GROUP}, orientation != nullptr);
    const std::string text = ChoiceText(orientation);
    CheckDlgButton(IDC_HORIZONTAL, text == "Horizontal" ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VERTICAL, text == "Vertical" ? BST_CHECKED : BST_UNCHECKED);
}

void CSingleValueGeneralPage::StoreOrientation(const char* text)
{
    CParameter* orientation = Group()->FindParameter("orientation");
    if (orientation == nullptr)
        return;
    if (CValueList* list = orientation->GetValueList())
        list->GetPrototype().SetString(text);
    else
        orientation->SetString(text);
    NotifyOwnerChanged();
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

LRESULT CSingleValueGeneralPage::OnEditCommitted(WPARAM, LPARAM lParam)
{
    const int standsFor = static_cast<int>(lParam);
    if (standsFor == IDC_DATA)
        CommitValue();
    else
        m_title.OnCommit(standsFor);
    return 0;
}

void CSingleValueGeneralPage::OnHelpMovie()
{
    CHelpMovieDialog help(this);
    help.SetComponent(GetRootSet(), GetOwnerComponentType());
    help.DoModal();
}

int CSingleValueGeneralPage::GetHelpContextId()
{
    static const SingleValueTopics kData = {1060, 1120, 1180, 1250, 1315, 1365};
    static const SingleValueTopics kTitle = {1055, 1115, 1175, 1245, 1310, 1355};
    static const SingleValueTopics kOther = {1050, 1110, 1165, 1240, 1305, 1350};
    switch (GetFocusedPageControlId()) {
    case IDC_DATA:
    case IDC_DATA_LINK:
        return TopicFor(kData, m_typeIndex);
    case IDC_TITLE:
    case IDC_TITLE_LINK:
        return TopicFor(kTitle, m_typeIndex);
    default:
        return TopicFor(kOther, m_typeIndex);
    }
}
