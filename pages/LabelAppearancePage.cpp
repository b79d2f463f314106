#include "pages/LabelAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "pages/ScrollBehavior.h"
#include "platform/controls/ComboBox.h"
#include "platform/dialogs/UiUtilities.h"

using namespace pages;
using model::ParamType;

namespace {

const char* const kSideNames[] = {"All Sides", "Bottom", "Left", "Right", "Top"};
// The key stems of the four edges, in the order of the side combo after "All Sides".
const char* const kEdgeStems[] = {"BEdgeBot", "BEdgeLt", "BEdgeRt", "BEdgeTop"};

} // namespace

namespace {

std::vector<ParamField> Rows()
{
    using Page = CLabelAppearancePage;
    // Text that wraps never needs a horizontal scroll bar.
    ParamField wrap = Within("formatValue", CheckRow(Page::IDC_WRAP, "AWrapText"));
    wrap.afterStore = [](CFieldPage& page) {
        if (page.IsDlgButtonChecked(Page::IDC_WRAP) == BST_CHECKED)
            DisableHorizontalScroll(page.GetRootSet());
    };
    // The colour only matters while a scroll bar can show (the Behavior tab decides).
    ParamField scroll = EnabledWhen(
        CheckedColourRow(Page::IDC_USE_SCROLL_COLOR, "useCustomScrollBarColor", Page::IDC_SCROLL_COLOR,
                         "customScrollBarColor"),
        [](const CFieldPage& page) { return ScrollBarsCanShow(page.GetRootSet()).value_or(true); });
    return {
        WithHelp(OwnRow({Page::IDC_NUMBER}, {"formatValue"}), 1440),
        WithHelp(OwnRow({Page::IDC_FONT}, {"formatValue"}), 1445),
        WithHelp(Within("formatValue", ChoiceRow(Page::IDC_HALIGN, "HAlign")), 1445),
        WithHelp(wrap, 1445),
        // The edges of the border are the page's own: "All Sides" starts from the right edge.
        WithHelp(Within("formatValue", OwnRow({Page::IDC_SIDE, Page::IDC_SHOW_BORDER, Page::IDC_BORDER_COLOR,
                                               Page::IDC_WEIGHT},
                                              {"BEdgeRtLineStyle"})),
                 1435),
        WithHelp(Within("formatValue", CheckRow(Page::IDC_SHOW_FILL, "Pattern")), 1435),
        WithHelp(Within("formatValue", ColourRow(Page::IDC_FILL_COLOR, "InteriorColor")), 1435),
        WithHelp(scroll, 1446),
    };
}

} // namespace

BEGIN_MESSAGE_MAP(CLabelAppearancePage, CFieldPage)
    .Control(CBN_SELCHANGE, IDC_SIDE, &CLabelAppearancePage::OnBorderSideChanged)
    .Command(IDC_SHOW_BORDER, &CLabelAppearancePage::OnShowBorder)
    .Command(IDC_BORDER_COLOR, &CLabelAppearancePage::OnBorderColor)
    .Message(WM_INPLACE_NOTIFY, &CLabelAppearancePage::OnInPlaceEditCommit) END_MESSAGE_MAP()

CLabelAppearancePage::CLabelAppearancePage()
    : CFieldPage(
          "Appearance", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), Topic(1430))
{
}

CLabelAppearancePage::~CLabelAppearancePage() = default;

DialogTemplate CLabelAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    t.Add("Button", "Number", IDC_NUMBER_GROUP, 7, 2, 241, 76, kGroupStyle)
        .Add("Button", "Text", IDC_TEXT_GROUP, 7, 80, 241, 40, kGroupStyle)
        .Add("Button", "Background", IDC_BACK_GROUP, 7, 122, 241, 44, kGroupStyle)
        .Add(CNumericFormatCtrl::kClassName, "", IDC_NUMBER, 13, 12, 229, 62, kTab)
        .Add(CFontData2Ctrl::kClassName, "", IDC_FONT, 52, 91, 188, 12, kTab)
        .Add("Static", "Alignment", IDC_HALIGN_LABEL, 14, 107, 36, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_HALIGN, 52, 105, 70, 60, kComboStyle)
        .Add("Button", "Wrap Text", IDC_WRAP, 140, 106, 70, 10, kCheckStyle)
        .Add("Static", "Border", IDC_SIDE_LABEL, 14, 135, 30, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_SIDE, 44, 133, 56, 70, kComboStyle)
        .Add("Button", "Show Border", IDC_SHOW_BORDER, 106, 134, 58, 10, kCheckStyle)
        .Add("Button", "", IDC_BORDER_COLOR, 166, 132, 24, 13, kColorStyle)
        .Add("Edit", "", IDC_WEIGHT, 219, 132, 23, 13, kEditStyle)
        .Add("Button", "Show Fill", IDC_SHOW_FILL, 14, 151, 58, 10, kCheckStyle)
        .Add("Button", "", IDC_FILL_COLOR, 74, 149, 24, 13, kColorStyle)
        .Add("Static", "Weight", IDC_WEIGHT_LABEL, 192, 135, 24, 8, kLabelStyle)
        .Add("Static", "Font", IDC_FONT_LABEL, 14, 93, 36, 8, kLabelStyle)
        .Add("Button", "Use Custom Scroll Color", IDC_USE_SCROLL_COLOR, 14, 182, 110, 10, kCheckStyle)
        .Add("Button", "", IDC_SCROLL_COLOR, 130, 180, 24, 13, kColorStyle)
        .Add("Button", "Scroll Options", IDC_SCROLL_GROUP, 7, 168, 241, 30, kGroupStyle);
    return t;
}

void CLabelAppearancePage::FindEdges()
{
    for (int side = Bottom; side <= Top; ++side) {
        const std::string stem = kEdgeStems[side - 1];
        m_edges[side] = {
            ::FindTyped(m_format, (stem + "LineStyle").c_str(), static_cast<int>(ParamType::Boolean)),
            ::FindTyped(m_format, (stem + "Color").c_str(), static_cast<int>(ParamType::Color)),
            ::FindTyped(m_format, (stem + "Weight").c_str(), static_cast<int>(ParamType::Integer))};
        const Edge& edge = m_edges[side];
        // A format without every edge gets no border controls at all.
        if (edge.lineStyle == nullptr || edge.colour == nullptr || edge.weight == nullptr)
            return;
    }
    // "All Sides" starts from the right edge and reaches the model only through ApplyAllSides.
    const Edge& right = m_edges[Right];
    for (int i = 0; i < 3; ++i)
        m_allSides[i] = std::make_unique<CParameter>(i == 0   ? *right.lineStyle
                                                     : i == 1 ? *right.colour
                                                              : *right.weight);
    if (!right.weight->GetRange())
        m_allSides[2]->SetRange(ParamRange{1, 100, 1});
    m_edges[AllSides] = {m_allSides[0].get(), m_allSides[1].get(), m_allSides[2].get()};
}

BOOL CLabelAppearancePage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    CParameter* format = ::FindTyped(GetGroup(), "formatValue", static_cast<int>(ParamType::Group));
    m_format = format != nullptr ? format->GetSet() : nullptr;
    m_number.SubclassDlgItem(IDC_NUMBER, this);
    m_number.Create(format, GetOwner(), GetDialogFont(), FindInComponent(GetRootSet(), "labelValue"), false);
    m_font.SubclassDlgItem(IDC_FONT, this);
    m_font.SetDocumentColors(GetContext() != nullptr ? GetContext()->customColors : nullptr);
    m_font.Create(m_format, GetOwner(), true, nullptr);

    auto* sides = static_cast<CComboBox*>(GetDlgItem(IDC_SIDE));
    for (const char* name : kSideNames)
        sides->AddString(name);
    if (m_format != nullptr)
        FindEdges();
    m_weight.SetAfterStore([this] { ApplyAllSides(); });
    // The swatch shows the colour "All Sides" applies: the right edge's, which it starts from.
    BindColorButtonInSet("BEdgeRtColor", IDC_BORDER_COLOR, m_borderColour, m_format, false);
    if (!HasBorder()) {
        m_weight.Attach(*this, nullptr, IDC_WEIGHT);
        EnableItems(*this, {IDC_SIDE_LABEL, IDC_SIDE, IDC_SHOW_BORDER, IDC_BORDER_COLOR, IDC_WEIGHT_LABEL},
                    false);
    }
    return TRUE;
}

BOOL CLabelAppearancePage::OnSetActive()
{
    LoadControls();
    return CFieldPage::OnSetActive();
}

void CLabelAppearancePage::LoadControls()
{
    // Other tabs and the stage's own editing may have changed the format meanwhile.
    m_font.LoadProperties();
    m_number.LoadProperties(0, false);
    if (HasBorder()) {
        static_cast<CComboBox*>(GetDlgItem(IDC_SIDE))->SetCurSel(AllSides);
        OnBorderSideChanged();
    }
}

void CLabelAppearancePage::OnBorderSideChanged()
{
    const int chosen = static_cast<CComboBox*>(GetDlgItem(IDC_SIDE))->GetCurSel();
    if (!HasBorder() || chosen < AllSides || chosen > Top)
        return;
    m_side = chosen;
    const Edge& edge = m_edges[m_side];
    bool shown = edge.lineStyle->GetBool();
    if (m_side == AllSides) {
        shown = true;
        for (int side = Bottom; side <= Top; ++side)
            shown = shown && m_edges[side].lineStyle->GetBool();
    }
    CheckDlgButton(IDC_SHOW_BORDER, shown ? BST_CHECKED : BST_UNCHECKED);
    m_borderColour.SetColor(SwapRedBlue(edge.colour->GetColor()));
    m_weight.Attach(*this, edge.weight, IDC_WEIGHT);
}

void CLabelAppearancePage::ApplyAllSides()
{
    if (m_side != AllSides || !HasBorder())
        return;
    const Edge& all = m_edges[AllSides];
    for (int side = Bottom; side <= Top; ++side) {
        m_edges[side].lineStyle->SetBool(all.lineStyle->GetBool());
        m_edges[side].colour->SetColor(all.colour->GetColor());
        m_edges[side].weight->SetInt(all.weight->GetInt());
    }
}

void CLabelAppearancePage::OnShowBorder()
{
    if (!HasBorder())
        return;
    m_edges[m_side].lineStyle->SetBool(IsDlgButtonChecked(IDC_SHOW_BORDER) == BST_CHECKED);
    ApplyAllSides();
    NotifyOwnerChanged();
}

void CLabelAppearancePage::OnBorderColor()
{
    if (!HasBorder())
        return;
    COLORREF colour = m_borderColour.GetColor();
    if (ChooseColorWithCustomColors(colour, true, nullptr,
                                    GetContext() != nullptr ? GetContext()->customColors : nullptr) != IDOK)
        return;
    m_borderColour.SetColor(colour);
    m_edges[m_side].colour->SetColor(SwapRedBlue(colour));
    ApplyAllSides();
    NotifyOwnerChanged();
    Invalidate(TRUE);
}

LRESULT CLabelAppearancePage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    return m_weight.OnCommit(static_cast<int>(lParam)) ? 1 : 0;
}
