#include "propui/EditingDialogs.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/CommonDialogs.h"
#include "propui/PropertyListCtrl.h"

namespace {

std::string LabelFor(int position)
{
    return "Label " + std::to_string(position);
}

} // namespace

// ---- Array ----

BEGIN_MESSAGE_MAP(CArrayDlg, CDialog)
    .Command(CArrayDlg::kAddId, &CArrayDlg::OnAdd)
    .Command(CArrayDlg::kRemoveId, &CArrayDlg::OnRemove) END_MESSAGE_MAP()

CArrayDlg::CArrayDlg(CWnd* parent)
{
    m_pParentWnd = parent;
}

CArrayDlg::~CArrayDlg() = default;

void CArrayDlg::SetParameter(CParameter* array, const std::string& title, bool fixedSize, IPropertyOwner* owner)
{
    m_array = array;
    m_title = title;
    m_fixedSize = fixedSize;
    m_owner = owner;
    m_saved = array != nullptr ? std::make_unique<CParameter>(*array) : nullptr;
}

void CArrayDlg::SetColumnTitles(const std::string& name, const std::string& value)
{
    m_nameTitle = name;
    m_valueTitle = value;
}

INT_PTR CArrayDlg::DoModal()
{
    DialogTemplate t;
    t.id = static_cast<int>(kTemplateId);
    t.caption = m_title;
    t.cx = 220;
    t.cy = 180;
    t.Add("Button", "OK", IDOK, 110, 160, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 164, 160, 50, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Button", "+", kAddId, 6, 160, 20, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Button", "-", kRemoveId, 30, 160, 20, 14, WS_VISIBLE | WS_TABSTOP);
    if (!InitModalIndirect(t, m_pParentWnd))
        return -1;
    return CDialog::DoModal();
}

void CArrayDlg::AddRow(CParameter* element)
{
    if (element == nullptr)
        return;
    m_list->AddParameterRow(element);
}

BOOL CArrayDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_list = std::make_unique<CPropertyListCtrl>();
    m_list->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED |
                       LVS_NOSORTHEADER,
                   CRect(10, 20, client.Width() - 10, client.Height() - 45), this, kListId);
    m_list->SetExtendedStyle(LVS_EX_GRIDLINES);
    m_list->SetContext(m_context);
    CParameterSet* set = m_array != nullptr ? m_array->GetSet() : nullptr;
    m_list->SetParameterSet(set);
    const int width = client.Width() - 20 - 4;
    m_list->Init(m_nameTitle.c_str(), width / 3, m_valueTitle.c_str(), width - width / 3, true);
    if (set != nullptr) {
        for (int i = 0; i < set->GetCount(); ++i) {
            CParameter* element = set->GetAt(i);
            if (element == nullptr)
                continue;
            if (element->GetType() == model::ParamType::List &&
                (element->GetLabel().empty() || element->GetLabel().find("Label") != std::string::npos))
                element->SetLabel(LabelFor(i + 1));
            AddRow(element);
        }
    }
    GetDlgItem(kAddId)->EnableWindow(m_fixedSize ? FALSE : TRUE);
    GetDlgItem(kRemoveId)->EnableWindow(m_fixedSize ? FALSE : TRUE);
    return TRUE;
}

void CArrayDlg::OnAdd()
{
    if (m_array == nullptr || m_fixedSize)
        return;
    const int count = m_array->GetElementCount();
    if (m_enforceBounds && count >= kMaxElements)
        return;
    if (m_maxRows >= 0 && count >= m_maxRows)
        return;
    CParameter* element = m_array->InsertTemplateElement(count);
    if (element == nullptr)
        return;
    element->SetLabel(LabelFor(count + 1));
    using model::ParamType;
    switch (element->GetType()) {
    case ParamType::Text:
    case ParamType::OtherText:
        element->SetString(element->GetLabel());
        break;
    case ParamType::Number:
        element->SetDouble(count);
        break;
    case ParamType::Integer:
        element->SetInt(count);
        break;
    default:
        break;
    }
    AddRow(element);
}

void CArrayDlg::OnRemove()
{
    if (m_array == nullptr || m_fixedSize)
        return;
    const int count = m_array->GetElementCount();
    // The last element always stays: a list needs one to give new ones their kind.
    if (count <= kMinElements || count <= m_minRows)
        return;
    if (m_array->RemoveElementAt(count - 1))
        m_list->DeleteRow(m_list->GetRowCount() - 1);
}

void CArrayDlg::OnOK()
{
    // An edit still open is finished as leaving it would.
    if (m_list)
        m_list->SetFocus();
    EndDialog(IDOK);
}

void CArrayDlg::OnCancel()
{
    if (m_list)
        m_list->DeleteAllRows();
    if (m_array != nullptr && m_saved) {
        m_array->ClearElements();
        m_array->AppendCopiesFrom(*m_saved);
    }
    EndDialog(IDCANCEL);
}

// ---- External File ----

BEGIN_MESSAGE_MAP(CExternalFileDlg, CDialog)
    .Command(CExternalFileDlg::kBrowseId, &CExternalFileDlg::OnBrowse) END_MESSAGE_MAP()

CExternalFileDlg::CExternalFileDlg(CWnd* parent)
{
    m_pParentWnd = parent;
}

INT_PTR CExternalFileDlg::DoModal()
{
    DialogTemplate t;
    t.id = static_cast<int>(kTemplateId);
    t.caption = "External File";
    t.cx = 240;
    t.cy = 70;
    t.Add("Static", "File:", -1, 6, 9, 20, 8, WS_VISIBLE)
        .Add("Edit", "", kFileId, 30, 7, 150, 13, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL)
        .Add("Button", "Browse...", kBrowseId, 184, 6, 50, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Button", "Embedded Asset", kEmbedId, 30, 26, 100, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX)
        .Add("Button", "OK", IDOK, 130, 50, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 184, 50, 50, 14, WS_VISIBLE | WS_TABSTOP);
    if (!InitModalIndirect(t, m_pParentWnd))
        return -1;
    return CDialog::DoModal();
}

BOOL CExternalFileDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CParameter* file = m_set != nullptr ? m_set->FindParameter("fileName") : nullptr;
    CParameter* embed = m_set != nullptr ? m_set->FindParameter("embed") : nullptr;
    SetDlgItemText(kFileId, file != nullptr ? file->GetString() : std::string());
    CheckDlgButton(kEmbedId, embed != nullptr && embed->GetBool() ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CExternalFileDlg::OnBrowse()
{
    const std::string current = GetDlgItemText(kFileId);
    CFileDialog dialog(TRUE, nullptr, current.c_str(), OFN_HIDEREADONLY | OFN_NOCHANGEDIR, "All Files (*.*)|*.*|",
                       this);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(kFileId, dialog.GetPathName());
}

void CExternalFileDlg::OnOK()
{
    if (m_set != nullptr) {
        if (CParameter* file = m_set->FindParameter("fileName"))
            file->SetString(GetDlgItemText(kFileId));
        if (CParameter* embed = m_set->FindParameter("embed"))
            embed->SetBool(IsDlgButtonChecked(kEmbedId) == BST_CHECKED);
    }
    EndDialog(IDOK);
}
