#pragma once

// The canvas view's style record, the one that components placed on the canvas receive, and
// the Change Style command that edits it in the Styles sheet beside a live preview played
// through the canvas's own stage movie.

#include <filesystem>

#include "app/canvas/DrawView.h"
#include "model/GlobalStyle.h"
#include "publish/CustomColors.h"
#include "propui/StylePage.h"
#include "propui/StylePreviewCtrl.h"

class CStageFlashCtrl;

class CViewStyle : public IStyleSaver {
public:
    // Style files lie in installDir/styles.
    explicit CViewStyle(const std::filesystem::path& installDir);

    CGlobalStyle& Record() { return m_record; }
    CStyleFolders& Folders() { return m_folders; }

    // IStyleSaver: asked when the main window closes.
    bool IsStyleChanged() const override { return m_record.modified; }
    bool SaveStyleAs() override;

private:
    CGlobalStyle m_record;
    CStyleFolders m_folders;
};

// The Styles sheet's preview plays the stage's large movie and receives the parameter trees
// the stage itself would send.
class CStagePreviewSource : public IStylePreviewStage {
public:
    explicit CStagePreviewSource(CStageFlashCtrl& stage) : m_stage(stage) {}
    std::filesystem::path GetPreviewMoviePath() const override;
    void SendTreeAndPlacement(CShockwaveFlash& player, const CComponentBase& instance) override;

private:
    CStageFlashCtrl& m_stage;
};

// The custom colours a style carries go into the document's table: the k-th colour in use (not
// white) to the k-th place of the order 15, 7, 14, 6, ... 8, 0; the other places keep theirs.
void TakeStyleCustomColors(const CGlobalStyle& style, publish::CustomColorTable& table);
