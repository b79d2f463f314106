#include "app/dialogs/PortalExportDlg.h"

#include <cmath>
#include <limits>

#include "app/delivery/HtmlExport.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/MessageBox.h"

namespace {

constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP;

} // namespace

BEGIN_MESSAGE_MAP(CPortalExportDlg, CDialog)
    .Command(IDC_SCALE_X, &CPortalExportDlg::OnScaleX)
    .Command(IDC_SCALE_Y, &CPortalExportDlg::OnScaleY) END_MESSAGE_MAP()

DialogTemplate CPortalExportDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = "Plumtree Export Options";
    t.cx = 250;
    t.cy = 130;
    t.Add("Static", "URL Path", 0xFFFF, 7, 9, 50, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_URL_PATH, 62, 7, 181, 14, kEdit)
        .Add("Static", "Movie Width", 0xFFFF, 7, 33, 54, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_MOVIE_WIDTH, 62, 31, 50, 14, kEdit | ES_READONLY)
        .Add("Static", "Movie Height", 0xFFFF, 7, 53, 54, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_MOVIE_HEIGHT, 62, 51, 50, 14, kEdit | ES_READONLY)
        .Add("Static", "Scaled Width", 0xFFFF, 125, 33, 62, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_SCALED_WIDTH, 193, 31, 50, 14, kEdit | ES_NUMBER)
        .Add("Static", "Scaled Height", 0xFFFF, 125, 53, 62, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_SCALED_HEIGHT, 193, 51, 50, 14, kEdit | ES_NUMBER)
        .Add("Button", "Scale->X", IDC_SCALE_X, 137, 75, 50, 14, kButton)
        .Add("Button", "Scale->Y", IDC_SCALE_Y, 193, 75, 50, 14, kButton)
        .Add("Button", "Publish", IDOK, 130, 106, 50, 14, kButton | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 193, 106, 50, 14, kButton);
    return t;
}

CPortalExportDlg::CPortalExportDlg(int movieWidth, int movieHeight, CWnd* parent)
    : CDialog(IDD, parent), m_nMovieWidth(movieWidth), m_nMovieHeight(movieHeight), m_nScaledWidth(movieWidth),
      m_nScaledHeight(movieHeight), m_strUrlPath("http://")
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());
}

BOOL CPortalExportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemInt(IDC_MOVIE_WIDTH, m_nMovieWidth);
    SetDlgItemInt(IDC_MOVIE_HEIGHT, m_nMovieHeight);
    SetDlgItemInt(IDC_SCALED_WIDTH, m_nScaledWidth);
    SetDlgItemInt(IDC_SCALED_HEIGHT, m_nScaledHeight);
    SetDlgItemText(IDC_URL_PATH, m_strUrlPath);
    return TRUE;
}

int CPortalExportDlg::ScaleSide(int movieSide, int movieOther, int scaledOther, int unchanged)
{
    // A canvas can shrink to nothing; a ratio of it means nothing.
    if (movieSide <= 0 || movieOther <= 0)
        return unchanged;
    const double side = static_cast<double>(movieSide) / movieOther * scaledOther;
    if (!(std::fabs(side) < std::numeric_limits<int>::max()))
        return unchanged;
    return static_cast<int>(side);
}

void CPortalExportDlg::OnScaleX()
{
    const int width = GetDlgItemInt(IDC_SCALED_WIDTH);
    const int height = GetDlgItemInt(IDC_SCALED_HEIGHT);
    SetDlgItemInt(IDC_SCALED_HEIGHT, ScaleSide(m_nMovieHeight, m_nMovieWidth, width, height));
}

void CPortalExportDlg::OnScaleY()
{
    const int width = GetDlgItemInt(IDC_SCALED_WIDTH);
    const int height = GetDlgItemInt(IDC_SCALED_HEIGHT);
    SetDlgItemInt(IDC_SCALED_WIDTH, ScaleSide(m_nMovieWidth, m_nMovieHeight, height, width));
}

void CPortalExportDlg::OnOK()
{
    BOOL widthRead = FALSE;
    BOOL heightRead = FALSE;
    const int width = GetDlgItemInt(IDC_SCALED_WIDTH, &widthRead);
    const int height = GetDlgItemInt(IDC_SCALED_HEIGHT, &heightRead);
    const std::string url = GetDlgItemText(IDC_URL_PATH);
    // A page with a size of nothing, or whose movie would be looked for at "http://movie.swf",
    // shows nothing; the user is asked again instead.
    if (!widthRead || !heightRead || width < 1 || height < 1) {
        ShowMessageBox(this, kBadSizeText, "Plumtree Export Options", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!PortalUrlHasHost(url)) {
        ShowMessageBox(this, kNoHostText, "Plumtree Export Options", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_nScaledWidth = width;
    m_nScaledHeight = height;
    m_strUrlPath = url;
    CDialog::OnOK();
}
