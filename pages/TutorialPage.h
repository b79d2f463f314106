#pragma once

// The "Tutorial" tab of the components that have one: the component's explanatory movie.

#include "pages/PageBlocks.h"
#include "platform/controls/Static.h"
#include "propui/ComponentPage.h"

class CTutorialPage : public CComponentPage {
public:
    enum : int { IDD = 271, IDC_PLAYER = 1650, IDC_CLOSE = 1651 };
    static DialogTemplate MakeTemplate();

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    const std::string& GetMoviePath() const { return m_path; }

private:
    std::string m_variant;
    std::string m_path;
    CStatic m_frame;
};
