#include "propui/StylesPage.h"

#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/dialogs/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

const char* const CStylesPage::kBrowse = "Browse...";

namespace {

constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | 0x20000;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool SameNoCase(const std::string& a, const std::string& b)
{
    return Lower(a) == Lower(b);
}

DialogTemplate StylesTemplate()
{
    const DWORD child = WS_VISIBLE | WS_TABSTOP;
    DialogTemplate t;
    t.id = CStylesPage::IDD;
    t.caption = "Styles";
    t.style = WS_CHILD | DS_SETFONT | DS_CONTROL;
    t.cx = 265;
    t.cy = 160;
    t.Add("Static", "Style:", 0xFFFF, 7, 9, 30, 8, WS_VISIBLE);
    t.Add("ComboBox", "", CStylesPage::IdStyleList, 40, 7, 120, 100, child | CBS_DROPDOWNLIST | WS_VSCROLL);
    t.Add("Button", "Save As...", CStylesPage::IdSaveAs, 165, 6, 50, 14, child);
    t.Add("Button", "Delete", CStylesPage::IdDelete, 218, 6, 40, 14, child);
    t.Add("Static", "Border Color", 0xFFFF, 7, 32, 60, 8, WS_VISIBLE);
    t.Add("Button", "", CStylesPage::IdBorder, 70, 30, 30, 12, child);
    t.Add("Static", "Fill Color", 0xFFFF, 7, 48, 60, 8, WS_VISIBLE);
    t.Add("Button", "", CStylesPage::IdFill, 70, 46, 30, 12, child);
    t.Add("Static", "Custom Color", 0xFFFF, 130, 32, 60, 8, WS_VISIBLE);
    t.Add("Button", "", CStylesPage::IdMarker, 200, 30, 30, 12, child);
    t.Add("Static", "Value Color", 0xFFFF, 130, 48, 60, 8, WS_VISIBLE);
    t.Add("Button", "", CStylesPage::IdValue, 200, 46, 30, 12, child);
    t.Add("Static", "Transparency", 0xFFFF, 7, 66, 60, 8, WS_VISIBLE);
    t.Add(CSpinEdit::kClassName, "", CStylesPage::IdTransparency, 70, 64, 30, 12, child);
    t.Add("Button", "Show Custom Color", CStylesPage::IdShowCustom, 130, 64, 110, 10, child | BS_AUTOCHECKBOX);
    t.Add("Button", "Use Background Art", CStylesPage::IdBackgroundArt, 130, 78, 110, 10,
          child | BS_AUTOCHECKBOX);
    t.Add("Static", "Title", 0xFFFF, 7, 98, 40, 8, WS_VISIBLE);
    t.Add("FontData", "", CStylesPage::IdTitleFont, 7, 108, 250, 14, WS_VISIBLE);
    t.Add("Static", "Label", 0xFFFF, 7, 128, 40, 8, WS_VISIBLE);
    t.Add("FontData", "", CStylesPage::IdLabelFont, 7, 138, 250, 14, WS_VISIBLE);
    return t;
}

} // namespace

std::vector<std::string> ListStyleFiles(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string file = it->path().filename().string();
        if (file.size() <= 4 || Lower(file.substr(file.size() - 4)) != ".vgs" || !it->is_regular_file(ec))
            continue;
        std::string name = file.substr(0, file.size() - 4);
        if (!SameNoCase(name, "Default"))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

CStylesPage::CStylesPage(CGlobalStyle* style, CStyleFolders* folders) : CStylePage(style, folders)
{
    CSpinEdit::RegisterClass();
    Construct(StylesTemplate());
}

CColorSwatch& CStylesPage::Swatch(int id)
{
    switch (id) {
    case IdBorder:
        return m_border;
    case IdFill:
        return m_fill;
    case IdMarker:
        return m_marker;
    default:
        return m_value;
    }
}

BOOL CStylesPage::OnInitDialog()
{
    CStylePage::OnInitDialog();
    m_list.SubclassDlgItem(IdStyleList, this);
    for (int id : {IdBorder, IdFill, IdMarker, IdValue})
        Swatch(id).SubclassDlgItem(static_cast<UINT>(id), this);
    m_transparency = dynamic_cast<CSpinEdit*>(GetDlgItem(IdTransparency));
    m_title.SubclassDlgItem(IdTitleFont, this);
    m_label.SubclassDlgItem(IdLabelFont, this);
    RefreshStyleList();
    if (m_pStyle) {
        m_title.Create(&m_pStyle->globalColors.titleTextFormat, nullptr, false, nullptr);
        m_label.Create(&m_pStyle->globalColors.labelTextFormat, nullptr, false, nullptr);
    }
    LoadControls();
    return TRUE;
}

void CStylesPage::LoadControls()
{
    if (!m_pStyle || !GetSafeHwnd())
        return;
    const auto& g = m_pStyle->globalColors;
    SetButtonColor(m_border, g.border);
    SetButtonColor(m_fill, g.fill);
    SetButtonColor(m_marker, g.marker);
    SetButtonColor(m_value, g.value);
    CheckDlgButton(IdShowCustom, g.colorEnable ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IdBackgroundArt, g.bgArt ? BST_CHECKED : BST_UNCHECKED);
    // Bound again: a loaded style is a new record.
    if (m_transparency != nullptr) {
        m_transparency->BindInt(&m_pStyle->globalColors.transparency, GetFont(), 0, 100, 1, false);
        m_transparency->LimitText(3);
    }
    // The choosers are bound again: a loaded style replaced the text formats they show.
    m_title.Create(&m_pStyle->globalColors.titleTextFormat, nullptr, false, nullptr);
    m_label.Create(&m_pStyle->globalColors.labelTextFormat, nullptr, false, nullptr);
}

void CStylesPage::FillStyleList(const std::string& folder, bool other)
{
    for (const std::string& name : ListStyleFiles(folder)) {
        int at = m_list.AddString(name.c_str());
        m_entryFolders.push_back(other ? folder : std::string());
        m_list.SetItemData(at, m_entryFolders.size() - 1);
    }
}

void CStylesPage::SelectCurrent()
{
    // The first entry after "Default" that begins with the name, "Default" itself last.
    std::string name = Lower(m_pStyle ? m_pStyle->GetName() : std::string());
    int count = m_list.GetCount(), found = -1;
    for (int k = 1; k <= count && found < 0; ++k) {
        int i = k % count;
        std::string entry = Lower(m_list.GetLBText(i));
        if (entry != Lower(kBrowse) && entry.compare(0, name.size(), name) == 0)
            found = i;
    }
    m_list.SetCurSel(found);
}

void CStylesPage::RefreshStyleList()
{
    m_list.ResetContent();
    m_entryFolders.assign(1, std::string());
    m_list.SetItemData(m_list.AddString("Default"), 0);
    FillStyleList(m_folders->styles, false);
    if (!m_folders->other.empty() && m_folders->other != m_folders->styles)
        FillStyleList(m_folders->other, true);
    SelectCurrent();
    if (m_list.GetCurSel() < 0 && m_pStyle) {
        if (m_pStyle->modified) {
            m_list.SetCurSel(m_list.AddString(m_pStyle->GetName().c_str()));
        } else {
            m_pStyle->modified = true;
            m_list.AddString((m_pStyle->GetName() + "(Modified)").c_str());
        }
        m_entryFolders.push_back(std::string());
        m_list.SetItemData(m_list.GetCount() - 1, m_entryFolders.size() - 1);
    }
    m_list.AddString(kBrowse);
}

std::string CStylesPage::FolderOf(int entry) const
{
    std::size_t index = entry >= 0 ? m_list.GetItemData(entry) : 0;
    const std::string& folder = index < m_entryFolders.size() ? m_entryFolders[index] : std::string();
    return folder.empty() ? m_folders->styles : folder;
}

BOOL CStylesPage::OnSetActive()
{
    CStylePage::OnSetActive();
    SelectCurrent();
    if (m_list.GetCurSel() < 0 && m_pStyle && m_pStyle->modified)
        m_list.SetCurSel(m_list.InsertString(m_list.GetCount() - 1, m_pStyle->GetName().c_str()));
    if (m_pStyle) {
        m_title.LoadProperties();
        m_label.LoadProperties();
    }
    GetDlgItem(IdDelete)->EnableWindow(!m_pStyle || m_pStyle->GetName() != "Default");
    return TRUE;
}

void CStylesPage::SetModified(BOOL modified)
{
    CStylePage::SetModified(modified);
    if (!modified || !m_pStyle || !GetSafeHwnd())
        return;
    std::string name = Lower(m_pStyle->GetName());
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (Lower(m_list.GetLBText(i)).compare(0, name.size(), name) == 0)
            return;
    m_list.SetCurSel(m_list.InsertString(m_list.GetCount() - 1, m_pStyle->GetName().c_str()));
}

bool CStylesPage::SaveStyle()
{
    bool saved = CStylePage::SaveStyle();
    RefreshStyleList();
    return saved;
}

void CStylesPage::ResetToDefault()
{
    if (m_pStyle->modified) {
        std::string name = Lower(m_pStyle->GetName());
        for (int i = 0; i < m_list.GetCount(); ++i)
            if (Lower(m_list.GetLBText(i)).compare(0, name.size(), name) == 0) {
                m_list.DeleteString(static_cast<UINT>(i));
                break;
            }
    }
    m_pStyle->SetDefaults();
    m_pStyle->SetName("Default");
    m_pStyle->modified = false;
    CPropertyPage::SetModified(TRUE);
    LoadControls();
    GetDlgItem(IdDelete)->EnableWindow(FALSE);
}

void CStylesPage::OnLoadStyle()
{
    int sel = m_list.GetCurSel();
    if (sel < 0 || !m_pStyle)
        return;
    std::string text = m_list.GetLBText(sel);
    std::string folder = FolderOf(sel);
    if (SameNoCase(text, m_pStyle->GetName()))
        return;
    if (!AskSaveChanges(true)) {
        RefreshStyleList();
        return;
    }
    if (text == "Default") {
        ResetToDefault();
        UpdatePreview();
        RefreshStyleList();
        return;
    }
    std::string name = text, path;
    if (SameNoCase(text, kBrowse)) {
        CFileDialog dialog(TRUE, "", "", kOpenFlags, "Style files (*.vgs)|*.vgs||", this);
        dialog.m_ofn.title = "Load Vantorel Style";
        if (dialog.DoModal() != IDOK) {
            SelectCurrent();
            return;
        }
        std::string chosen = dialog.GetPathName();
        std::size_t slash = chosen.find_last_of('/');
        folder = slash == std::string::npos ? std::string() : chosen.substr(0, slash + 1);
        name = chosen.substr(folder.size());
        if (name.size() > 4 && Lower(name.substr(name.size() - 4)) == ".vgs")
            name.resize(name.size() - 4);
    }
    path = folder + name;
    std::string why;
    if (m_pStyle->Load(path, &why)) {
        if (folder != m_folders->styles)
            m_folders->other = folder;
        m_pStyle->SetName(name);
        m_pStyle->modified = false;
        UpdatePreview();
    } else {
        // The record is left as it was; the message names the file and what is wrong with it.
        ShowMessageBox(this, "Selected style could not be loaded.\n" + why, nullptr, MB_OK | MB_ICONSTOP);
    }
    RefreshStyleList();
    CPropertyPage::SetModified(TRUE);
    LoadControls();
    GetDlgItem(IdDelete)->EnableWindow(m_pStyle->GetName() != "Default");
}

void CStylesPage::OnDeleteStyle()
{
    int sel = m_list.GetCurSel();
    if (sel < 0 || !m_pStyle)
        return;
    std::string text = m_list.GetLBText(sel);
    if (SameNoCase(text, "Default")) {
        ShowMessageBox(this, "You cannot delete the default style.", nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (SameNoCase(text, kBrowse)) {
        ShowMessageBox(this, "You cannot delete the browse option.", nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The file of the chosen entry, not one made from the record's name, which may carry
    // " (Modified)" or be that of another folder.
    std::string file = FolderOf(sel) + text + ".vgs";
    if (ShowMessageBox(this, "Delete this style?", nullptr, MB_OKCANCEL) != IDOK)
        return;
    bool failed = false;
    if (!m_pStyle->modified) {
        std::error_code ec;
        failed = !fs::remove(file, ec);
        if (failed)
            ShowMessageBox(this, "Couldn't delete style file.  File may be read only.", nullptr,
                           MB_OK | MB_ICONEXCLAMATION);
    }
    if (!failed) {
        ResetToDefault();
        UpdatePreview();
    }
    RefreshStyleList();
}

void CStylesPage::OnColor(int id)
{
    std::uint32_t colour = OnColorButton(Swatch(id));
    auto& g = m_pStyle->globalColors;
    std::uint32_t& field = id == IdBorder ? g.border : (id == IdFill ? g.fill : (id == IdMarker ? g.marker : g.value));
    field = colour;
    UpdatePreview();
}

BOOL CStylesPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (!m_pStyle)
        return CStylePage::OnCommand(wParam, lParam);
    switch (id) {
    case IdStyleList:
        if (code == CBN_SELCHANGE)
            OnLoadStyle();
        return TRUE;
    case IdSaveAs:
        if (code == BN_CLICKED)
            SaveStyle();
        return TRUE;
    case IdDelete:
        if (code == BN_CLICKED)
            OnDeleteStyle();
        return TRUE;
    case IdBorder:
    case IdFill:
    case IdMarker:
    case IdValue:
        if (code == BN_CLICKED)
            OnColor(id);
        return TRUE;
    case IdShowCustom:
    case IdBackgroundArt:
        if (code == BN_CLICKED) {
            bool on = IsDlgButtonChecked(id) == BST_CHECKED;
            (id == IdShowCustom ? m_pStyle->globalColors.colorEnable : m_pStyle->globalColors.bgArt) = on;
            SetModified(TRUE);
        }
        return TRUE;
    default:
        return CStylePage::OnCommand(wParam, lParam);
    }
}

LRESULT CStylesPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == CFontChooserBase::kChangedMessage && (wParam == IdTitleFont || wParam == IdLabelFont)) ||
        (message == WM_SPINEDIT_CHANGED && wParam == IdTransparency)) {
        SetModified(TRUE);
        return 0;
    }
    return CStylePage::WindowProc(message, wParam, lParam);
}
