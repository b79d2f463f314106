#include "app/canvas/ViewStyle.h"

#include "app/canvas/CanvasPropertiesPanel.h"
#include "app/canvas/ComponentObj.h"
#include "app/canvas/ComponentPalette.h"
#include "app/canvas/DrawDoc.h"
#include "app/core/DesignerContext.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "platform/docview/WinApp.h"
#include "platform/window/Input.h"
#include "propui/StyleSheet.h"
#include "publish/ProgramContext.h"

CViewStyle::CViewStyle(const std::filesystem::path& installDir)
{
    m_folders.styles = (installDir / "styles").string() + "/";
}

bool CViewStyle::SaveStyleAs()
{
    // "Default" is refused with a message; the Save dialog comes again until a name is taken
    // or the user gives up.
    for (;;) {
        switch (CStylePage::SaveStyleAs(&m_record, m_folders, AfxGetMainWnd())) {
        case CStylePage::SaveResult::Saved:
            return true;
        case CStylePage::SaveResult::Cancelled:
            return false;
        case CStylePage::SaveResult::Refused:
            break;
        }
    }
}

std::filesystem::path CStagePreviewSource::GetPreviewMoviePath() const
{
    return m_stage.IsReady() ? m_stage.GetLargeStageMoviePath() : std::filesystem::path();
}

void CStagePreviewSource::SendTreeAndPlacement(CShockwaveFlash& player, const CComponentBase& instance)
{
    m_stage.SendTreeAndPlacementTo(player, instance);
}

void TakeStyleCustomColors(const CGlobalStyle& style, publish::CustomColorTable& table)
{
    static constexpr int kOrder[16] = {15, 7, 14, 6, 13, 5, 12, 4, 11, 3, 10, 2, 9, 1, 8, 0};
    int k = 0;
    for (std::uint32_t colour : style.customColors)
        if (colour != publish::kUnusedCustomColor)
            table[static_cast<std::size_t>(kOrder[k++])] = colour;
}

CViewStyle& CDrawView::GetViewStyle()
{
    if (!m_viewStyle) {
        const CProgramContext* program = m_designer.Program();
        m_viewStyle = std::make_unique<CViewStyle>(program != nullptr && !program->GetInstallDir().empty()
                                                       ? program->GetInstallDir()
                                                       : m_designer.BaseFolder());
        // Closing the program asks to save a changed style, unless someone else answers that.
        if (m_pStyleSaver == nullptr)
            m_pStyleSaver = m_viewStyle.get();
    }
    return *m_viewStyle;
}

void CDrawView::RefreshAllComponents(const CGlobalStyle& style)
{
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    CWaitCursor wait;
    doc->ApplyGlobalStyle(style);
    doc->RefreshStage(FALSE);
    doc->UpdateAllViews(nullptr);
    doc->SetModifiedFlag();
}

void CDrawView::OnChangeStyle()
{
    // One sheet edits at a time: an open Component Properties sheet closes first.
    if (IPropertiesPanel* panel = CComponentObj::GetCurrentPanel(); panel != nullptr && panel->IsSheetOpen())
        panel->CloseSheet();
    CViewStyle& style = GetViewStyle();
    CStageFlashCtrl* stage = GetDocument() != nullptr ? GetDocument()->GetStage() : nullptr;
    if (stage == nullptr)
        stage = m_stage.get();
    std::unique_ptr<CStagePreviewSource> preview;
    if (stage != nullptr && stage->IsReady())
        preview = std::make_unique<CStagePreviewSource>(*stage);
    const bool ok = RunChangeStyle(
        style.Record(), style.Folders(), this, [this](const CGlobalStyle& edited) { RefreshAllComponents(edited); },
        preview.get(), m_designer.Catalog());
    if (!ok)
        return;
    if (publish::CustomColorTable* table = GetCustomColorTable())
        TakeStyleCustomColors(style.Record(), *table);
    // The palette's title names the style that components placed from it receive.
    if (m_palette != nullptr)
        m_palette->SetTitle(style.Record().GetName());
}
