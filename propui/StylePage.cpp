#include "propui/StylePage.h"

#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/UiUtilities.h"
#include "platform/dialogs/PropertySheet.h"
#include "propui/FontDataCtrl.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kProgram = "Vantorel";
constexpr DWORD kStyleFileFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | 0x20000;

bool SameNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

CStylePage::CStylePage(CGlobalStyle* style, CStyleFolders* folders) : m_pStyle(style), m_folders(folders) {}

void CStylePage::SetModified(BOOL modified)
{
    CPropertyPage::SetModified(TRUE);
    if (!m_pStyle)
        return;
    if (modified && !m_pStyle->modified && m_pStyle->GetName().find("(Modified)") == std::string::npos)
        m_pStyle->SetName(m_pStyle->GetName() + " (Modified)");
    m_pStyle->modified = modified != FALSE;
    UpdatePreview();
}

bool CStylePage::SaveStyle()
{
    for (;;) {
        switch (SaveStyleAs(m_pStyle, *m_folders, this)) {
        case SaveResult::Saved:
            return true;
        case SaveResult::Cancelled:
            return false;
        case SaveResult::Refused:
            break;
        }
    }
}

void CStylePage::UpdatePreview()
{
    if (preview && m_pStyle)
        preview(*m_pStyle);
}

void CStylePage::SetButtonColor(CColorSwatch& button, std::uint32_t colour)
{
    button.SetColor(SwapRedBlue(colour & 0xFFFFFF));
}

std::uint32_t CStylePage::OnColorButton(CColorSwatch& button)
{
    COLORREF colour = button.GetColor();
    if (m_pStyle) {
        // The style's own custom colours, never copied into the document's table.
        std::array<COLORREF, 16> custom;
        std::transform(m_pStyle->customColors.begin(), m_pStyle->customColors.end(), custom.begin(),
                       [](std::uint32_t c) { return SwapRedBlue(c); });
        if (ChooseColorWithCustomColors(colour, false, custom.data(), nullptr) == IDOK) {
            std::transform(custom.begin(), custom.end(), m_pStyle->customColors.begin(),
                           [](COLORREF c) { return SwapRedBlue(c) & 0xFFFFFF; });
            button.SetColor(colour);
            SetModified(TRUE);
        }
    }
    return SwapRedBlue(button.GetColor()) & 0xFFFFFF;
}

bool CStylePage::AskSaveChanges(bool withCancel)
{
    if (!m_pStyle || !m_pStyle->modified)
        return true;
    UINT type = withCancel ? MB_YESNOCANCEL : (MB_YESNO | MB_ICONEXCLAMATION);
    int answer = ShowMessageBox(this, "Save changes to style " + m_pStyle->GetName(), kProgram, type);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        return SaveStyle() || !withCancel; // a Save dialog cancelled keeps the changes where they are
    return true;
}

CStylePage::SaveResult CStylePage::SaveStyleAs(CGlobalStyle* style, CStyleFolders& folders, CWnd* owner)
{
    CFileDialog dialog(FALSE, "", "New Style", kStyleFileFlags, "Style files (*.vgs)|*.vgs||", owner);
    dialog.m_ofn.title = "Save Vantorel Style";
    dialog.m_ofn.initialDir = folders.styles;
    if (dialog.DoModal() != IDOK || !style)
        return SaveResult::Cancelled;
    std::string path = dialog.GetPathName();
    std::size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string title = path.substr(folder.size());
    if (title.size() > 4 && SameNoCase(title.substr(title.size() - 4), ".vgs"))
        title.resize(title.size() - 4);
    if (SameNoCase(title, "Default")) {
        ShowMessageBox(nullptr, "You cannot overwrite that style", kProgram, MB_OK | MB_ICONSTOP);
        return SaveResult::Refused;
    }
    std::string why;
    if (!style->Save(folder + title, &why)) {
        ShowMessageBox(owner, "The style could not be saved.\n" + why, kProgram, MB_OK | MB_ICONSTOP);
        return SaveResult::Refused;
    }
    style->SetName(title);
    style->modified = false;
    if (folder != folders.styles)
        folders.other = folder;
    return SaveResult::Saved;
}

void CStylePage::OnCancel()
{
    if (GetSheet() && GetSheet()->GetActivePage() == this)
        AskSaveChanges(false);
    CPropertyPage::OnCancel();
}

BOOL CStylePage::OnSetActive()
{
    // The shown page lies above the sheet's tab control, whatever order the windows were made in.
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CPropertyPage::OnSetActive();
    CPropertyPage::SetModified(TRUE);
    return TRUE;
}
