#include "pages/TutorialPage.h"

#include "model/ParameterSet.h"
#include "pages/HelpMovieDialog.h"
#include "pages/HelpMovies.h"
#include "platform/controls/ShockwaveFlash.h"

using namespace pages;

DialogTemplate CTutorialPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Tutorial");
    // The movie closes itself; the template's "Close" button has nothing to do and stays hidden.
    t.Add(kFlashWindowClass, "", IDC_PLAYER, 7, 7, 241, 186, WS_VISIBLE)
        .Add("Button", "Close", IDC_CLOSE, 198, 180, 50, 14, kTab & ~WS_VISIBLE);
    return t;
}

BOOL CTutorialPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                           CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    // "retInfo" is looked up once, in the whole set.
    m_variant = HelpMovieVariant(root, false);
    Construct(MakeTemplate());
    return TRUE;
}

BOOL CTutorialPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    if (CWnd* player = GetDlgItem(IDC_PLAYER))
        CHelpMovieDialog::MakeFrame(*this, *player, m_frame);
    return TRUE;
}

BOOL CTutorialPage::OnSetActive()
{
    const BOOL result = CComponentPage::OnSetActive();
    const CParameterSet* root = GetRootSet();
    std::string name = root != nullptr && !root->GetName().empty() ? root->GetName() : GetOwnerComponentType();
    m_path = TutorialMoviePath(name, m_variant);
    if (!m_path.empty())
        LoadMovieInControl(IDC_PLAYER, m_path);
    if (CWnd* player = GetDlgItem(IDC_PLAYER))
        player->BringWindowToTop();
    return result;
}

void CTutorialPage::OnSheetSize()
{
    if (auto* player = dynamic_cast<CShockwaveFlash*>(GetDlgItem(IDC_PLAYER))) {
        player->BringWindowToTop();
        player->Zoom(50);
        player->Zoom(0);
    }
}
