#include "propui/FieldStylePages.h"

#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/DialogTemplate.h"

#include <algorithm>
#include <cstdlib>

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
            t.Add("Static", f.label, f.id + kLabelOffset, f.x, f.y, 60, 8, WS_VISIBLE);
            t.Add("FontData", "", f.id, f.x, f.y + 10, 250, 14, WS_VISIBLE);
            bottom = std::max(bottom, f.y + 24);
            break;
        case Kind::Percent:
            t.Add("Static", f.label, f.id + kLabelOffset, f.x, f.y + 2, 70, 8, WS_VISIBLE);
            t.Add("Edit", "", f.id, f.x + 72, f.y, 30, 12, child | WS_BORDER);
            bottom = std::max(bottom, f.y + 12);
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
            m_numbers.push_back(std::make_unique<CEdit>());
            m_numbers.back()->SubclassDlgItem(id, this);
            m_numbers.back()->LimitText(3);
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
            SetDlgItemText(f.id, std::to_string(*f.number(*m_pStyle)));
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
        ApplyEnabling();
        SetModified(TRUE);
    } else if (f->kind == Kind::Percent && code == EN_CHANGE && !m_loading) {
        std::string text = GetDlgItem(f->id)->GetWindowText();
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
            return TRUE;
        int value = std::clamp(std::atoi(text.c_str()), 0, 100);
        if (std::to_string(value) != text) {
            m_loading = true;
            SetDlgItemText(f->id, std::to_string(value));
            m_loading = false;
        }
        if (value != *f->number(*m_pStyle)) {
            *f->number(*m_pStyle) = value;
            SetModified(TRUE);
        }
    }
    return TRUE;
}

LRESULT CFieldStylePage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
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

Field Color(int id, const char* label, int x, int y, std::uint32_t model::StyleSelectors::*member,
            std::function<bool(const CGlobalStyle&)> when = {})
{
    Field f{id, Kind::Color, label, x, y, {}, {}, {}, {}, std::move(when)};
    f.color = [member](CGlobalStyle& s) { return &(s.selectors.*member); };
    return f;
}

Field Check(int id, const char* label, int x, int y, bool model::StyleSelectors::*member,
            std::function<bool(const CGlobalStyle&)> when = {})
{
    Field f{id, Kind::Check, label, x, y, {}, {}, {}, {}, std::move(when)};
    f.flag = [member](CGlobalStyle& s) { return &(s.selectors.*member); };
    return f;
}

Field Font(int id, const char* label, int x, int y, CTextFormat model::StyleSelectors::*member)
{
    Field f{id, Kind::Font, label, x, y, {}, {}, {}, {}, {}};
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
    Field alpha{409, Kind::Percent, "Transparency", 7, 132, {}, {}, {}, {}, {}};
    alpha.number = [](CGlobalStyle& s) { return &s.selectors.labelAlpha; };
    fields.push_back(alpha);
    return std::make_unique<CFieldStylePage>(341, "Maps && Selectors", std::move(fields), style, folders);
}

std::unique_ptr<CFieldStylePage> MakeSingleValuesStylePage(CGlobalStyle* style, CStyleFolders* folders)
{
    auto font = [](int id, const char* label, int y, CTextFormat model::StyleSingleVals::*member) {
        Field f{id, Kind::Font, label, 7, y, {}, {}, {}, {}, {}};
        f.format = [member](CGlobalStyle& s) { return &(s.singleVals.*member); };
        return f;
    };
    Field ticks{339, Kind::Check, "Show Ticks", 7, 85, {}, {}, {}, {}, {}};
    ticks.flag = [](CGlobalStyle& s) { return &s.singleVals.ticksEnabled; };
    Field tickColor{349, Kind::Color, "Ticks Color", 135, 83, {}, {}, {}, {}, {}};
    tickColor.color = [](CGlobalStyle& s) { return &s.singleVals.tickColor; };
    Field useFill{327, Kind::Check, "Show Fill Color", 7, 101, {}, {}, {}, {}, {}};
    useFill.flag = [](CGlobalStyle& s) { return &s.singleVals.useCustomColor; };
    Field fill{435, Kind::Color, "Fill Color", 135, 99, {}, {}, {}, {}, {}};
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
