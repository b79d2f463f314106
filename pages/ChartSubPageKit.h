#pragma once

// What the chart sub-pages (Series, combination Series, Titles, Layout) share: the chart-type
// index of the Appearance order, help tables keyed by it, the F1 key, spin edits bound on each
// activation, and the per-series lists whose elements the pages edit one series at a time.

#include "pages/ChartPageKit.h"
#include "pages/ChartSubPages.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CColorButton;
class CParameter;
class CSpinEdit;

namespace pages {

// The chart types in the order the Appearance page and its sub-pages index them.
enum ChartTypeIndex : int {
    kChartPie = 0,
    kChartBar = 1,
    kChartXY = 2,
    kChartBubble = 3,
    kChartLine = 4,
    kChartColumn = 5,
    kChartCombo = 6,
    kChartStackBar = 7,
    kChartStackColumn = 8,
    kChartTypeCount = 9,
};

// The index of a "chartType" text in this order is AppearanceChartIndex (pages/ChartPageKit.h).
// Charts drawn with bars or filled shapes: bar, bubble, column, combo, stackbar, stackcolumn.
bool IsBarLike(int chartType);

// One help topic per chart type; -1 means the help file's default topic.
using ChartHelpRow = std::array<int, kChartTypeCount>;
// The row's topic for the chart type, -1 for a type outside the table.
int ChartHelpTopic(const ChartHelpRow& row, int chartType);

// The list a per-series parameter holds: the bound value of a cell binding, or the parameter
// itself when it has elements. Null for none.
CParameter* ListValue(CParameter* parameter);
// Element `index` of the list under `key` in the set; null when the key, the list or the
// element is missing (a series past the end of its list is never read or written).
CParameter* ElementAt(const CParameterSet* set, const char* key, int index);
// The nested set of a group parameter; null when missing or of another kind.
CParameterSet* NestedSet(const CParameterSet* set, const char* key);

// Shows a colour element in a colour button (which shows window colours); a missing element
// leaves the button as it was. True when shown.
bool ShowColour(CColorButton& button, const CParameter* element);

// The pseudo-random colours new series elements take: the classic linear congruential
// generator (state * 214013 + 2531011, output bits 16 to 30), local to each resize so that the
// colours are the same on every machine and no other user of random numbers is disturbed.
class CSeriesColourGenerator {
public:
    explicit CSeriesColourGenerator(std::uint32_t seed) : m_state(seed) {}
    // The next value, 0 to 32767.
    std::uint32_t Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return (m_state >> 16) & 0x7FFFu;
    }

private:
    std::uint32_t m_state;
};

// The value a new element of a per-series list starts from: a copy of the last element (or of
// the list's element template when it is empty); a colour takes the next value of a generator
// seeded with that colour, a text the text of element `offset` (wrapping round the elements
// there are). Null when the list has neither elements nor template.
std::unique_ptr<CParameter> NewSeriesElement(CParameter& list, CSeriesColourGenerator* colours, int offset);

// Grows (or, when allowed, shrinks from the end) a per-series list, the bound value of a
// cell-bound one, to `count` elements, new ones made as NewSeriesElement says with one
// generator seeded by the last colour. Nothing happens to a missing list.
void ResizeSeriesList(CParameter* parameter, int count, bool shrink);

class CChartSubPageBase : public CChartSubPage {
public:
    // Where the series pages remember the value kind their number format shows.
    static constexpr const char* kFormatIndexKey = "Chart Series Format Index";

    CChartSubPageBase();
    CChartSubPageBase(TemplateMaker makeTemplate, std::vector<ParamField> rows, HelpTopic defaultHelp);
    // Writes back the remembered value kind, when a page read it.
    ~CChartSubPageBase() override;

    using CChartSubPage::Create;
    BOOL CreateForChart(int chartType, CParameterSet* group, const std::string& title, bool modal,
                        IPropertyOwner* owner, CParameterSet* root) override;
    // Stores the chart type, then creates the page.
    BOOL SetChartTypeAndCreate(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                               CParameterSet* root, int chartType);
    void OnSheetSize() override {}
    // F1 asks for the focused control's help topic here, whatever the sheet would do with it.
    BOOL PreTranslateMessage(MSG* msg) override;

    int GetChartType() const { return m_chartType; }

protected:
    CSpinEdit* Spin(int id);
    // Binds a spin edit to a parameter; each committed change tells the owner. A missing
    // parameter disables it (and hides it when asked). True when bound.
    bool BindSpin(int id, CParameter* parameter, bool hide);
    // Enables a combo box by the flag only when it holds more than one item.
    void EnableIfMultipleItems(int comboId, bool enable);
    void EnableItem(int id, bool enable);
    void ShowItem(int id, bool show);
    bool IsChecked(int id);
    void SetChecked(int id, bool checked);
    void SetItemText(int id, const char* text);
    // Runs the colour dialog on the button's colour; on OK shows it and stores it (0xRRGGBB)
    // in the element, tells the owner and repaints. False when cancelled or without element.
    bool ChooseElementColour(CColorButton& button, CParameter* element);
    // A parameter of the component, at the top of its whole set or one group down.
    CParameter* FindInRoot(const char* key) const;
    bool RootBool(const char* key) const;
    // A parameter of the page's own group.
    CParameter* Find(const char* key) const;
    bool GroupBool(const char* key) const;
    // Reads the value kind shown last time from the owner; from then on the page writes it back
    // when it goes (a page never shown keeps what is stored).
    void LoadFormatIndex();

    int m_chartType = kChartLine;
    std::int32_t m_formatIndex = 0;
    bool m_formatIndexLoaded = false;
};

} // namespace pages
