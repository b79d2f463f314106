#include "app/canvas/ViewStyle.h"

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/panels/CanvasPropertiesPanel.h"
#include "app/panels/ComponentPalette.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/WinApp.h"
#include "platform/window/Input.h"
#include "propui/StyleSheet.h"

bool AskToSaveStyle(IStyleSaver* saver)
{
    if (saver == nullptr || !saver->IsStyleChanged())
        return true;
    const int answer = ShowMessageBox(AfxGetMainWnd(), "Save changes to current style?", "Vantorel",
                                      MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        // A cancelled or failed save keeps the window open, so the changes are not lost.
        return saver->SaveStyleAs();
    return true;
}

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

void CViewStyle::ApplyToDocument(CDrawDoc& doc, const CGlobalStyle& style)
{
    CWaitCursor wait;
    doc.ApplyGlobalStyle(style);
    doc.RefreshStage(FALSE);
    doc.UpdateAllViews(nullptr);
    doc.SetModifiedFlag();
}

void CViewStyle::ChangeStyle(CDrawDoc* doc, CStageFlashCtrl* stage, CWnd* owner, CComponentCatalog* catalog,
                             CComponentPalette* palette)
{
    // One sheet edits at a time: an open Component Properties sheet closes first.
    if (IPropertiesPanel* panel = CComponentObj::GetCurrentPanel(); panel != nullptr && panel->IsSheetOpen())
        panel->CloseSheet();
    std::unique_ptr<CStagePreviewSource> preview;
    if (stage != nullptr && stage->IsReady())
        preview = std::make_unique<CStagePreviewSource>(*stage);
    const bool ok = RunChangeStyle(
        m_record, m_folders, owner,
        [doc](const CGlobalStyle& edited) {
            if (doc != nullptr)
                ApplyToDocument(*doc, edited);
        },
        preview.get(), catalog);
    if (!ok)
        return;
    if (publish::CustomColorTable* table = GetCustomColorTable())
        TakeStyleCustomColors(m_record, *table);
    // The palette's title names the style that components placed from it receive.
    if (palette != nullptr)
        palette->SetTitle(m_record.GetName());
}
