#pragma once

// The Styles page: chooses the style the sheet edits (Default, a style file of the styles
// folder or of the other folder, or one picked with Browse...), saves it under a new name,
// deletes style files, and edits the global colours, transparency, title and label text formats
// and the two switches of the record.

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/SpinEdit.h"
#include "propui/FontDataCtrl.h"
#include "propui/StylePage.h"

#include <string>
#include <vector>

// The style names of a folder's "*.vgs" files, in name order, without "Default" (any case),
// which is the built-in style and never read from a file.
std::vector<std::string> ListStyleFiles(const std::string& folder);

class CStylesPage : public CStylePage {
public:
    enum : int {
        IDD = 337,
        IdStyleList = 599,
        IdSaveAs = 582,
        IdDelete = 689,
        IdBorder = 437,
        IdFill = 435,
        IdMarker = 416,
        IdValue = 417,
        IdTransparency = 409,
        IdTitleFont = 317,
        IdLabelFont = 422,
        IdShowCustom = 698,
        IdBackgroundArt = 699,
    };
    static const char* const kBrowse;

    CStylesPage(CGlobalStyle* style, CStyleFolders* folders);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void SetModified(BOOL modified) override;
    bool SaveStyle() override;

    void RefreshStyleList();
    void ResetToDefault();
    void LoadControls();

    CComboBox& StyleList() { return m_list; }
    CColorSwatch& Swatch(int id);
    CFontDataCtrl& TitleFont() { return m_title; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillStyleList(const std::string& folder, bool other);
    void SelectCurrent();
    void OnLoadStyle();
    void OnDeleteStyle();
    void OnColor(int id);
    std::string FolderOf(int entry) const;

    CComboBox m_list;
    CColorSwatch m_border, m_fill, m_marker, m_value;
    CSpinEdit* m_transparency = nullptr; // the dialog's item
    CFontDataCtrl m_title, m_label;
    // Folders of the list's entries (the item data points into it); empty for the styles folder.
    std::vector<std::string> m_entryFolders;
};
