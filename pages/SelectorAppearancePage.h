#pragma once

// The "Appearance" tab of the selectors: the title and the labels (switch, position, font,
// shifts), the label colours and background, the component's border and fill, the rows a combo
// box shows, and the marker colours. One page serves every selector: controls whose parameter
// the group lacks are hidden or disabled, and a push button has its title group last.

#include "pages/FieldPage.h"
#include "propui/ColorButton.h"
#include "propui/FontDataCtrl.h"
#include "propui/NumericFormatCtrl.h"

class CSelectorAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 262,
        IDD_PUSH_BUTTON = 551,
        IDC_TITLE_GROUP = 1400,
        IDC_SHOW_TITLE = 1401,
        IDC_TITLE_POSITION_LABEL = 1402,
        IDC_TITLE_POSITION = 1403,
        IDC_TITLE_FONT_LABEL = 1404,
        IDC_TITLE_FONT = 1405,
        IDC_TITLE_X_LABEL = 1406,
        IDC_TITLE_X = 1407,
        IDC_TITLE_Y_LABEL = 1408,
        IDC_TITLE_Y = 1409,
        IDC_LABELS_GROUP = 1410,
        IDC_SHOW_LABELS = 1411,
        IDC_ALIGN_LABEL = 1412,
        IDC_ALIGN = 1413,
        IDC_LABEL_FONT_LABEL = 1414,
        IDC_LABEL_FONT = 1415,
        IDC_LABEL_X_LABEL = 1416,
        IDC_LABEL_X = 1417,
        IDC_LABEL_Y_LABEL = 1418,
        IDC_LABEL_Y = 1419,
        IDC_SELECTED_TEXT_LABEL = 1420,
        IDC_SELECTED_TEXT = 1421,
        IDC_OVER_TEXT_LABEL = 1422,
        IDC_OVER_TEXT = 1423,
        IDC_ROWS_LABEL = 1424,
        IDC_ROWS = 1425,
        IDC_BACKGROUND_GROUP = 1426,
        IDC_USE_LABEL_ART = 1427,
        IDC_SEPARATION_LABEL = 1428,
        IDC_SEPARATION = 1429,
        IDC_LABEL_TRANS_LABEL = 1430,
        IDC_LABEL_TRANS = 1431,
        IDC_DEFAULT_BG_LABEL = 1432,
        IDC_DEFAULT_BG = 1433,
        IDC_OVER_BG_LABEL = 1434,
        IDC_OVER_BG = 1435,
        IDC_SELECTED_BG_LABEL = 1436,
        IDC_SELECTED_BG = 1437,
        IDC_BORDER_GROUP = 1438,
        IDC_USE_BACKGROUND_ART = 1439,
        IDC_SHOW_BORDER = 1440,
        IDC_BORDER_COLOR = 1441,
        IDC_SHOW_FILL = 1442,
        IDC_FILL_COLOR = 1443,
        IDC_X_MARGIN_LABEL = 1444,
        IDC_X_MARGIN = 1445,
        IDC_Y_MARGIN_LABEL = 1446,
        IDC_Y_MARGIN = 1447,
        IDC_WEIGHT_LABEL = 1448,
        IDC_WEIGHT = 1449,
        IDC_BACK_TRANS_LABEL = 1450,
        IDC_BACK_TRANS = 1451,
        IDC_MARKERS_GROUP = 1452,
        IDC_USE_MARKER_ART = 1453,
        IDC_MARKER_DEFAULT_LABEL = 1454,
        IDC_MARKER_DEFAULT = 1455,
        IDC_MARKER_SELECTED_LABEL = 1456,
        IDC_MARKER_SELECTED = 1457,
        IDC_THUMB_LABEL = 1458,
        IDC_THUMB = 1459,
        IDC_FORMAT = 1460,
    };
    static DialogTemplate MakeTemplate(bool pushButton);

    CSelectorAppearancePage();
    using CFieldPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    void OnAlignment();
    void OnUseBackgroundArt();
    void OnShowBorder();
    void OnShowFill();
    void OnSelectedText() { LabelColour("selectTextColor", m_selectedText); }
    void OnOverText() { LabelColour("overTextColor", m_overText); }
    void OnDefaultBg() { LabelColour("dftBgColor", m_defaultBg); }
    void OnOverBg() { LabelColour("overBgColor", m_overBg); }
    void OnSelectedBg() { LabelColour("selectBgColor", m_selectedBg); }
    void OnBorderColor();
    void OnFillColor();
    void OnMarkerDefault();
    void OnMarkerSelected();
    void OnThumb() { OnColorButtonClicked("thumbColor", m_thumb, Group()); }
    LRESULT OnSpinChanged(WPARAM wParam, LPARAM lParam);

    int TypeIndex() const { return m_type; }

protected:
    void OnFieldChanged(const pages::ParamField& row) override;
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* Group() const;
    CParameterSet* Background() const;
    CParameterSet* LabelColours() const;
    const char* MarkerKey(bool selected) const;
    bool MouseOverMode() const;
    const char* OwnColourKey(const char* key) const;
    void LabelColour(const char* key, CColorButton& button);
    void ApplyLabelRule();
    void ApplyLabelArtRule();
    void ApplyBackgroundRule();
    void ApplyBackgroundTransparency();
    void ApplyMarkerRule();
    void ClampRows();
    void MakeRoomForFormat();
    bool BindSpin(int id, CParameter* parameter, bool hide, bool negate);

    int m_type = -1;
    bool m_showLabelsBound = false;
    bool m_hasLabelY = false;
    bool m_hasBackgroundArt = false;
    CFontDataCtrl m_labelFont;
    CNumericFormatCtrl m_format;
    CColorButton m_selectedText, m_overText, m_defaultBg, m_overBg, m_selectedBg;
    CColorButton m_border, m_fill, m_markerDefault, m_markerSelected, m_thumb;
};
