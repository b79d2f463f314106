#include "platform/controls/SpinEdit.h"

#include "platform/window/Input.h"

#include <charconv>
#include <cmath>

#include "model/Parameter.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Colors.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/window/WindowClass.h"

namespace {

// Numbers in the field are the C form whatever the user's locale.
std::string FormatNumber(double value, bool integer)
{
    char buffer[64];
    const auto result = integer ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value))
                                : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, result.ptr);
}

// The leading number of a text, 0 when there is none, as the C readers take it.
double ParseNumber(const std::string& text, bool integer)
{
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return 0;
    if (text[start] == '+')
        ++start;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    if (integer) {
        long long value = 0;
        std::from_chars(first, last, value);
        return static_cast<double>(value);
    }
    double value = 0;
    std::from_chars(first, last, value);
    return value;
}

// The arrows' pictures: a small black triangle on the button face, pointing up or down.
const CBitmap& ArrowPicture(bool up)
{
    static const CBitmap pictures[2] = {[] {
                                            CBitmap b(7, 4, GetSysColor(COLOR_BTNFACE));
                                            for (int row = 0; row < 4; ++row)
                                                for (int x = 3 - row; x <= 3 + row; ++x)
                                                    b.SetPixel(x, row, RGB(0, 0, 0));
                                            return b;
                                        }(),
                                        [] {
                                            CBitmap b(7, 4, GetSysColor(COLOR_BTNFACE));
                                            for (int row = 0; row < 4; ++row)
                                                for (int x = row; x <= 6 - row; ++x)
                                                    b.SetPixel(x, row, RGB(0, 0, 0));
                                            return b;
                                        }()};
    return pictures[up ? 0 : 1];
}

} // namespace

LRESULT CSpinArrowButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        KillTimer(kDelayTimer);
        SetTimer(kDelayTimer, 500);
        return CButton::DefWindowProc(message, wParam, lParam);
    case WM_TIMER:
        // A release that went to another window (the pointer let go elsewhere, a pop-up took
        // it) ends the repeat too: the arrow never steps once the button is up.
        if ((wParam == kDelayTimer || wParam == kRepeatTimer) && (GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
            KillTimer(kDelayTimer);
            KillTimer(kRepeatTimer);
            m_bRepeating = false;
            return 0;
        }
        if (wParam == kDelayTimer) {
            KillTimer(kDelayTimer);
            if (!m_bRepeating) {
                SetTimer(kRepeatTimer, 100);
                m_bRepeating = true;
            }
            return 0;
        }
        if (wParam == kRepeatTimer) {
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_SPINEDIT_STEP, 0, static_cast<LPARAM>(GetDlgCtrlID()));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        KillTimer(kDelayTimer);
        KillTimer(kRepeatTimer);
        m_bRepeating = false;
        return CButton::DefWindowProc(message, wParam, lParam);
    case WM_MOUSEMOVE: {
        const LRESULT result = CButton::DefWindowProc(message, wParam, lParam);
        if ((wParam & MK_LBUTTON) == 0 || !IsWindowEnabled())
            return result;
        CRect r;
        GetClientRect(&r);
        const bool held = CWnd::GetCapture() == this;
        // Sliding off the arrow lets go of it, so it stops stepping (the release elsewhere is no
        // click); sliding back on with the button still down presses it again.
        if (held && !r.PtInRect(LParamToPoint(lParam)))
            return DefWindowProc(WM_LBUTTONUP, wParam, lParam);
        if (!held && r.PtInRect(LParamToPoint(lParam)))
            return DefWindowProc(WM_LBUTTONDOWN, wParam, lParam);
        return result;
    }
    default:
        break;
    }
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CSpinEdit::RegisterClass()
{
    ui::RegisterWindowFactory(kClassName, [] { return static_cast<CWnd*>(new ui::AutoDeleteWnd<CSpinEdit>()); });
}

CSpinEdit::CSpinEdit() = default;

CSpinEdit::~CSpinEdit()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CSpinEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    if (!CWnd::Create(kClassName, "", style | WS_CHILD, rect, parent, id))
        return FALSE;
    Layout(nullptr);
    return TRUE;
}

void CSpinEdit::Layout(CFont* font)
{
    // The parts are made again on every font change.
    if (m_edit != nullptr && m_edit->GetSafeHwnd() != nullptr)
        m_edit->DestroyWindow();
    if (m_up != nullptr && m_up->GetSafeHwnd() != nullptr)
        m_up->DestroyWindow();
    if (m_down != nullptr && m_down->GetSafeHwnd() != nullptr)
        m_down->DestroyWindow();
    CRect client;
    GetClientRect(&client);
    // The edit part is an in-place edit: it filters what cannot be part of a (negative, decimal)
    // number and reports only a text that differs from the one shown, so tabbing through a page
    // writes nothing back. It is a page's field: Tab moves on to the next control and Enter
    // finishes the edit, both committing it. Making it takes the focus, which a page being
    // built must keep.
    CWnd* focus = CWnd::GetFocus();
    auto edit = std::make_unique<CInPlaceEdit>();
    edit->Create(this, CRect(0, 0, std::max(0, client.Width() - kArrowWidth), client.Height()), 0, true,
                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    edit->SetNumericFilter(true);
    m_edit = std::move(edit);
    if (focus != nullptr && focus != m_edit.get() && focus->GetSafeHwnd() != nullptr)
        focus->SetFocus();
    if (font != nullptr)
        m_edit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    const bool enabled = IsWindowEnabled() != FALSE;
    m_edit->EnableWindow(enabled && m_bEditable);
    const int half = client.Height() / 2;
    m_up = std::make_unique<CSpinArrowButton>();
    m_up->Create("", WS_CHILD | WS_VISIBLE | BS_BITMAP,
                 CRect(client.Width() - kArrowWidth, 0, client.Width(), half), this, 1);
    m_up->SetBitmap(&ArrowPicture(true));
    m_down = std::make_unique<CSpinArrowButton>();
    m_down->Create("", WS_CHILD | WS_VISIBLE | BS_BITMAP,
                   CRect(client.Width() - kArrowWidth, half, client.Width(), client.Height()), this, 2);
    m_down->SetBitmap(&ArrowPicture(false));
    m_up->EnableWindow(enabled);
    m_down->EnableWindow(enabled);
}

bool CSpinEdit::IsDoubleParameter() const
{
    return m_bParameterMode && m_pParameter != nullptr && m_pParameter->GetType() == model::ParamType::Number;
}

bool CSpinEdit::BindParameter(CParameter* parameter, std::function<void()> changed, CFont* font, bool hide, bool negate)
{
    m_bParameterMode = true;
    m_pParameter = parameter;
    m_pInt = nullptr;
    m_changed = std::move(changed);
    m_bNegate = negate;
    if (GetSafeHwnd() != nullptr)
        Layout(font);
    if (parameter == nullptr) {
        if (hide)
            ShowWindow(SW_HIDE);
        EnableWindow(FALSE);
        return false;
    }
    m_min = 0.0;
    m_max = IsDoubleParameter() ? 9.9 : 100.0;
    m_step = IsDoubleParameter() ? 0.1 : 1.0;
    if (const auto& range = parameter->GetRange()) {
        m_min = range->minimum;
        m_max = range->maximum;
        m_step = range->step;
    }
    UpdateText();
    return true;
}

void CSpinEdit::BindInt(int* variable, CFont* font, int minimum, int maximum, int step, bool negate)
{
    m_bParameterMode = false;
    m_pParameter = nullptr;
    m_pInt = variable;
    m_min = minimum;
    m_max = maximum;
    m_step = step;
    m_bNegate = negate;
    if (GetSafeHwnd() != nullptr)
        Layout(font);
    UpdateText();
}

void CSpinEdit::EnableControl(bool enable)
{
    if (m_up != nullptr)
        m_up->EnableWindow(enable);
    if (m_down != nullptr)
        m_down->EnableWindow(enable);
    if (m_edit != nullptr)
        m_edit->EnableWindow(enable && m_bEditable);
}

double CSpinEdit::Clamp(double value) const
{
    return value < m_min ? m_min : std::min(value, m_max);
}

double CSpinEdit::CurrentValue() const
{
    if (m_bParameterMode)
        return m_pParameter == nullptr ? 0.0
               : IsDoubleParameter()   ? m_pParameter->GetDouble()
                                       : static_cast<double>(m_pParameter->GetInt());
    return m_pInt != nullptr ? *m_pInt : 0.0;
}

void CSpinEdit::Store(double value, bool clamp)
{
    if (clamp)
        value = IsDoubleParameter() ? Clamp(value) : std::trunc(value < std::trunc(m_min) ? std::trunc(m_min)
                                                                 : std::min(value, std::trunc(m_max)));
    if (m_bParameterMode) {
        if (m_pParameter == nullptr)
            return;
        if (IsDoubleParameter())
            m_pParameter->SetDouble(value);
        else
            m_pParameter->SetInt(static_cast<std::int32_t>(value));
    } else if (m_pInt != nullptr) {
        *m_pInt = static_cast<int>(value);
    }
}

void CSpinEdit::UpdateText()
{
    if (m_edit == nullptr || m_edit->GetSafeHwnd() == nullptr)
        return;
    const double value = CurrentValue();
    const std::string text = FormatNumber(m_bNegate ? -value : value, !IsDoubleParameter());
    m_edit->SetWindowText(text);
    static_cast<CInPlaceEdit*>(m_edit.get())->SetBaseline(text);
    m_edit->Invalidate();
}

void CSpinEdit::SetValue(double value)
{
    const bool clamp = !m_bParameterMode || (m_pParameter != nullptr && m_pParameter->GetRange().has_value());
    Store(IsDoubleParameter() ? value : std::trunc(value), clamp);
    UpdateText();
    if (m_bParameterMode && m_changed)
        m_changed();
}

void CSpinEdit::SetText(const std::string& text)
{
    if (m_edit != nullptr)
        m_edit->SetWindowText(text);
}

std::string CSpinEdit::GetText() const
{
    std::string text;
    if (m_edit != nullptr)
        m_edit->GetWindowText(text);
    return text;
}

void CSpinEdit::LimitText(int count)
{
    if (m_edit != nullptr)
        m_edit->LimitText(count);
}

void CSpinEdit::Notify()
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_SPINEDIT_CHANGED, static_cast<WPARAM>(GetDlgCtrlID()), 0);
}

void CSpinEdit::Step(bool up)
{
    const double value = CurrentValue();
    if (IsDoubleParameter()) {
        double next = up ? value + m_step : value - m_step;
        if (!m_bParameterMode || m_pParameter->GetRange().has_value())
            next = Clamp(next);
        // Steps of a tenth leave binary remainders; below 0.2 they are cut to one decimal, so
        // stepping down reaches 0 and not a tiny number.
        if (!up && next < 0.2)
            next = std::trunc(next * 10) / 10;
        Store(next, false);
    } else {
        const bool ranged = !m_bParameterMode || m_pParameter->GetRange().has_value();
        const double step = ranged ? std::trunc(m_step) : 1.0;
        Store(up ? value + step : value - step, ranged);
    }
    UpdateText();
    Notify();
}

void CSpinEdit::Increment()
{
    Step(!m_bNegate);
    if (m_changed)
        m_changed();
}

void CSpinEdit::Decrement()
{
    Step(m_bNegate);
    if (m_changed)
        m_changed();
}

void CSpinEdit::CommitTyped()
{
    const std::string text = GetText();
    if (text.empty()) {
        SetValue(CurrentValue());
        return;
    }
    double value = ParseNumber(text, !IsDoubleParameter());
    if (m_bNegate)
        value = -value;
    const bool clamp = !m_bParameterMode || (m_pParameter != nullptr && m_pParameter->GetRange().has_value());
    const double before = CurrentValue();
    Store(value, clamp);
    if (CurrentValue() == before) {
        // "5.0" over 5, or a value clamped back to the one held: nothing changed.
        UpdateText();
        return;
    }
    if (clamp)
        UpdateText();
    Notify();
    if (m_changed)
        m_changed();
}

LRESULT CSpinEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        // A template item is made without Create: its parts come with its window.
        if (m_edit == nullptr) {
            const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
            Layout(nullptr);
            return result;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(static_cast<std::uintptr_t>(wParam)) == BN_CLICKED) {
            const UINT id = LOWORD(static_cast<std::uintptr_t>(wParam));
            if (id == 1)
                Increment();
            else if (id == 2)
                Decrement();
            return 0;
        }
        break;
    case WM_SPINEDIT_STEP:
        if (lParam == 1)
            Increment();
        else if (lParam == 2)
            Decrement();
        return 0;
    case WM_SETFOCUS:
        // The control is reached as one tab stop; typing goes to its field. The focus handed
        // here by the field itself (Enter or Escape finishing the edit) stays, so that the next
        // Escape or Enter reaches the dialog.
        if (m_edit != nullptr && m_edit->GetSafeHwnd() != nullptr && m_edit->IsWindowEnabled() &&
            reinterpret_cast<HWND>(wParam) != m_edit->GetSafeHwnd()) {
            m_edit->SetFocus();
            m_edit->SendMessage(EM_SETSEL, 0, -1);
        }
        return 0;
    case WM_SPINEDIT_COMMIT:
        // The in-place edit's report of a changed text (it stands for id 0).
        if (lParam == 0)
            CommitTyped();
        return 0;
    case WM_ENABLE:
        // The parts draw themselves, so they must follow their control's state to look it.
        if (m_up != nullptr && m_up->GetSafeHwnd() != nullptr) {
            m_up->EnableWindow(wParam != 0);
            m_down->EnableWindow(wParam != 0);
            m_edit->EnableWindow(wParam != 0 && m_bEditable);
        }
        break;
    case WM_SETFONT:
        Layout(reinterpret_cast<CFont*>(wParam));
        UpdateText();
        return 0;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
