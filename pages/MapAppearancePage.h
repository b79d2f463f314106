#pragma once

// The "Appearance" tab of the maps (and, with its second layout, of the alert icons): the
// title, the region labels and values with their fonts and number format, and the region
// colours (default, selected, mouse over, selectable) with their switches.

#include "pages/FieldPage.h"
#include "propui/NumericFormatCtrl.h"

class CMapAppearancePage : public pages::CFieldPage {
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
    explicit CMapAppearancePage(int layout = 0);
    static DialogTemplate MakeTemplate(int layout);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

protected:
    void OnFieldChanged(const pages::ParamField& row) override;

private:
    void MakeRoomForLabelSwitch();
    void EnableFormat();

    int m_layout = 0;
    CNumericFormatCtrl m_format;
};
