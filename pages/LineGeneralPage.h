#pragma once

// The "General" tab of the horizontal and vertical lines: colour and weight.

#include "pages/PageBlocks.h"
#include "pages/TemplatePage.h"
#include "propui/ComponentPage.h"

class CLineGeneralPage : public pages::CTemplatePage<CLineGeneralPage> {
public:
    enum : int {
        IDD = 257,
        IDC_COLOR_LABEL = 1200,
        IDC_COLOR = 1201,
        IDC_WEIGHT_LABEL = 1202,
        IDC_WEIGHT = 1203,
    };
    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override { return 930; }

    void OnColor();
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    CColorButton m_color;
    pages::CNumberEdit m_weight;
};
