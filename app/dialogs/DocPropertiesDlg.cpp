#include "app/dialogs/DocPropertiesDlg.h"

#include <algorithm>
#include <cstdlib>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/CommonDialogs.h"

namespace {

constexpr DWORD kChild = WS_VISIBLE;
constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;

// The number a box holds, when it holds one (a sign and digits, nothing else).
bool ParseSide(const std::string& text, long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return end != text.c_str() && *end == '\0';
}

} // namespace

BEGIN_MESSAGE_MAP(CDocPropertiesDlg, CDialog)
    .OnVScroll(&CDocPropertiesDlg::OnVScroll)
    .Control(EN_CHANGE, IDC_WIDTH, &CDocPropertiesDlg::OnWidthChange)
    .Control(EN_CHANGE, IDC_HEIGHT, &CDocPropertiesDlg::OnHeightChange)
    .Control(EN_CHANGE, IDC_DESCRIPTION_EDIT, &CDocPropertiesDlg::OnDescriptionChange)
    .Control(CBN_SELCHANGE, IDC_PRESET, &CDocPropertiesDlg::OnPresetChange)
    .Command(IDC_COLOR, &CDocPropertiesDlg::OnColor) END_MESSAGE_MAP()

int CDocPropertiesDlg::FindPreset(int width, int height)
{
    for (int i = 0; i < static_cast<int>(std::size(kPresets)); ++i) {
        if (kPresets[i].width == width && kPresets[i].height == height)
            return i;
    }
    return -1;
}

DialogTemplate CDocPropertiesDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = "Document Properties";
    t.cx = 236;
    t.cy = 168;
    t.Add("Button", "Document size in pixels", 0xFFFF, 7, 7, 222, 58, kChild | BS_GROUPBOX)
        .Add("Static", "Width:", 0xFFFF, 15, 22, 30, 8, kChild)
        .Add("Edit", "", IDC_WIDTH, 48, 20, 40, 12, kTab | WS_BORDER | ES_NUMBER)
        .Add("ScrollBar", "", IDC_WIDTH_SPIN, 89, 19, 11, 14, kChild | SBS_VERT)
        .Add("Static", "Height:", 0xFFFF, 110, 22, 30, 8, kChild)
        .Add("Edit", "", IDC_HEIGHT, 143, 20, 40, 12, kTab | WS_BORDER | ES_NUMBER)
        .Add("ScrollBar", "", IDC_HEIGHT_SPIN, 184, 19, 11, 14, kChild | SBS_VERT)
        .Add("Static", "Preset Size:", 0xFFFF, 15, 44, 60, 8, kChild)
        .Add("ComboBox", "", IDC_PRESET, 78, 42, 80, 80, kTab | CBS_DROPDOWNLIST | WS_VSCROLL)
        .Add("Button", "Paper Color...", IDC_COLOR, 7, 72, 70, 14, kTab)
        .Add("Static", "", IDC_COLOR_SWATCH, 83, 72, 24, 14, kChild | SS_BITMAP | WS_BORDER)
        .Add("Static", "Description:", 0xFFFF, 7, 94, 60, 8, kChild)
        .Add("Edit", "", IDC_DESCRIPTION_EDIT, 7, 104, 222, 38,
             kTab | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL)
        .Add("Button", "OK", IDOK, 125, 148, 50, 14, kTab | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 179, 148, 50, 14, kTab);
    return t;
}

CDocPropertiesDlg::CDocPropertiesDlg(CWnd* parent) : CDialog(IDD, parent)
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());
}

void CDocPropertiesDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DESCRIPTION_EDIT, m_strDescription);
}

BOOL CDocPropertiesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bSetting = true;
    SetDlgItemText(IDC_WIDTH, std::to_string(m_nWidth));
    SetDlgItemText(IDC_HEIGHT, std::to_string(m_nHeight));
    m_bSetting = false;
    const struct {
        int bar, value;
    } sides[] = {{IDC_WIDTH_SPIN, m_nWidth}, {IDC_HEIGHT_SPIN, m_nHeight}};
    for (const auto& side : sides) {
        if (auto* bar = dynamic_cast<CScrollBar*>(GetDlgItem(side.bar))) {
            bar->SetScrollRange(kMinSide, kMaxSide);
            bar->SetScrollPos(std::clamp(side.value, kMinSide, kMaxSide));
        }
    }
    if (auto* presets = dynamic_cast<CComboBox*>(GetDlgItem(IDC_PRESET))) {
        for (const Preset& preset : kPresets)
            presets->AddString((std::to_string(preset.width) + " x " + std::to_string(preset.height)).c_str());
        presets->SetCurSel(FindPreset(m_nWidth, m_nHeight));
    }
    ShowSwatch();
    return TRUE;
}

void CDocPropertiesDlg::ShowSwatch()
{
    m_swatch = CBitmap(36, 18, m_paperColor);
    if (auto* swatch = dynamic_cast<CStatic*>(GetDlgItem(IDC_COLOR_SWATCH))) {
        swatch->SetBitmap(&m_swatch);
        swatch->Invalidate();
    }
}

void CDocPropertiesDlg::OnVScroll(UINT code, UINT, CWnd* barWnd)
{
    auto* bar = dynamic_cast<CScrollBar*>(barWnd);
    if (bar == nullptr)
        return;
    const int edit = bar->GetDlgCtrlID() == IDC_WIDTH_SPIN ? IDC_WIDTH : IDC_HEIGHT;
    int pos = bar->GetScrollPos();
    // The arrows step by one pixel within the limits; the bar has nothing else to offer.
    if (code == SB_LINEUP)
        pos = std::min(pos + 1, kMaxSide);
    else if (code == SB_LINEDOWN)
        pos = std::max(pos - 1, kMinSide);
    else
        return;
    bar->SetScrollPos(pos);
    SetDlgItemText(edit, std::to_string(pos));
}

void CDocPropertiesDlg::FollowSide(int editId, int barId)
{
    if (m_bSetting)
        return;
    long value = 0;
    // A box being emptied to type a new number is left alone until it holds one.
    if (!ParseSide(GetDlgItemText(editId), value))
        return;
    const long held = std::clamp<long>(value, kMinSide, kMaxSide);
    if (held != value) {
        m_bSetting = true;
        SetDlgItemText(editId, std::to_string(held));
        m_bSetting = false;
    }
    if (auto* bar = dynamic_cast<CScrollBar*>(GetDlgItem(barId)))
        bar->SetScrollPos(static_cast<int>(held));
    ShowPreset();
}

void CDocPropertiesDlg::ShowPreset()
{
    // The preset list names the size the boxes hold, or nothing for a size of no preset.
    auto* presets = dynamic_cast<CComboBox*>(GetDlgItem(IDC_PRESET));
    long width = 0, height = 0;
    if (presets == nullptr || !ParseSide(GetDlgItemText(IDC_WIDTH), width) ||
        !ParseSide(GetDlgItemText(IDC_HEIGHT), height))
        return;
    const int index = FindPreset(static_cast<int>(width), static_cast<int>(height));
    if (presets->GetCurSel() != index)
        presets->SetCurSel(index);
}

void CDocPropertiesDlg::OnWidthChange()
{
    FollowSide(IDC_WIDTH, IDC_WIDTH_SPIN);
}

void CDocPropertiesDlg::OnHeightChange()
{
    FollowSide(IDC_HEIGHT, IDC_HEIGHT_SPIN);
}

void CDocPropertiesDlg::OnPresetChange()
{
    auto* presets = dynamic_cast<CComboBox*>(GetDlgItem(IDC_PRESET));
    const int index = presets != nullptr ? presets->GetCurSel() : -1;
    if (index < 0 || index >= static_cast<int>(std::size(kPresets)))
        return;
    SetDlgItemText(IDC_WIDTH, std::to_string(kPresets[index].width));
    SetDlgItemText(IDC_HEIGHT, std::to_string(kPresets[index].height));
}

void CDocPropertiesDlg::OnColor()
{
    CColorDialog colors(m_paperColor, CC_ANYCOLOR | CC_RGBINIT, this);
    if (colors.DoModal() != IDOK)
        return;
    m_paperColor = colors.GetColor();
    ShowSwatch();
}

void CDocPropertiesDlg::OnDescriptionChange()
{
    m_strDescription = GetDlgItemText(IDC_DESCRIPTION_EDIT);
}

void CDocPropertiesDlg::OnOK()
{
    long width = 0, height = 0;
    // What the boxes hold, within the limits; an emptied box counts as the smallest side.
    m_nWidth = ParseSide(GetDlgItemText(IDC_WIDTH), width) ? static_cast<int>(std::clamp<long>(width, kMinSide, kMaxSide))
                                                          : kMinSide;
    m_nHeight = ParseSide(GetDlgItemText(IDC_HEIGHT), height)
                    ? static_cast<int>(std::clamp<long>(height, kMinSide, kMaxSide))
                    : kMinSide;
    CDialog::OnOK();
}
