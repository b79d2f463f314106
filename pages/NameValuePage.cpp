#include "pages/NameValuePage.h"

#include "model/ParameterSet.h"
#include "propui/PropertyListCtrl.h"

#include <algorithm>

BOOL CNameValuePage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                            CParameterSet* root)
{
    CParameterListPage::Create(group, title, modal, owner, root);
    std::size_t length = std::min(title.size(), kMaxTitle);
    // Never in the middle of a character.
    while (length < title.size() && length > 0 && (static_cast<unsigned char>(title[length]) & 0xC0) == 0x80)
        --length;
    m_psp.title = title.substr(0, length);
    return TRUE;
}

BOOL CNameValuePage::OnInitDialog()
{
    CParameterListPage::OnInitDialog();
    if (GetList() != nullptr)
        GetList()->SetHoldWrites(IsModalSheet());
    return TRUE;
}

void CNameValuePage::OnOK()
{
    CPropertyListCtrl* list = GetList();
    if (!IsModalSheet() || list == nullptr || list->GetSafeHwnd() == nullptr)
        return;
    if (list->WriteHeldRows())
        NotifyOwnerChanged();
}

BOOL CNameValuePage::OnSetActive()
{
    if (GetList() != nullptr && GetList()->GetSafeHwnd() != nullptr)
        OnSheetSize();
    return CParameterListPage::OnSetActive();
}

void CNameValuePage::OnSheetSize()
{
    CParameterListPage::OnSheetSize();
    CPropertyListCtrl* list = GetList();
    if (list == nullptr || list->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int rows = GetGroup() != nullptr ? GetGroup()->GetCount() : 0;
    const int usable = client.Width() - (rows <= list->GetCountPerPage() ? 5 : 25);
    list->SetColumnWidth(0, usable / 3);
    list->SetColumnWidth(1, usable - usable / 3);
}
