#include "propui/FieldStylePages.h"

#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/DialogTemplate.h"

#include <algorithm>

namespace {

// Labels take the id of their control plus this, so the enabling rules reach them too.
constexpr int kLabelOffset = 1000;

DialogTemplate FieldTemplate(int id, const char* caption, const std::vector<CFieldStylePage::Field>& fields)
{
    using Kind = CFieldStylePage::Kind;
    DialogTemplate t;
    t.id = id;
    t.caption = caption;
    t.style = WS_CHILD | DS_SETFONT | DS_CONTROL;
    t.cx = 265;
    const DWORD child = WS_VISIBLE | WS_TABSTOP;
    int bottom = 0;
    for (const auto& f : fields) {
        switch (f.kind) {
        case Kind::Color:
            t.Add("Static", f.label, f.id + kLabelOffset, f.x, f.y + 2, 70, 8, WS_VISIBLE);
            t.Add("Button", "", f.id, f.x + 72, f.y, 30, 12, child);
            bottom = std::max(bottom, f.y + 12);
            break;
        case Kind::Check:
            t.Add("Button", f.label, f.id, f.x, f.y, 120, 10, child | BS_AUTOCHECKBOX);
            bottom = std::max(bottom, f.y + 10);
            break;
        case Kind::Font:
            t.Add("Static", f.label, f.id + kLabelOffset, f.x, f.y, 200, 8, WS_VISIBLE);
            t.Add("FontData", "", f.id, f.x, f.y + 10, 250, 14, WS_VISIBLE);
            bottom = std::max(bottom, f.y + 24);
            break;
        case Kind::Percent:
            t.Add("Static", f.label, f.id + kLabelOffset, f.x, f.y + 2, 70, 8, WS_VISIBLE);
            t.Add(CSpinEdit::kClassName, "", f.id, f.x + 72, f.y, 30, 12, child);
            bottom = std::max(bottom, f.y + 12);
            break;
        case Kind::Choice:
            t.Add("ComboBox", "", f.id, f.x, f.y, 100, 120, child | CBS_DROPDOWNLIST | WS_VSCROLL);
            bottom = std::max(bottom, f.y + 14);
            break;
        }
    }
    t.cy = bottom + 7;
    return t;
}

} // namespace

CFieldStylePage::CFieldStylePage(int templateId, const char* caption, std::vector<Field> fields,
                                 CGlobalStyle* style, CStyleFolders* folders)
    : CStylePage(style, folders), m_fields(std::move(fields))
{
    CSpinEdit::RegisterClass();
    Construct(FieldTemplate(templateId, caption, m_fields));
}

const CFieldStylePage::Field* CFieldStylePage::FindField(int id) const
{
    for (const auto& f : m_fields)
        if (f.id == id)
            return &f;
    return nullptr;
}

CColorSwatch* CFieldStylePage::Swatch(int id)
{
    for (auto& s : m_swatches)
        if (s->GetDlgCtrlID() == id)
            return s.get();
    return nullptr;
}

CFontDataCtrl* CFieldStylePage::Chooser(int id)
{
    for (auto& c : m_choosers)
        if (c->GetDlgCtrlID() == id)
            return c.get();
    return nullptr;
}

BOOL CFieldStylePage::OnInitDialog()
{
    CStylePage::OnInitDialog();
    for (const auto& f : m_fields) {
        const UINT id = static_cast<UINT>(f.id);
        switch (f.kind) {
        case Kind::Color:
            m_swatches.push_back(std::make_unique<CColorSwatch>());
            m_swatches.back()->SubclassDlgItem(id, this);
            break;
        case Kind::Font:
            m_choosers.push_back(std::make_unique<CFontDataCtrl>());
            m_choosers.back()->SubclassDlgItem(id, this);
            break;
        case Kind::Percent:
            // Bound (to the record's field) on every load.
            break;
        case Kind::Choice:
            for (const std::string& entry : f.choices)
                static_cast<CComboBox*>(GetDlgItem(f.id))->AddString(entry.c_str());
            static_cast<CComboBox*>(GetDlgItem(f.id))->SetCurSel(0);
            break;
        case Kind::Check:
            break;
        }
    }
    LoadControls();
    return TRUE;
}

BOOL CFieldStylePage::OnSetActive()
{
    CStylePage::OnSetActive();
    if (onActivate && m_pStyle)
        onActivate(*m_pStyle);
    // Another page may have loaded a different style meanwhile.
    LoadControls();
    return TRUE;
}

void CFieldStylePage::LoadControls()
{
    if (!m_pStyle || !GetSafeHwnd())
        return;
    m_loading = true;
    for (const auto& f : m_fields) {
        switch (f.kind) {
        case Kind::Color:
            SetButtonColor(*Swatch(f.id), *f.color(*m_pStyle));
            break;
        case Kind::Check:
            CheckDlgButton(f.id, *f.flag(*m_pStyle) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case Kind::Font:
            Chooser(f.id)->Create(f.format(*m_pStyle), nullptr, false, nullptr);
            break;
        case Kind::Percent:
            if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(f.id))) {
                spin->BindInt(f.number(*m_pStyle), GetFont(), f.minimum, f.maximum, 1, false);
                spin->LimitText(3);
            }
            break;
        case Kind::Choice:
            break;
        }
    }
    m_loading = false;
    ApplyEnabling();
}

void CFieldStylePage::ApplyEnabling()
{
    for (const auto& f : m_fields) {
        if (!f.enabledWhen)
            continue;
        BOOL on = f.enabledWhen(*m_pStyle) ? TRUE : FALSE;
        GetDlgItem(f.id)->EnableWindow(on);
        if (CWnd* label = GetDlgItem(f.id + kLabelOffset))
            label->EnableWindow(on);
    }
}

BOOL CFieldStylePage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const Field* f = m_pStyle ? FindField(LOWORD(wParam)) : nullptr;
    const UINT code = HIWORD(wParam);
    if (!f)
        return CStylePage::OnCommand(wParam, lParam);
    if (f->kind == Kind::Color && code == BN_CLICKED) {
        *f->color(*m_pStyle) = OnColorButton(*Swatch(f->id));
        UpdatePreview();
    } else if (f->kind == Kind::Check && code == BN_CLICKED) {
        *f->flag(*m_pStyle) = IsDlgButtonChecked(f->id) == BST_CHECKED;
        if (f->afterCheck) {
            f->afterCheck(*m_pStyle);
            for (const auto& other : m_fields)
                if (other.kind == Kind::Check)
                    CheckDlgButton(other.id, *other.flag(*m_pStyle) ? BST_CHECKED : BST_UNCHECKED);
        }
        ApplyEnabling();
        SetModified(TRUE);
    } else if (f->kind == Kind::Choice && code == CBN_SELCHANGE) {
        if (f->chosen)
            f->chosen(static_cast<CComboBox*>(GetDlgItem(f->id))->GetCurSel());
        LoadControls();
    }
    return TRUE;
}

void CFieldStylePage::SetModified(BOOL modified)
{
    if (m_forward) {
        CPropertyPage::SetModified(TRUE);
        m_forward->SetModified(TRUE);
        return;
    }
    CStylePage::SetModified(modified);
}

void CFieldStylePage::UpdatePreview()
{
    if (m_forward)
        m_forward->UpdatePreview();
    else
        CStylePage::UpdatePreview();
}

LRESULT CFieldStylePage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SPINEDIT_CHANGED) {
        // The spin edit has written its field already.
        const Field* f = FindField(static_cast<int>(wParam));
        if (f && f->kind == Kind::Percent)
            SetModified(TRUE);
        return 0;
    }
    if (message == CFontChooserBase::kChangedMessage) {
        const Field* f = FindField(static_cast<int>(wParam));
        if (f && f->kind == Kind::Font)
            SetModified(TRUE);
        return 0;
    }
    return CStylePage::WindowProc(message, wParam, lParam);
}

namespace {

using Field = CFieldStylePage::Field;
using Kind = CFieldStylePage::Kind;

Field MakeField(int id, Kind kind, const char* label, int x, int y)
{
    Field f;
    f.id = id, f.kind = kind, f.label = label, f.x = x, f.y = y;
    return f;
}

Field Color(int id, const char* label, int x, int y, std::uint32_t model::StyleSelectors::*member,
            std::function<bool(const CGlobalStyle&)> when = {})
{
    Field f = MakeField(id, Kind::Color, label, x, y); f.enabledWhen = std::move(when);
    f.color = [member](CGlobalStyle& s) { return &(s.selectors.*member); };
    return f;
}

Field Check(int id, const char* label, int x, int y, bool model::StyleSelectors::*member,
            std::function<bool(const CGlobalStyle&)> when = {})
{
    Field f = MakeField(id, Kind::Check, label, x, y); f.enabledWhen = std::move(when);
    f.flag = [member](CGlobalStyle& s) { return &(s.selectors.*member); };
    return f;
}

Field Font(int id, const char* label, int x, int y, CTextFormat model::StyleSelectors::*member)
{
    Field f = MakeField(id, Kind::Font, label, x, y);
    f.format = [member](CGlobalStyle& s) { return &(s.selectors.*member); };
    return f;
}

} // namespace

std::unique_ptr<CFieldStylePage> MakeMapsSelectorsStylePage(CGlobalStyle* style, CStyleFolders* folders)
{
    using S = model::StyleSelectors;
    auto noMarkerArt = [](const CGlobalStyle& s) { return !s.selectors.useDefaultArt; };
    auto noLabelArt = [](const CGlobalStyle& s) { return !s.selectors.useBGLabelArt; };
    std::vector<Field> fields = {
        Font(317, "Title", 7, 5, &S::titleTextFormat),
        Font(422, "Labels", 7, 30, &S::labelTextFormat),
        Color(467, "Mouse Over Text", 7, 58, &S::mouseOverTextColor),
        Color(414, "Selected Text", 7, 72, &S::selectedTextColor),
        Color(416, "Default Fill", 7, 90, &S::defaultFillColor),
        Color(418, "Mouse Over Fill", 7, 104, &S::mouseOverFillColor),
        Color(420, "Selected Fill", 7, 118, &S::selectedFillColor),
        Color(431, "Selectable Fill", 7, 150, &S::selectableFillColor),
        Check(407, "Use Marker Art", 140, 58, &S::useDefaultArt),
        Color(424, "Marker Fill", 140, 72, &S::defaultColor, noMarkerArt),
        Color(427, "Marker Selected", 140, 86, &S::selectedColor, noMarkerArt),
        Color(429, "Thumb Color", 140, 100, &S::thumbColor, noMarkerArt),
        Check(437, "Use Label && Background Art", 140, 118, &S::useBGLabelArt),
        Check(436, "Show Border", 140, 132, &S::showBorder, noLabelArt),
        Color(423, "Border Color", 140, 146,
              &S::borderColor, [](const CGlobalStyle& s) { return s.selectors.showBorder && !s.selectors.useBGLabelArt; }),
        Check(439, "Show Background Fill", 140, 162, &S::showFill, noLabelArt),
        Color(425, "Fill Color", 140, 176, &S::fillColor,
              [](const CGlobalStyle& s) { return s.selectors.showFill && !s.selectors.useBGLabelArt; }),
    };
    Field alpha = MakeField(409, Kind::Percent, "Transparency", 7, 132);
    alpha.number = [](CGlobalStyle& s) { return &s.selectors.labelAlpha; };
    fields.push_back(alpha);
    return std::make_unique<CFieldStylePage>(341, "Maps && Selectors", std::move(fields), style, folders);
}

std::unique_ptr<CFieldStylePage> MakeSingleValuesStylePage(CGlobalStyle* style, CStyleFolders* folders)
{
    auto font = [](int id, const char* label, int y, CTextFormat model::StyleSingleVals::*member) {
        Field f = MakeField(id, Kind::Font, label, 7, y);
        f.format = [member](CGlobalStyle& s) { return &(s.singleVals.*member); };
        return f;
    };
    Field ticks = MakeField(339, Kind::Check, "Show Ticks", 7, 85);
    ticks.flag = [](CGlobalStyle& s) { return &s.singleVals.ticksEnabled; };
    Field tickColor = MakeField(349, Kind::Color, "Ticks Color", 135, 83);
    tickColor.color = [](CGlobalStyle& s) { return &s.singleVals.tickColor; };
    Field useFill = MakeField(327, Kind::Check, "Show Fill Color", 7, 101);
    useFill.flag = [](CGlobalStyle& s) { return &s.singleVals.useCustomColor; };
    Field fill = MakeField(435, Kind::Color, "Fill Color", 135, 99);
    fill.color = [](CGlobalStyle& s) { return &s.singleVals.customColor; };
    fill.enabledWhen = [](const CGlobalStyle& s) { return s.singleVals.useCustomColor; };
    std::vector<Field> fields = {font(317, "Title", 5, &model::StyleSingleVals::titleTextFormat),
                                 font(318, "Value", 30, &model::StyleSingleVals::valueTextFormat),
                                 font(319, "Limits", 55, &model::StyleSingleVals::minMaxTextFormat),
                                 ticks,
                                 tickColor,
                                 useFill,
                                 fill};
    return std::make_unique<CFieldStylePage>(343, "Single Values", std::move(fields), style, folders);
}

namespace {

using C = model::StyleCharts;

// Fields of the chart group, or of one of its axes.
template <class Group> struct ChartFields {
    std::function<Group&(CGlobalStyle&)> group;
    std::vector<Field> fields;

    void Color(int id, const char* label, int x, int y, std::uint32_t Group::*m,
               std::function<bool(const CGlobalStyle&)> when = {})
    {
        Field f = MakeField(id, Kind::Color, label, x, y); f.enabledWhen = std::move(when);
        f.color = [g = group, m](CGlobalStyle& s) { return &(g(s).*m); };
        fields.push_back(std::move(f));
    }
    Field& Check(int id, const char* label, int x, int y, bool Group::*m)
    {
        Field f = MakeField(id, Kind::Check, label, x, y);
        f.flag = [g = group, m](CGlobalStyle& s) { return &(g(s).*m); };
        fields.push_back(std::move(f));
        return fields.back();
    }
    void Font(int id, const char* label, int x, int y, CTextFormat Group::*m)
    {
        Field f = MakeField(id, Kind::Font, label, x, y);
        f.format = [g = group, m](CGlobalStyle& s) { return &(g(s).*m); };
        fields.push_back(std::move(f));
    }
    void Number(int id, const char* label, int x, int y, std::int32_t Group::*m, int minimum,
                std::function<bool(const CGlobalStyle&)> when = {})
    {
        Field f = MakeField(id, Kind::Percent, label, x, y); f.enabledWhen = std::move(when);
        f.number = [g = group, m](CGlobalStyle& s) { return &(g(s).*m); };
        f.minimum = minimum;
        fields.push_back(std::move(f));
    }
};

std::function<bool(const CGlobalStyle&)> While(bool C::*m)
{
    return [m](const CGlobalStyle& s) { return s.charts.*m; };
}

} // namespace

std::unique_ptr<CFieldStylePage> MakeSeriesStylePage(CGlobalStyle* style, CStyleFolders* folders)
{
    ChartFields<C> c{[](CGlobalStyle& s) -> C& { return s.charts; }, {}};
    c.Check(407, "Use Marker Art", 7, 5, &C::useMarkerArt);
    c.Number(409, "Transparency", 7, 20, &C::plotAlpha, 0);
    // The three colours follow the series chosen in the list.
    auto series = std::make_shared<int>(0);
    Field list = MakeField(320, Kind::Choice, "", 7, 38);
    for (int i = 1; i <= model::kSeriesColorCount; ++i)
        list.choices.push_back("Series " + std::to_string(i));
    list.chosen = [series](int index) { *series = std::clamp(index, 0, model::kSeriesColorCount - 1); };
    c.fields.push_back(list);
    auto colour = [&](int id, const char* label, int y, std::uint32_t model::StyleSeriesColors::*m,
                      std::function<bool(const CGlobalStyle&)> when) {
        Field f = MakeField(id, Kind::Color, label, 7, y); f.enabledWhen = std::move(when);
        f.color = [series, m](CGlobalStyle& s) { return &(s.charts.series[static_cast<std::size_t>(*series)].*m); };
        c.fields.push_back(std::move(f));
    };
    colour(412, "Line Color", 56, &model::StyleSeriesColors::line, {});
    colour(414, "Bar && Marker", 70, &model::StyleSeriesColors::marker,
           [](const CGlobalStyle& s) { return !s.charts.useMarkerArt; });
    colour(416, "Pie Color", 84, &model::StyleSeriesColors::pie, {});
    c.Check(328, "Show Values", 7, 102, &C::showValues);
    c.Font(318, "Values, Font:", 7, 116, &C::valueTextFormat);
    return std::make_unique<CFieldStylePage>(354, "Series", std::move(c.fields), style, folders);
}

std::unique_ptr<CFieldStylePage> MakeAxisStylePage(bool vertical, CGlobalStyle* style, CStyleFolders* folders)
{
    using A = model::StyleAxis;
    ChartFields<A> a{vertical ? [](CGlobalStyle& s) -> A& { return s.charts.YAxis; }
                              : [](CGlobalStyle& s) -> A& { return s.charts.XAxis; },
                     {}};
    a.Font(317, vertical ? "Vertical Axis Title" : "Horizontal Axis Title", 7, 5, &A::titleTextFormat);
    a.Check(326, "Show Axis", 7, 34, &A::showAxis);
    a.Check(327, "Show Major Ticks", 7, 48, &A::showMajorTicks);
    a.Check(328, "Show Minor Ticks", 7, 62, &A::showMinorTicks);
    a.Color(430, "Axis Color", 140, 34, &A::axisColor);
    auto showAxis = vertical ? [](const CGlobalStyle& s) { return s.charts.YAxis.showAxis; }
                             : [](const CGlobalStyle& s) { return s.charts.XAxis.showAxis; };
    a.Number(414, "Weight", 140, 50, &A::axisWeight, 1, showAxis);
    a.Font(422, vertical ? "Vertical Axis Labels" : "Horizontal Axis Labels", 7, 80, &A::labelTextFormat);
    return std::make_unique<CFieldStylePage>(vertical ? 358 : 355, vertical ? "Y-Axis" : "X-Axis",
                                             std::move(a.fields), style, folders);
}

std::unique_ptr<CFieldStylePage> MakeTitlesStylePage(CGlobalStyle* style, CStyleFolders* folders)
{
    ChartFields<C> c{[](CGlobalStyle& s) -> C& { return s.charts; }, {}};
    c.Font(317, "Chart Title: Title Font", 7, 5, &C::titleTextFormat);
    c.Font(318, "Subtitle Font", 7, 30, &C::subTitleTextFormat);
    c.Check(436, "Show Border", 7, 58, &C::showTitleBorder);
    c.Color(437, "Border Color", 7, 72, &C::titleBorderColor, While(&C::showTitleBorder));
    c.Number(414, "Weight", 7, 86, &C::titleBorderWeight, 1, While(&C::showTitleBorder));
    c.Check(327, "Show Fill", 140, 58, &C::showTitleFill);
    c.Color(435, "Fill Color", 140, 72, &C::titleFillColor, While(&C::showTitleFill));
    c.Font(319, "Legend: Font", 7, 104, &C::legendTextFormat);
    c.Check(439, "Show Border", 7, 132, &C::showLegendBorder);
    c.Color(440, "Border Color", 7, 146, &C::legendBorderColor, While(&C::showLegendBorder));
    c.Number(415, "Weight", 7, 160, &C::legendBorderWeight, 1, While(&C::showLegendBorder));
    c.Check(328, "Show Fill", 140, 132, &C::showLegendFill);
    c.Color(441, "Fill Color", 140, 146, &C::legendFillColor, While(&C::showLegendFill));
    return std::make_unique<CFieldStylePage>(356, "Titles", std::move(c.fields), style, folders);
}

std::unique_ptr<CFieldStylePage> MakeLayoutStylePage(CGlobalStyle* style, CStyleFolders* folders)
{
    ChartFields<C> c{[](CGlobalStyle& s) -> C& { return s.charts; }, {}};
    // Background art and the chart area's own border and fill exclude each other.
    c.Check(438, "Use Background Art", 7, 5, &C::useBackgroundArt).afterCheck = [](CGlobalStyle& s) {
        if (s.charts.useBackgroundArt)
            s.charts.showChartBorder = s.charts.showChartFill = false;
    };
    auto dropArt = [](CGlobalStyle& s) {
        if (s.charts.showChartBorder || s.charts.showChartFill)
            s.charts.useBackgroundArt = false;
    };
    c.Check(439, "Show Border", 7, 19, &C::showChartBorder).afterCheck = dropArt;
    c.Color(443, "Border Color", 7, 33, &C::chartBorderColor, While(&C::showChartBorder));
    c.Number(446, "Weight", 7, 47, &C::chartBorderWeight, 1, While(&C::showChartBorder));
    c.Check(442, "Show Fill", 140, 19, &C::showChartFill).afterCheck = dropArt;
    c.Color(444, "Fill Color", 140, 33, &C::chartFillColor, While(&C::showChartFill));
    c.Number(447, "Plot Area: Margin", 7, 65, &C::plotMargin, 1);
    c.Check(657, "Show Border", 7, 81, &C::showPlotBorder);
    c.Color(450, "Border Color", 7, 95, &C::plotBorderColor, While(&C::showPlotBorder));
    c.Number(449, "Weight", 7, 109, &C::plotBorderWeight, 1, While(&C::showPlotBorder));
    c.Check(658, "Show Fill", 140, 81, &C::showPlotFill);
    c.Color(452, "Fill Color", 140, 95, &C::plotFillColor, While(&C::showPlotFill));
    const struct {
        int check, color, weight, x, y;
        const char* label;
        bool C::*show;
        std::uint32_t C::*colour;
        std::int32_t C::*w;
    } grids[] = {
        {441, 454, 460, 7, 127, "Horizontal Major Gridlines", &C::showHMajGrid, &C::hMajGridColor, &C::hMajWeight},
        {455, 2, 461, 140, 127, "Horizontal Minor Gridlines", &C::showHMinGrid, &C::hMinGridColor, &C::hMinWeight},
        {472, 473, 471, 7, 169, "Vertical Major Gridlines", &C::showVMajGrid, &C::vMajGridColor, &C::vMajWeight},
        {475, 3, 474, 140, 169, "Vertical Minor Gridlines", &C::showVMinGrid, &C::vMinGridColor, &C::vMinWeight},
    };
    for (const auto& g : grids) {
        c.Check(g.check, g.label, g.x, g.y, g.show);
        c.Color(g.color, "Color", g.x, g.y + 14, g.colour, While(g.show));
        c.Number(g.weight, "Weight", g.x, g.y + 28, g.w, 1, While(g.show));
    }
    auto page = std::make_unique<CFieldStylePage>(357, "Layout", std::move(c.fields), style, folders);
    // A style whose chart area has background art shows no border or fill of its own there.
    page->onActivate = [](CGlobalStyle& s) {
        if (s.charts.useBackgroundArt)
            s.charts.showChartBorder = s.charts.showChartFill = false;
    };
    return page;
}
