#include "app/modeldialogs/XmlMapsDlg.h"

#include "app/workbook/WorkbookPicker.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ListCtrl.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/drawing/Bitmap.h"
#include "publish/ExportRecord.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/host/ExcelHost.h"

#include <cctype>
#include <climits>
#include <optional>

namespace {

constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;

// The decimal integer at the start of a text ("12abc" is 12); none when the text does not
// start with one or it does not fit.
std::optional<long long> LeadingInteger(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        return std::nullopt;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace

BEGIN_MESSAGE_MAP(CXmlMapsDlg, CDialog)
    .Notify(LVN_ITEMCHANGED, IDC_MAP_LIST, &CXmlMapsDlg::OnItemChanged)
    .Command(IDC_DATA_SELECT, &CXmlMapsDlg::OnDataSelect)
    .Control(EN_CHANGE, IDC_URL, &CXmlMapsDlg::OnUrlChange)
    .Control(EN_CHANGE, IDC_SECONDS, &CXmlMapsDlg::OnSecondsChange)
    .Control(EN_SETFOCUS, IDC_URL, &CXmlMapsDlg::OnUrlSetFocus)
    .Control(EN_KILLFOCUS, IDC_URL, &CXmlMapsDlg::OnUrlKillFocus)
    .Control(EN_SETFOCUS, IDC_SECONDS, &CXmlMapsDlg::OnSecondsSetFocus)
    .Control(EN_KILLFOCUS, IDC_SECONDS, &CXmlMapsDlg::OnSecondsKillFocus) END_MESSAGE_MAP()

DialogTemplate CXmlMapsDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = kCaption;
    t.cx = 280;
    t.cy = 178;
    t.Add("SysListView32", "", IDC_MAP_LIST, 7, 7, 266, 90,
          kTab | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS)
        .Add("Static", "Static", IDC_MAP_NAME, 7, 104, 266, 8, WS_VISIBLE)
        .Add("Static", "URL:", 0xFFFF, 7, 120, 20, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_URL, 30, 118, 220, 14, kTab | WS_BORDER | ES_AUTOHSCROLL)
        .Add("Button", "Data Select", IDC_DATA_SELECT, 254, 118, 19, 14, kTab | BS_BITMAP)
        .Add("Static", "Refresh every", 0xFFFF, 7, 140, 60, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_SECONDS, 70, 138, 40, 14, kTab | WS_BORDER | ES_AUTOHSCROLL)
        .Add("Static", "seconds", 0xFFFF, 114, 140, 40, 8, WS_VISIBLE)
        .Add("Button", "OK", IDOK, 223, 158, 50, 14, kTab | BS_DEFPUSHBUTTON);
    return t;
}

CXmlMapsDlg::CXmlMapsDlg(CWnd* parent, XmlMapsDocument document)
    : CDialog(IDD, parent), m_document(std::move(document))
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());
    RegisterPickerPictures();
}

BOOL CXmlMapsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_urlFocused = m_secondsFocused = false;
    auto* list = static_cast<CListCtrl*>(GetDlgItem(IDC_MAP_LIST));
    list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    static_cast<CButton*>(GetDlgItem(IDC_DATA_SELECT))
        ->SetBitmap(GetImageResources().FindBitmap(kDataSelectBitmap));
    CRect rect;
    list->GetClientRect(&rect);
    list->InsertColumn(0, "Map Name", LVCFMT_LEFT, rect.Width() / 3);
    list->InsertColumn(1, "URL", LVCFMT_LEFT, rect.Width() * 2 / 3 - 45);
    list->InsertColumn(2, "Sec", LVCFMT_LEFT, 40);
    // Nothing to type into until a map is selected: the edits stand for the selected map.
    EnableEditing(false);
    FillList();
    if (list->GetItemCount() > 0)
        list->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    CenterWindow();
    return TRUE;
}

void CXmlMapsDlg::EnableEditing(bool enable)
{
    for (int id : {IDC_URL, IDC_SECONDS, IDC_DATA_SELECT})
        GetDlgItem(id)->EnableWindow(enable ? TRUE : FALSE);
}

std::string CXmlMapsDlg::UrlText(const CExportRecord& record) const
{
    if (record.cellBound && m_document.table != nullptr && record.urlCell >= 0)
        if (const auto cell = m_document.table->GetCellAt(static_cast<std::size_t>(record.urlCell)))
            return cell->GetText();
    return record.urlText;
}

void CXmlMapsDlg::FillList()
{
    auto* list = static_cast<CListCtrl*>(GetDlgItem(IDC_MAP_LIST));
    // The check boxes set while filling are the records' own flags, not the user's clicks.
    m_filling = true;
    list->DeleteAllItems();
    if (m_document.records != nullptr) {
        int index = 0;
        for (const auto& [name, record] : *m_document.records) {
            list->InsertItem(index, name.c_str());
            list->SetItemText(index, 1, UrlText(record).c_str());
            list->SetItemText(index, 2, std::to_string(record.refreshSeconds).c_str());
            list->SetCheck(index, record.active ? TRUE : FALSE);
            ++index;
        }
    }
    m_filling = false;
    m_selected = -1;
}

CExportRecord* CXmlMapsDlg::SelectedRecord()
{
    if (m_document.records == nullptr || m_selected < 0)
        return nullptr;
    auto found = m_document.records->find(GetDlgItemText(IDC_MAP_NAME));
    return found != m_document.records->end() ? &found->second : nullptr;
}

void CXmlMapsDlg::OnItemChanged(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) == 0 || change->iItem < 0)
        return;
    auto* list = static_cast<CListCtrl*>(GetDlgItem(IDC_MAP_LIST));
    if (((change->uOldState ^ change->uNewState) & LVIS_STATEIMAGEMASK) != 0 && !m_filling &&
        m_document.records != nullptr) {
        auto found = m_document.records->find(list->GetItemText(change->iItem, 0));
        if (found != m_document.records->end())
            found->second.active = list->GetCheck(change->iItem) != FALSE;
    }
    if ((change->uNewState & LVIS_SELECTED) != 0 && (change->uOldState & LVIS_SELECTED) == 0) {
        m_selected = change->iItem;
        SetDlgItemText(IDC_MAP_NAME, list->GetItemText(m_selected, 0));
        SetDlgItemText(IDC_URL, list->GetItemText(m_selected, 1));
        SetDlgItemText(IDC_SECONDS, list->GetItemText(m_selected, 2));
        EnableEditing(true);
    }
}

void CXmlMapsDlg::OnUrlChange()
{
    // The dialog's own updates arrive here too, while the edit has no focus.
    if (!m_urlFocused)
        return;
    CExportRecord* record = SelectedRecord();
    if (record == nullptr)
        return;
    record->urlText = GetDlgItemText(IDC_URL);
    record->cellBound = false;
    static_cast<CListCtrl*>(GetDlgItem(IDC_MAP_LIST))->SetItemText(m_selected, 1, record->urlText.c_str());
}

void CXmlMapsDlg::OnSecondsChange()
{
    if (!m_secondsFocused)
        return;
    CExportRecord* record = SelectedRecord();
    if (record == nullptr)
        return;
    // A text that is no number (or a negative one) is left for the user to finish; only an
    // interval the movie can use is stored.
    const auto seconds = LeadingInteger(GetDlgItemText(IDC_SECONDS));
    if (!seconds || *seconds < 0 || *seconds == record->refreshSeconds)
        return;
    record->refreshSeconds = static_cast<int32_t>(*seconds);
    static_cast<CListCtrl*>(GetDlgItem(IDC_MAP_LIST))
        ->SetItemText(m_selected, 2, std::to_string(record->refreshSeconds).c_str());
}

void CXmlMapsDlg::OnDataSelect()
{
    CExportRecord* record = SelectedRecord();
    if (record == nullptr)
        return;
    CExcelHost* host = HostReadyToPick(this, kNoModelText, m_document.model, m_document.importModel);
    if (host == nullptr || m_document.table == nullptr)
        return;
    const std::string name = GetDlgItemText(IDC_MAP_NAME);
    std::string text = record->cellBound ? UrlText(*record) : std::string();
    const CRangeSelection picked = host->GetSelectedRange(*m_document.model, *m_document.table, text, false);
    if (picked.outcome != sheet::RangePickOutcome::Picked || picked.range == nullptr)
        return;
    const std::optional<CCellRef> first = picked.range->GetCell(0);
    auto found = m_document.records->find(name);
    if (!first || found == m_document.records->end())
        return;
    found->second.urlCell = first->id;
    found->second.cellBound = true;
    const std::string cellText = first->GetText();
    SetDlgItemText(IDC_URL, cellText);
    static_cast<CListCtrl*>(GetDlgItem(IDC_MAP_LIST))->SetItemText(m_selected, 1, cellText.c_str());
    if (m_document.modelChanged)
        m_document.modelChanged();
}
