#include "app/panels/GridDlg.h"

#include <cstdio>

#include "app/core/AppIds.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/SpinEdit.h"

DialogTemplate CGridDlg::MakeTemplate()
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    DialogTemplate t;
    t.id = IDD_GRID;
    t.caption = "Grid";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
    t.cx = 230;
    t.cy = 100;
    t.Add("Button", "Show Grid", IDC_GRID_SHOW, 7, 7, 90, 10, kChild | WS_TABSTOP | BS_AUTOCHECKBOX)
        .Add("Button", "Snap to Grid", IDC_GRID_SNAP, 7, 20, 90, 10, kChild | WS_TABSTOP | BS_AUTOCHECKBOX)
        .Add("Button", "Grid Settings", 0xFFFF, 7, 34, 160, 58, kChild | BS_GROUPBOX)
        .Add("Static", "Vertical Spacing", 0xFFFF, 13, 48, 72, 8, kChild)
        .Add(CSpinEdit::kClassName, "", IDC_GRID_X, 88, 46, 40, 12, kChild | WS_TABSTOP)
        .Add("Static", "pixels", 0xFFFF, 132, 48, 30, 8, kChild)
        .Add("Static", "Horizontal Spacing", 0xFFFF, 13, 70, 72, 8, kChild)
        .Add(CSpinEdit::kClassName, "", IDC_GRID_Y, 88, 68, 40, 12, kChild | WS_TABSTOP)
        .Add("Static", "pixels", 0xFFFF, 132, 70, 30, 8, kChild)
        .Add("Button", "OK", IDOK, 173, 7, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 173, 24, 50, 14, kChild | WS_TABSTOP);
    return t;
}

CGridDlg::CGridDlg(IGridHost& host) : m_host(host) {}

CGridDlg::~CGridDlg()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CGridDlg::Create()
{
    CSpinEdit::RegisterClass();
    return CreateIndirect(MakeTemplate(), &m_host.GridWindow());
}

CSpinEdit* CGridDlg::SpacingX() const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_GRID_X));
}

CSpinEdit* CGridDlg::SpacingY() const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_GRID_Y));
}

BOOL CGridDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CanvasGrid grid = m_host.GetGrid();
    CheckDlgButton(IDC_GRID_SHOW, grid.shown ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_GRID_SNAP, grid.snap ? BST_CHECKED : BST_UNCHECKED);
    m_nX = grid.stepX / 20;
    m_nY = grid.stepY / 20;
    LOGFONT lf{};
    lf.lfHeight = -11;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "MS Shell Dlg");
    m_font.CreateFontIndirect(&lf);
    if (CSpinEdit* x = SpacingX())
        x->BindInt(&m_nX, &m_font, kMinSpacing, kMaxSpacing, 1, false);
    if (CSpinEdit* y = SpacingY())
        y->BindInt(&m_nY, &m_font, kMinSpacing, kMaxSpacing, 1, false);
    return TRUE;
}

void CGridDlg::OnOK()
{
    // A value still in the fields counts as typed.
    if (CSpinEdit* x = SpacingX())
        x->CommitTyped();
    if (CSpinEdit* y = SpacingY())
        y->CommitTyped();
    CanvasGrid grid;
    grid.shown = IsDlgButtonChecked(IDC_GRID_SHOW) == BST_CHECKED;
    grid.snap = IsDlgButtonChecked(IDC_GRID_SNAP) == BST_CHECKED;
    grid.stepX = m_nX * 20;
    grid.stepY = m_nY * 20;
    m_host.SetGrid(grid);
    m_host.GridWindow().Invalidate(FALSE);
    DestroyWindow();
    // The host forgets (and deletes) the dialog: nothing of it may be touched after this.
    m_host.OnGridDlgClosed();
}

void CGridDlg::OnCancel()
{
    m_host.GridWindow().Invalidate(FALSE);
    DestroyWindow();
    m_host.OnGridDlgClosed();
}
