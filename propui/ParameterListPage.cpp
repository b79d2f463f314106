#include "propui/ParameterListPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/dialogs/DialogTemplate.h"
#include "propui/PropertyListCtrl.h"

namespace {

DialogTemplate PlainPageTemplate(const std::string& title)
{
    DialogTemplate t;
    t.caption = title;
    t.style = WS_CHILD | DS_CONTROL | DS_SETFONT;
    t.cx = 200;
    t.cy = 260;
    return t;
}

} // namespace

CParameterListPage::CParameterListPage() = default;
CParameterListPage::~CParameterListPage() = default;

BOOL CParameterListPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                                CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(PlainPageTemplate(title));
    m_psp.title = title;
    m_psp.dwFlags |= PSP_USETITLE;
    return TRUE;
}

BOOL CParameterListPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    m_list = std::make_unique<CPropertyListCtrl>();
    CRect client;
    GetClientRect(&client);
    m_list->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                       LVS_OWNERDRAWFIXED,
                   client, this, kListId);
    m_list->SetContext(GetContext());
    const int width = client.Width() > 60 ? client.Width() : 200;
    m_list->Init("Name", width / 2, "Value", width - width / 2, false);
    FillList();
    LayoutList();
    return TRUE;
}

void CParameterListPage::FillList()
{
    m_list->DeleteAllRows();
    CParameterSet* group = GetGroup();
    m_list->SetParameterSet(group);
    if (group == nullptr)
        return;
    for (int i = 0; i < group->GetCount(); ++i) {
        if (CParameter* parameter = group->GetAt(i))
            m_list->AddParameterRow(parameter);
    }
}

void CParameterListPage::LayoutList()
{
    if (!m_list || m_list->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_list->MoveWindow(client, TRUE);
    CRect inside;
    m_list->GetClientRect(&inside);
    m_list->FitColumns(inside.Width());
}

void CParameterListPage::OnSheetSize()
{
    LayoutList();
}

LRESULT CParameterListPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        const LRESULT result = CComponentPage::WindowProc(message, wParam, lParam);
        LayoutList();
        return result;
    }
    // The list has written the row's value into its parameter by now.
    if (message == WM_INPLACE_NOTIFY && m_list && lParam >= 0 &&
        static_cast<int>(lParam) <= 1 && m_list->TakeCommitted()) {
        NotifyOwnerChanged();
        return 0;
    }
    return CComponentPage::WindowProc(message, wParam, lParam);
}
