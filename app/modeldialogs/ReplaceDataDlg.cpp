#include "app/modeldialogs/ReplaceDataDlg.h"

#include "app/workbook/WorkbookPicker.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/drawing/DC.h"
#include "publish/ExportRecord.h"
#include "sheet/cells/CellModel.h"
#include "sheet/host/ExcelHost.h"

#include <algorithm>

namespace {

constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;

bool SameNoCase(const std::string& a, const std::string& b)
{
    return ui::EqualsNoCase(a, b);
}

} // namespace

BEGIN_MESSAGE_MAP(CReplaceDataDlg, CDialog)
    .Command(IDC_ADD, &CReplaceDataDlg::OnAdd)
    .Command(IDC_REMOVE, &CReplaceDataDlg::OnRemove)
    .Command(IDC_PICK_RANGE, &CReplaceDataDlg::OnPickRange)
    .Command(IDC_CLOSE, &CReplaceDataDlg::OnOK)
    .Control(EN_KILLFOCUS, IDC_RANGE_NAME, &CReplaceDataDlg::OnNameKillFocus)
    .Control(LBN_SELCHANGE, IDC_RANGE_LIST, &CReplaceDataDlg::RefreshFields) END_MESSAGE_MAP()

DialogTemplate CReplaceDataDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = kCaption;
    t.cx = 250;
    t.cy = 160;
    t.Add("Static", "Select the cell ranges that you would like to configure to be replaced by an external data source.",
          0xFFFF, 7, 7, 236, 18, WS_VISIBLE)
        .Add("ListBox", "", IDC_RANGE_LIST, 7, 30, 120, 100, kTab | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY)
        .Add("Button", "&Add", IDC_ADD, 134, 30, 50, 14, kTab)
        .Add("Button", "&Remove", IDC_REMOVE, 190, 30, 50, 14, kTab)
        .Add("Static", "Range Name", 0xFFFF, 134, 54, 100, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_RANGE_NAME, 134, 64, 106, 14, kTab | WS_BORDER | ES_AUTOHSCROLL)
        .Add("Static", "Range Selection", 0xFFFF, 134, 86, 100, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_RANGE_SELECTION, 134, 96, 86, 14, kTab | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY)
        .Add("Button", "", IDC_PICK_RANGE, 222, 96, 18, 14, kTab | BS_ICON)
        .Add("Button", "OK", IDC_CLOSE, 190, 139, 50, 14, kTab | BS_DEFPUSHBUTTON);
    return t;
}

CReplaceDataDlg::CReplaceDataDlg(CWnd* parent, ReplaceDataDocument document)
    : CDialog(IDD, parent), m_document(std::move(document))
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());
    RegisterPickerPictures();
}

BOOL CReplaceDataDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDefID(IDC_CLOSE);
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_RANGE_LIST));
    if (m_document.entries != nullptr)
        for (const CRangeEntry& entry : *m_document.entries)
            list->AddString(entry.name.c_str());
    m_minExtent = list->GetHorizontalExtent();
    RefreshFields();
    static_cast<CButton*>(GetDlgItem(IDC_PICK_RANGE))->SetIcon(kPickIcon);
    CenterWindow();
    return TRUE;
}

CRangeEntry* CReplaceDataDlg::Selected()
{
    if (m_document.entries == nullptr || m_selected < 0 ||
        m_selected >= static_cast<int>(m_document.entries->size()))
        return nullptr;
    return &(*m_document.entries)[static_cast<std::size_t>(m_selected)];
}

void CReplaceDataDlg::RefreshFields()
{
    m_selected = static_cast<CListBox*>(GetDlgItem(IDC_RANGE_LIST))->GetCurSel();
    const CRangeEntry* entry = Selected();
    GetDlgItem(IDC_RANGE_NAME)->EnableWindow(entry != nullptr);
    GetDlgItem(IDC_PICK_RANGE)->EnableWindow(entry != nullptr);
    SetDlgItemText(IDC_RANGE_NAME, entry != nullptr ? entry->name : std::string());
    SetDlgItemText(IDC_RANGE_SELECTION, entry != nullptr ? entry->rangeText : std::string());
    UpdateExtent();
}

void CReplaceDataDlg::UpdateExtent()
{
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_RANGE_LIST));
    const CFont* font = list->GetFont();
    const LOGFONT record = font != nullptr ? font->GetLogFontRef() : LOGFONT{};
    int extent = m_minExtent;
    for (int i = 0; i < list->GetCount(); ++i)
        extent = std::max(extent, ui::TextWidth(list->GetText(i), record));
    list->SetHorizontalExtent(extent);
}

void CReplaceDataDlg::OnAdd()
{
    if (m_document.entries == nullptr)
        return;
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_RANGE_LIST));
    // The first of Range0, Range1, ... that no item holds in any letter case.
    std::string name;
    for (int n = 0;; ++n) {
        name = "Range" + std::to_string(n);
        if (list->FindStringExact(-1, name.c_str()) == LB_ERR)
            break;
    }
    m_document.entries->push_back(CRangeEntry{-1, name, {}});
    const int index = list->AddString(name.c_str());
    list->SetCurSel(index);
    RefreshFields();
}

void CReplaceDataDlg::OnRemove()
{
    if (Selected() == nullptr)
        return;
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_RANGE_LIST));
    const int index = m_selected;
    m_document.entries->erase(m_document.entries->begin() + index);
    list->DeleteString(static_cast<UINT>(index));
    const int count = list->GetCount();
    list->SetCurSel(count == 0 ? -1 : std::min(index, count - 1));
    RefreshFields();
}

void CReplaceDataDlg::RestoreName(const std::string& name)
{
    SetDlgItemText(IDC_RANGE_NAME, name);
    auto* edit = static_cast<CEdit*>(GetDlgItem(IDC_RANGE_NAME));
    edit->SetSel(0, -1);
    edit->SetFocus();
}

void CReplaceDataDlg::OnNameKillFocus()
{
    CRangeEntry* entry = Selected();
    if (entry == nullptr)
        return;
    const std::string text = GetDlgItemText(IDC_RANGE_NAME);
    if (text == entry->name)
        return;
    if (text.empty()) {
        ShowMessageBox(this, kEmptyNameText, "Warning", MB_OK | MB_ICONEXCLAMATION);
        RestoreName(entry->name);
        return;
    }
    // The names become members of one object in the published movie, whose names do not
    // tell letter cases apart: a name that differs from another only in case would take its
    // place, so it is refused as Add never makes one.
    for (std::size_t i = 0; i < m_document.entries->size(); ++i) {
        if (static_cast<int>(i) != m_selected && SameNoCase((*m_document.entries)[i].name, text)) {
            ShowMessageBox(this, text + kDuplicateText, "Warning", MB_OK | MB_ICONEXCLAMATION);
            RestoreName(entry->name);
            return;
        }
    }
    entry->name = text;
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_RANGE_LIST));
    const int index = m_selected;
    list->DeleteString(static_cast<UINT>(index));
    list->InsertString(index, text.c_str());
    list->SetCurSel(index);
    UpdateExtent();
}

void CReplaceDataDlg::OnPickRange()
{
    if (Selected() == nullptr)
        return;
    CExcelHost* host = CExcelHost::GetCurrent();
    if (host == nullptr || m_document.model == nullptr || !m_document.model->IsLoaded()) {
        ShowMessageBox(this, kNoModelText, "Warning", MB_OK | MB_ICONEXCLAMATION);
        // The import runs on its own; the user picks once it is done, not from a model that
        // is still being read.
        if (m_document.importModel && m_document.importModel() && m_document.reload)
            m_document.reload(m_document);
        return;
    }
    if (m_document.table == nullptr)
        return;
    const int index = m_selected;
    std::string text = GetDlgItemText(IDC_RANGE_SELECTION);
    const CRangeSelection picked = host->GetSelectedRange(*m_document.model, *m_document.table, text, false);
    // The entry is looked up again: the list is the base movie's, not this dialog's.
    m_selected = index;
    if (CRangeEntry* entry = Selected()) {
        if (picked.outcome == sheet::RangePickOutcome::Picked && picked.rangeIndex >= 0) {
            entry->rangeIndex = picked.rangeIndex;
            entry->rangeText = text;
            SetDlgItemText(IDC_RANGE_SELECTION, text);
        } else if (picked.outcome == sheet::RangePickOutcome::Cleared) {
            entry->rangeIndex = -1;
            entry->rangeText.clear();
            SetDlgItemText(IDC_RANGE_SELECTION, std::string());
        }
    }
    // The host gives the main window back when the pick ends; this dialog is still modal.
    if (CWnd* main = m_pParentWnd != nullptr ? m_pParentWnd->GetTopLevelParent() : nullptr; main != nullptr && main != this)
        main->EnableWindow(FALSE);
    EnableWindow(TRUE);
    SetFocus();
}

void CReplaceDataDlg::OnOK()
{
    // A name typed and not yet left is kept as leaving the edit would keep it.
    if (CWnd::GetFocus() == GetDlgItem(IDC_RANGE_NAME) && Selected() != nullptr) {
        const std::string typed = GetDlgItemText(IDC_RANGE_NAME);
        OnNameKillFocus();
        if (Selected() != nullptr && Selected()->name != typed)
            return; // refused: the dialog stays for another name
    }
    EndDialog(IDOK);
}

void CReplaceDataDlg::OnCancel()
{
    // There is nothing to cancel: every change is in the list already.
    OnOK();
}
