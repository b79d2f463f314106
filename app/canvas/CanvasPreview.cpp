#include "app/canvas/CanvasPreview.h"

#include <exception>

#include "app/canvas/CanvasToolWindows.h"
#include "app/canvas/CanvasView.h"
#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/core/AppIds.h"
#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "app/stage/PreviewFlashCtrl.h"
#include "model/Component.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/Menu.h"
#include "platform/window/CmdUI.h"
#include "platform/docview/WinApp.h"
#include "publish/BaseMovie.h"

CCanvasPreview::CCanvasPreview(ICanvasView& view, CDesignerContext& designer, CCanvasToolWindows& windows)
    : m_view(view), m_designer(designer), m_windows(windows)
{
}

CCanvasPreview::~CCanvasPreview() = default;

CPreviewFlashCtrl& CCanvasPreview::Player()
{
    if (m_player)
        return *m_player;
    m_player = std::make_unique<CPreviewFlashCtrl>();
    CWnd& window = m_view.Window();
    CRect client;
    if (window.GetSafeHwnd() != nullptr)
        window.GetClientRect(&client);
    m_player->Create("", WS_CHILD, client, window.GetSafeHwnd() != nullptr ? &window : nullptr,
                     CPreviewFlashCtrl::kControlId);
    m_player->SetQuerySources({[] {
                                   CBaseMovie* base = GetBaseMovie();
                                   return base != nullptr ? &base->GetVariableTable() : nullptr;
                               },
                               [this] {
                                   CPreviewFlashCtrl::ComponentMap map;
                                   if (CDrawDoc* doc = m_view.GetDocument())
                                       for (CDrawObj* obj : doc->GetObjects())
                                           if (auto* component = dynamic_cast<CComponentObj*>(obj))
                                               for (CComponent* instance : component->GetInstances())
                                                   if (instance != nullptr)
                                                       map[instance->GetName()] = instance;
                                   return map;
                               }});
    return *m_player;
}

bool CCanvasPreview::BuildMovie(const std::string& path, std::string& error)
{
    CDrawDoc* doc = m_view.GetDocument();
    CBaseMovie* base = m_designer.BaseMovie();
    if (doc == nullptr || base == nullptr) {
        error = "the installation's components are missing";
        return false;
    }
    // The preview runs in the program's own player and computes the model itself: the
    // flags of an export must not give it another's data source. They come back after.
    struct FlagsKept {
        CBaseMovie& base;
        CBaseMovie::ExportFlags flags;
        ~FlagsKept() { base.GetExportFlags() = flags; }
    } kept{*base, base->GetExportFlags()};
    base->GetExportFlags() = {};
    base->GetExportFlags().hostedPlayer = true;
    SwfGeneration how;
    how.preview = true;
    // The view says itself why there is no preview.
    how.reportFailure = false;
    if (doc->GenerateSwf(path, how))
        return true;
    error = doc->GetGenerationError();
    return false;
}

bool CCanvasPreview::Enter()
{
    CDrawDoc* doc = m_view.GetDocument();
    if (doc == nullptr || m_player == nullptr)
        return false;
    CTempFileManager* temp = m_designer.FindTempFiles();
    m_file = temp != nullptr ? temp->CreateTempFile("gen", ".swf", true) : std::string();
    std::string error;
    bool built = false;
    if (m_file.empty()) {
        error = "no temporary file could be made";
    } else {
        try {
            built = m_builder ? m_builder(m_file, error) : BuildMovie(m_file, error);
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
    if (!built) {
        // The player would show a missing or partial movie: stay in edit mode and say why.
        AfxMessageBox("The preview could not be made: " + error, MB_ICONEXCLAMATION);
        return false;
    }
    m_active = true;
    m_moviePath = m_file;
    EnableMenus(true);
    m_windows.HideForPreview();
    if (IPropertiesPanel* panel = CComponentObj::GetCurrentPanel(); panel != nullptr && panel->IsSheetOpen())
        panel->CloseSheet();
    m_player->MoveWindow(PlayerRect());
    m_player->ShowWindow(SW_SHOW);
    // The player takes the paper colour as 0xRRGGBB.
    const COLORREF paper = doc->GetPaperColor();
    m_player->SetBackgroundColor(static_cast<long>(GetRValue(paper)) << 16 | GetGValue(paper) << 8 | GetBValue(paper));
    // The movie is made in the temporary folder, but the files it names lie beside the
    // document, as they will beside the published movie.
    m_player->SetBase(doc->GetDocumentFolder());
    m_player->LoadMovie(0, "loadblank");
    m_player->LoadMovie(0, m_file);
    if (m_player->FlashVersion() < 0x5FFFF) {
        m_player->SetMovie(m_file);
        m_player->Play();
    }
    doc->UpdateAllViews(nullptr);
    return true;
}

void CCanvasPreview::EnableMenus(bool preview)
{
    CWnd* main = AfxGetMainWnd();
    CMenu* menu = main != nullptr ? main->GetMenu() : nullptr;
    if (menu == nullptr)
        return;
    // Edit, Data, View and Format are for editing; the snapshots take what the preview shows.
    const UINT editing = MF_BYPOSITION | (preview ? MF_GRAYED : MF_ENABLED);
    for (int pos = 1; pos <= 4 && pos < menu->GetMenuItemCount(); ++pos)
        menu->EnableMenuItem(pos, editing);
    if (CMenu* file = menu->GetSubMenu(0)) {
        for (int pos = 0; pos < file->GetMenuItemCount(); ++pos) {
            CMenu* sub = file->GetSubMenu(pos);
            if (sub != nullptr && sub->FindItem(ID_SNAPSHOT_SWF, nullptr) == sub)
                file->EnableMenuItem(pos, MF_BYPOSITION | (preview ? MF_ENABLED : MF_GRAYED));
        }
    }
    main->DrawMenuBar();
}

void CCanvasPreview::Leave()
{
    m_active = false;
    m_moviePath.clear();
    // The keyboard that a click in the movie gave the player comes back to the canvas.
    CWnd* focus = CWnd::GetFocus();
    const bool playerHadKeys =
        m_player != nullptr && focus != nullptr && (focus == m_player.get() || m_player->IsChild(focus));
    if (m_player != nullptr) {
        m_player->LoadMovie(0, "loadblank");
        m_player->ShowWindow(SW_HIDE);
    }
    EnableMenus(false);
    m_windows.ShowAfterPreview();
    if (playerHadKeys)
        m_view.Window().SetFocus();
    if (CDrawDoc* doc = m_view.GetDocument())
        doc->UpdateAllViews(nullptr);
}

void CCanvasPreview::OnViewPreview()
{
    // The preview command (the checked Preview button) toggles: the menus that carry the edit
    // command are greyed in preview, so the button is the way back. The edit command only leaves.
    if (m_active) {
        Leave();
        return;
    }
    if (!CDrawDoc::HoldsModel()) {
        AfxMessageBox("Not Done Importing", MB_ICONEXCLAMATION);
        return;
    }
    Enter();
}

void CCanvasPreview::OnViewEdit()
{
    if (m_active)
        Leave();
}

void CCanvasPreview::Place()
{
    if (m_active && m_player != nullptr)
        m_player->MoveWindow(PlayerRect());
}

CRect CCanvasPreview::PlayerRect() const
{
    // The canvas as far as the view shows it: a canvas larger than the view would otherwise
    // put the player over the windows around the view (the status bar, the scroll bars).
    CRect rect = m_view.GetCanvasClientRect();
    CWnd& window = m_view.Window();
    if (window.GetSafeHwnd() != nullptr) {
        CRect client;
        window.GetClientRect(&client);
        if (!rect.IntersectRect(rect, client))
            rect.SetRectEmpty();
    }
    return rect;
}

void CCanvasPreview::UpdateRecentFile(CCmdUI* pCmdUI)
{
    if (!m_active) {
        pCmdUI->ContinueRouting();
        return;
    }
    // The list fills its entries first; they are greyed after.
    if (CWinApp* app = AfxGetApp())
        app->OnUpdateRecentFileMenu(pCmdUI);
    CMenu* menu = pCmdUI->m_pMenu;
    if (menu == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    for (int pos = 0; pos < menu->GetMenuItemCount(); ++pos) {
        const UINT id = menu->GetMenuItemID(pos);
        if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST)
            menu->EnableMenuItem(static_cast<UINT>(pos), MF_BYPOSITION | MF_GRAYED);
    }
    pCmdUI->m_bEnableChanged = TRUE;
}
