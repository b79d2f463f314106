#pragma once

// The "Appearance" tab of the maps (and, with its second layout, of the alert icons): the
// title, the region labels and values with their fonts and number format, and the region
// colours (default, selected, mouse over, selectable) with their switches.

#include "pages/TemplatePage.h"
#include "propui/ColorButton.h"
#include "propui/ComponentPage.h"
#include "propui/FontDataCtrl.h"
#include "propui/NumericFormatCtrl.h"

class CMapAppearancePage : public CComponentPage {
public:
    enum : int {
        IDD_MAP = 266,
        IDD_ICON = 286,
        IDC_TITLE_GROUP = 1500,
        IDC_SHOW_TITLE = 1501,
        IDC_POSITION_LABEL = 1502,
        IDC_POSITION = 1503,
        IDC_TITLE_FONT_LABEL = 1504,
        IDC_TITLE_FONT = 1505,
        IDC_XSHIFT_LABEL = 1506,
        IDC_XSHIFT = 1507,
        IDC_YSHIFT_LABEL = 1508,
        IDC_YSHIFT = 1509,
        IDC_LABELS_GROUP = 1510,
        IDC_SHOW_LABELS = 1511,
        IDC_LABEL_FONT = 1512,
        IDC_SHOW_MOUSE_OVER = 1513,
        IDC_MOUSE_FONT = 1514,
        IDC_VALUES_GROUP = 1515,
        IDC_SHOW_VALUES = 1516,
        IDC_FORMAT = 1517,
        IDC_REGION_GROUP = 1518,
        IDC_SHOW_ART = 1519,
        IDC_SHOW_ON_OFF = 1520,
        IDC_USE_CUSTOM = 1521,
        IDC_DEFAULT_LABEL = 1522,
        IDC_DEFAULT_COLOR = 1523,
        IDC_SELECTED_LABEL = 1524,
        IDC_SELECTED_COLOR = 1525,
        IDC_HIGHLIGHT_LABEL = 1526,
        IDC_HIGHLIGHT_COLOR = 1527,
        IDC_SELECTABLE_LABEL = 1528,
        IDC_SELECTABLE_COLOR = 1529,
        IDC_TRANSPARENCY_LABEL = 1530,
        IDC_TRANSPARENCY = 1531,
    };
    // Layout 0 for the maps, 1 (or more) for the alert icons.
    explicit CMapAppearancePage(int layout = 0) : m_layout(layout) {}
    static DialogTemplate MakeTemplate(int layout);

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override {}
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    void OnShowTitle();
    void OnShowLabels();
    void OnShowValues();
    void OnShowMouseOver();
    void OnShowArt() { StoreBool("showMouseEffects", IDC_SHOW_ART); }
    void OnShowOnOff() { StoreBool("showOnOff", IDC_SHOW_ON_OFF); }
    void OnUseCustomColor();
    void OnPosition();
    void OnDefaultColor() { OnColorButtonClicked("regionDftColor", m_default, Group()); }
    void OnSelectedColor() { OnColorButtonClicked("regionSelectionColor", m_selected, Group()); }
    void OnHighlightColor() { OnColorButtonClicked("regionHighlightColor", m_highlight, Group()); }
    void OnSelectableColor() { OnColorButtonClicked("selectableColor", m_selectable, Group()); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* Group() const;
    bool StoreBool(const char* key, int checkId);
    bool Flag(const char* key) const;
    void MakeRoomForLabelSwitch();
    void ApplyTitleRule();
    void ApplyFollowers();
    void ApplyColourRules();

    int m_layout = 0;
    CFontDataCtrl m_titleFont, m_labelFont, m_mouseFont;
    CNumericFormatCtrl m_format;
    CColorButton m_default, m_selected, m_highlight, m_selectable;
};
