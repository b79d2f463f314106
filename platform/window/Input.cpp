#include "platform/window/Input.h"

#include <memory>

void CInputState::SetKeyDown(UINT vk, bool down)
{
    if (down) {
        down_.insert(vk);
    } else {
        down_.erase(vk);
    }
}

void CInputState::SetKeyToggled(UINT vk, bool on)
{
    if (on) {
        toggled_.insert(vk);
    } else {
        toggled_.erase(vk);
    }
}

UINT CInputState::MouseKeyFlags() const
{
    UINT flags = 0;
    if (IsKeyDown(VK_LBUTTON)) {
        flags |= MK_LBUTTON;
    }
    if (IsKeyDown(VK_RBUTTON)) {
        flags |= MK_RBUTTON;
    }
    if (IsKeyDown(VK_MBUTTON)) {
        flags |= MK_MBUTTON;
    }
    if (IsKeyDown(VK_SHIFT)) {
        flags |= MK_SHIFT;
    }
    if (IsKeyDown(VK_CONTROL)) {
        flags |= MK_CONTROL;
    }
    return flags;
}

HCURSOR CInputState::SetCursor(HCURSOR cursor)
{
    HCURSOR previous = cursor_;
    cursor_ = cursor;
    return previous;
}

void CInputState::BeginWait()
{
    if (waitCount_++ == 0) {
        beforeWait_ = cursor_;
    }
    cursor_ = LoadCursorId(IDC_WAIT);
}

void CInputState::EndWait()
{
    // An unmatched end must not drive the count negative and hide a later wait.
    if (waitCount_ == 0) {
        return;
    }
    if (--waitCount_ == 0) {
        cursor_ = beforeWait_;
    }
}

void CInputState::RestoreWait()
{
    if (waitCount_ > 0) {
        cursor_ = LoadCursorId(IDC_WAIT);
    }
}

namespace {
// Never destroyed: focus and cursor changes still happen while windows go away at exit.
std::unique_ptr<CInputState>& InputSlot()
{
    static auto* state = new std::unique_ptr<CInputState>(std::make_unique<CInputState>());
    return *state;
}
} // namespace

CInputState& GetInputState()
{
    return *InputSlot();
}

void ResetInputState()
{
    InputSlot() = std::make_unique<CInputState>();
}

UINT HeldKeys()
{
    const CInputState& s = GetInputState();
    return kHeldKnown | (s.IsKeyDown(VK_SHIFT) ? kHeldShift : 0u) | (s.IsKeyDown(VK_CONTROL) ? kHeldControl : 0u) |
           (s.IsKeyDown(VK_MENU) ? kHeldAlt : 0u);
}

void TakeHeldKeys(UINT held)
{
    CInputState& s = GetInputState();
    s.SetKeyDown(VK_SHIFT, (held & kHeldShift) != 0);
    s.SetKeyDown(VK_CONTROL, (held & kHeldControl) != 0);
    s.SetKeyDown(VK_MENU, (held & kHeldAlt) != 0);
}

short GetKeyState(UINT vk)
{
    const CInputState& s = GetInputState();
    unsigned value = 0;
    if (s.IsKeyDown(vk)) {
        value |= 0x8000u;
    }
    if (s.IsKeyToggled(vk)) {
        value |= 1u;
    }
    return static_cast<short>(value);
}

HCURSOR SetCursor(HCURSOR cursor)
{
    return GetInputState().SetCursor(cursor);
}

HCURSOR GetCursor()
{
    return GetInputState().Cursor();
}

BOOL GetCursorPos(CPoint* point)
{
    if (point == nullptr) {
        return FALSE;
    }
    *point = GetInputState().CursorPos();
    return TRUE;
}

namespace {
KeyboardLayout& LayoutSlot()
{
    static KeyboardLayout layout;
    return layout;
}
} // namespace

void SetKeyboardLayout(KeyboardLayout layout)
{
    LayoutSlot() = std::move(layout);
}

std::string TypedByKey(const MSG& keyDown)
{
    if (LayoutSlot()) {
        return LayoutSlot()(keyDown);
    }
    const UINT vk = static_cast<UINT>(keyDown.wParam);
    const bool shift = GetInputState().IsKeyDown(VK_SHIFT);
    const bool control = GetInputState().IsKeyDown(VK_CONTROL);
    UINT ch = 0;
    if (vk >= 'A' && vk <= 'Z') {
        ch = control ? vk - 'A' + 1 : (shift ? vk : vk + ('a' - 'A'));
    } else if (vk >= '0' && vk <= '9' && !shift) {
        ch = vk;
    } else if (vk == VK_SPACE || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK || vk == VK_TAB) {
        ch = vk;
    }
    return ch == 0 ? std::string() : std::string(1, static_cast<char>(ch));
}
