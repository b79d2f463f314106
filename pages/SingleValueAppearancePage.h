#pragma once

// The "Appearance" tab of the single-value components: how the title, the value and the
// limits are drawn (font, position, pixel shifts), the value's number format, the ticks, an
// optional fill colour and background. One layout serves every symbol; what a component lacks
// is hidden, and an orientable component's position lists follow its orientation.

#include "pages/FieldPage.h"
#include "platform/controls/SpinEdit.h"
#include "propui/ColorButton.h"
#include "propui/ComponentPage.h"
#include "propui/FontDataCtrl.h"
#include "propui/NumericFormatCtrl.h"

#include <map>
#include <string>

class CSingleValueAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 242,
        IDC_TITLE_FONT = 2200,
        IDC_VALUE_FONT = 2201,
        IDC_LIMIT_FONT = 2202,
        IDC_TITLE_X = 2203,
        IDC_TITLE_Y = 2204,
        IDC_TITLE_GROUP = 2205,
        IDC_SHOW_TITLE = 2206,
        IDC_TITLE_POSITION = 2207,
        IDC_TITLE_POSITION_LABEL = 2208,
        IDC_TITLE_X_LABEL = 2209,
        IDC_TITLE_Y_LABEL = 2210,
        IDC_VALUE_GROUP = 2211,
        IDC_LIMITS_GROUP = 2212,
        IDC_SHOW_VALUE = 2213,
        IDC_VALUE_POSITION = 2214,
        IDC_VALUE_POSITION_LABEL = 2215,
        IDC_VALUE_X_LABEL = 2216,
        IDC_VALUE_Y_LABEL = 2217,
        IDC_VALUE_X = 2218,
        IDC_VALUE_Y = 2219,
        IDC_DISPLAY_GROUP = 2220,
        IDC_TICKS = 2221,
        IDC_MIN_ANGLE = 2222,
        IDC_SUBTICKS = 2223,
        IDC_MAX_ANGLE = 2224,
        IDC_SHOW_LIMITS = 2225,
        IDC_SHOW_TICKS = 2226,
        IDC_TICK_COLOR = 2227,
        IDC_LIMIT_FONT_LABEL = 2228,
        IDC_VALUE_FONT_LABEL = 2229,
        IDC_TITLE_FONT_LABEL = 2230,
        IDC_TICK_COLOR_LABEL = 2231,
        IDC_TICKS_LABEL = 2232,
        IDC_SUBTICKS_LABEL = 2233,
        IDC_MIN_ANGLE_LABEL = 2234,
        IDC_MAX_ANGLE_LABEL = 2235,
        IDC_NUMERIC_FORMAT = 2236,
        IDC_FILL_COLOR = 2237,
        IDC_FILL_COLOR_LABEL = 2238,
        IDC_SHOW_FILL = 2239,
        IDC_VSPACING_LABEL = 2240,
        IDC_SHOW_BACKGROUND = 2241,
    };
    static DialogTemplate MakeTemplate();

    CSingleValueAppearancePage();

    ~CSingleValueAppearancePage() override;

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override {}
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    int GetTypeIndex() const { return m_typeIndex; }
    CSpinEdit* Spin(int id) const;
    CFontDataCtrl& TitleFont() { return m_titleFont; }
    CFontDataCtrl& ValueFont() { return m_valueFont; }

    void OnShowTitle();
    void OnShowValue();
    void OnShowLimits();
    void OnShowTicks();
    void OnShowBackground();
    void OnShowFill();
    void OnTitlePosition();
    void OnValuePosition();
    void OnTickColor();
    void OnFillColor();

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* Group() const { return pages::PageGroup(*this, "Appearance"); }
    CParameter* Find(const char* key) const;
    bool RootBool(const char* key) const;
    bool AlertsOn() const;
    bool Checked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }
    bool BindSpin(int id, CParameter* parameter, bool negate);
    void EnableSpin(int id, bool enable);
    CParameter* TitlePositionKey() const;
    CParameter* ValuePositionKey() const;
    bool PositionUsable(int comboId, const CParameter* key) const;
    void FillPositions(int comboId, CParameter* stored, bool title, bool horizontal);
    void StorePosition(int comboId, CParameter* target);
    void EnableTitle();
    void EnableValue();
    void EnableLimits();
    void EnableTicks();
    void EnableFill();

    CFontDataCtrl m_titleFont;
    CFontDataCtrl m_valueFont;
    CFontDataCtrl m_limitFont;
    CColorButton m_tickColor;
    CColorButton m_fillColor;
    CNumericFormatCtrl m_numericFormat;
    std::map<int, bool> m_spinBound;
    CParameter* m_orientation = nullptr;
    CParameter* m_alertsEnabled = nullptr;
    int m_typeIndex = -1;
    bool m_hasTitleFont = false;
    bool m_hasValueFont = false;
    bool m_hasLimitFont = false;
    bool m_hasFormat = false;
};
