#pragma once

// Message numbers, handle and parameter types of the window layer. The numbers are the ones
// the program's windows exchange; several private ones collide with standard numbers of
// other window kinds (0x401 is also the dialog's "set default id"), so nothing here gives a
// private number a default meaning.

#include <cstdint>

#include "platform/drawing/Geometry.h"

using UINT = unsigned int;
using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Opaque window handle: a number handed out by the window registry. A handle outlives its
// window harmlessly: messages to a destroyed window are dropped instead of reaching freed memory.
struct HWND__;
using HWND = HWND__*;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::uint64_t time = 0; // milliseconds of the layer's clock
    CPoint pt;
    // A message of the person's input: the modifier keys held as it was made (kHeld bits).
    UINT held = 0;
};

enum : UINT { kHeldShift = 1u, kHeldControl = 2u, kHeldAlt = 4u, kHeldKnown = 0x80u };

constexpr WORD LOWORD(std::uintptr_t v)
{
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v)
{
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr short GET_X_LPARAM(LPARAM lp)
{
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp)));
}
constexpr short GET_Y_LPARAM(LPARAM lp)
{
    return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lp)));
}
constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi)
{
    return static_cast<WPARAM>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
constexpr LPARAM MAKELPARAM(unsigned lo, unsigned hi)
{
    return static_cast<LPARAM>(static_cast<std::int32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr LPARAM PointToLParam(CPoint p)
{
    return MAKELPARAM(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y));
}
constexpr CPoint LParamToPoint(LPARAM lp)
{
    return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
}

// Header of every WM_NOTIFY message.
struct NMHDR {
    HWND hwndFrom = nullptr;
    std::uintptr_t idFrom = 0;
    UINT code = 0;
};

// Standard messages.
enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_SETREDRAW = 0x000B,
    WM_SETTEXT = 0x000C,
    WM_GETTEXT = 0x000D,
    WM_GETTEXTLENGTH = 0x000E,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ERASEBKGND = 0x0014,
    WM_SHOWWINDOW = 0x0018,
    WM_ACTIVATEAPP = 0x001C,
    WM_CANCELMODE = 0x001F,
    WM_SETCURSOR = 0x0020,
    WM_MOUSEACTIVATE = 0x0021,
    WM_GETMINMAXINFO = 0x0024,
    WM_DRAWITEM = 0x002B,
    WM_MEASUREITEM = 0x002C,
    WM_SETFONT = 0x0030,
    WM_GETFONT = 0x0031,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_NOTIFY = 0x004E,
    WM_HELP = 0x0053,
    WM_CONTEXTMENU = 0x007B,
    WM_NCCREATE = 0x0081,
    WM_NCDESTROY = 0x0082,
    WM_GETDLGCODE = 0x0087,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_SYSCHAR = 0x0106,
    WM_INITDIALOG = 0x0110,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_INITMENUPOPUP = 0x0117,
    WM_MENUSELECT = 0x011F,
    WM_ENTERIDLE = 0x0121,
    WM_CTLCOLOREDIT = 0x0133,
    WM_CTLCOLORBTN = 0x0135,
    WM_CTLCOLORDLG = 0x0136,
    WM_CTLCOLORSTATIC = 0x0138,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MOUSEWHEEL = 0x020A,
    WM_CAPTURECHANGED = 0x0215,
    WM_DROPFILES = 0x0233,
    WM_USER = 0x0400,
    WM_APP = 0x8000,
    // Class-library internal messages that the program's windows handle by number.
    WM_SETMESSAGESTRING = 0x0362,
    WM_IDLEUPDATECMDUI = 0x0363,
    WM_COMMANDHELP = 0x0365,
    WM_KICKIDLE = 0x036A,
};

// The program's own messages. Several share their numbers with standard messages of other
// window kinds (0x401 with the dialog's "set default id", 0x465 and 0x466 with property-sheet
// messages); the layer gives none of them a default meaning.
enum : UINT {
    WM_IMPORT_PROGRESS = WM_APP + 200,     // 0x80C8: model import progress, wParam code, lParam value
    WM_INPLACE_COMMIT = WM_USER + 1,       // 0x401: an in-place editor or the property list reports
    WM_ALERT_DRAG_DONE = WM_USER + 101,    // 0x465: the alert control's drag ended
    WM_ALERT_BAND_CLICKED = WM_USER + 102, // 0x466: an alert band was clicked, wParam its index
    WM_SPIN_CHANGED = WM_USER + 200,       // 0x4C8: a spin edit committed a change, wParam its id
    WM_SPIN_REPEAT = WM_USER + 202,        // 0x4CA: a held spin arrow, lParam the arrow's id
    WM_FONTDATA_CHANGED = WM_USER + 210,   // 0x4D2: a font chooser without owner changed, wParam its id
};

// Key and button state flags carried by mouse messages (wParam).
enum : UINT {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

// Virtual key codes.
enum : UINT {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_CANCEL = 0x03,
    VK_MBUTTON = 0x04,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
    VK_F5 = 0x74,
    VK_F6 = 0x75,
    VK_F7 = 0x76,
    VK_F8 = 0x77,
    VK_F9 = 0x78,
    VK_F10 = 0x79,
    VK_F11 = 0x7A,
    VK_F12 = 0x7B,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
};

// WM_ACTIVATE states.
enum : UINT { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// WM_SIZE types.
enum : UINT { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// ShowWindow commands.
enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_NORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_MAXIMIZE = 3,
    SW_SHOWNOACTIVATE = 4,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_SHOWNA = 8,
    SW_RESTORE = 9,
};

// SetWindowPos flags and z-order places.
enum : UINT {
    SWP_NOSIZE = 0x0001,
    SWP_NOMOVE = 0x0002,
    SWP_NOZORDER = 0x0004,
    SWP_NOREDRAW = 0x0008,
    SWP_NOACTIVATE = 0x0010,
    SWP_SHOWWINDOW = 0x0040,
    SWP_HIDEWINDOW = 0x0080,
};

// Window styles (the subset the program's windows ask for). Plain constants, so that they
// combine with the style bits of bars, frames and controls.
inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_DLGFRAME = 0x00400000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_MAXIMIZE = 0x01000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_MINIMIZE = 0x20000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;

// Scroll bar request codes (low word of wParam of WM_HSCROLL / WM_VSCROLL) and bar kinds.
enum : UINT {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };

// Message box flags and answers.
enum : UINT {
    MB_OK = 0x0000,
    MB_OKCANCEL = 0x0001,
    MB_ABORTRETRYIGNORE = 0x0002,
    MB_YESNOCANCEL = 0x0003,
    MB_YESNO = 0x0004,
    MB_RETRYCANCEL = 0x0005,
    MB_TYPEMASK = 0x000F,
    MB_ICONHAND = 0x0010,
    MB_ICONSTOP = 0x0010,
    MB_ICONERROR = 0x0010,
    MB_ICONQUESTION = 0x0020,
    MB_ICONEXCLAMATION = 0x0030,
    MB_ICONWARNING = 0x0030,
    MB_ICONASTERISK = 0x0040,
    MB_ICONINFORMATION = 0x0040,
    MB_ICONMASK = 0x00F0,
    MB_DEFBUTTON1 = 0x0000,
    MB_DEFBUTTON2 = 0x0100,
    MB_DEFBUTTON3 = 0x0200,
    MB_APPLMODAL = 0x0000,
    MB_SYSTEMMODAL = 0x1000,
    MB_TASKMODAL = 0x2000,
    MB_SETFOREGROUND = 0x10000,
    MB_TOPMOST = 0x40000,
};
enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
    IDCLOSE = 8,
    IDHELP = 9,
};

// Menu item flags.
enum : UINT {
    MF_STRING = 0x0000,
    MF_BYCOMMAND = 0x0000,
    MF_ENABLED = 0x0000,
    MF_UNCHECKED = 0x0000,
    MF_GRAYED = 0x0001,
    MF_DISABLED = 0x0002,
    MF_CHECKED = 0x0008,
    MF_POPUP = 0x0010,
    MF_SEPARATOR = 0x0800,
    MF_BYPOSITION = 0x0400,
    MF_RADIOCHECK = 0x0200,
    MF_DEFAULT = 0x1000,
};
// TrackPopupMenu flags.
enum : UINT {
    TPM_LEFTALIGN = 0x0000,
    TPM_LEFTBUTTON = 0x0000,
    TPM_RIGHTBUTTON = 0x0002,
    TPM_CENTERALIGN = 0x0004,
    TPM_RIGHTALIGN = 0x0008,
    TPM_NONOTIFY = 0x0080,
    TPM_RETURNCMD = 0x0100,
};

// Codes that travel in the notification half of a command while it is routed.
enum : int { CN_COMMAND = 0, CN_UPDATE_COMMAND_UI = -1 };

// Standard command ids.
enum : UINT {
    ID_FILE_NEW = 0xE100,
    ID_FILE_OPEN = 0xE101,
    ID_FILE_CLOSE = 0xE102,
    ID_FILE_SAVE = 0xE103,
    ID_FILE_SAVE_AS = 0xE104,
    ID_FILE_PRINT = 0xE107,
    ID_FILE_PRINT_PREVIEW = 0xE109,
    ID_FILE_MRU_FILE1 = 0xE110,
    ID_FILE_MRU_FILE2 = 0xE111,
    ID_FILE_MRU_FILE3 = 0xE112,
    ID_FILE_MRU_FILE4 = 0xE113,
    ID_FILE_MRU_LAST = 0xE11F,
    ID_EDIT_CLEAR = 0xE120,
    ID_EDIT_CLEAR_ALL = 0xE121,
    ID_EDIT_COPY = 0xE122,
    ID_EDIT_CUT = 0xE123,
    ID_EDIT_PASTE = 0xE125,
    ID_EDIT_SELECT_ALL = 0xE12A,
    ID_EDIT_UNDO = 0xE12B,
    ID_EDIT_REDO = 0xE12C,
    ID_APP_ABOUT = 0xE140,
    ID_APP_EXIT = 0xE141,
    ID_HELP_INDEX = 0xE142,
    ID_HELP_FINDER = 0xE143,
    ID_HELP = 0xE146,
    ID_CONTEXT_HELP = 0xE145,
    ID_DEFAULT_HELP = 0xE147,
    ID_VIEW_TOOLBAR = 0xE800,
    ID_VIEW_STATUS_BAR = 0xE801,
    AFX_IDW_TOOLBAR = 0xE800,
    AFX_IDW_STATUS_BAR = 0xE801,
    AFX_IDW_PANE_FIRST = 0xE900,
    ID_SEPARATOR = 0,
    ID_INDICATOR_CAPS = 0xE001,
    ID_INDICATOR_NUM = 0xE002,
    ID_INDICATOR_SCRL = 0xE003,
};
