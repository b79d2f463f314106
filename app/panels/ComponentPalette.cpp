#include "app/panels/ComponentPalette.h"

#include "model/PaletteIconOrder.h"

#include <array>
#include <cstdio>

#include "app/core/AppIds.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ListCtrl.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/drawing/Bitmap.h"

BEGIN_MESSAGE_MAP(CComponentPalette, CDialog)
    .Control(CBN_SELENDOK, IDC_PALETTE_CATEGORY, &CComponentPalette::OnCategoryChosen)
    .Notify(LVN_ITEMACTIVATE, IDC_PALETTE_ITEMS, &CComponentPalette::OnItemActivate) END_MESSAGE_MAP()

int CComponentPalette::IconIndex(const std::string& symbol)
{
    for (std::size_t i = 0; i < model::kPaletteIconOrder.size(); ++i) {
        if (symbol == model::kPaletteIconOrder[i])
            return static_cast<int>(i);
    }
    return 0;
}

DialogTemplate CComponentPalette::MakeTemplate()
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    DialogTemplate t;
    t.id = IDD_PALETTE;
    t.caption = "Components";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    t.exStyle = kToolWindow; // kept above the main window by the desktop
    t.cx = 150;
    t.cy = 240;
    t.Add("ComboBox", "", IDC_PALETTE_CATEGORY, 4, 4, 142, 100, kChild | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL)
        .Add("SysListView32", "", IDC_PALETTE_ITEMS, 4, 20, 142, 150,
             kChild | WS_TABSTOP | WS_BORDER | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS)
        .Add(kFlashWindowClass, "", IDC_PALETTE_PREVIEW, 4, 174, 142, 62, kChild | WS_BORDER);
    return t;
}

CComponentPalette::CComponentPalette(Chooser choose) : m_choose(std::move(choose)) {}

CComponentPalette::~CComponentPalette()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CComponentPalette::Create(CWnd* parent, CComponentCatalog* catalog)
{
    m_pCatalog = catalog;
    return CreateIndirect(MakeTemplate(), parent);
}

CListCtrl& CComponentPalette::List() const
{
    return *dynamic_cast<CListCtrl*>(GetDlgItem(IDC_PALETTE_ITEMS));
}

CComboBox& CComponentPalette::Categories() const
{
    return *dynamic_cast<CComboBox*>(GetDlgItem(IDC_PALETTE_CATEGORY));
}

CShockwaveFlash* CComponentPalette::Preview() const
{
    return dynamic_cast<CShockwaveFlash*>(GetDlgItem(IDC_PALETTE_PREVIEW));
}

BOOL CComponentPalette::OnInitDialog()
{
    CDialog::OnInitDialog();
    Init();
    return TRUE;
}

void CComponentPalette::OnCancel()
{
    // Closing a tool window only hides it.
    ShowWindow(SW_HIDE);
}

void CComponentPalette::Init()
{
    CComboBox& categories = Categories();
    categories.ResetContent();
    if (m_pCatalog != nullptr) {
        for (int i = 0; i < m_pCatalog->GetPaletteCategoryCount(); ++i)
            categories.AddString(m_pCatalog->GetCategory(i)->GetName().c_str());
    }
    categories.SetCurSel(0);
    CListCtrl& list = List();
    list.SetExtendedStyle(LVS_EX_ONECLICKACTIVATE);
    list.SetIconSpacing(100, 100);
    if (m_choose)
        m_choose(nullptr);

    m_iconOf.clear();
    if (m_pCatalog != nullptr) {
        for (int i = 0; i < m_pCatalog->GetTotalCount(); ++i) {
            const CComponentDef* def = m_pCatalog->GetDefinition(i);
            m_iconOf[def] = IconIndex(def->GetName());
        }
        const int total = m_pCatalog->GetTotalCount();
        m_images.DeleteImageList();
        m_images.Create(64, 64, ILC_COLOR24 | ILC_MASK, 0, total > 0 ? total : 1);
        const std::string folder = m_pCatalog->GetFolderName(0);
        CBitmap strip;
        // A catalogue folder without its icon strip lists names only.
        if (strip.LoadBmpFile(std::filesystem::path("asset") / ("icons_" + folder + ".bmp")))
            m_images.Add(&strip, RGB(0, 0, 0));
        list.SetImageList(&m_images, LVSIL_NORMAL);
    }
    FillList();
}

void CComponentPalette::SetTitle(const std::string& category)
{
    SetWindowText("Components - " + category);
}

void CComponentPalette::FillList()
{
    if (m_choose)
        m_choose(nullptr);
    CListCtrl& list = List();
    list.DeleteAllItems();
    list.Arrange(LVA_ALIGNTOP);
    const int chosen = Categories().GetCurSel();
    CComponentCategory* category =
        m_pCatalog != nullptr && chosen >= 0 && chosen < m_pCatalog->GetPaletteCategoryCount()
            ? m_pCatalog->GetCategory(chosen)
            : nullptr;
    if (category != nullptr) {
        for (int i = 0; i < category->GetGroupSize(); ++i) {
            CComponentDef* def = category->GetGroupItem(i);
            const auto icon = m_iconOf.find(def);
            const int index = list.InsertItem(list.GetItemCount(), def->GetDisplayName().c_str(),
                                              icon != m_iconOf.end() ? icon->second : 0);
            list.SetItemData(index, reinterpret_cast<std::uintptr_t>(def));
            // What the component does, in a sentence; its name is under the icon already.
            list.SetItemToolTip(index, def->GetDescription().empty() ? def->GetDisplayName() : def->GetDescription());
        }
    }
    ShowSelected();
}

void CComponentPalette::ShowSelected()
{
    CListCtrl& list = List();
    const int selected = list.GetNextItem(-1, LVNI_SELECTED);
    CShockwaveFlash* preview = Preview();
    if (selected < 0) {
        if (preview != nullptr)
            preview->LoadMovie(0, "loadblank");
        return;
    }
    auto* def = reinterpret_cast<CComponentDef*>(list.GetItemData(selected));
    if (m_choose)
        m_choose(def);
    if (preview != nullptr && def != nullptr) {
        preview->LoadMovie(0, "loadblank");
        char movie[160];
        std::snprintf(movie, sizeof movie, "asset/%s%d.swf", def->GetName().c_str(),
                      m_pCatalog != nullptr ? m_pCatalog->GetCurrentVariant() : 0);
        preview->LoadMovie(0, movie);
    }
}

void CComponentPalette::OnCategoryChosen()
{
    FillList();
}

void CComponentPalette::OnItemActivate(NMHDR*, LRESULT* pResult)
{
    ShowSelected();
    *pResult = 0;
}
