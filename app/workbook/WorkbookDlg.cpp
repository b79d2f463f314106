#include "app/workbook/WorkbookDlg.h"

#include "app/workbook/CellText.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/MessageBox.h"

#include <algorithm>

namespace {

constexpr int kBarSize = 16;
constexpr int kTabsHeight = 20;

} // namespace

BEGIN_MESSAGE_MAP(CWorkbookDlg, CDialog)
    .ControlRange(CWorkbookGrid::GN_SELCHANGE, IDC_WB_GRID, IDC_WB_GRID, &CWorkbookDlg::OnGridCommand)
    .ControlRange(CWorkbookGrid::GN_SCROLLED, IDC_WB_GRID, IDC_WB_GRID, &CWorkbookDlg::OnGridChange)
    .Control(CSheetTabs::TN_SELECT, IDC_WB_TABS, &CWorkbookDlg::OnTabSelect)
    // Sent for the user's own edits only, not for the texts the window puts there.
    .Control(EN_UPDATE, IDC_WB_REFERENCE, &CWorkbookDlg::OnReferenceTyped)
    .OnVScroll(&CWorkbookDlg::OnVScroll)
    .OnHScroll(&CWorkbookDlg::OnHScroll) END_MESSAGE_MAP()

DialogTemplate CWorkbookDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = kCaption;
    t.cx = 400;
    t.cy = 262;
    t.Add("Edit", "", IDC_WB_REFERENCE, 4, 4, 196, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL)
        .Add("Static", "fx", IDC_WB_FX, 206, 6, 10, 8, WS_VISIBLE)
        .Add("Static", "", IDC_WB_FORMULA, 218, 4, 178, 12, WS_VISIBLE | WS_BORDER)
        .Add("Button", "OK", IDOK, 290, 244, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 346, 244, 50, 14, WS_VISIBLE | WS_TABSTOP);
    return t;
}

CWorkbookDlg::CWorkbookDlg(CWnd* parent, const sheet::xlsx::Workbook& book, std::string title,
                           std::string startText)
    : CDialog(IDD, parent), m_book(book), m_title(std::move(title)), m_startText(std::move(startText))
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());
}

BOOL CWorkbookDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_title.empty())
        SetWindowText(std::string(kCaption) + " - " + m_title);

    CRect client, reference, ok;
    GetClientRect(&client);
    GetDlgItem(IDC_WB_REFERENCE)->GetWindowRect(&reference);
    ScreenToClient(&reference);
    GetDlgItem(IDOK)->GetWindowRect(&ok);
    ScreenToClient(&ok);
    const int left = reference.left;
    const int top = reference.bottom + 6;
    const int bottom = ok.top - 8;
    const int right = client.right - left;
    const CRect grid(left, top, right - kBarSize, bottom - kTabsHeight);
    m_grid.Create(grid, this, IDC_WB_GRID);
    m_vertical.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(grid.right, top, right, grid.bottom), this, IDC_WB_VSCROLL);
    const int tabsRight = left + (right - left) * 3 / 5;
    m_tabs.Create(CRect(left, grid.bottom, tabsRight, bottom), this, IDC_WB_TABS);
    m_horizontal.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(tabsRight, grid.bottom, grid.right, bottom), this,
                        IDC_WB_HSCROLL);
    // Made here rather than from the template, the grid and its tabs take the dialog's font
    // themselves, so cells, headers and tabs read at the size of the fields around them.
    m_grid.SetFont(GetFont(), FALSE);
    m_tabs.SetFont(GetFont(), FALSE);

    m_grid.SetWorkbook(&m_book);
    m_tabs.SetWorkbook(&m_book);
    // Start on the cells the caller holds; a text this workbook cannot show starts on A1.
    if (!m_startText.empty()) {
        const workbook::ParsedReference start = workbook::ParseReference(m_startText, m_book, 0);
        if (start.error.empty()) {
            m_grid.Select(start.sheet, start.areas);
            m_tabs.SetCurSel(start.sheet);
            SetDlgItemText(IDC_WB_REFERENCE, SelectionText());
        }
    }
    ShowFormula();
    UpdateScrollBars();
    m_grid.SetFocus();
    return FALSE;
}

std::string CWorkbookDlg::SelectionText() const
{
    const sheet::xlsx::Sheet* sheet = m_grid.GetSheet();
    if (sheet == nullptr)
        return {};
    return workbook::FormatReference(sheet->name, m_grid.Selection().GetAreas());
}

void CWorkbookDlg::ShowSelection()
{
    SetDlgItemText(IDC_WB_REFERENCE, SelectionText());
    ShowFormula();
}

void CWorkbookDlg::ShowFormula()
{
    std::string text;
    if (const sheet::xlsx::Sheet* sheet = m_grid.GetSheet()) {
        const workbook::CellPlace active = m_grid.Selection().GetActive();
        if (const sheet::xlsx::Cell* cell = sheet->FindCell(active.row, active.column))
            text = workbook::CellContentText(*cell);
    }
    SetDlgItemText(IDC_WB_FORMULA, text);
}

void CWorkbookDlg::UpdateScrollBars()
{
    SCROLLINFO rows;
    rows.fMask = SIF_ALL;
    rows.nMin = 0;
    rows.nMax = static_cast<int>(m_grid.RowExtent()) - 1;
    rows.nPage = std::max<UINT>(m_grid.VisibleRows(), 2) - 1;
    rows.nPos = static_cast<int>(m_grid.GetTopRow());
    m_vertical.SetScrollInfo(&rows);
    SCROLLINFO columns;
    columns.fMask = SIF_ALL;
    columns.nMin = 0;
    columns.nMax = static_cast<int>(m_grid.ColumnExtent()) - 1;
    columns.nPage = std::max<UINT>(m_grid.VisibleColumns(), 2) - 1;
    columns.nPos = static_cast<int>(m_grid.GetLeftColumn());
    m_horizontal.SetScrollInfo(&columns);
}

void CWorkbookDlg::OnGridCommand(UINT)
{
    ShowSelection();
}

void CWorkbookDlg::OnReferenceTyped()
{
    const workbook::ParsedReference parsed =
        workbook::ParseReference(GetDlgItemText(IDC_WB_REFERENCE), m_book, m_grid.Selection().GetSheet());
    if (!parsed.error.empty() || parsed.areas.empty())
        return;
    m_grid.Select(parsed.sheet, parsed.areas);
    m_tabs.SetCurSel(parsed.sheet);
    UpdateScrollBars();
    ShowFormula();
}

void CWorkbookDlg::OnGridChange(UINT)
{
    UpdateScrollBars();
}

void CWorkbookDlg::OnTabSelect()
{
    m_grid.ShowSheet(m_tabs.GetCurSel());
    UpdateScrollBars();
}

namespace {

// The new first row or column for a scroll-bar request.
long long ScrollTarget(UINT code, UINT thumb, long long position, long long page, long long extent)
{
    switch (code) {
    case SB_LINEUP:
        return position - 1;
    case SB_LINEDOWN:
        return position + 1;
    case SB_PAGEUP:
        return position - page;
    case SB_PAGEDOWN:
        return position + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return thumb;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return extent - page;
    default:
        return position;
    }
}

} // namespace

void CWorkbookDlg::OnVScroll(UINT code, UINT pos, CWnd* bar)
{
    if (bar != &m_vertical)
        return;
    const long long page = std::max<long long>(m_grid.VisibleRows(), 2) - 1;
    const long long target = ScrollTarget(code, pos, m_grid.GetTopRow(), page, m_grid.RowExtent());
    m_grid.ScrollTo(static_cast<std::uint32_t>(std::max<long long>(target, 0)), m_grid.GetLeftColumn());
    UpdateScrollBars();
}

void CWorkbookDlg::OnHScroll(UINT code, UINT pos, CWnd* bar)
{
    if (bar != &m_horizontal)
        return;
    const long long page = std::max<long long>(m_grid.VisibleColumns(), 2) - 1;
    const long long target = ScrollTarget(code, pos, m_grid.GetLeftColumn(), page, m_grid.ColumnExtent());
    m_grid.ScrollTo(m_grid.GetTopRow(), static_cast<std::uint32_t>(std::max<long long>(target, 0)));
    UpdateScrollBars();
}

void CWorkbookDlg::FocusReference()
{
    if (CWnd* edit = GetDlgItem(IDC_WB_REFERENCE)) {
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
    }
}

void CWorkbookDlg::OnOK()
{
    const std::string typed = GetDlgItemText(IDC_WB_REFERENCE);
    if (typed.find_first_not_of(" \t") == std::string::npos) {
        if (m_startText.find_first_not_of(" \t") == std::string::npos) {
            ShowMessageBox(this, kNoReferenceText, kCaption, MB_OK | MB_ICONEXCLAMATION);
            FocusReference();
            return;
        }
        if (ShowMessageBox(this, kRemoveLinkText + m_startText + "?", kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            FocusReference();
            return;
        }
        m_answer = {sheet::RangePickOutcome::Cleared, {}};
        EndDialog(IDOK);
        return;
    }
    const workbook::ParsedReference parsed = workbook::ParseReference(typed, m_book, m_grid.Selection().GetSheet());
    if (!parsed.error.empty()) {
        ShowMessageBox(this, parsed.error, kCaption, MB_OK | MB_ICONEXCLAMATION);
        FocusReference();
        return;
    }
    m_grid.Select(parsed.sheet, parsed.areas);
    m_tabs.SetCurSel(parsed.sheet);
    m_answer = {sheet::RangePickOutcome::Picked,
                workbook::FormatReference(m_book.sheets[static_cast<std::size_t>(parsed.sheet)].name, parsed.areas)};
    EndDialog(IDOK);
}

void CWorkbookDlg::OnCancel()
{
    m_answer = {sheet::RangePickOutcome::Cancelled, {}};
    CDialog::OnCancel();
}
