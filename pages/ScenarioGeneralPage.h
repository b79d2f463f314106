#pragma once

// The "General" tab of the scenario components: custom background and font colours.

#include "pages/PageBlocks.h"
#include "pages/TemplatePage.h"
#include "propui/ComponentPage.h"

class CScenarioGeneralPage : public pages::CTemplatePage<CScenarioGeneralPage> {
public:
    enum : int {
        IDD = 323,
        IDC_USE_COLOR = 1400,
        IDC_COLOR = 1401,
        IDC_USE_FONT_COLOR = 1402,
        IDC_FONT_COLOR = 1403,
        IDC_COLORS_GROUP = 1404,
    };
    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override { return 2750; }

    void OnUseCustomColor() { m_colour.OnCheck(); }
    void OnUseCustomFontColor() { m_fontColour.OnCheck(); }
    void OnCustomColor() { m_colour.OnColour(); }
    void OnCustomFontColor() { m_fontColour.OnColour(); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    pages::CCheckedColour m_colour;
    pages::CCheckedColour m_fontColour;
};
