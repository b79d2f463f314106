#include "app/dialogs/WelcomeDlg.h"

#include "app/core/AppIds.h"
#include "platform/controls/Button.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/dialogs/UiUtilities.h"
#include "publish/DocData.h"

// --- CTutorialDlg -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTutorialDlg, CDialog)
    .Command(IDC_TUTORIAL_CLOSE, &CTutorialDlg::OnClose) END_MESSAGE_MAP()

CTutorialDlg::CTutorialDlg(CWnd* parent, std::string moviePath)
    : CDialog(IDD_TUTORIAL, parent), m_strMovie(std::move(moviePath))
{
}

BOOL CTutorialDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* player = dynamic_cast<CShockwaveFlash*>(GetDlgItem(IDC_FLASH))) {
        player->BringWindowToTop();
        player->LoadMovie(0, "loadblank");
        player->LoadMovie(0, m_strMovie);
        // Zooming in and back out shows the whole movie.
        player->Zoom(50);
        player->Zoom(0);
    }
    return TRUE;
}

// --- CWelcomeDlg --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWelcomeDlg, CDialog)
    .Command(IDC_WELCOME_TUTORIAL1, &CWelcomeDlg::OnTutorial1)
    .Command(IDC_WELCOME_TUTORIAL2, &CWelcomeDlg::OnTutorial2)
    .Command(IDC_WELCOME_TEMPLATES, &CWelcomeDlg::OnTemplates)
    .Command(IDC_WELCOME_SAMPLES, &CWelcomeDlg::OnSamples)
    .Command(IDC_WELCOME_DONT_SHOW, &CWelcomeDlg::OnDontShow) END_MESSAGE_MAP()

CWelcomeDlg::CWelcomeDlg(CWnd* parent, std::uint8_t& showWelcome, BrowseDocuments browse)
    : CDialog(IDD_WELCOME, parent), m_showWelcome(showWelcome), m_browse(std::move(browse))
{
}

BOOL CWelcomeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const struct {
        int button;
        int icon;
    } icons[] = {{IDC_WELCOME_TUTORIAL1, IDI_WELCOME_TUTORIAL1},
                 {IDC_WELCOME_TUTORIAL2, IDI_WELCOME_TUTORIAL2},
                 {IDC_WELCOME_TEMPLATES, IDI_WELCOME_TEMPLATES},
                 {IDC_WELCOME_SAMPLES, IDI_WELCOME_SAMPLES}};
    for (const auto& entry : icons) {
        if (auto* button = dynamic_cast<CButton*>(GetDlgItem(entry.button))) {
            button->SetIcon(entry.icon);
        }
    }
    CheckDlgButton(IDC_WELCOME_DONT_SHOW, m_showWelcome == 0 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CWelcomeDlg::OnTutorial1()
{
    CTutorialDlg(this, kTutorial1).DoModal();
}

void CWelcomeDlg::OnTutorial2()
{
    CTutorialDlg(this, kTutorial2).DoModal();
}

void CWelcomeDlg::Browse(int mode)
{
    // Once a document is open the Welcome has done its work.
    if (m_browse && m_browse(mode)) {
        EndDialog(IDOK);
    }
}

void CWelcomeDlg::OnTemplates()
{
    Browse(1);
}

void CWelcomeDlg::OnSamples()
{
    Browse(2);
}

void CWelcomeDlg::OnDontShow()
{
    m_showWelcome = IsDlgButtonChecked(IDC_WELCOME_DONT_SHOW) == BST_CHECKED ? 0 : 1;
}

// --- CAboutDlg ----------------------------------------------------------------------------

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IsLargeFontsDisplay() ? IDD_ABOUTBOX_LARGE : IDD_ABOUTBOX, parent)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(1000, std::string("Version ") + kDocumentVersion);
    return TRUE;
}
