#pragma once

// The "General" tab of the selectors (push button, check box, menu, combo box, filter, list
// box, radio buttons, alert button, play selector) and the maps: the labels a selector shows,
// the source data behind them, the cells its choice is inserted in and what is inserted, the
// title, and the menu's orientation, the filter's count or the map's display data. The page
// adapts to the keys its group holds: a control without its parameter is disabled or hidden.

#include "pages/FieldPage.h"

class CSelectorGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 238,
        IDC_INSERT_GROUP = 1100,
        IDC_INSERT_IN_LABEL = 1101,
        IDC_INSERT_IN = 1102,
        IDC_INSERT_IN_LINK = 1103,
        IDC_SOURCE_LABEL = 1104,
        IDC_SOURCE = 1105,
        IDC_SOURCE_LINK = 1106,
        IDC_SOURCE_VALUES = 1107,
        IDC_OPTION_LABEL = 1108,
        IDC_OPTION = 1109,
        IDC_TITLES_GROUP = 1110,
        IDC_TITLE_LABEL = 1111,
        IDC_TITLE = 1112,
        IDC_TITLE_LINK = 1113,
        IDC_LABELS_LABEL = 1114,
        IDC_LABELS = 1115,
        IDC_LABELS_LINK = 1116,
        IDC_LABELS_EDIT = 1117,
        IDC_DISPLAY_GROUP = 1118,
        IDC_DISPLAY_DATA = 1119,
        IDC_DISPLAY_LINK = 1120,
        IDC_HORIZONTAL = 1121,
        IDC_VERTICAL = 1122,
        IDC_FILTERS_LABEL = 1123,
        IDC_FILTERS = 1124,
        IDC_HELP_MOVIE = 1125,
    };
    static DialogTemplate MakeTemplate();

    CSelectorGeneralPage();
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    void OnInsertOptionChanged();
    void OnEditLabels();
    void OnLabels();
    void OnSourceDataLink();
    void OnStatusLabels();
    void OnDataValues();
    void OnInputValues();
    void OnHorizontal() { SetOrientation("horizontal"); }
    void OnVertical() { SetOrientation("vertical"); }
    void OnHelpMovie();
    LRESULT OnSpinChanged(WPARAM wParam, LPARAM lParam);

    int TypeIndex() const { return m_type; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* Group() const;
    CParameter* InsertOption() const;
    CParameter* Source() const;
    CParameter* Target() const;
    void ShowTitle();
    void ShowLabels();
    void ShowOrientation();
    void BindFilterCount();
    void ShowSourceData();
    void ShowInsertIn();
    void ShowDisplayData();
    void UpdateInsertOptionLayout(bool repaint);
    void ShowDisplayOptions(const char* caption);
    void SetOrientation(const char* text);
    void KeepSelectionInRange(int count);
    void KeepRegionAfterRelink();
    void ResetFilterArrays(int count);

    int m_type = -1;
};
