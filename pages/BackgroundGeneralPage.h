#pragma once

// The "General" tab of the backgrounds, shapes and pictures: built-in background art, an
// imported picture or movie, or neither.

#include "pages/ExternalFileImport.h"
#include "pages/FieldPage.h"

namespace publish {
class ITempFileMaker;
}

class CBackgroundGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 248,
        IDC_TYPE_GROUP = 1900,
        IDC_USE_ART = 1901,
        IDC_USE_FILE = 1902,
        IDC_FILENAME_LABEL = 1903,
        IDC_FILENAME = 1904,
        IDC_IMPORT = 1905,
        IDC_SHOW_BG_COLOR = 1906,
        IDC_EMBED = 1907,
        IDC_CAPTURE_MOUSE = 1908,
    };
    static constexpr const char* kOursKey = "ours";
    static constexpr const char* kFileFilter = "JPEG and SWF Files (*.jpg;*.swf)|*.jpg;*.swf|JPEG Files "
                                               "(*.jpg)|*.jpg|Macromedia Flash (SWF) Files (*.swf)|*.swf|All "
                                               "Files (*.*)|*.*|";
    static DialogTemplate MakeTemplate();

    // The imported copies are made by temporaries; tip counts the movies of the document.
    CBackgroundGeneralPage(publish::ITempFileMaker& temporaries, pages::SwfImportTip& tip);
    ~CBackgroundGeneralPage() override;

    using CFieldPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    int GetHelpContextId() override;

    void OnUseArt();
    void OnUseFile();
    void OnImport();
    // A picture or movie of our own making is always embedded.
    bool IsOurs() const { return m_ours; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* FileSet() const;
    void SetTiling(bool vertical, bool horizontal);
    void ShowPath();

    publish::ITempFileMaker& m_temporaries;
    pages::SwfImportTip& m_tip;
    CInPlaceEdit m_fileName;
    bool m_ours = false;
    bool m_opened = false;
    bool m_tileVertical = false;
    bool m_tileHorizontal = false;
};
