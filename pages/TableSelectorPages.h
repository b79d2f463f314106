#pragma once

// The tabs of the table selector, the component that shows a block of cells as rows the movie
// user selects; the selected row's source cells are then copied into the insert cells.
// General: the three ranges. Behavior: which rows can be selected, the default row, when the
// insert happens, sound, entry effect and dynamic visibility. Appearance: grid and row colours.

#include "model/Parameter.h"
#include "pages/FieldPage.h"
#include "pages/PageBlocks.h"
#include "platform/controls/SpinEdit.h"
#include "platform/drawing/Font.h"
#include "propui/ColorButton.h"
#include "propui/ComponentPage.h"

#include <cstdint>

class CTableSelectorGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 268,
        IDC_INSERT_GROUP = 2300,
        IDC_TARGET = 2301,
        IDC_TARGET_LINK = 2302,
        IDC_SOURCE = 2303,
        IDC_SOURCE_LINK = 2304,
        IDC_TARGET_LABEL = 2305,
        IDC_SOURCE_LABEL = 2306,
        IDC_INSERT_OPTION = 2307,
        IDC_INSERT_OPTION_LABEL = 2308,
        IDC_DATA = 2309,
        IDC_DATA_LINK = 2310,
        IDC_HELP_MOVIE = 2311,
        IDC_DATA_GROUP = 2312,
    };
    // Larger ranges ask before they are linked: every cell is a movie variable.
    static constexpr std::uint32_t kCellLimit = 300;
    static constexpr const char* kLargeRangeTip =
        "TIP: You may want to consider a smaller range. The current "
        "selection you have made may impact your computer's performance.";
    static constexpr const char* kFormulaTip =
        "Insert In Selections should not contain cells that have formulas";

    static DialogTemplate MakeTemplate();

    CTableSelectorGeneralPage();
    using CFieldPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;

    // Links the display data; the default row and the row flags follow the rows it has.
    void OnDataValuesLink();

private:
    void ResizeDisabledRows();

    CParameter* m_disabledRows = nullptr;
};

// The number of rows a table's display data holds (the elements of its bound list), or -1 when
// it holds no list.
int TableRowCount(const CParameter* dataValues);

// Makes the row flags one per row, keeping the flags of the rows that stay; new rows copy the
// flags' element template (a selectable row when there is none). True when the count changed.
bool ResizeRowFlags(CParameter& flags, int rows);

class CTableSelectorBehaviorPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 269,
        IDC_OPTIONS_GROUP = 2330,
        IDC_ALWAYS_EXPANDED = 2331,
        IDC_SOUND = 2332,
        IDC_OPEN_ANIMATION = 2333,
        IDC_OPEN_DIRECTION_LABEL = 2334,
        IDC_OPEN_DIRECTION = 2335,
        IDC_OPEN_ON_LABEL = 2336,
        IDC_VISIBILITY_GROUP = 2337,
        IDC_STATUS_RANGE = 2338,
        IDC_STATUS_LINK = 2339,
        IDC_EFFECT_LABEL = 2340,
        IDC_EFFECT = 2341,
        IDC_DURATION_LABEL = 2342,
        IDC_OPEN_ON = 2343,
        IDC_UPDATE_ON = 2344,
        IDC_UPDATE_ON_LABEL = 2345,
        IDC_STATUS_LABEL = 2346,
        IDC_ROWS_GROUP = 2347,
        IDC_SELECTABLE = 2348,
        IDC_ROW_LABEL = 2349,
        IDC_ROW = 2350,
        IDC_SELECT_ALL = 2351,
        IDC_DESELECT_ALL = 2352,
        IDC_DURATION = 2353,
        IDC_KEY = 2354,
        IDC_KEY_LABEL = 2355,
        IDC_KEY_LINK = 2356,
        IDC_DEFAULTS_GROUP = 2357,
        IDC_DEFAULT_LABEL = 2358,
        IDC_DEFAULT = 2359,
    };
    static DialogTemplate MakeTemplate();

    CTableSelectorBehaviorPage();

    ~CTableSelectorBehaviorPage() override;

    using CFieldPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    void FillDefaultSelection();
    void ShowUpdateOn();

    void OnDefaultSelectionChanged();
    void OnSelectAll() { SetAllRows(false); }
    void OnDeselectAll() { SetAllRows(true); }
    void OnSelectableClicked();
    void OnUpdateOnChanged();
    LRESULT OnSpinChanged(WPARAM wParam, LPARAM lParam);

    int GetRowNumber() const { return m_rowNumber.GetInt(); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameter* Find(const char* key) const;
    CParameter* Flags() const;
    CParameter* SelectIndex() const;
    CSpinEdit* Spin(int id) const;
    // The row's flag; a row without one can be selected.
    bool RowDisabled(int row) const;
    void ShowSelectable();
    void SetAllRows(bool disabled);

    CFont m_font;
    CParameter m_rowNumber;
};

class CTableSelectorAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 270,
        IDC_GRID_GROUP = 2380,
        IDC_SHOW_GRID = 2381,
        IDC_GRID_COLOR = 2382,
        IDC_GRID_COLOR_LABEL = 2383,
        IDC_BACKGROUND_GROUP = 2384,
        IDC_SELECT_COLOR = 2385,
        IDC_SELECT_COLOR_LABEL = 2386,
        IDC_MOUSE_OVER_COLOR = 2387,
        IDC_MOUSE_OVER_COLOR_LABEL = 2388,
    };
    static DialogTemplate MakeTemplate();

    CTableSelectorAppearancePage();
};
