#pragma once

// Styles, messages and notification codes of the standard controls, with the platform's
// numbers so that the program's constants and tests that send raw messages carry over.

#include "platform/window/Messages.h"

#include <cstdint>

class CDC;

// --- buttons ---------------------------------------------------------------------------------
constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_CHECKBOX = 0x2;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_RADIOBUTTON = 0x4;
constexpr DWORD BS_3STATE = 0x5;
constexpr DWORD BS_AUTO3STATE = 0x6;
constexpr DWORD BS_GROUPBOX = 0x7;
constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
constexpr DWORD BS_OWNERDRAW = 0xB;
constexpr DWORD BS_TYPEMASK = 0xF;
constexpr DWORD BS_ICON = 0x40;
constexpr DWORD BS_BITMAP = 0x80;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT BM_GETIMAGE = 0x00F6;
constexpr UINT BM_SETIMAGE = 0x00F7;
constexpr UINT BN_CLICKED = 0;
constexpr UINT BN_DOUBLECLICKED = 5;
constexpr UINT BN_SETFOCUS = 6;
constexpr UINT BN_KILLFOCUS = 7;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;
constexpr int BST_PUSHED = 4;
constexpr int BST_FOCUS = 8;
constexpr int IMAGE_BITMAP = 0;
constexpr int IMAGE_ICON = 1;

// --- statics ---------------------------------------------------------------------------------
constexpr DWORD SS_LEFT = 0x0;
constexpr DWORD SS_CENTER = 0x1;
constexpr DWORD SS_RIGHT = 0x2;
constexpr DWORD SS_ICON = 0x3;
constexpr DWORD SS_BLACKRECT = 0x4;
constexpr DWORD SS_BITMAP = 0xE;
constexpr DWORD SS_ETCHEDFRAME = 0x12;
constexpr DWORD SS_TYPEMASK = 0x1F;
constexpr DWORD SS_NOTIFY = 0x100;
constexpr DWORD SS_CENTERIMAGE = 0x200;
constexpr DWORD SS_SUNKEN = 0x1000;
constexpr UINT STM_SETICON = 0x0170;
constexpr UINT STM_GETICON = 0x0171;
constexpr UINT STM_SETIMAGE = 0x0172;
constexpr UINT STM_GETIMAGE = 0x0173;
constexpr UINT STN_CLICKED = 0;

// --- edits -----------------------------------------------------------------------------------
constexpr DWORD ES_LEFT = 0x0;
constexpr DWORD ES_CENTER = 0x1;
constexpr DWORD ES_RIGHT = 0x2;
constexpr DWORD ES_MULTILINE = 0x4;
constexpr DWORD ES_UPPERCASE = 0x8;
constexpr DWORD ES_LOWERCASE = 0x10;
constexpr DWORD ES_PASSWORD = 0x20;
constexpr DWORD ES_AUTOVSCROLL = 0x40;
constexpr DWORD ES_AUTOHSCROLL = 0x80;
constexpr DWORD ES_NOHIDESEL = 0x100;
constexpr DWORD ES_READONLY = 0x800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = 0x00C5;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT EN_UPDATE = 0x0400;
constexpr UINT EN_MAXTEXT = 0x0501;

// --- combo boxes -----------------------------------------------------------------------------
constexpr DWORD CBS_SIMPLE = 0x1;
constexpr DWORD CBS_DROPDOWN = 0x2;
constexpr DWORD CBS_DROPDOWNLIST = 0x3;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x10;
constexpr DWORD CBS_AUTOHSCROLL = 0x40;
constexpr DWORD CBS_SORT = 0x100;
constexpr DWORD CBS_HASSTRINGS = 0x200;
constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr int CB_ERR = -1;
constexpr int CB_ERRSPACE = -2;
constexpr int LB_ERR = -1;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_DBLCLK = 2;
constexpr UINT CBN_SETFOCUS = 3;
constexpr UINT CBN_KILLFOCUS = 4;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT CBN_EDITUPDATE = 6;
constexpr UINT CBN_DROPDOWN = 7;
constexpr UINT CBN_CLOSEUP = 8;
constexpr UINT CBN_SELENDOK = 9;
constexpr UINT CBN_SELENDCANCEL = 10;

// --- list boxes ------------------------------------------------------------------------------
constexpr DWORD LBS_NOTIFY = 0x1;
constexpr DWORD LBS_SORT = 0x2;
constexpr DWORD LBS_MULTIPLESEL = 0x8;
constexpr DWORD LBS_HASSTRINGS = 0x40;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_SETHORIZONTALEXTENT = 0x0194;
constexpr UINT LB_GETHORIZONTALEXTENT = 0x0193;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
constexpr UINT LBN_SELCHANGE = 1;
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT LBN_SELCANCEL = 3;
constexpr UINT LBN_SETFOCUS = 4;
constexpr UINT LBN_KILLFOCUS = 5;

// --- common notifications ------------------------------------------------------------------
constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
constexpr UINT NM_RETURN = static_cast<UINT>(-4);
constexpr UINT NM_RCLICK = static_cast<UINT>(-5);
constexpr UINT NM_SETFOCUS = static_cast<UINT>(-7);
constexpr UINT NM_KILLFOCUS = static_cast<UINT>(-8);

// --- list views ------------------------------------------------------------------------------
constexpr DWORD LVS_ICON = 0x0;
constexpr DWORD LVS_REPORT = 0x1;
constexpr DWORD LVS_SMALLICON = 0x2;
constexpr DWORD LVS_LIST = 0x3;
constexpr DWORD LVS_TYPEMASK = 0x3;
constexpr DWORD LVS_SINGLESEL = 0x4;
constexpr DWORD LVS_SHOWSELALWAYS = 0x8;
constexpr DWORD LVS_SORTASCENDING = 0x10;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x40;
constexpr DWORD LVS_AUTOARRANGE = 0x100;
constexpr DWORD LVS_EDITLABELS = 0x200;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x400;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;
constexpr DWORD LVS_EX_GRIDLINES = 0x1;
constexpr DWORD LVS_EX_CHECKBOXES = 0x4;
constexpr DWORD LVS_EX_TRACKSELECT = 0x8;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x20;
constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x40;
constexpr DWORD LVS_EX_TWOCLICKACTIVATE = 0x80;
constexpr UINT LVIF_TEXT = 0x1;
constexpr UINT LVIF_IMAGE = 0x2;
constexpr UINT LVIF_PARAM = 0x4;
constexpr UINT LVIF_STATE = 0x8;
constexpr UINT LVIS_FOCUSED = 0x1;
constexpr UINT LVIS_SELECTED = 0x2;
constexpr UINT LVIS_CUT = 0x4;
constexpr UINT LVIS_DROPHILITED = 0x8;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i)
{
    return i << 12;
}
constexpr UINT LVNI_ALL = 0x0;
constexpr UINT LVNI_FOCUSED = 0x1;
constexpr UINT LVNI_SELECTED = 0x2;
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;
constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVA_DEFAULT = 0;
constexpr int LVA_ALIGNLEFT = 1;
constexpr int LVA_ALIGNTOP = 2;
constexpr int LVA_SNAPTOGRID = 5;
constexpr UINT LVN_ITEMCHANGING = static_cast<UINT>(-100);
constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);
constexpr UINT LVN_INSERTITEM = static_cast<UINT>(-102);
constexpr UINT LVN_DELETEITEM = static_cast<UINT>(-103);
constexpr UINT LVN_DELETEALLITEMS = static_cast<UINT>(-104);
constexpr UINT LVN_COLUMNCLICK = static_cast<UINT>(-108);
constexpr UINT LVN_ITEMACTIVATE = static_cast<UINT>(-114);
constexpr UINT LVN_BEGINLABELEDIT = static_cast<UINT>(-105);
constexpr UINT LVN_ENDLABELEDIT = static_cast<UINT>(-106);
constexpr UINT LVN_KEYDOWN = static_cast<UINT>(-155);
constexpr UINT LVHT_NOWHERE = 0x1;
constexpr UINT LVHT_ONITEMICON = 0x2;
constexpr UINT LVHT_ONITEMLABEL = 0x4;
constexpr UINT LVHT_ONITEMSTATEICON = 0x8;
constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    CPoint ptAction;
    LPARAM lParam = 0;
};
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    CPoint ptAction;
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};
struct LVITEM {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    const char* pszText = nullptr;
    int iImage = 0;
    LPARAM lParam = 0;
};
struct NMLVDISPINFO {
    NMHDR hdr;
    LVITEM item;
};
struct LVHITTESTINFO {
    CPoint pt;
    UINT flags = 0;
    int iItem = -1;
    int iSubItem = 0;
};

// --- track bars, up-down controls, progress bars, tabs --------------------------------------
constexpr DWORD TBS_HORZ = 0x0;
constexpr DWORD TBS_AUTOTICKS = 0x1;
constexpr DWORD TBS_VERT = 0x2;
constexpr DWORD TBS_NOTICKS = 0x10;
constexpr UINT TB_THUMBPOSITION = 4;
constexpr UINT TB_THUMBTRACK = 5;
constexpr UINT TB_ENDTRACK = 8;
constexpr DWORD UDS_WRAP = 0x1;
constexpr DWORD UDS_SETBUDDYINT = 0x2;
constexpr DWORD UDS_ALIGNRIGHT = 0x4;
constexpr DWORD UDS_ALIGNLEFT = 0x8;
constexpr DWORD UDS_AUTOBUDDY = 0x10;
constexpr DWORD UDS_ARROWKEYS = 0x20;
constexpr DWORD UDS_HORZ = 0x40;
constexpr DWORD UDS_NOTHOUSANDS = 0x80;
constexpr UINT UDN_DELTAPOS = static_cast<UINT>(-722);
struct NMUPDOWN {
    NMHDR hdr;
    int iPos = 0;
    int iDelta = 0;
};
constexpr DWORD PBS_SMOOTH = 0x1;
constexpr DWORD PBS_VERTICAL = 0x4;
constexpr DWORD TCS_BUTTONS = 0x100;
constexpr DWORD TCS_MULTILINE = 0x200;
constexpr DWORD TCS_FIXEDWIDTH = 0x400;
constexpr UINT TCN_SELCHANGE = static_cast<UINT>(-551);
constexpr UINT TCN_SELCHANGING = static_cast<UINT>(-552);
constexpr UINT TCIF_TEXT = 0x1;
constexpr UINT TCIF_IMAGE = 0x2;
constexpr UINT TCIF_PARAM = 0x8;
constexpr UINT TCM_SETITEMSIZE = 0x1329;
constexpr UINT TCM_SETPADDING = 0x132B;

// --- scroll bars ---------------------------------------------------------------------------
constexpr DWORD SBS_HORZ = 0x0;
constexpr DWORD SBS_VERT = 0x1;
constexpr UINT SIF_RANGE = 0x1;
constexpr UINT SIF_PAGE = 0x2;
constexpr UINT SIF_POS = 0x4;
constexpr UINT SIF_TRACKPOS = 0x10;
constexpr UINT SIF_ALL = 0x17;
struct SCROLLINFO {
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// --- owner drawing -------------------------------------------------------------------------
constexpr UINT ODT_MENU = 1;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODT_STATIC = 5;
constexpr UINT ODT_LISTVIEW = 102;
constexpr UINT ODA_DRAWENTIRE = 1;
constexpr UINT ODA_SELECT = 2;
constexpr UINT ODA_FOCUS = 4;
constexpr UINT ODS_SELECTED = 0x1;
constexpr UINT ODS_GRAYED = 0x2;
constexpr UINT ODS_DISABLED = 0x4;
constexpr UINT ODS_CHECKED = 0x8;
constexpr UINT ODS_FOCUS = 0x10;
constexpr UINT ODS_DEFAULT = 0x20;
struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    CDC* hDC = nullptr;
    CRect rcItem;
    std::uintptr_t itemData = 0;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;
struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;

// --- dialog keyboard handling ----------------------------------------------------------------
constexpr UINT DLGC_WANTARROWS = 0x1;
constexpr UINT DLGC_WANTTAB = 0x2;
constexpr UINT DLGC_WANTALLKEYS = 0x4;
constexpr UINT DLGC_WANTMESSAGE = 0x4;
constexpr UINT DLGC_HASSETSEL = 0x8;
constexpr UINT DLGC_DEFPUSHBUTTON = 0x10;
constexpr UINT DLGC_UNDEFPUSHBUTTON = 0x20;
constexpr UINT DLGC_RADIOBUTTON = 0x40;
constexpr UINT DLGC_WANTCHARS = 0x80;
constexpr UINT DLGC_STATIC = 0x100;
constexpr UINT DLGC_BUTTON = 0x2000;
