#pragma once

// The browser of the shipped documents: "New From Template" lists the layouts of the
// installation's "template" folder, "Samples" the documents of its "samples" folder, each by
// category (a sub-folder) and item (a document in it), with a preview movie and a
// description.

#include <filesystem>
#include <string>

#include "platform/dialogs/Dialog.h"

class CListBox;
class CShockwaveFlash;

class CTemplateDlg : public CDialog {
public:
    enum Mode { kTemplates = 1, kSamples = 2 };

    CTemplateDlg(const std::filesystem::path& baseFolder, int mode, CWnd* parent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCategoryChange();
    void OnItemChange();

    // The document chosen (after OK).
    const std::string& GetPath() const { return m_strPath; }
    int GetMode() const { return m_nMode; }
    CListBox& Categories();
    CListBox& Items();

    // A description file: a 32-bit length and that many characters; empty when the file is
    // missing or damaged.
    static bool ReadDescription(const std::filesystem::path& file, std::string& text);

    DECLARE_MESSAGE_MAP()

private:
    std::filesystem::path Folder() const;
    std::string ItemPath(const std::string& category, const std::string& item, const char* extension) const;
    bool CurrentChoice(std::string& category, std::string& item);

    std::filesystem::path m_baseFolder;
    int m_nMode = kTemplates;
    std::string m_strPath;
};
