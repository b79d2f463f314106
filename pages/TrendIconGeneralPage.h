#pragma once

// The "General" tab of the trend icon: the value it follows (typed or linked) and a custom
// background colour.

#include "pages/PageBlocks.h"
#include "pages/TemplatePage.h"
#include "propui/ComponentPage.h"

class CTrendIconGeneralPage : public pages::CTemplatePage<CTrendIconGeneralPage> {
public:
    enum : int {
        IDD = 256,
        IDC_DATA_GROUP = 1300,
        IDC_DATA = 1301,
        IDC_DATA_LINK = 1302,
        IDC_BACKGROUND_GROUP = 1303,
        IDC_USE_COLOR = 1304,
        IDC_COLOR = 1305,
    };
    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    int GetHelpContextId() override { return 940; }

    void OnUseCustomColor() { m_colour.OnCheck(); }
    void OnCustomColor() { m_colour.OnColour(); }
    void OnDataLink() { m_data.OnLink(); }
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    pages::CLinkedValueEdit m_data;
    pages::CCheckedColour m_colour;
};
