#pragma once

// Resource, command and control ids of the designer: strings, toolbars, dialogs and their
// controls, and the commands of menus and toolbars.

#include "platform/window/Messages.h"

enum : UINT {
    // Document template, main menu, accelerators and document strings.
    IDR_MAINFRAME = 3,
    // Toolbars, in the order the frame creates them.
    IDR_TOOLBAR_MAIN = 2,
    IDR_TOOLBAR_PREVIEW = 297,
    IDR_TOOLBAR_OFFICE = 319,
    IDR_TOOLBAR_IMPORT = 320,

    // Strings.
    IDP_OLE_INIT_FAILED = 102,
    IDS_MODEL_NOT_LOADED = 111,

    // Pictures.
    IDB_SPLASH = 306,
    IDI_WELCOME_TUTORIAL1 = 315,
    IDI_WELCOME_TUTORIAL2 = 316,
    IDI_WELCOME_TEMPLATES = 317,
    IDI_WELCOME_SAMPLES = 321,

    // Dialogs.
    IDD_ABOUTBOX = 100,
    IDD_ABOUTBOX_LARGE = 330,
    IDD_WAIT = 169,
    IDD_TEMPLATE = 172,
    IDD_TUTORIAL = 271,
    IDD_WELCOME = 309,

    // Controls.
    IDC_FLASH = 146,
    IDC_WAIT_PROGRESS = 177,
    IDC_DESCRIPTION = 178,
    IDC_CATEGORY = 179,
    IDC_ITEMS = 180,
    IDC_WELCOME_TEMPLATES = 117,
    IDC_WELCOME_SAMPLES = 118,
    IDC_TUTORIAL_CLOSE = 320,
    IDC_WELCOME_TUTORIAL2 = 321,
    IDC_WELCOME_TUTORIAL1 = 564,
    IDC_WELCOME_DONT_SHOW = 565,
    IDC_STATUS_PROGRESS = 1,

    // Commands.
    ID_TOOL_SELECT = 32770,
    ID_PAPER_COLOR = 32781,
    ID_FILE_SUMMARY_INFO = 32792,
    ID_FILE_PROPERTIES = 32837,
    ID_TOOL_COMPONENT = 32772,
    ID_VIEW_SWF_PREVIEW = 32824,
    ID_DATA_IMPORT_MODEL = 32848,
    ID_DECREASE_CANVAS = 32852,
    ID_INCREASE_CANVAS = 32853,
    ID_FILE_NEW_FROM_TEMPLATE = 32854,
    ID_SEND_POWERPOINT = 32855,
    ID_GROUP = 32858,
    ID_UNGROUP = 32859,
    ID_HELP_CONTENTS = 32864,
    ID_SEND_OUTLOOK = 32879,
    ID_FILE_SAMPLES = 32885,
    ID_EXPORT_SWF = 32821,
    ID_SNAPSHOT_EXCEL = 32872,
    ID_EXPORT_HTML = 32871,
    ID_EXPORT_SETTINGS = 32876,
    ID_EXPORT_PREVIEW = 32877,
    ID_EXPORT_POWERPOINT = 32878,
    ID_EXPORT_OUTLOOK = 32879,
    ID_SNAPSHOT_SWF = 32880,
    ID_SNAPSHOT_HTML = 32881,
    ID_SNAPSHOT_POWERPOINT = 32882,
    ID_SNAPSHOT_OUTLOOK = 32883,
    ID_SEND_TO_OUTLOOK = 32861,
    ID_DATA_DIALOG = 32850,
    ID_REPLACE_DATA_SELECTION = 32867,
    ID_EXPORT_PORTAL = 33953,
    ID_FIT_TO_COMPONENTS = 33951,
    ID_FIT_TO_WINDOW = 33952,

    // The canvas view: its commands, context menu, child controls and tool windows.
    ID_HIDE_SHOW = 32856,
    ID_VIEW_EDIT_MODE = 33960,
    ID_VIEW_GRID = 33961,
    ID_VIEW_COMPONENTS = 33962,
    ID_VIEW_OBJECT_BROWSER = 33963,
    ID_EDIT_PROPERTIES = 33964,
    ID_BRING_TO_FRONT = 32777,
    ID_SEND_TO_BACK = 32778,
    ID_BRING_FORWARD = 32779,
    ID_SEND_BACK = 32780,
    // Format: align, make same size, space evenly and center in the document.
    ID_ALIGN_LEFT = 32827,
    ID_ALIGN_RIGHT = 32829,
    ID_ALIGN_TOP = 32830,
    ID_ALIGN_BOTTOM = 32831,
    ID_ALIGN_CENTER_HORZ = 33594,
    ID_ALIGN_CENTER_VERT = 33595,
    ID_SAME_WIDTH = 32833,
    ID_SAME_HEIGHT = 32834,
    ID_SAME_BOTH = 32835,
    ID_SPACE_DOWN = 32839,
    ID_SPACE_ACROSS = 32840,
    ID_CENTER_VERT = 32841,
    ID_CENTER_HORZ = 32842,
    ID_CENTER_BOTH = 32851,
    ID_CHANGE_STYLE = 32857,
    // Export Scenario and the two colour commands are carried by no menu entry or button.
    ID_EXPORT_SCENARIO = 32866,
    ID_LINE_COLOR = 32773,
    ID_FILL_COLOR = 32774,
    ID_HELP_WELCOME = 33965,
    IDR_CONTEXT_MENU = 108,
    IDC_STAGE = 158,
    IDC_PREVIEW_PLAYER = 159,
    IDD_PALETTE = 137,
    IDC_PALETTE_CATEGORY = 134,
    IDC_PALETTE_ITEMS = 179,
    IDC_PALETTE_PREVIEW = 146,
    IDD_OBJECT_BROWSER = 277,
    IDC_BROWSER_LIST = 179,
    IDD_GRID = 165,
    IDC_GRID_SHOW = 162,
    IDC_GRID_SNAP = 163,
    IDC_GRID_X = 164,
    IDC_GRID_Y = 166,
};

// The import worker's progress message and its codes (wParam low word; the high word may
// carry the import's serial number, lParam the value).
enum : UINT { WM_IMPORT_MODEL_PROGRESS = WM_IMPORT_PROGRESS };
// The desktop's opener failed after the program went on (no browser for the help, say).
enum : UINT { WM_SHELL_OPEN_FAILED = WM_APP + 201 };
enum ImportProgressCode : UINT {
    kImportStart = 0,
    kImportDone = 1,
    kImportStep = 2,
    kImportFormulaError = 3,
    kImportNoModel = 4,
};
