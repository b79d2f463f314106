#pragma once

// The Components palette: the catalogue's definitions of the chosen category as icons, with a
// live preview of the one chosen; choosing one makes the component tool current, so that the
// next press on the canvas places it.

#include <functional>
#include <map>
#include <string>

#include "platform/controls/ImageList.h"
#include "platform/dialogs/Dialog.h"

class CComboBox;
class CComponentCatalog;
class CComponentDef;
class CListCtrl;
class CShockwaveFlash;

class CComponentPalette : public CDialog {
public:
    // The order of the icon strips of the catalogue folders: a definition's icon is its symbol's
    // place here, 0 for a symbol the strip does not hold.
    static int IconIndex(const std::string& symbol);
    static DialogTemplate MakeTemplate();

    // Told the definition chosen, or null when the choice goes back to the select tool.
    using Chooser = std::function<void(CComponentDef*)>;
    explicit CComponentPalette(Chooser choose);
    ~CComponentPalette() override;

    // Modeless, as a tool window of the parent.
    using CDialog::Create;
    BOOL Create(CWnd* parent, CComponentCatalog* catalog);
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void Init();
    void SetTitle(const std::string& category);
    void FillList();
    void ShowSelected();

    CListCtrl& List() const;
    CComboBox& Categories() const;
    CShockwaveFlash* Preview() const;

private:
    void OnCategoryChosen();
    void OnItemActivate(NMHDR* pNMHDR, LRESULT* pResult);

    Chooser m_choose;
    CComponentCatalog* m_pCatalog = nullptr;
    CImageList m_images;
    std::map<const CComponentDef*, int> m_iconOf;

    DECLARE_MESSAGE_MAP()
};
