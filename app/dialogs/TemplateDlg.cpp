#include "app/dialogs/TemplateDlg.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <system_error>
#include <vector>

#include "app/core/AppIds.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ShockwaveFlash.h"
#include "swf/SwfTrace.h"

BEGIN_MESSAGE_MAP(CTemplateDlg, CDialog)
    .Control(LBN_SELCHANGE, IDC_CATEGORY, &CTemplateDlg::OnCategoryChange)
    .Control(LBN_SELCHANGE, IDC_ITEMS, &CTemplateDlg::OnItemChange) END_MESSAGE_MAP()

namespace {

// Names of the entries of a folder that pass the filter, in name order.
template <class Filter> std::vector<std::string> List(const std::filesystem::path& folder, Filter keep)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (keep(*it)) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

CTemplateDlg::CTemplateDlg(const std::filesystem::path& baseFolder, int mode, CWnd* parent)
    : CDialog(IDD_TEMPLATE, parent), m_baseFolder(baseFolder), m_nMode(mode)
{
}

CListBox& CTemplateDlg::Categories()
{
    return *dynamic_cast<CListBox*>(GetDlgItem(IDC_CATEGORY));
}

CListBox& CTemplateDlg::Items()
{
    return *dynamic_cast<CListBox*>(GetDlgItem(IDC_ITEMS));
}

std::filesystem::path CTemplateDlg::Folder() const
{
    return m_baseFolder / (m_nMode == kSamples ? "samples" : "template");
}

std::string CTemplateDlg::ItemPath(const std::string& category, const std::string& item,
                                   const char* extension) const
{
    return (Folder() / category / (item + extension)).string();
}

bool CTemplateDlg::ReadDescription(const std::filesystem::path& file, std::string& text)
{
    text.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    unsigned char size[4] = {};
    if (!in.read(reinterpret_cast<char*>(size), 4)) {
        return false;
    }
    const std::uint32_t length = size[0] | size[1] << 8 | size[2] << 16 | static_cast<std::uint32_t>(size[3]) << 24;
    // The length is checked against the file before anything is allocated for it.
    std::error_code error;
    const std::uintmax_t fileSize = std::filesystem::file_size(file, error);
    if (error || length > fileSize - 4) {
        return false;
    }
    text.resize(length);
    if (length > 0 && !in.read(text.data(), length)) {
        text.clear();
        return false;
    }
    // A text may end in the NUL of the program that wrote it.
    text.erase(std::find(text.begin(), text.end(), '\0'), text.end());
    return true;
}

BOOL CTemplateDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_nMode == kSamples) {
        SetWindowText("Samples");
    }
    const std::vector<std::string> categories = List(Folder(), [](const std::filesystem::directory_entry& e) {
        std::error_code error;
        const std::string name = e.path().filename().string();
        return e.is_directory(error) && name != "CVS" && name.rfind('.', 0) != 0;
    });
    if (categories.empty()) {
        swf::Trace("No subdirs in components directory!");
    }
    for (const std::string& name : categories) {
        Categories().AddString(name.c_str());
    }
    if (CWnd* ok = GetDlgItem(IDOK)) {
        ok->EnableWindow(FALSE);
    }
    // A single category is listed but left for the user to pick.
    if (Categories().GetCount() > 1) {
        Categories().SetCurSel(0);
        OnCategoryChange();
    }
    return TRUE;
}

void CTemplateDlg::OnCategoryChange()
{
    const int remembered = std::max(Items().GetCurSel(), 0);
    Items().ResetContent();
    const int category = Categories().GetCurSel();
    if (category < 0) {
        return;
    }
    const std::filesystem::path folder = Folder() / Categories().GetText(category);
    const std::vector<std::string> files = List(folder, [](const std::filesystem::directory_entry& e) {
        std::error_code error;
        return e.is_regular_file(error) && e.path().extension() == ".vtd";
    });
    if (files.empty()) {
        swf::Trace("No files in this template directory!");
    }
    for (const std::string& file : files) {
        Items().AddString(file.substr(0, file.size() - 4).c_str());
    }
    if (remembered < Items().GetCount()) {
        Items().SetCurSel(remembered);
        OnItemChange();
    }
}

bool CTemplateDlg::CurrentChoice(std::string& category, std::string& item)
{
    const int c = Categories().GetCurSel();
    const int i = Items().GetCurSel();
    if (c < 0 || i < 0) {
        return false;
    }
    category = Categories().GetText(c);
    item = Items().GetText(i);
    return true;
}

void CTemplateDlg::OnItemChange()
{
    std::string category, item;
    if (!CurrentChoice(category, item)) {
        return;
    }
    if (CWnd* ok = GetDlgItem(IDOK)) {
        ok->EnableWindow(TRUE);
    }
    m_strPath = ItemPath(category, item, ".vtd");
    std::string description;
    if (!ReadDescription(m_baseFolder / "asset" / (item + ".txt"), description)) {
        description = "No Description Available";
    }
    SetDlgItemText(IDC_DESCRIPTION, description);
    if (auto* preview = dynamic_cast<CShockwaveFlash*>(GetDlgItem(IDC_FLASH))) {
        preview->LoadMovie(0, "loadblank");
        preview->LoadMovie(0, ItemPath(category, item, ".swf"));
        // A dashboard is larger than the preview: it shows whole.
        preview->Zoom(0);
    }
}

void CTemplateDlg::OnOK()
{
    std::string category, item;
    if (!CurrentChoice(category, item)) {
        return;
    }
    m_strPath = ItemPath(category, item, ".vtd");
    EndDialog(IDOK);
}

void CTemplateDlg::OnCancel()
{
    swf::Trace("Cancel");
    EndDialog(IDCANCEL);
}
