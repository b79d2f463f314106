#pragma once

// The "General" tab of the label: the text it shows, typed or taken from a cell.

#include "pages/PageBlocks.h"
#include "pages/TemplatePage.h"
#include "propui/ComponentPage.h"

class CLabelGeneralPage : public pages::CTemplatePage<CLabelGeneralPage> {
public:
    enum : int {
        IDD = 258,
        IDC_DATA_GROUP = 1700,
        IDC_LINK_MODE = 1701,
        IDC_TEXT_MODE = 1702,
        IDC_RANGE = 1703,
        IDC_LINK = 1704,
        IDC_TEXT = 1705,
        IDC_HELP_MOVIE = 1706,
    };
    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    int GetHelpContextId() override { return 1415; }

    void OnLinkMode() { m_value.OnLinkMode(); }
    void OnTextMode() { m_value.OnTextMode(); }
    void OnLinkButton() { m_value.OnLink(); }
    void OnTextChanged() { m_value.OnTextChanged(); }
    void OnHelpMovie();

protected:
    DECLARE_MESSAGE_MAP()

private:
    pages::CTextOrCell m_value;
};
