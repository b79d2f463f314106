#include "platform/dialogs/Dialog.h"

#include "platform/controls/Button.h"
#include "platform/controls/ControlWnd.h"
#include "platform/drawing/DC.h"
#include "platform/window/MessageQueue.h"
#include "platform/controls/Static.h"
#include "platform/docview/WinApp.h"
#include "platform/window/WindowClass.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <map>

namespace ui {
namespace {

struct HookTable {
    std::map<std::string, DialogHook> hooks;
    std::vector<std::string> opened;
    std::vector<std::string> unanswered;
    bool wait = false;
};

HookTable& Hooks()
{
    static HookTable table;
    return table;
}

} // namespace

std::string DialogKey(UINT templateId, const std::string& caption)
{
    return templateId != 0 ? std::to_string(templateId) : caption;
}

void SetDialogHook(UINT templateId, DialogHook hook)
{
    Hooks().hooks[std::to_string(templateId)] = std::move(hook);
}

void SetDialogHookByCaption(const std::string& caption, DialogHook hook)
{
    Hooks().hooks[caption] = std::move(hook);
}

void ResetDialogHooks()
{
    Hooks() = HookTable();
}

const std::vector<std::string>& OpenedDialogs()
{
    return Hooks().opened;
}

const std::vector<std::string>& UnansweredDialogs()
{
    return Hooks().unanswered;
}

void SetModalLoopWaits(bool wait)
{
    Hooks().wait = wait;
}

bool ModalLoopWaits()
{
    return Hooks().wait;
}

bool RunDialogHook(CDialog& dialog, const std::string& key)
{
    Hooks().opened.push_back(key);
    auto it = Hooks().hooks.find(key);
    if (it == Hooks().hooks.end())
        return false;
    DialogHook hook = it->second; // the hook may replace itself
    hook(dialog);
    return true;
}

void RunModalLoop(CWnd& modal, const std::function<bool()>& ended, const std::string& key)
{
    HWND self = modal.GetSafeHwnd();
    CMessageQueue& queue = GetMessageQueue();
    while (!ended() && IsWindow(self)) {
        MSG msg;
        if (!ModalLoopWaits() && !queue.HasWork()) {
            Hooks().unanswered.push_back(key);
            return;
        }
        if (!queue.Get(msg)) {
            // The quit request belongs to the outer loop: put it back and leave.
            queue.PostQuit(static_cast<int>(msg.wParam));
            return;
        }
        bool handled = false;
        if (CWinApp* app = AfxGetApp())
            handled = app->PreTranslateMessage(&msg) != FALSE;
        else
            for (CWnd* w = CWnd::FromHandle(msg.hwnd); w != nullptr && !handled; w = w->GetParent())
                handled = w->PreTranslateMessage(&msg) != FALSE;
        if (!handled) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

ModalOwner::ModalOwner(CWnd* parent)
{
    CWnd* owner = parent != nullptr ? parent->GetTopLevelParent() : AfxGetMainWnd();
    if (owner == nullptr || owner->GetSafeHwnd() == nullptr)
        return;
    m_owner = owner->GetSafeHwnd();
    // The window at the top of the owners (the frame, for a property panel's dialog), and every
    // window it owns: none takes input until the modal window ends.
    CWnd* root = owner;
    while (root->GetOwner() != nullptr && root->GetOwner()->GetTopLevelParent() != root)
        root = root->GetOwner()->GetTopLevelParent();
    auto disable = [this](CWnd& w) {
        if (w.IsWindowEnabled()) {
            w.EnableWindow(FALSE);
            m_disabled.push_back(w.GetSafeHwnd());
        }
    };
    disable(*root);
    for (CWnd* top : TopLevelWindows()) {
        for (CWnd* w = top->GetOwner(); w != nullptr && top != root; w = w->GetOwner()) {
            if (w->GetTopLevelParent() == root) {
                disable(*top);
                break;
            }
        }
    }
}

void ModalOwner::Restore()
{
    // In the reverse order: the top window last.
    for (auto it = m_disabled.rbegin(); it != m_disabled.rend(); ++it)
        if (IsWindow(*it))
            CWnd::FromHandle(*it)->EnableWindow(TRUE);
    m_disabled.clear();
}

void FinishModal(CWnd& modal, const bool& ended, const std::function<void()>& cancel, const std::string& key,
                 ModalOwner& owner)
{
    HWND self = modal.GetSafeHwnd();
    if (!ended && IsWindow(self)) {
        RunModalLoop(
            modal, [&ended] { return ended; }, key);
        if (!ended && IsWindow(self))
            cancel();
    }
    owner.Restore();
    if (IsWindow(self))
        modal.DestroyWindow();
}

} // namespace ui

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    .Command(IDOK, &CDialog::OnOkCommand)
    .Command(IDCANCEL, &CDialog::OnCancelCommand) END_MESSAGE_MAP()

        CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId)
{
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

const DialogTemplate* CDialog::GetTemplate() const
{
    if (m_indirect)
        return m_indirect.get();
    return GetDialogTemplates().Find(static_cast<int>(m_templateId));
}

BOOL CDialog::CreateFromTemplate(const DialogTemplate& t, CWnd* parent, bool child)
{
    LOGFONT lf = ui::TemplateFont(t);
    m_font.CreateFontIndirect(&lf);
    CRect rect = ui::DialogUnitsToPixels(t.x, t.y, t.cx, t.cy, lf);
    DWORD style = t.style & ~WS_VISIBLE;
    if (child) {
        style = (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)) | WS_CHILD;
    } else if (parent != nullptr && !(style & WS_CHILD)) {
        // A pop-up dialog sits where its template says, relative to its owner.
        CRect owner;
        parent->GetWindowRect(&owner);
        rect.OffsetRect(owner.left, owner.top);
    }
    m_ended = false;
    m_result = -1;
    if (!CreateEx(t.exStyle | (child ? WS_EX_CONTROLPARENT : 0), "#32770", t.caption.c_str(), style, rect,
                  parent, child ? static_cast<UINT>(t.id) : 0))
        return FALSE;
    HWND self = m_hWnd;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&m_font), FALSE);
    for (const DialogItemTemplate& item : t.items) {
        CWnd* control = ui::CreateTemplateItemObject(item.className);
        CRect r = ui::DialogUnitsToPixels(item.x, item.y, item.cx, item.cy, lf);
        if (!control->CreateEx(item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD,
                               r, this, static_cast<UINT>(item.id))) {
            delete control;
            continue;
        }
        control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&m_font), FALSE);
        if (item.style & WS_VISIBLE)
            control->ShowWindow(SW_SHOW);
    }
    for (const DialogItemTemplate& item : t.items)
        if ((item.style & 0xF) == 0x1 && item.className == "Button") // BS_DEFPUSHBUTTON
            m_defId = static_cast<UINT>(item.id);
    CRect before;
    GetWindowRect(&before);
    if (SendMessage(WM_INITDIALOG) != 0 && CWnd::FromHandle(self) == this && CWnd::GetFocus() == nullptr)
        MoveFocus(false);
    if (CWnd::FromHandle(self) != this)
        return FALSE;
    // A pop-up dialog that its initialisation did not place opens centred over its owner (the
    // screen's work area without one), never at the owner's or the screen's corner.
    CRect after;
    GetWindowRect(&after);
    if ((t.style & DS_CENTER) || (!child && !(t.style & DS_ABSALIGN) && after == before))
        CenterWindow();
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_templateId = templateId;
    m_pParentWnd = parent;
    const DialogTemplate* t = GetTemplate();
    if (t == nullptr)
        return FALSE;
    DialogTemplate copy = *t;
    if (!CreateFromTemplate(copy, parent, (copy.style & WS_CHILD) != 0))
        return FALSE;
    if (copy.style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    ui::RunDialogHook(*this, ui::DialogKey(m_templateId, copy.caption));
    return TRUE;
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dialog, CWnd* parent)
{
    m_indirect = std::make_unique<DialogTemplate>(dialog);
    m_templateId = 0;
    m_pParentWnd = parent;
    if (!CreateFromTemplate(*m_indirect, parent, (dialog.style & WS_CHILD) != 0))
        return FALSE;
    if (dialog.style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    ui::RunDialogHook(*this, ui::DialogKey(0, dialog.caption));
    return TRUE;
}

BOOL CDialog::InitModalIndirect(const DialogTemplate& dialog, CWnd* parent)
{
    m_indirect = std::make_unique<DialogTemplate>(dialog);
    m_templateId = 0;
    m_pParentWnd = parent;
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* found = GetTemplate();
    if (found == nullptr)
        return -1;
    const DialogTemplate t = *found;
    ui::ModalOwner owner(m_pParentWnd);
    m_modal = true;
    DialogTemplate popup = t;
    popup.style = (popup.style & ~WS_CHILD) | WS_POPUP;
    if (!CreateFromTemplate(popup, owner.Window(), false)) {
        m_modal = false;
        return -1;
    }
    const std::string key = ui::DialogKey(m_templateId, t.caption);
    HWND self = m_hWnd;
    if (!m_ended && IsWindow(self))
        ShowWindow(SW_SHOW);
    if (!m_ended && IsWindow(self))
        ui::RunDialogHook(*this, key);
    ui::FinishModal(
        *this, m_ended, [this] { EndDialog(IDCANCEL); }, key, owner);
    m_modal = false;
    return m_result;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (!m_modal && m_hWnd != nullptr)
        ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_CLOSE:
        // The close box of a dialog is its Cancel button.
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    case WM_SETFONT:
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(&m_font);
    case WM_PAINT:
        ui::PaintDialogFace(*this);
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

namespace {

// The dialog itself may still be hidden (focus is placed before a modal dialog shows), so
// only the control's own visibility counts.
bool Shown(CWnd* w)
{
    return (w->GetStyle() & WS_VISIBLE) != 0;
}

bool IsTabStop(CWnd* w)
{
    return Shown(w) && w->IsWindowEnabled() && (w->GetStyle() & WS_TABSTOP) != 0;
}

// Tabbing into a group of radio buttons lands on the checked one, as the platform's dialogs do.
CWnd* CheckedInGroup(CWnd* stop)
{
    for (CButton* radio : RadioGroupOf(*stop))
        if (Shown(radio) && radio->IsWindowEnabled() && radio->GetCheck() == BST_CHECKED)
            return radio;
    return stop;
}

// Whether the focus is on the tab stop, inside it, or on another radio button of its group.
bool HoldsFocus(CWnd* stop, CWnd* focus)
{
    if (focus == nullptr)
        return false;
    if (stop == focus || stop->IsChild(focus))
        return true;
    const std::vector<CButton*> group = RadioGroupOf(*stop);
    return std::find(group.begin(), group.end(), focus) != group.end();
}

// Tab stops in tab order, descending into nested dialogs that are control parents.
void CollectTabStops(CWnd* parent, std::vector<CWnd*>& out)
{
    for (CWnd* w : parent->GetChildren()) {
        if (!Shown(w) || !w->IsWindowEnabled())
            continue;
        if (w->GetExStyle() & WS_EX_CONTROLPARENT)
            CollectTabStops(w, out);
        else if (IsTabStop(w))
            out.push_back(w);
    }
}

} // namespace

namespace ui {

void MoveDialogFocus(CWnd& top, bool backwards)
{
    std::vector<CWnd*> stops;
    CollectTabStops(&top, stops);
    if (stops.empty())
        return;
    CWnd* focus = CWnd::GetFocus();
    std::size_t at = stops.size();
    for (std::size_t i = 0; i < stops.size(); ++i)
        if (HoldsFocus(stops[i], focus))
            at = i;
    std::size_t next;
    if (at == stops.size())
        next = backwards ? stops.size() - 1 : 0;
    else
        next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
    FocusDialogControl(*CheckedInGroup(stops[next]));
}

void FocusDialogControl(CWnd& control)
{
    HWND h = control.GetSafeHwnd();
    control.SetFocus();
    // Edits reached from the keyboard select their whole text.
    if (CWnd* w = CWnd::FromHandle(h); w != nullptr && w->GetClassName() == "Edit")
        w->SendMessage(EM_SETSEL, 0, -1);
}

bool IsForTopLevelDialog(CWnd& top, const MSG* pMsg)
{
    if (top.GetStyle() & WS_CHILD)
        return false;
    CWnd* target = CWnd::FromHandle(pMsg->hwnd);
    return target != nullptr && (target == &top || top.IsChild(target));
}

void PaintDialogFace(CWnd& window)
{
    PAINTSTRUCT ps;
    if (CDC* dc = window.BeginPaint(&ps)) {
        CRect r;
        window.GetClientRect(&r);
        dc->FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    }
    window.EndPaint(&ps);
}

} // namespace ui

void CDialog::MoveFocus(bool backwards)
{
    ui::MoveDialogFocus(*this, backwards);
}

void CDialog::NextDlgCtrl()
{
    MoveFocus(false);
}

void CDialog::PrevDlgCtrl()
{
    MoveFocus(true);
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control != nullptr)
        ui::FocusDialogControl(*control);
}

namespace ui {

bool HandleDialogKey(CWnd& top, MSG* pMsg, int defaultId, bool buttons)
{
    if (pMsg->message != WM_KEYDOWN)
        return false;
    const UINT vk = static_cast<UINT>(pMsg->wParam);
    if (vk != VK_RETURN && vk != VK_ESCAPE && vk != VK_TAB)
        return false;
    CWnd* focus = CWnd::FromHandle(pMsg->hwnd);
    if (focus != nullptr && focus != &top) {
        LRESULT code = focus->SendMessage(WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(pMsg));
        if (code & DLGC_WANTALLKEYS)
            return false;
        if (vk == VK_TAB && (code & DLGC_WANTTAB))
            return false;
        if (vk == VK_RETURN && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            // Enter on a push button presses that button.
            focus->SendMessage(BM_CLICK);
            return true;
        }
    }
    if (vk == VK_TAB) {
        MoveDialogFocus(top, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return true;
    }
    if (!buttons)
        return false;
    const int id = vk == VK_RETURN ? defaultId : IDCANCEL;
    CWnd* button = top.GetDlgItem(id);
    if (button != nullptr && !button->IsWindowEnabled()) {
        MessageBeep(0);
        return true;
    }
    top.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED),
                    reinterpret_cast<LPARAM>(button != nullptr ? button->GetSafeHwnd() : nullptr));
    return true;
}

} // namespace ui

bool CDialog::HandleDialogKey(MSG* pMsg)
{
    return ui::HandleDialogKey(*this, pMsg, static_cast<int>(m_defId), true);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    return ui::IsForTopLevelDialog(*this, pMsg) && HandleDialogKey(pMsg) ? TRUE : FALSE;
}

void CDialog::SetDlgItemText(int id, const std::string& text)
{
    if (CWnd* w = GetDlgItem(id))
        w->SetWindowText(text);
}

std::string CDialog::GetDlgItemText(int id) const
{
    CWnd* w = GetDlgItem(id);
    return w != nullptr ? w->GetWindowText() : std::string();
}

int CDialog::GetDlgItemText(int id, std::string& text) const
{
    text = GetDlgItemText(id);
    return static_cast<int>(text.size());
}

void CDialog::SetDlgItemInt(int id, int value, BOOL isSigned)
{
    SetDlgItemText(id, isSigned ? std::to_string(value) : std::to_string(static_cast<unsigned>(value)));
}

int CDialog::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    std::string text = GetDlgItemText(id);
    std::size_t b = text.find_first_not_of(' ');
    text = b == std::string::npos ? std::string() : text.substr(b);
    errno = 0;
    char* end = nullptr;
    long long v = isSigned ? std::strtoll(text.c_str(), &end, 10)
                           : static_cast<long long>(std::strtoull(text.c_str(), &end, 10));
    bool ok =
        !text.empty() && end != text.c_str() && *end == '\0' && errno == 0 &&
        (isSigned ? (v >= INT32_MIN && v <= INT32_MAX) : (v >= 0 && v <= static_cast<long long>(UINT32_MAX)));
    if (translated != nullptr)
        *translated = ok ? TRUE : FALSE;
    return ok ? static_cast<int>(v) : 0;
}

void CDialog::CheckDlgButton(int id, UINT check)
{
    if (CWnd* w = GetDlgItem(id))
        w->SendMessage(BM_SETCHECK, check);
}

UINT CDialog::IsDlgButtonChecked(int id) const
{
    CWnd* w = GetDlgItem(id);
    return w != nullptr ? static_cast<UINT>(w->SendMessage(BM_GETCHECK)) : 0;
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId)
{
    ::CheckRadioButton(this, firstId, lastId, checkId);
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) const
{
    return ::GetCheckedRadioButton(const_cast<CDialog*>(this), firstId, lastId);
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = GetDlgItem(id);
    return w != nullptr ? w->SendMessage(message, wParam, lParam) : 0;
}
