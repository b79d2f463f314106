#include "pages/HelpMovieDialog.h"

#include "model/ParameterSet.h"
#include "pages/HelpMovies.h"
#include "pages/PageBlocks.h"

namespace {

constexpr DWORD kTransparent = 0x20; // drawn after its siblings, so the player shows through

} // namespace

BEGIN_MESSAGE_MAP(CHelpMovieDialog, CDialog)
    .Message(WM_ACTIVATE, &CHelpMovieDialog::OnActivate)
    .OnMove(&CHelpMovieDialog::OnMove) END_MESSAGE_MAP()

DialogTemplate CHelpMovieDialog::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = "Help";
    t.cx = 330;
    t.cy = 250;
    t.Add(kFlashWindowClass, "", IDC_PLAYER, 7, 7, 316, 236, WS_VISIBLE);
    return t;
}

void CHelpMovieDialog::MakeFrame(CWnd& parent, CWnd& player, CStatic& frame)
{
    CRect rect = player.GetRectInParent();
    rect.InflateRect(2, 2);
    frame.CreateEx(WS_EX_STATICEDGE | kTransparent, "Static", "", WS_CHILD | WS_VISIBLE, rect, &parent, 0xFFFF);
}

CHelpMovieDialog::CHelpMovieDialog(CWnd* parent) : m_parent(parent) {}

void CHelpMovieDialog::SetComponent(const CParameterSet* set, const std::string& symbol)
{
    m_set = set;
    m_symbol = symbol;
    m_variant = pages::HelpMovieVariant(set, true);
}

INT_PTR CHelpMovieDialog::DoModal()
{
    if (!InitModalIndirect(MakeTemplate(), m_parent))
        return -1;
    return CDialog::DoModal();
}

BOOL CHelpMovieDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* player = GetDlgItem(IDC_PLAYER))
        MakeFrame(*this, *player, m_frame);
    m_path = pages::HelpWindowMoviePath(m_symbol, m_variant);
    LoadHelpMovie(m_path, IDC_PLAYER);
    return TRUE;
}

void CHelpMovieDialog::LoadHelpMovie(const std::string& path, int controlId)
{
    auto* player = dynamic_cast<CShockwaveFlash*>(GetDlgItem(controlId));
    // A name that cannot be a help movie loads nothing: the window stays empty.
    if (player == nullptr || path.empty())
        return;
    player->BringWindowToTop();
    player->LoadMovie(0, "loadblank");
    player->LoadMovie(0, path);
    player->Zoom(50);
    player->Zoom(0);
    if (player->FlashVersion() < 0x5FFFF) {
        player->SetMovie(path);
        player->Play();
    }
}

void CHelpMovieDialog::Repaint()
{
    if (auto* player = dynamic_cast<CShockwaveFlash*>(GetDlgItem(IDC_PLAYER))) {
        player->BringWindowToTop();
        player->Zoom(50);
        player->Zoom(0);
    }
}

LRESULT CHelpMovieDialog::OnActivate(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = DefWindowProc(WM_ACTIVATE, wParam, lParam);
    if ((wParam & 0xFFFF) != WA_INACTIVE)
        Repaint();
    return result;
}

void CHelpMovieDialog::OnMove(int, int)
{
    Repaint();
}
