#pragma once

// The canvas view's style record, the one that components placed on the canvas receive, and
// the Change Style command that edits it in the Styles sheet beside a live preview played
// through the canvas's own stage movie.

#include <filesystem>

#include "model/GlobalStyle.h"
#include "publish/CustomColors.h"
#include "propui/StylePage.h"
#include "propui/StylePreviewCtrl.h"

class CComponentCatalog;
class CComponentPalette;
class CDrawDoc;
class CStageFlashCtrl;
class CWnd;

// Saving the view's style record under a new name; the style pages provide it.
class IStyleSaver {
public:
    virtual ~IStyleSaver() = default;
    // Whether the style record has changes not yet saved.
    virtual bool IsStyleChanged() const = 0;
    // Asks for a name and saves; false when the user cancelled or the save failed.
    virtual bool SaveStyleAs() = 0;
};

// Before the main window closes: a changed style is offered for saving. False keeps the window
// open (the user cancelled, or the save failed and the changes would be lost).
bool AskToSaveStyle(IStyleSaver* saver);

class CViewStyle : public IStyleSaver {
public:
    // Style files lie in installDir/styles.
    explicit CViewStyle(const std::filesystem::path& installDir);

    CGlobalStyle& Record() { return m_record; }
    CStyleFolders& Folders() { return m_folders; }

    // Format > Change Style: the Styles sheet edits the record beside a preview played by the
    // stage; its Apply gives every component of the document the style.
    void ChangeStyle(CDrawDoc* doc, CStageFlashCtrl* stage, CWnd* owner, CComponentCatalog* catalog,
                     CComponentPalette* palette);
    // Every component of the document takes the style (components that keep their own style
    // are left alone); the stage and the views follow and the document counts as changed.
    static void ApplyToDocument(CDrawDoc& doc, const CGlobalStyle& style);

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
