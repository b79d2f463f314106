#include "pages/InputTextGeneralPages.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"

using namespace pages;

// ---- the "Insert Data" group ----

BEGIN_MESSAGE_MAP(CInsertDataPage, CComponentPage)
    .Command(IDC_INSERT_LINK, &CInsertDataPage::OnInsertLink)
    .Command(IDC_INSERT_ON_LOAD, &CInsertDataPage::OnInsertOnLoad) END_MESSAGE_MAP()

void CInsertDataPage::AddInsertData(DialogTemplate& t, int top)
{
    t.Add("Button", "Insert Data", IDC_INSERT_GROUP, 7, top, 241, 50, kGroupStyle)
        .Add("Button", "Insert on Load", IDC_INSERT_ON_LOAD, 14, top + 14, 90, 10, kCheckStyle)
        .Add("Static", "Insert In:", IDC_INSERT_LABEL, 14, top + 32, 40, 8, kLabelStyle)
        .Add("Edit", "", IDC_INSERT_RANGE, 58, top + 30, 156, 13, kRangeStyle)
        .Add("Button", "...", IDC_INSERT_LINK, 218, top + 30, 16, 13, kTab);
}

CParameter* CInsertDataPage::InsertTarget() const
{
    // The cell shown is the cell the link changes. Components that also keep their label's
    // binding in "labelValue" insert into "insertInto", so that key comes first.
    return FindFirst(Group(), {"insertInto", "labelValue"});
}

void CInsertDataPage::AttachInsertData()
{
    BindCheckBoxInSet("insertLoad", IDC_INSERT_ON_LOAD, Group(), false);
    const CParameter* target = InsertTarget();
    const CCellBinding* binding = target != nullptr ? target->GetBinding() : nullptr;
    SetDlgItemText(IDC_INSERT_RANGE, binding != nullptr ? binding->GetTexts().GetRangeText() : std::string());
    EnableItems(*this, {IDC_INSERT_LINK}, binding != nullptr);
}

bool CInsertDataPage::IsInsertDataControl(int id) const
{
    return id == IDC_INSERT_RANGE || id == IDC_INSERT_LINK || id == IDC_INSERT_ON_LOAD;
}

void CInsertDataPage::OnInsertLink()
{
    if (PickCells(*this, InsertTarget(), IDC_INSERT_RANGE, nullptr))
        NotifyOwnerChanged();
}

void CInsertDataPage::OnInsertOnLoad()
{
    // The stage does not show it; the document still has to be saved.
    if (StoreCheck(*this, IDC_INSERT_ON_LOAD, Group(), "insertLoad"))
        MarkDocumentChanged();
}

// ---- single-line input ----

BEGIN_MESSAGE_MAP(CInputTextGeneralPage, CInsertDataPage)
    .Command(IDC_DEFAULT_LINK, &CInputTextGeneralPage::OnDefaultLink)
    .Message(WM_INPLACE_NOTIFY, &CInputTextGeneralPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CInputTextGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Default Data", IDC_DEFAULT_GROUP, 7, 7, 241, 34, kGroupStyle)
        .Add("Edit", "", IDC_DEFAULT, 14, 20, 200, 13, kEditStyle)
        .Add("Button", "...", IDC_DEFAULT_LINK, 218, 20, 16, 13, kTab);
    AddInsertData(t, 48);
    return t;
}

BOOL CInputTextGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameter* text = Group()->FindParameter("defaultText");
    m_default.Attach(*this, text, IDC_DEFAULT, IDC_DEFAULT_LINK, CLinkedValueEdit::Policy{});
    // A default text that is not a binding can only be typed.
    if (text != nullptr && text->GetBinding() == nullptr)
        EnableItems(*this, {IDC_DEFAULT_LINK}, false);
    AttachInsertData();
    return TRUE;
}

LRESULT CInputTextGeneralPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    m_default.OnCommit(static_cast<int>(lParam));
    return 0;
}

int CInputTextGeneralPage::GetHelpContextId()
{
    const int id = GetFocusedPageControlId();
    if (IsInsertDataControl(id))
        return 2820;
    if (id == IDC_DEFAULT || id == IDC_DEFAULT_LINK)
        return 2815;
    return 2810;
}

// ---- text area ----

BEGIN_MESSAGE_MAP(CTextAreaGeneralPage, CInsertDataPage)
    .Command(IDC_FROM_CELL, &CTextAreaGeneralPage::OnFromCell)
    .Command(IDC_ENTER_TEXT, &CTextAreaGeneralPage::OnEnterText)
    .Command(IDC_DEFAULT_LINK, &CTextAreaGeneralPage::OnDefaultLink)
    .Control(EN_CHANGE, IDC_DEFAULT_TEXT, &CTextAreaGeneralPage::OnTextChanged) END_MESSAGE_MAP()

DialogTemplate CTextAreaGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Default Data", IDC_DEFAULT_GROUP, 7, 7, 241, 118, kGroupStyle)
        .Add("Button", "Default Text From Cell", IDC_FROM_CELL, 14, 20, 100, 10, kRadioStyle | WS_GROUP)
        .Add("Edit", "", IDC_DEFAULT_RANGE, 24, 33, 190, 13, kRangeStyle)
        .Add("Button", "...", IDC_DEFAULT_LINK, 218, 33, 16, 13, kTab)
        .Add("Button", "Enter Text", IDC_ENTER_TEXT, 14, 52, 100, 10, kRadioStyle)
        .Add("Edit", "", IDC_DEFAULT_TEXT, 24, 65, 210, 54,
             kTab | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL);
    AddInsertData(t, 132);
    return t;
}

BOOL CTextAreaGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    m_default.Attach(*this, Group()->FindParameter("defaultText"),
                     {IDC_FROM_CELL, IDC_ENTER_TEXT, IDC_DEFAULT_RANGE, IDC_DEFAULT_LINK, IDC_DEFAULT_TEXT});
    AttachInsertData();
    return TRUE;
}

int CTextAreaGeneralPage::GetHelpContextId()
{
    const int id = GetFocusedPageControlId();
    if (IsInsertDataControl(id))
        return 2772;
    switch (id) {
    case IDC_DEFAULT_TEXT:
    case IDC_DEFAULT_LINK:
    case IDC_FROM_CELL:
    case IDC_ENTER_TEXT:
    case IDC_DEFAULT_RANGE:
        return 2771;
    default:
        return 2770;
    }
}
