#include "propui/AlertControl.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/ControlMessages.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/window/Input.h"
#include "platform/window/WindowClass.h"
#include "propui/LimitsDlg.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kLabelHeight = 14;
constexpr int kMarkerHalf = 8;

void RegisterOnce()
{
    WNDCLASS wc;
    if (GetClassInfo(CAlertControl::kClassName, &wc))
        return;
    wc.style = CS_HREDRAW | CS_DBLCLKS | 0x1 /* vertical redraw */;
    wc.hCursor = LoadCursorId(IDC_ARROW);
    wc.hbrBackground = COLOR_BTNFACE + 1;
    wc.lpszClassName = CAlertControl::kClassName;
    if (!AfxRegisterClass(&wc))
        throw CResourceException();
}

int Value(const CParameter* p)
{
    return p ? static_cast<int>(std::trunc(p->GetDouble())) : 0;
}

} // namespace

CAlertControl::CAlertControl()
{
    RegisterOnce();
    m_font.CreatePointFont(70, "MS Shell Dlg");
}

CAlertControl::~CAlertControl()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CAlertControl::Clear()
{
    m_bands.clear();
    for (auto& label : m_values)
        if (label->GetSafeHwnd())
            label->DestroyWindow();
    m_values.clear();
    for (CWnd* w : std::initializer_list<CWnd*>{&m_minLabel, &m_maxLabel, &m_limits})
        if (w->GetSafeHwnd())
            w->DestroyWindow();
    m_selected = -1;
    m_dragged = -1;
}

// The band entries from the group's lists: as many bands as both the colours and the
// thresholds allow (a document may carry lists of any length), at most ten.
void CAlertControl::Relink()
{
    m_bands.clear();
    if (!m_pcts || !m_colors)
        return;
    int bands = std::min({m_colors->GetElementCount(), m_pcts->GetElementCount() + 1, kMaxBands});
    for (int i = 0; i < bands; ++i) {
        Band b;
        b.threshold = i < bands - 1 ? m_pcts->GetElement(i) : nullptr;
        b.fill = m_colors->GetElement(i);
        b.font = m_fontColors && i < m_fontColors->GetElementCount() ? m_fontColors->GetElement(i) : nullptr;
        m_bands.push_back(b);
    }
    if (m_selected >= static_cast<int>(m_bands.size()))
        m_selected = -1;
}

bool CAlertControl::Create(CParameterSet* set, int minimum, int maximum)
{
    return Create(set, nullptr, minimum, maximum);
}

bool CAlertControl::Create(CParameterSet* set, IPropertyOwner* limitsOwner, int minimum, int maximum)
{
    Clear();
    m_set = set;
    m_limitsOwner = limitsOwner;
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(2, 2);
    m_bar = CRect(client.left + 36, static_cast<int>(client.bottom * 0.33), client.right - 36,
                  static_cast<int>(client.bottom * 0.66));
    m_pcts = set ? set->FindParameter("alertPcts") : nullptr;
    m_colors = set ? set->FindParameter("customAlertColors") : nullptr;
    if (!m_colors && set)
        m_colors = set->FindParameter("alertColors");
    m_fontColors = set ? set->FindParameter("customAlertFontColors") : nullptr;
    Relink();

    m_minimum = minimum;
    m_maximum = maximum;
    if (m_bands.size() >= 2) {
        int first = Value(m_bands.front().threshold);
        if (first < m_minimum)
            m_minimum = first - 10;
        int last = Value(m_bands[m_bands.size() - 2].threshold);
        if (last > m_maximum)
            m_maximum = last + 10;
    }
    // Equal limits (a document may carry them) would leave the bar no width to divide.
    m_maximum = std::max(m_maximum, m_minimum + 1);

    const int mid = (m_bar.top + m_bar.bottom) / 2;
    m_minLabel.Create(std::to_string(m_minimum).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER,
                      CRect(m_bar.left - 31, mid - kLabelHeight / 2, m_bar.left - 5, mid + kLabelHeight / 2), this);
    m_maxLabel.Create("", WS_CHILD | WS_VISIBLE | SS_CENTER,
                      CRect(m_bar.right + 5, mid - kLabelHeight / 2, m_bar.right + 31, mid + kLabelHeight / 2), this);
    m_minLabel.SetFont(&m_font, FALSE);
    m_maxLabel.SetFont(&m_font, FALSE);
    m_limits.Create("...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                    CRect(client.right - 18, client.top, client.right, client.top + 14), this, kLimitsButton);
    m_limits.SetFont(&m_font, FALSE);

    m_type = HighGood;
    if (CParameter* type = set ? set->FindParameter("alertType") : nullptr) {
        char buffer[64] = {};
        std::string text = type->GetValueText(buffer, sizeof buffer);
        m_type = text == "low" ? LowGood : (text == "mid" ? MiddleGood : HighGood);
    }
    SetMaximum(m_maximum);
    bool usable = m_bands.size() >= 2;
    EnableWindow(usable);
    return usable;
}

int CAlertControl::BarWidth() const
{
    int width = std::max(1, m_bar.Width());
    return m_type == MiddleGood ? std::max(1, width / 2) : width;
}

int CAlertControl::ValueToX(double value) const
{
    double span = std::max(1, m_maximum - m_minimum);
    return m_bar.left + static_cast<int>(std::trunc(BarWidth() * (value - m_minimum) / span));
}

int CAlertControl::GetThreshold(int marker) const
{
    return marker >= 0 && marker < GetMarkerCount() ? Value(m_bands[static_cast<std::size_t>(marker)].threshold) : 0;
}

int CAlertControl::GetMarkerX(int marker) const
{
    return marker >= 0 && marker < GetMarkerCount() ? m_bands[static_cast<std::size_t>(marker)].x : -1;
}

void CAlertControl::Layout()
{
    for (auto& label : m_values)
        label->DestroyWindow();
    m_values.clear();
    for (std::size_t i = 0; i < m_bands.size(); ++i)
        m_bands[i].x = m_bands[i].threshold ? ValueToX(Value(m_bands[i].threshold)) : ValueToX(m_maximum);
    for (int i = 0; i < GetMarkerCount(); ++i) {
        int x = m_bands[static_cast<std::size_t>(i)].x;
        int top = m_bar.bottom + 2 + (i % 2 == 0 ? kLabelHeight : 0);
        auto label = std::make_unique<CStatic>();
        label->Create(std::to_string(GetThreshold(i)).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER,
                      CRect(x - 10, top, x + 10, top + kLabelHeight), this);
        label->SetFont(&m_font, FALSE);
        label->EnableWindow(IsWindowEnabled());
        m_values.push_back(std::move(label));
    }
    Invalidate();
}

void CAlertControl::SetMaximum(int maximum)
{
    m_maximum = std::max(maximum, m_minimum + 1);
    m_minLabel.SetWindowText(std::to_string(m_minimum));
    m_maxLabel.SetWindowText(std::to_string(m_maximum) + "%");
    Layout();
}

void CAlertControl::SetMode(int type)
{
    m_type = std::clamp(type, 0, 2);
    if (m_type == MiddleGood && GetMarkerCount() > 0) {
        int last = GetThreshold(GetMarkerCount() - 1);
        if (last > 100) {
            for (int i = 0; i < GetMarkerCount(); ++i)
                m_bands[static_cast<std::size_t>(i)].threshold->SetDouble(
                    std::trunc(static_cast<double>(GetThreshold(i)) / last * 100));
            m_maximum = 100;
        }
    }
    SetMaximum(m_maximum);
}

bool CAlertControl::AddMarker()
{
    int bands = static_cast<int>(m_bands.size());
    if (bands >= kMaxBands || bands < 2)
        return false;
    int last = GetThreshold(GetMarkerCount() - 1);
    // Halfway to 100, or to the maximum once the thresholds passed 100, so they keep ascending.
    int top = last < 100 ? 100 : std::max(m_maximum, last);
    CParameter* colour = m_colors->InsertElementCopy(*m_colors->GetElement(bands - 2), bands - 1);
    if (colour)
        colour->SetColor(0x7F7F7F);
    if (m_fontColors && m_fontColors->GetElementCount() > bands - 2)
        if (CParameter* font = m_fontColors->InsertElementCopy(*m_fontColors->GetElement(bands - 2), bands - 1))
            font->SetColor(0);
    if (CParameter* pct = m_pcts->InsertElementCopy(*m_pcts->GetElement(bands - 2), bands - 1))
        pct->SetDouble(std::trunc((last + top) * 0.5));
    Relink();
    Layout();
    return true;
}

bool CAlertControl::RemoveMarker()
{
    int bands = static_cast<int>(m_bands.size());
    if (bands <= 2)
        return false;
    // The last band takes over the colours of the band before it, which goes.
    m_colors->GetElement(bands - 1)->SetColor(m_colors->GetElement(bands - 2)->GetColor());
    m_colors->RemoveElementAt(bands - 2);
    if (m_fontColors && m_fontColors->GetElementCount() >= bands) {
        m_fontColors->GetElement(bands - 1)->SetColor(m_fontColors->GetElement(bands - 2)->GetColor());
        m_fontColors->RemoveElementAt(bands - 2);
    }
    m_pcts->RemoveElementAt(bands - 2);
    Relink();
    Layout();
    return true;
}

CParameter* CAlertControl::GetSelectedFillColorParameter() const
{
    if (m_selected < 0 || m_selected >= static_cast<int>(m_bands.size()))
        return nullptr;
    int i = m_type == HighGood ? m_selected : static_cast<int>(m_bands.size()) - m_selected - 1;
    return m_bands[static_cast<std::size_t>(i)].fill;
}

CParameter* CAlertControl::GetSelectedFontColorParameter() const
{
    if (m_selected < 0 || m_selected >= static_cast<int>(m_bands.size()))
        return nullptr;
    int i = m_type == HighGood ? m_selected : static_cast<int>(m_bands.size()) - m_selected - 1;
    return m_bands[static_cast<std::size_t>(i)].font;
}

// The band under a point of the bar, as the list counts it; in the middle type both mirrored
// halves count.
int CAlertControl::HitBand(CPoint point) const
{
    if (!m_bar.PtInRect(point))
        return -1;
    int x = point.x;
    if (m_type == MiddleGood && x >= m_bar.left + BarWidth())
        x = m_bar.left + 2 * BarWidth() - x;
    for (std::size_t i = 0; i < m_bands.size(); ++i) {
        int right = m_bands[i].x;
        if (m_type == LowGood)
            right = m_bar.right - (m_bands[i].x - m_bar.left);
        if (m_type == LowGood ? false : x < right)
            return static_cast<int>(i);
    }
    if (m_type == LowGood) {
        // Drawn in reverse: the first band lies at the right end.
        for (std::size_t i = 0; i < m_bands.size(); ++i)
            if (x >= m_bar.right - (m_bands[i].x - m_bar.left))
                return static_cast<int>(i);
    }
    return static_cast<int>(m_bands.size()) - 1;
}

int CAlertControl::HitMarker(CPoint point) const
{
    if (point.y >= m_bar.top || point.y < m_bar.top - 2 * kMarkerHalf)
        return -1;
    for (int i = GetMarkerCount() - 1; i >= 0; --i)
        if (std::abs(point.x - GetMarkerX(i)) <= kMarkerHalf)
            return i;
    return -1;
}

void CAlertControl::DragTo(int x)
{
    int right = m_bar.left + BarWidth();
    x = std::clamp(x, m_bar.left, right);
    int value = static_cast<int>(std::trunc(static_cast<double>(x - m_bar.left) * (m_maximum - m_minimum) /
                                            BarWidth())) +
                m_minimum;
    int old = GetThreshold(m_dragged);
    if (value == old)
        return;
    m_bands[static_cast<std::size_t>(m_dragged)].threshold->SetDouble(value);
    // Markers are pushed along: thresholds keep ascending.
    for (int i = 0; i < GetMarkerCount(); ++i) {
        if ((i < m_dragged && GetThreshold(i) > value) || (i > m_dragged && GetThreshold(i) < value))
            m_bands[static_cast<std::size_t>(i)].threshold->SetDouble(value);
    }
    Layout();
}

void CAlertControl::OnLimits()
{
    if (GetMarkerCount() < 1)
        return;
    int minimum = m_minimum, maximum = m_maximum;
    const bool maximumFixed = m_type == MiddleGood;
    if (limitsDialog) {
        if (!limitsDialog(minimum, maximum, maximumFixed))
            return;
    } else {
        CLimitsDlg dialog(this);
        dialog.SetValues(minimum, maximum, maximumFixed, m_limitsOwner);
        if (dialog.DoModal() != IDOK)
            return;
        minimum = dialog.GetMinimum();
        maximum = dialog.GetMaximum();
    }
    m_minimum = std::min(minimum, GetThreshold(0));
    SetMaximum(std::max(maximum, GetThreshold(GetMarkerCount() - 1)));
}

void CAlertControl::OnParentButtonUp(UINT flags, CPoint point)
{
    (void)flags;
    CRect client;
    GetClientRect(&client);
    if (m_dragged >= 0 && !client.PtInRect(point))
        WindowProc(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void CAlertControl::Enable(BOOL enable)
{
    for (auto& label : m_values)
        label->EnableWindow(enable);
    m_minLabel.EnableWindow(enable);
    m_maxLabel.EnableWindow(enable);
    m_limits.EnableWindow(enable);
    Invalidate();
    EnableWindow(enable);
}

void CAlertControl::Paint(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(&client, EDGE_SUNKEN, BF_RECT);
    const bool enabled = IsWindowEnabled() != FALSE;
    auto fill = [&](int left, int right, std::size_t band) {
        if (right <= left)
            return;
        COLORREF colour = enabled && m_bands[band].fill ? SwapRedBlue(m_bands[band].fill->GetColor())
                                                        : RGB(0xC0, 0xC0, 0xC0);
        dc.FillSolidRect(CRect(left, m_bar.top, right, m_bar.bottom), colour);
    };
    int left = m_bar.left;
    for (std::size_t i = 0; i < m_bands.size(); ++i) {
        int right = std::min(m_bands[i].x, m_bar.left + BarWidth());
        if (i + 1 == m_bands.size())
            right = m_bar.left + BarWidth();
        switch (m_type) {
        case LowGood:
            fill(m_bar.right - (right - m_bar.left), m_bar.right - (left - m_bar.left), i);
            break;
        case MiddleGood:
            fill(left, right, i);
            fill(m_bar.left + 2 * BarWidth() - right, m_bar.left + 2 * BarWidth() - left, i);
            break;
        default:
            fill(left, right, i);
            break;
        }
        left = right;
    }
    CRect edge = m_bar;
    edge.InflateRect(2, 2);
    dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
    if (!enabled)
        return;
    for (int i = 0; i < GetMarkerCount(); ++i) {
        int x = GetMarkerX(i);
        // A marker: a downward triangle above the bar.
        for (int row = 0; row < kMarkerHalf; ++row)
            dc.FillSolidRect(CRect(x - kMarkerHalf + row, m_bar.top - 2 - kMarkerHalf + row, x + kMarkerHalf - row,
                                   m_bar.top - 1 - kMarkerHalf + row),
                             i == m_dragged ? RGB(0x20, 0x20, 0x90) : RGB(0x30, 0x30, 0x30));
    }
}

LRESULT CAlertControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_LBUTTONDOWN: {
        if (m_bar.PtInRect(point)) {
            int band = HitBand(point);
            if (band != m_selected) {
                m_selected = band;
                Invalidate();
            }
            if (CWnd* parent = GetParent())
                parent->SendMessage(kBandClicked, static_cast<WPARAM>(band), 0);
            return 0;
        }
        m_dragged = HitMarker(point);
        if (m_dragged >= 0) {
            m_dragStartX = point.x;
            m_dragStartMarkerX = GetMarkerX(m_dragged);
            SetCapture();
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_dragged >= 0 && (wParam & MK_LBUTTON))
            DragTo(m_dragStartMarkerX + point.x - m_dragStartX);
        return 0;
    case WM_LBUTTONUP:
        if (m_dragged >= 0) {
            m_dragged = -1;
            if (GetCapture() == this)
                ReleaseCapture();
            Invalidate();
            if (CWnd* parent = GetParent())
                parent->SendMessage(kDragEnded, 0, 0);
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kLimitsButton && HIWORD(wParam) == BN_CLICKED) {
            OnLimits();
            return 0;
        }
        break;
    case 0x2B: // owner drawing reflected from a child
        return TRUE;
    default:
        break;
    }
    return ui::ControlWnd::WindowProc(message, wParam, lParam);
}
