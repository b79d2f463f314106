#pragma once

// The base of the Styles sheet's pages: each edits the sheet's style record in place, marks it
// modified (its name gains " (Modified)"), asks to save changes, saves it to a style file and
// re-styles the preview.

#include "model/GlobalStyle.h"
#include "platform/dialogs/PropertyPage.h"

#include <functional>
#include <string>

class CColorSwatch;

// Where style files lie: the installation's styles folder and the folder of the last style
// file saved or loaded elsewhere. The program keeps one for its whole run and lends it to every
// Styles sheet.
struct CStyleFolders {
    std::string styles; // ends with a separator
    std::string other;  // empty, or ends with a separator
};

class CStylePage : public CPropertyPage {
public:
    CStylePage(CGlobalStyle* style, CStyleFolders* folders);

    virtual void SetStyle(CGlobalStyle* style) { m_pStyle = style; }
    CGlobalStyle* GetStyle() const { return m_pStyle; }
    // Marks the page (Apply enabled) and, with `modified`, the record: its name gains
    // " (Modified)" once; then the preview is re-styled.
    virtual void SetModified(BOOL modified);
    // Save As until the style is saved (true) or the user cancels (false).
    virtual bool SaveStyle();
    virtual void UpdatePreview();
    // The colour dialog on a swatch with the record's custom colours; on OK the swatch shows
    // the colour and the style is modified. Returns the swatch's colour as 0xRRGGBB.
    virtual std::uint32_t OnColorButton(CColorSwatch& button);
    void SetButtonColor(CColorSwatch& button, std::uint32_t colour);

    // "Save changes to style <name>": true to go on (saved or not wanted), false to stay.
    bool AskSaveChanges(bool withCancel);

    enum class SaveResult { Saved, Cancelled, Refused };
    // The Save dialog and the write. "Default" is refused, and so is a file that cannot be
    // written (the user is told why); a folder outside the styles folder becomes the other one.
    static SaveResult SaveStyleAs(CGlobalStyle* style, CStyleFolders& folders, CWnd* owner = nullptr);

    void OnCancel() override;
    BOOL OnSetActive() override;

    // The preview the sheet re-styles; none leaves the preview alone.
    std::function<void(const CGlobalStyle&)> preview;

protected:
    CGlobalStyle* m_pStyle = nullptr;
    CStyleFolders* m_folders = nullptr;
};
